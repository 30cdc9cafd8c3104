#include "ui/main/channel_cell.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>
#include <cmath>

#include "pictures/icon_factory.h"

namespace korvane {

namespace {

constexpr qreal kAir = 3;          // between the cell's edge and its icon: room for the border
constexpr qreal kIconAspect = 1.5; // the widest an icon tile is drawn, width to height
constexpr qreal kGap = 4;          // between the icon and the text
constexpr int kMinChars = 6;       // text is shown only where a line holds at least this many characters

// The description on the lines of a box of the given width: word-wrapped at word boundaries; a line
// that still does not fit (a word longer than the line) and the last line end in "…", never in half
// a letter.
QStringList wrapped(const QString& text, const QFont& font, qreal width, int maxLines) {
    QStringList lines;
    if (text.isEmpty() || maxLines <= 0)
        return lines;
    const QFontMetricsF fm(font);
    QTextLayout layout(text, font);
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (lines.size() + 1 == maxLines) {
            lines << fm.elidedText(text.mid(line.textStart()), Qt::ElideRight, width);
            break;
        }
        lines << fm.elidedText(text.mid(line.textStart(), line.textLength()).trimmed(), Qt::ElideRight, width);
    }
    layout.endLayout();
    return lines;
}

} // namespace

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

void ChannelCell::setMarked(bool marked) {
    if (marked_ == marked)
        return;
    marked_ = marked;
    update();
}

void ChannelCell::setLabel(const QString& description, bool logicMark) {
    // The cell holds one paragraph: the line breaks of a description become spaces.
    QString flat = description;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (description_ == flat && logicMark_ == logicMark)
        return;
    description_ = flat;
    logicMark_ = logicMark;
    update();
}

void ChannelCell::setTextShown(bool shown) {
    if (textShown_ == shown)
        return;
    textShown_ = shown;
    update();
}

QSize ChannelCell::sizeHint() const {
    return {32, 24};
}

ChannelCell::Arrangement ChannelCell::arrange() const {
    Arrangement a;
    const QRectF inner = QRectF(rect()).adjusted(kAir, kAir, -kAir, -kAir);
    // The icon alone: as large as the cell allows, never stretched beyond a tile's shape.
    auto iconIn = [](const QRectF& box) {
        const qreal w = std::max<qreal>(1, std::min(box.width(), box.height() * kIconAspect));
        const qreal h = std::max<qreal>(1, std::min(box.height(), w));
        return QRectF(box.x() + (box.width() - w) / 2, box.y() + (box.height() - h) / 2, w, h);
    };
    a.icon = iconIn(inner);

    const QString text = (logicMark_ ? QStringLiteral("!! ") : QString()) + description_;
    if (!textShown_ || text.trimmed().isEmpty() || inner.isEmpty())
        return a;
    // The text grows with the cell: a little more than a third of its height, at least the window's font.
    a.font = font();
    const qreal basePx = QFontInfo(a.font).pixelSize();
    a.font.setPixelSize(static_cast<int>(std::clamp<qreal>(std::floor(height() / 3.4), basePx, basePx * 1.6)));
    const QFontMetricsF fm(a.font);
    const qreal enough = fm.averageCharWidth() * kMinChars;
    const qreal line = fm.lineSpacing();
    const qreal minIcon = 14;

    if (inner.width() >= 2 * inner.height()) {
        // Beside the icon: the icon keeps the cell's height, the text takes the rest of the width.
        const qreal iconH = inner.height();
        const qreal iconW = std::min(iconH * 1.25, inner.width() / 3);
        const QRectF textBox(inner.x() + iconW + kGap, inner.y(), inner.width() - iconW - kGap, inner.height());
        const int lines = static_cast<int>(textBox.height() / line);
        if (textBox.width() < enough || lines < 1 || iconW < minIcon)
            return a;
        a.icon =
            QRectF(inner.x(), inner.y() + (inner.height() - std::min(iconH, iconW)) / 2, iconW, std::min(iconH, iconW));
        a.lines = wrapped(text, a.font, textBox.width(), lines);
        // The lines stand in the middle of the cell's height, as the icon does.
        const qreal block = static_cast<qreal>(a.lines.size()) * line;
        a.text = QRectF(textBox.x(), textBox.y() + (textBox.height() - block) / 2, textBox.width(), block);
    } else {
        // Under the icon: one or two lines at the bottom, the icon above them.
        if (inner.width() < enough || inner.height() - line < minIcon)
            return a;
        const int lines = inner.height() - 2 * line >= std::max(minIcon, inner.height() / 2) ? 2 : 1;
        const QRectF textBox(inner.x(), inner.bottom() - lines * line, inner.width(), lines * line);
        a.icon = iconIn(QRectF(inner.x(), inner.y(), inner.width(), inner.height() - lines * line - 1));
        a.text = textBox;
        a.lines = wrapped(text, a.font, textBox.width(), lines);
    }
    return a;
}

