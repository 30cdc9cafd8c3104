#pragma once
// One cell of the channel matrix (Image1_n): the icon of the channel's type, a border while it is
// the current channel, and the tooltip of ImgTxt. A cell that has the room also shows the channel's
// description and its logic mark ("!!") beside or under the icon, as plain text.

#include <QStringList>
#include <QWidget>

namespace korvane {

class ChannelCell : public QWidget {
    Q_OBJECT
public:
    ChannelCell(int index, QWidget* parent = nullptr);
    int index() const { return index_; }
    // The icon of the type, or its alternative picture.
    void setPicture(int type, bool alternative);
    int pictureType() const { return type_; }
    bool pictureAlternative() const { return alternative_; }
    void setBordered(bool bordered);
    bool bordered() const { return bordered_; }
    // Part of the range selected for copying (Shift+arrows, Shift+click): a tinted background.
    void setSelected(bool selected);
    bool selected() const { return selected_; }
    // Marked as a match of Find: drawn on the highlight colour.
    void setMarked(bool marked);
    bool marked() const { return marked_; }
    // The channel's description and whether a logic block drives it, for the cell's own text.
    void setLabel(const QString& description, bool logicMark);
    // Whether the cell shows the description at all (View > Descriptions in cells).
    void setTextShown(bool shown);
    QSize sizeHint() const override;
    // The problems of the channel: a small mark in the cell's corner in the colour of the worst
    // severity (0 cut, 1 will not work, 2 note; -1 none), and the lines under the tooltip.
    void setProblems(int worstSeverity, const QStringList& lines);
    int problemSeverity() const { return problemSeverity_; }
    // The tooltip as it shows: the channel, then its problems.
    QString fullToolTip() const;

    // Where the icon is drawn, in the cell's coordinates.
    QRectF iconRect() const { return arrange().icon; }
    // The lines of text the cell shows at its present size (empty: the icon alone).
    QStringList shownLines() const { return arrange().lines; }
    // The font of that text (it grows with the cell).
    QFont textFont() const { return arrange().font; }

signals:
    void pressed(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    void clicked(int index);
    // The left button went down on this cell and came up over cell `to` (a channel dragged there).
    void dropped(int from, int to);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Arrangement {
        QRectF icon;
        QRectF text;
        QStringList lines;
        QFont font;
    };
    // The icon and the text at the cell's present size and font.
    Arrangement arrange() const;

    int index_;
    int type_ = 1;
    bool alternative_ = false;
    bool bordered_ = false;
    bool selected_ = false;
    bool marked_ = false;
    bool leftDown_ = false;
    bool textShown_ = true;
    bool logicMark_ = false;
    QString description_;
    int problemSeverity_ = -1;
    QStringList problemLines_;
};

} // namespace korvane
