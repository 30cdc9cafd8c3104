#include "ui/editor/form/grid_cell.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "pictures/icon_factory.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

MasterCell::MasterCell(int index, const QString& name, QWidget* parent) : QWidget(parent), index_(index) {
    setObjectName(name);
    setMinimumSize(12, 11);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MasterCell::setPicture(int picture, bool cursor) {
    if (picture_ == picture && cursor_ == cursor)
        return;
    picture_ = picture;
    cursor_ = cursor;
    update();
}

void MasterCell::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height());
    const QRectF square((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    IconFactory::paint(p, square, picture_, cursor_ ? IconFactory::Variant::Cursor : IconFactory::Variant::Normal);
}

void MasterCell::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked(index_);
    else if (event->button() == Qt::RightButton)
        emit rightPressed(index_, event->globalPosition().toPoint());
}

GridKeys::GridKeys(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(0, 0);
}

void GridKeys::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (onKey)
        onKey(virtualKey(*event));
    event->accept();
}

} // namespace korvane