void ChannelCell::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (marked_)
        p.fillRect(rect(), palette().color(QPalette::Highlight).lighter(150));
    const Arrangement a = arrange();
    if (selected_) {
        QColor tint = palette().color(QPalette::Highlight);
        tint.setAlpha(90);
        p.fillRect(rect(), tint);
    }
    // Drawn as vectors straight onto the device: sharp at every screen scale.
    const int picture = alternative_ ? IconFactory::kImage3Base + type_ : type_;
    IconFactory::paint(p, a.icon, picture);
    if (!a.lines.isEmpty()) {
        // Plain text, never markup: a description is shown exactly as it was typed.
        p.setFont(a.font);
        p.setPen(palette().color(QPalette::WindowText));
        const QFontMetricsF fm(a.font);
        qreal y = a.text.y();
        for (const QString& l : a.lines) {
            p.drawText(QRectF(a.text.x(), y, a.text.width(), fm.lineSpacing()), Qt::AlignLeft | Qt::AlignVCenter, l);
            y += fm.lineSpacing();
        }
    }
    if (problemSeverity_ >= 0) {
        // A small corner mark: red where the unit cuts or loses something, orange where something
        // cannot work, blue for a note.
        const qreal side = std::max<qreal>(6.0, std::min(width(), height()) / 5.0);
        const QColor colour = problemSeverity_ == 0   ? QColor(0xD0, 0x00, 0x00)
                              : problemSeverity_ == 1 ? QColor(0xF0, 0x90, 0x00)
                                                      : QColor(0x20, 0x60, 0xD0);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        const QPointF corner(width(), 0);
        p.drawPolygon(QPolygonF({corner, corner - QPointF(side, 0), corner + QPointF(0, side)}));
    }
    if (bordered_) {
        QPen pen(palette().color(QPalette::WindowText));
        pen.setWidth(2);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void ChannelCell::setProblems(int worstSeverity, const QStringList& lines) {
    if (problemSeverity_ == worstSeverity && problemLines_ == lines)
        return;
    problemSeverity_ = worstSeverity;
    problemLines_ = lines;
    update();
}

QString ChannelCell::fullToolTip() const {
    if (problemLines_.isEmpty())
        return toolTip();
    return toolTip() + QLatin1Char('\n') + problemLines_.join(QLatin1Char('\n'));
}

bool ChannelCell::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip && !problemLines_.isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), fullToolTip(), this);
        return true;
    }
    return QWidget::event(e);
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
    const bool drag = leftDown_ && event->button() == Qt::LeftButton && !click;
    leftDown_ = false;
    if (click)
        emit clicked(index_);
    if (drag)
        if (auto* over = qobject_cast<ChannelCell*>(QApplication::widgetAt(event->globalPosition().toPoint()));
            over && over != this && over->parent() == parent())
            emit dropped(index_, over->index());
}

void ChannelCell::setSelected(bool selected) {
    if (selected_ == selected)
        return;
    selected_ = selected;
    update();
}

} // namespace korvane
