#pragma once
// The Print menu's work: a report straight to the system's default printer, the preview, and a report
// as a PDF file. Where no printer is installed the user is offered a PDF file instead.

#include <QString>
#include <memory>
#include <vector>

#include "app/context.h"
#include "reports/qt/report_output.h"

class QPrinter;
class QWidget;

namespace korvane {

// The printing system as the window sees it; tests put a fake in its place.
class PrinterAccess {
public:
    virtual ~PrinterAccess() = default;
    // The name of the default printer; empty when no printer is installed.
    virtual QString defaultPrinter() = 0;
    // Prints on the named printer. Printed means the printing system took every page.
    virtual OutputOutcome print(const QString& printer, const ReportInput& in, const std::vector<ReportKind>& kinds,
                                const QString& title) = 0;
    // The preview window of the reports, from which they can be printed as well.
    virtual void preview(QWidget* parent, const ReportInput& in, const std::vector<ReportKind>& kinds,
                         const QString& title) = 0;
};

// The installed printers through Qt's printing support.
class SystemPrinters : public PrinterAccess {
public:
    QString defaultPrinter() override;
    OutputOutcome print(const QString& printer, const ReportInput& in, const std::vector<ReportKind>& kinds,
                        const QString& title) override;
    void preview(QWidget* parent, const ReportInput& in, const std::vector<ReportKind>& kinds,
                 const QString& title) override;
};

// Where the report's twip (0, 0) lies on a printer's printable area: the frame centred on the paper,
// but never outside what the printer can print.
QPointF PrinterOrigin(const QPrinter& printer);

class ReportPrinting {
public:
    ReportPrinting(AppContext& ctx, QWidget* parent);
    void setPrinterAccess(std::unique_ptr<PrinterAccess> access) { access_ = std::move(access); }

    // A report of the Print menu on the default printer.
    void print(ReportKind kind);
    // The preview of the reports that have something to print.
    void preview(const std::vector<ReportKind>& kinds);
    // The reports that have something to print as one PDF file, at a place the user chooses.
    void saveAsPdf(const std::vector<ReportKind>& kinds);

private:
    ReportInput input() const;
    QString documentTitle(const std::vector<ReportKind>& kinds) const;
    // The kinds that have something to print; tells the user when there are none.
    std::vector<ReportKind> withContent(const std::vector<ReportKind>& kinds);

    AppContext& ctx_;
    QWidget* parent_;
    std::unique_ptr<PrinterAccess> access_;
};

} // namespace korvane
