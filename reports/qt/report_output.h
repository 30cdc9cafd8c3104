#pragma once
// Reports onto a paged device: a printer handed in by the window, or a PDF file written as every
// file of the program is saved, so that an earlier file survives any failure.

#include <QPageSize>
#include <QPointF>
#include <QString>
#include <functional>
#include <vector>

#include "reports/report_catalogue.h"

class QPagedPaintDevice;

namespace korvane {

struct OutputOutcome {
    ReportOutcome outcome = ReportOutcome::NothingToPrint;
    QString reason; // why it failed, in plain words
    int pages = 0;
    bool ok() const { return outcome == ReportOutcome::Printed; }
};

// Which pages of a document are printed, and how often.
struct PageSelection {
    std::function<bool(int)> pages; // page n (from 1) is printed; empty: every page
    int copies = 1;                 // the whole selection this often, one after the other
};

// Draws the reports that have something to print on the device; the painter is begun and ended here.
// Nothing to print begins nothing. `originTwips` is where the report's twip (0, 0) lies on the device.
OutputOutcome DrawReports(QPagedPaintDevice& device, const ReportInput& in, const std::vector<ReportKind>& kinds,
                          QPointF originTwips = {}, const PageSelection& selection = {});

// The pages the reports take, measured with the text metrics of a device of the resolution (dots per
// inch); 0 when nothing has something to print.
int CountPages(const ReportInput& in, const std::vector<ReportKind>& kinds, int resolution);

// Where the report's twip (0, 0) lies on a whole page of the size, so that the frame is centred on it.
QPointF CentredOrigin(const QPageSize& size);

// Writes the reports as a PDF file. The file is replaced only when the whole document was written,
// keeping its mode, owner and group; a FIFO or device is written in place, a write-protected file is
// refused; nothing to print touches no file.
OutputOutcome WriteReportsPdf(const QString& path, const ReportInput& in, const std::vector<ReportKind>& kinds,
                              const QPageSize& size = QPageSize(QPageSize::A4), const QString& title = QString());

} // namespace korvane
