#pragma once
// The cells of an editor grid (master targets, flash pattern, exchange mask, roller-master pairs)
// beside their group letters and under their column captions. The cells are squares that grow with
// the room the grid is given; the letters and captions are drawn in a font that follows them.

#include <QStringList>
#include <QWidget>
#include <vector>

class QLabel;

namespace korvane {

class CellGrid : public QWidget {
    Q_OBJECT
public:
    // columns cells to a group; one caption per column.
    CellGrid(int columns, const QStringList& columnCaptions, QWidget* parent = nullptr);
    // Adds the next cell, group by group; the first cell of a group brings the group's letter.
    void addCell(QWidget* cell);
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
    struct Measure {
        int side;
        int letterWidth;
        int captionHeight;
        int fontPx;
    };
    Measure measure(QSize room) const;
    void place();
    int groups() const;

    int columns_;
    bool widthFollowsHeight_ = false;
    std::vector<QWidget*> cells_;
    std::vector<QLabel*> letters_;
    std::vector<QLabel*> captions_;
    int side_ = 0;
};

} // namespace korvane
