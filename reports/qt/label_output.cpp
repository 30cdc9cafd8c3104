#include "reports/qt/label_output.h"

#include <QPdfWriter>

namespace korvane {

QPageSize LabelPaper(const LabelSheet& sheet) {
    return QPageSize(QSizeF(sheet.paperWidth, sheet.paperHeight), QPageSize::Millimeter, QString(),
                     QPageSize::ExactMatch);
}

OutputOutcome DrawLabels(QPagedPaintDevice& device, const ReportInput& in, const LabelSheet& sheet, QPointF originTwips,
                         const PageSelection& selection) {
    if (LabelTexts(in).empty())
        return {};
    return DrawJob(device, originTwips, selection, [&](PrintJob& job) { return PrintLabels(job, in, sheet); });
}

OutputOutcome WriteLabelsPdf(const QString& path, const ReportInput& in, const LabelSheet& sheet,
                             const QString& title) {
    if (LabelTexts(in).empty())
        return {};
    return WritePdf(path, LabelPaper(sheet), title, [&](QPdfWriter& writer) { return DrawLabels(writer, in, sheet); });
}

} // namespace korvane
