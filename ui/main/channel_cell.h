#pragma once
// One cell of the channel matrix (Image1_n): the icon of the channel's type, a border while it is
// the current channel, and the tooltip of ImgTxt.

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
    QSize sizeHint() const override;

signals:
    void pressed(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int index_;
    int type_ = 1;
    bool alternative_ = false;
    bool bordered_ = false;
    bool leftDown_ = false;
};

} // namespace korvane
