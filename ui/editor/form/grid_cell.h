#pragma once
// What every grid of the editor is made of: the cells (a grid-state picture, plain or with the cursor
// mark) and the hidden field that holds the grid's keyboard focus.

#include <QWidget>
#include <functional>

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

namespace korvane {

// One cell of a grid (I_Master_n, IRm_n): a grid-state picture, plain or with the cursor mark.
class MasterCell : public QWidget {
    Q_OBJECT
public:
    MasterCell(int index, const QString& name, QWidget* parent);
    void setPicture(int picture, bool cursor);
    // The text under the picture (the description of the cell's channel), shown elided where the cell
    // is large enough for it.
    void setLabel(const QString& label);
    // The text the cell shows at its present size: empty when it is too small for a line under the picture.
    QString shownLabel() const;
    int picture() const { return picture_; }
    bool cursor() const { return cursor_; }
    QSize sizeHint() const override { return {18, 16}; }

signals:
    void clicked(int index);
    void rightPressed(int index, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The font of the label at the present size, and whether there is room for it.
    QFont labelFont() const;
    bool labelFits() const;

    int index_;
    QString label_;
    int picture_ = -1;
    bool cursor_ = false;
};

// The hidden field that holds a grid's keyboard focus: it takes no room but can have the focus, and
// hands each key on as its virtual key code.
class GridKeys : public QWidget {
public:
    explicit GridKeys(QWidget* parent);
    std::function<void(int)> onKey;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace korvane
