#include "reports/qt/report_output.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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
                          QPointF originTwips) {
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
    PrintJob job(surface);
    out.outcome = PrintReports(job, in, todo);
    out.pages = job.pages();
    const bool ended = painter.end();
    if (out.outcome == ReportOutcome::Failed) {
        out.reason = QStringLiteral("the printing device refused page %1").arg(job.pages() + 1);
    } else if (!ended) {
        out.outcome = ReportOutcome::Failed;
        out.reason = QStringLiteral("the printing device could not finish the document");
    }
    return out;
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
