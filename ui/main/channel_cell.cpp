#include "ui/main/channel_cell.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/main/cell_pictures.h"

namespace korvane {

ChannelCell::ChannelCell(int index, QWidget* parent) : QWidget(parent), index_(index) {
    setObjectName(QStringLiteral("Image1_%1").arg(index));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ChannelCell::setPicture(int type, bool alternative) {
    if (type_ == type && alternative_ == alternative)
        return;
    type_ = type;
    alternative_ = alternative;
    update();
}

void ChannelCell::setBordered(bool bordered) {
    if (bordered_ == bordered)
        return;
    bordered_ = bordered;
    update();
}

QSize ChannelCell::sizeHint() const {
    return {32, 24};
}

void ChannelCell::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPixmap picture = CellPicture(type_, alternative_, size(), devicePixelRatioF());
    const QSizeF logical = picture.deviceIndependentSize();
    p.drawPixmap(QPointF((width() - logical.width()) / 2.0, (height() - logical.height()) / 2.0), picture);
    if (bordered_) {
        QPen pen(palette().color(QPalette::WindowText));
        pen.setWidth(2);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void ChannelCell::mousePressEvent(QMouseEvent* event) {
    // A press with Shift, Ctrl or Alt is answered with a message and never becomes a click.
    const bool modified = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    leftDown_ = event->button() == Qt::LeftButton && !modified;
    emit pressed(index_, event->button(), event->modifiers(), event->globalPosition().toPoint());
}

void ChannelCell::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a left press and release on the same cell.
    const bool click = leftDown_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    leftDown_ = false;
    if (click)
        emit clicked(index_);
}

} // namespace korvane
