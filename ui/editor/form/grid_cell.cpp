#include "ui/editor/form/grid_cell.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "pictures/icon_factory.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

namespace {
constexpr int kLabelMinSide = 40; // a cell narrower than this shows its picture alone
constexpr int kLabelMinPx = 9;
} // namespace

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

void MasterCell::setLabel(const QString& label) {
    QString flat = label.simplified();
    if (label_ == flat)
        return;
    label_ = flat;
    update();
}

QFont MasterCell::labelFont() const {
    QFont f = font();
    // A fifth of the cell's height, at least the smallest readable size, at most half again the window's.
    f.setPixelSize(std::clamp(height() / 5, kLabelMinPx, std::max(kLabelMinPx, QFontInfo(font()).pixelSize() * 3 / 2)));
    return f;
}

bool MasterCell::labelFits() const {
    // A picture of at least half the cell above one line of at least three characters.
    const QFontMetrics fm(labelFont());
    return !label_.isEmpty() && width() >= kLabelMinSide && height() - fm.height() >= height() / 2 &&
           width() >= 3 * fm.averageCharWidth();
}

QString MasterCell::shownLabel() const {
    if (!labelFits())
        return QString();
    return QFontMetrics(labelFont()).elidedText(label_, Qt::ElideRight, width() - 2);
}

void MasterCell::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QString label = shownLabel();
    const int lineHeight = label.isEmpty() ? 0 : QFontMetrics(labelFont()).height();
    const qreal side = std::min(width(), height() - lineHeight);
    const QRectF square((width() - side) / 2.0, (height() - lineHeight - side) / 2.0, side, side);
    IconFactory::paint(p, square, picture_, cursor_ ? IconFactory::Variant::Cursor : IconFactory::Variant::Normal);
    if (!label.isEmpty()) {
        // Plain text, never markup, cut with an ellipsis and never in the middle of a letter.
        p.setFont(labelFont());
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(1, height() - lineHeight, width() - 2, lineHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                   label);
    }
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
