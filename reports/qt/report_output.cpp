#include "reports/qt/report_output.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "reports/print_engine.h"
#include "reports/qt/painter_surface.h"

namespace korvane {

namespace {

constexpr int kPdfResolution = 1200;
constexpr double kTwipsPerPoint = 20.0;

std::vector<ReportKind> withContent(const ReportInput& in, const std::vector<ReportKind>& kinds) {
    std::vector<ReportKind> out;
    for (ReportKind k : kinds)
        if (HasContent(k, in))
            out.push_back(k);
    return out;
}

} // namespace

OutputOutcome DrawReports(QPagedPaintDevice& device, const ReportInput& in, const std::vector<ReportKind>& kinds,
                          QPointF originTwips, const PageSelection& selection) {
    OutputOutcome out;
    const std::vector<ReportKind> todo = withContent(in, kinds);
    if (todo.empty())
        return out;
    QPainter painter;
    if (!painter.begin(&device)) {
        out.outcome = ReportOutcome::Failed;
        out.reason = QStringLiteral("the printing device could not be opened");
        return out;
    }
    PainterSurface surface(painter, device, &device, originTwips);
    const auto every = [](int) { return true; };
    for (int copy = 0; copy < std::max(1, selection.copies); ++copy) {
        // Each copy begins on a page of its own.
        if (copy > 0 && !surface.newPage()) {
            out.outcome = ReportOutcome::Failed;
            break;
        }
        PageRangeSurface range(surface, selection.pages ? selection.pages : std::function<bool(int)>(every));
        PrintJob job(range);
        out.outcome = PrintReports(job, in, todo);
        out.pages += range.pagesDrawn();
        if (out.outcome != ReportOutcome::Printed)
            break;
    }
    const bool ended = painter.end();
    if (out.outcome == ReportOutcome::Failed) {
        out.reason = QStringLiteral("the printing device refused page %1").arg(out.pages + 1);
    } else if (!ended) {
        out.outcome = ReportOutcome::Failed;
        out.reason = QStringLiteral("the printing device could not finish the document");
    }
    return out;
}

int CountPages(const ReportInput& in, const std::vector<ReportKind>& kinds, int resolution) {
    const std::vector<ReportKind> todo = withContent(in, kinds);
    if (todo.empty())
        return 0;
    // A dry run: the metrics of a device of the resolution, nothing drawn.
    constexpr double kInchesPerMeter = 39.37;
    QImage metricsDevice(1, 1, QImage::Format_Mono);
    metricsDevice.setDotsPerMeterX(static_cast<int>(resolution * kInchesPerMeter));
    metricsDevice.setDotsPerMeterY(static_cast<int>(resolution * kInchesPerMeter));
    QPainter painter(&metricsDevice);
    PainterSurface metrics(painter, metricsDevice);
    MeasuringSurface dry(metrics);
    PrintJob job(dry);
    PrintReports(job, in, todo);
    return job.pages();
}

QPointF CentredOrigin(const QPageSize& size) {
    const QSizeF points = size.size(QPageSize::Point);
    const double width = points.width() * kTwipsPerPoint;
    const double height = points.height() * kTwipsPerPoint;
    return {(width - page::kRuleLeft - page::kRightEdge) / 2, (height - page::kFrameBottom) / 2};
}

OutputOutcome WriteReportsPdf(const QString& path, const ReportInput& in, const std::vector<ReportKind>& kinds,
                              const QPageSize& size, const QString& title) {
    OutputOutcome out;
    if (withContent(in, kinds).empty())
        return out;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        out.outcome = ReportOutcome::Failed;
        out.reason = file.errorString();
        return out;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageSize(size);
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("Korvane"));
        writer.setTitle(title);
        out = DrawReports(writer, in, kinds, CentredOrigin(size));
    }
    if (!out.ok()) {
        file.cancelWriting();
        return out;
    }
    if (!file.commit()) {
        out.outcome = ReportOutcome::Failed;
        out.reason = file.errorString();
    }
    return out;
}

} // namespace korvane
