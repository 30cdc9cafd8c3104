#pragma once
// The print surface on a QPainter: twips become device units of the paint device (a printer, a PDF
// file, an image). Positions stay fractional; texts are measured on the device itself, never at the
// screen's resolution, and placed by their top (baseline = top + ascent).

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <map>
#include <utility>

#include "reports/print_surface.h"

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

namespace korvane {

class PainterSurface : public PrintSurface {
public:
    // `painter` is active on `device`. Twip (0, 0) lies at `originTwips` from the device's origin.
    // `pages` turns the pages; without it newPage() fails.
    PainterSurface(QPainter& painter, QPaintDevice& device, QPagedPaintDevice* pages = nullptr,
                   QPointF originTwips = {});

    double textWidth(std::string_view text, TextStyle style) override;
    double textHeight(TextStyle style) override;
    double textAscent(TextStyle style) override;
    void text(double x, double top, TextStyle style, std::string_view text) override;
    void picture(double x, double y, double size, int number) override;
    void fillRect(double x1, double y1, double x2, double y2) override;
    bool newPage() override;

    // The font a style prints in: "Arial" (Liberation Sans where Arial is not installed).
    static QFont fontFor(TextStyle style);
    // Device units per twip.
    double scaleX() const { return sx_; }
    double scaleY() const { return sy_; }

private:
    const QFontMetricsF& metrics(TextStyle style);
    QPointF toDevice(double x, double y) const;

    QPainter& painter_;
    QPaintDevice& device_;
    QPagedPaintDevice* pages_;
    QPointF origin_;
    double sx_;
    double sy_;
    std::map<std::pair<double, bool>, QFontMetricsF> metrics_;
};

} // namespace korvane
