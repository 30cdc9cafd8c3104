#include "reports/qt/report_output.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "io/atomic_file.h"
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

OutputOutcome DrawJob(QPagedPaintDevice& device, QPointF originTwips, const PageSelection& selection,
                      const std::function<ReportOutcome(PrintJob&)>& draw) {
    OutputOutcome out;
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
        out.outcome = draw(job);
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

OutputOutcome DrawReports(QPagedPaintDevice& device, const ReportInput& in, const std::vector<ReportKind>& kinds,
                          QPointF originTwips, const PageSelection& selection) {
    const std::vector<ReportKind> todo = withContent(in, kinds);
    if (todo.empty())
        return {};
    return DrawJob(device, originTwips, selection, [&](PrintJob& job) { return PrintReports(job, in, todo); });
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

OutputOutcome WritePdf(const QString& path, const QPageSize& size, const QString& title,
                       const std::function<OutputOutcome(QPdfWriter&)>& draw, const PdfFinish& finish) {
    // The whole document first, then the file, written as a configuration is saved: a regular file
    // replaced only whole and keeping its mode, owner and group; a FIFO or device written in place;
    // a write-protected file refused, whoever prints.
    QByteArray document;
    OutputOutcome out;
    {
        QBuffer buffer(&document);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageSize(size);
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("Korvane"));
        writer.setTitle(title);
        out = draw(writer);
    }
    if (!out.ok())
        return out;
    if (finish) {
        QString reason;
        if (!finish(document, reason)) {
            out.outcome = ReportOutcome::Failed;
            out.reason = reason;
            return out;
        }
    }
    const WriteOutcome w =
        WriteFileAtomically(QFile::encodeName(path).toStdString(),
                            std::string_view(document.constData(), static_cast<std::size_t>(document.size())));
    if (!w.ok) {
        out.outcome = ReportOutcome::Failed;
        out.reason = QString::fromLocal8Bit(w.reason.c_str());
    }
    return out;
}

OutputOutcome WriteReportsPdf(const QString& path, const ReportInput& in, const std::vector<ReportKind>& kinds,
                              const QPageSize& size, const QString& title) {
    if (withContent(in, kinds).empty())
        return {};
    return WritePdf(path, size, title,
                    [&](QPdfWriter& writer) { return DrawReports(writer, in, kinds, CentredOrigin(size)); });
}

} // namespace korvane
