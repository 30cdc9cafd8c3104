#pragma once
// Reports onto a paged device: a printer handed in by the window, or a PDF file written as every
// file of the program is saved, so that an earlier file survives any failure.

#include <QByteArray>
#include <QPageSize>
#include <QPointF>
#include <QString>
#include <functional>
#include <vector>

#include "reports/report_catalogue.h"

class QPagedPaintDevice;
class QPdfWriter;

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

// Draws a print job on the device; the painter is begun and ended here.
OutputOutcome DrawJob(QPagedPaintDevice& device, QPointF originTwips, const PageSelection& selection,
                      const std::function<ReportOutcome(PrintJob&)>& draw);

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

// What is done to a whole PDF document before it is written (the outline added); false with the reason
// when it cannot be done.
using PdfFinish = std::function<bool(QByteArray& document, QString& reason)>;

// Writes a PDF file of the page size drawn by `draw` (margins 0, twip (0, 0) at the paper's corner unless
// the drawing says otherwise), as WriteReportsPdf writes its file.
OutputOutcome WritePdf(const QString& path, const QPageSize& size, const QString& title,
                       const std::function<OutputOutcome(QPdfWriter&)>& draw, const PdfFinish& finish = {});

} // namespace korvane
