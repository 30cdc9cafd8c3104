#pragma once
// The one grid of the editor (master targets, flash pattern, exchange mask, roller-master pairs): its
// cells beside their group letters and under their column captions, the cursor cell and the keys and
// clicks that move it and set a cell. What a cell means and which states it takes are the page's
// (Rules); the grid does the rest the same way for every page.
//
// The cells are squares that grow with the room the grid is given; the letters and captions are drawn
// in a font that follows them. The cursor is the workspace's MatrixCursor; the keyboard is held by a
// hidden field beside the grid, so the keys stay while the grid gives its room to another view.

#include <QStringList>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

#include "app/context.h"
#include "ui/editor/form/grid_cell.h"

class QLabel;

namespace korvane {

class PageHost;

class CellGrid : public QWidget {
    Q_OBJECT
public:
    // The keys that set the cursor's cell: 1 and 0 (either keyboard) and X.
    enum class SetKey { One, Zero, X };

    // What the page alone knows of its grid.
    struct Rules {
        std::function<int(int cell)> picture = {}; // the picture a cell shows
        std::function<int()> last = {};            // the last cell shown (the channels in use)
        // The cell an arrow key (virtual key code) moves the cursor to; nothing where it cannot go.
        // Without it the cursor stays within the cells shown, a group a row.
        std::function<std::optional<int>(int cursor, int keyCode)> move = {};
        std::function<void(int cell, SetKey key)> set = {}; // 1, 0 or X on the cursor's cell
        std::function<void(int cell)> click = {};           // a left click on a cell (the cursor is on it)
        std::function<void()> enter = {};                   // Enter in the grid
        std::function<void()> escape = {};                  // Escape in the grid
        // A right press on a cell opens the group menu of its group, with the "off" entry where this
        // says so; without it a right press does nothing.
        std::function<bool()> groupMenuWithOff = {};
        bool advance = false; // after 1, 0 or X the cursor moves on to the right (a beep at the end)
        // The channel a cell stands for (-1: none): its tooltip names it, with its function and
        // description, and the cell shows its description where there is room.
        std::function<int(int cell)> channel = {};
        // What the cell's state means, after the channel in its tooltip ("On").
        std::function<QString(int cell)> stateWords = {};
    };

    // cells cells named cellName + index, columns to a group; one caption per column.
    CellGrid(AppContext& ctx, PageHost& host, int columns, const QStringList& columnCaptions, int cells,
             const char* cellName, QWidget* parent);
    void setRules(Rules rules) { rules_ = std::move(rules); }
    // Makes the hidden field that holds the grid's keyboard, beside the grid in its parent (made where
    // it is to stand in the focus chain).
    QWidget* makeKeyField(const char* name);
    QWidget* keyField() const { return keys_; }
    MasterCell* cell(int i) const { return cells_[static_cast<std::size_t>(i)]; }

    // Shows the cells up to the last one, the cursor on the first.
    void fill();
    // Draws a cell again (nothing for a number outside the grid).
    void draw(int cell, bool cursor);

    // The side of a cell as laid out now.
    int cellSide() const { return side_; }
    // The grid asks only for the width its cells need at the height it has (beside other controls);
    // otherwise for the whole width it is given.
    void setWidthFollowsHeight(bool follows);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void key(int code);
    void clicked(int cell);
    void rightPressed(int cell, QPoint globalPos);
    std::optional<int> moveWithinShown(int cursor, int code) const;

    struct Measure {
        int side;
        int letterWidth;
        int captionHeight;
        int fontPx;
    };
    Measure measure(QSize room) const;
    void place();
    int groups() const;

    AppContext& ctx_;
    PageHost& host_;
    Rules rules_;
    QWidget* keys_ = nullptr;
    int columns_;
    bool widthFollowsHeight_ = false;
    std::vector<MasterCell*> cells_;
    std::vector<QLabel*> letters_;
    std::vector<QLabel*> captions_;
    int side_ = 0;
};

// The pictures of a grid with what they mean, a few entries to a line.
class GridLegend : public QWidget {
public:
    // lineSpacing < 0: the style's.
    GridLegend(int perLine, int lineSpacing, QWidget* parent);
    // The next entry: the picture (named pictureName where given) and its text label named textName.
    QLabel* add(int picture, const QString& textName, const QString& pictureName = QString());
    // Shows or hides an entry, picture and text.
    void setEntryVisible(int entry, bool visible);
    // The line under the entries that counts the grid's cells by state ("Switches on 4, off 7").
    void setSummary(const QString& text);
    QString summary() const;
    // The entries' texts, in their order, in the current language.
    void setTexts(const Workspace& ws, std::initializer_list<int> texts);

private:
    int perLine_;
    std::vector<std::pair<QLabel*, QLabel*>> entries_;
    QLabel* summary_ = nullptr;
};

} // namespace korvane
