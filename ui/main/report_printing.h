#pragma once
// The Print menu's work: a report to a printer chosen in the system's print dialog, the preview, and a
// report as a PDF file. Where no printer is installed the user is offered a PDF file instead.

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/context.h"
#include "reports/labels.h"
#include "reports/qt/report_output.h"
#include "reports/site_book.h"

class QPrinter;
class QWidget;

namespace korvane {

// What became of a print: printed (the printing system took every page), cancelled in the print
// dialog, or failed; on the printer the user chose.
struct PrintResult {
    OutputOutcome output;
    bool cancelled = false;
    QString printer;
};

// The printing system and the desktop as the window sees them; tests put a fake in their place.
class PrinterAccess {
public:
    virtual ~PrinterAccess() = default;
    // The name of the default printer; empty when no printer is installed.
    virtual QString defaultPrinter() = 0;
    // Asks with the system's print dialog (printer, copies, pages), the named printer chosen, then prints.
    virtual PrintResult print(QWidget* parent, const QString& printer, const ReportInput& in,
                              const std::vector<ReportKind>& kinds, const QString& title) = 0;
    // The preview window of the reports, from which they can be printed as well.
    virtual void preview(QWidget* parent, const ReportInput& in, const std::vector<ReportKind>& kinds,
                         const QString& title) = 0;
    // Shows a file in the desktop's program for it; false when there is none.
    virtual bool openFile(const QString& path) = 0;
};

// The installed printers through Qt's printing support.
class SystemPrinters : public PrinterAccess {
public:
    QString defaultPrinter() override;
    PrintResult print(QWidget* parent, const QString& printer, const ReportInput& in,
                      const std::vector<ReportKind>& kinds, const QString& title) override;
    void preview(QWidget* parent, const ReportInput& in, const std::vector<ReportKind>& kinds,
                 const QString& title) override;
    bool openFile(const QString& path) override;
};

// Where the report's twip (0, 0) lies on a printer's printable area: the frame centred on the paper,
// but never outside what the printer can print.
QPointF PrinterOrigin(const QPrinter& printer);
// The pages and copies the user chose in the printer's print dialog.
PageSelection SelectionOf(const QPrinter& printer);

class ReportPrinting {
public:
    ReportPrinting(AppContext& ctx, QWidget* parent);
    void setPrinterAccess(std::unique_ptr<PrinterAccess> access) { access_ = std::move(access); }

    // A report of the Print menu: the print dialog on the default printer, then the printer chosen.
    void print(ReportKind kind);
    // Channels in use only: leave out unused channels and empty logic blocks (remembered).
    bool inUseOnly() const { return inUseOnly_; }
    void setInUseOnly(bool on);
    // The preview of the reports that have something to print.
    void preview(const std::vector<ReportKind>& kinds);
    // The reports that have something to print as one PDF file, at a place the user chooses.
    void saveAsPdf(const std::vector<ReportKind>& kinds);
    // Print > Labels: the sheet (the last one chosen first), then the labels as a PDF file of the sheet's
    // paper at a place the user chooses.
    void labels();
    // Print > Site book: the installer and company (asked once), then the book as one PDF file with its
    // outline at a place the user chooses.
    void siteBook();
    // Asks for the label sheet; nothing when cancelled. Tests answer in place of the dialog.
    std::function<std::optional<LabelSheet>(const LabelSheet& current)> chooseSheet;
    // What the site book's cover says beyond the configuration.
    BookCover cover() const;
    // The record of a check of the unit alone, as a PDF file at a place the user chooses; the dialogs
    // over `over` (the transfer window).
    void saveRecord(const Workspace::CheckRecord& check, QWidget* over);

private:
    ReportInput input() const;
    QString documentTitle(const std::vector<ReportKind>& kinds) const;
    // The kinds that have something to print; tells the user when there are none.
    std::vector<ReportKind> withContent(const std::vector<ReportKind>& kinds);
    // The save dialog (over `over`) for a PDF file named after the configuration and `what` (none: the
    // configuration's name alone), then the file written by `write`; says where it went and offers to
    // open it, or says why it could not be written.
    void savePdf(QWidget* over, const QString& what, const std::function<OutputOutcome(const QString& path)>& write);

    AppContext& ctx_;
    QWidget* parent_;
    std::unique_ptr<PrinterAccess> access_;
    bool inUseOnly_ = true;
};

} // namespace korvane
