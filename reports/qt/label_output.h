#pragma once
// The label sheet onto a paged device or into a PDF file of the sheet's paper.

#include <QPageSize>
#include <QString>

#include "reports/labels.h"
#include "reports/qt/report_output.h"

namespace korvane {

// The paper of a sheet.
QPageSize LabelPaper(const LabelSheet& sheet);

// The labels on a device whose page is the whole paper; `originTwips` is where the paper's corner lies
// from the device's origin (0 for a PDF writer, minus the printable area's offset on a printer).
OutputOutcome DrawLabels(QPagedPaintDevice& device, const ReportInput& in, const LabelSheet& sheet,
                         QPointF originTwips = {}, const PageSelection& selection = {});

// The labels as a PDF file of the sheet's paper, written as every report file is.
OutputOutcome WriteLabelsPdf(const QString& path, const ReportInput& in, const LabelSheet& sheet,
                             const QString& title = QString());

} // namespace korvane
