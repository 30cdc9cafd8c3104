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
    // Marked as a match of Find: drawn on the highlight colour.
    void setMarked(bool marked);
    bool marked() const { return marked_; }
    // The channel's description and whether a logic block drives it, for the cell's own text.
    void setLabel(const QString& description, bool logicMark);
    // Whether the cell shows the description at all (View > Descriptions in cells).
    void setTextShown(bool shown);
    QSize sizeHint() const override;

    // Where the icon is drawn, in the cell's coordinates.
    QRectF iconRect() const { return arrange().icon; }
    // The lines of text the cell shows at its present size (empty: the icon alone).
    QStringList shownLines() const { return arrange().lines; }
    // The font of that text (it grows with the cell).
    QFont textFont() const { return arrange().font; }

signals:
    void pressed(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    void clicked(int index);

protected:
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
    bool marked_ = false;
    bool leftDown_ = false;
    bool textShown_ = true;
    bool logicMark_ = false;
    QString description_;
};

} // namespace korvane
