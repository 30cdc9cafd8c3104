#include "reports/qt/painter_surface.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "model/text_codec.h"
#include "pictures/icon_factory.h"

namespace korvane {

namespace {

constexpr double kTwipsPerInch = 1440.0;

QString fromBytes(std::string_view text) {
    return QString::fromStdString(Cp1252ToUtf8(text));
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter, QPaintDevice& device, QPagedPaintDevice* pages, QPointF originTwips)
    : painter_(painter), device_(device), pages_(pages), origin_(originTwips),
      sx_(device.logicalDpiX() / kTwipsPerInch), sy_(device.logicalDpiY() / kTwipsPerInch) {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont PainterSurface::fontFor(TextStyle style) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(style.points);
    f.setBold(style.bold);
    // Outlines at their true widths: what is measured is what is printed, at any resolution.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

const QFontMetricsF& PainterSurface::metrics(TextStyle style) {
    const auto key = std::make_pair(style.points, style.bold);
    auto it = metrics_.find(key);
    if (it == metrics_.end())
        it = metrics_.emplace(key, QFontMetricsF(fontFor(style), &device_)).first;
    return it->second;
}

QPointF PainterSurface::toDevice(double x, double y) const {
    return {(x + origin_.x()) * sx_, (y + origin_.y()) * sy_};
}

double PainterSurface::textWidth(std::string_view text, TextStyle style) {
    return metrics(style).horizontalAdvance(fromBytes(text)) / sx_;
}

double PainterSurface::textHeight(TextStyle style) {
    const QFontMetricsF& m = metrics(style);
    return (m.ascent() + m.descent()) / sy_;
}

double PainterSurface::textAscent(TextStyle style) {
    return metrics(style).ascent() / sy_;
}

void PainterSurface::text(double x, double top, TextStyle style, std::string_view text) {
    const QFontMetricsF& m = metrics(style);
    painter_.setFont(fontFor(style));
    painter_.setPen(Qt::black);
    const QPointF at = toDevice(x, top);
    painter_.drawText(QPointF(at.x(), at.y() + m.ascent()), fromBytes(text));
}

void PainterSurface::picture(double x, double y, double size, int number) {
    const QPointF a = toDevice(x, y);
    const QPointF b = toDevice(x + size, y + size);
    IconFactory::paint(painter_, QRectF(a, b), number);
}

void PainterSurface::fillRect(double x1, double y1, double x2, double y2) {
    painter_.fillRect(QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized(), Qt::black);
}

bool PainterSurface::newPage() {
    return pages_ != nullptr && pages_->newPage();
}

} // namespace korvane
