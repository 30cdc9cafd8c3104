#include "ui/main/report_printing.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "model/text_codec.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

constexpr double kTwipsPerPoint = 20.0;

QString menuCaption(const QString& text) {
    QString t = text;
    t.remove(QLatin1Char('&'));
    while (t.endsWith(QLatin1Char('.')) || t.endsWith(QChar(0x2026)))
        t.chop(1);
    return t.trimmed();
}

QPageSize pdfPageSize() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                              : QPageSize(QPageSize::A4);
}

DeviceClock now() {
    const QDateTime t = QDateTime::currentDateTime();
    return DeviceClock{t.date().year(),   t.date().month(),  t.date().day(),      t.time().hour(),
                       t.time().minute(), t.time().second(), t.date().dayOfWeek()};
}

} // namespace

QString SystemPrinters::defaultPrinter() {
    // Qt turns a printer without any installed printer into a PDF printer with no file and reports
    // success: ask for the installed printers first.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return {};
    QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty())
        name = QPrinterInfo::availablePrinterNames().first();
    return name;
}

QPointF PrinterOrigin(const QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::Point);
    const QRectF page = printer.pageRect(QPrinter::Point);
    const QPointF centred = CentredOrigin(QPageSize(paper.size(), QPageSize::Point));
    const QPointF offset = (page.topLeft() - paper.topLeft()) * kTwipsPerPoint;
    return {std::max(0.0, centred.x() - offset.x()), std::max(0.0, centred.y() - offset.y())};
}

OutputOutcome SystemPrinters::print(const QString& name, const ReportInput& in, const std::vector<ReportKind>& kinds,
                                    const QString& title) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    QPrinter printer(info, QPrinter::HighResolution);
    OutputOutcome out;
    if (info.isNull() || !printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat) {
        out.outcome = ReportOutcome::Failed;
        out.reason = QStringLiteral("the printer is not available");
        return out;
    }
    printer.setDocName(title);
    printer.setPageOrientation(QPageLayout::Portrait);
    return DrawReports(printer, in, kinds, PrinterOrigin(printer));
}

void SystemPrinters::preview(QWidget* parent, const ReportInput& in, const std::vector<ReportKind>& kinds,
                             const QString& title) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageOrientation(QPageLayout::Portrait);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* p) { DrawReports(*p, in, kinds, PrinterOrigin(*p)); });
    dialog.exec();
}

ReportPrinting::ReportPrinting(AppContext& ctx, QWidget* parent)
    : ctx_(ctx), parent_(parent), access_(std::make_unique<SystemPrinters>()) {}

ReportInput ReportPrinting::input() const {
    const Workspace& ws = ctx_.ws;
    return ReportInput{ws.cfg, [&ws](int n) { return ToCp1252(ws.text(n)); }, ToCp1252(ws.CurFileName), now()};
}

QString ReportPrinting::documentTitle(const std::vector<ReportKind>& kinds) const {
    const Workspace& ws = ctx_.ws;
    if (kinds.size() == 1)
        return QStringLiteral("ZEB1 ") + ws.text(FindReport(kinds.front()).titleText) + QStringLiteral(" - ") +
               ws.CurFileName;
    return QStringLiteral("ZEB1 ") + ws.CurFileName;
}

std::vector<ReportKind> ReportPrinting::withContent(const std::vector<ReportKind>& kinds) {
    std::vector<ReportKind> out;
    for (ReportKind k : kinds)
        if (FindReport(k).hasContent(ctx_.ws.cfg))
            out.push_back(k);
    if (out.empty())
        ctx_.dialogs.message(parent_, ctx_.ws.text(kTxtNothingToPrint));
    return out;
}

void ReportPrinting::print(ReportKind kind) {
    const std::vector<ReportKind> kinds = withContent({kind});
    if (kinds.empty())
        return;
    Workspace& ws = ctx_.ws;
    const QString printer = access_->defaultPrinter();
    if (printer.isEmpty()) {
        if (ctx_.dialogs.ask(parent_, ws.text(kTxtNoPrinter), QString(), Buttons::YesNo, MessageIcon::Exclamation) ==
            Answer::Yes)
            saveAsPdf(kinds);
        return;
    }
    const OutputOutcome o = access_->print(printer, input(), kinds, documentTitle(kinds));
    if (o.ok())
        ctx_.dialogs.message(parent_, ws.text(kTxtSentToPrinter).arg(printer), QString(), MessageIcon::Information);
    else
        ctx_.dialogs.message(parent_, ws.text(kTxtPrintFailed).arg(printer), QString(), MessageIcon::Exclamation);
}

void ReportPrinting::preview(const std::vector<ReportKind>& kinds) {
    const std::vector<ReportKind> todo = withContent(kinds);
    if (!todo.empty())
        access_->preview(parent_, input(), todo, documentTitle(todo));
}

void ReportPrinting::saveAsPdf(const std::vector<ReportKind>& kinds) {
    const std::vector<ReportKind> todo = withContent(kinds);
    if (todo.empty())
        return;
    Workspace& ws = ctx_.ws;
    // Beside the configuration file, named after it (and the report).
    QString base = QFileInfo(ws.CurFileName).completeBaseName();
    if (todo.size() == 1)
        base += QStringLiteral(" - ") + ws.text(FindReport(todo.front()).titleText);
    const QString folder = ws.DataFileLoc.isEmpty() ? QString() : QFileInfo(ws.DataFileLoc).absolutePath();
    const QString initial =
        folder.isEmpty() ? base + QStringLiteral(".pdf") : folder + QLatin1Char('/') + base + QStringLiteral(".pdf");
    const QString filter = ws.text(kTxtPdfFiles) + QStringLiteral(" (*.pdf)|*.pdf");
    const std::optional<FileChoice> choice =
        ctx_.dialogs.saveFile(parent_, menuCaption(ws.text(kTxtSaveAsPdf)), filter, initial);
    if (!choice)
        return;
    const OutputOutcome o = WriteReportsPdf(choice->path, input(), todo, pdfPageSize(), documentTitle(todo));
    if (!o.ok())
        ctx_.dialogs.message(
            parent_, ws.text(kTxtSaveFailed) + QStringLiteral("\n\n") + choice->path + QStringLiteral(": ") + o.reason,
            QString(), MessageIcon::Exclamation);
}

} // namespace korvane
