#include "ui/main/report_printing.h"

#include "app/texts.h"
#include "reports/qt/book_output.h"
#include "reports/qt/label_output.h"
#include "ui/main/label_sheet_dialog.h"
#include "ui/transfer/difference_list.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>
#include <algorithm>

#include "model/text_codec.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

constexpr double kTwipsPerPoint = 20.0;
const QString kInUseSetting = QStringLiteral("PrintInUseOnly");
const QString kLabelSheetSetting = QStringLiteral("LabelSheet");
const QString kInstallerSetting = QStringLiteral("Installer");
const QString kCompanySetting = QStringLiteral("Company");
const QString kInstallerAskedSetting = QStringLiteral("InstallerAsked");

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

PageSelection SelectionOf(const QPrinter& printer) {
    PageSelection selection;
    if (printer.printRange() == QPrinter::PageRange && !printer.pageRanges().isEmpty()) {
        const QPageRanges ranges = printer.pageRanges();
        selection.pages = [ranges](int n) { return ranges.contains(n); };
    }
    // Where the printing system cannot make copies itself, the document holds them.
    if (!printer.supportsMultipleCopies())
        selection.copies = printer.copyCount();
    return selection;
}

QPointF PrinterOrigin(const QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::Point);
    const QRectF page = printer.pageRect(QPrinter::Point);
    const QPointF centred = CentredOrigin(QPageSize(paper.size(), QPageSize::Point));
    const QPointF offset = (page.topLeft() - paper.topLeft()) * kTwipsPerPoint;
    return {std::max(0.0, centred.x() - offset.x()), std::max(0.0, centred.y() - offset.y())};
}

PrintResult SystemPrinters::print(QWidget* parent, const QString& name, const ReportInput& in,
                                  const std::vector<ReportKind>& kinds, const QString& title) {
    QPrinter printer(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageOrientation(QPageLayout::Portrait);
    const int pages = std::max(1, CountPages(in, kinds, printer.resolution()));

    // Printer, copies and pages; a PDF file is Save as PDF's business.
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    dialog.setWindowTitle(title);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setMinMax(1, pages);
    PrintResult result;
    if (dialog.exec() != QDialog::Accepted) {
        result.cancelled = true;
        return result;
    }
    result.printer = printer.printerName();
    if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat) {
        result.output.outcome = ReportOutcome::Failed;
        result.output.reason = QStringLiteral("the printer is not available");
        return result;
    }
    result.output = DrawReports(printer, in, kinds, PrinterOrigin(printer), SelectionOf(printer));
    return result;
}

bool SystemPrinters::openFile(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
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
                     [&](QPrinter* p) { DrawReports(*p, in, kinds, PrinterOrigin(*p), SelectionOf(*p)); });
    dialog.exec();
}

ReportPrinting::ReportPrinting(AppContext& ctx, QWidget* parent)
    : ctx_(ctx), parent_(parent), access_(std::make_unique<SystemPrinters>()),
      // Channels in use only unless the user chose every channel.
      inUseOnly_(ctx.settings.value(kInUseSetting) != QLatin1String("0")) {}

void ReportPrinting::setInUseOnly(bool on) {
    inUseOnly_ = on;
    ctx_.settings.setValue(kInUseSetting, on ? QStringLiteral("1") : QStringLiteral("0"));
}

ReportInput ReportPrinting::input() const {
    const Workspace& ws = ctx_.ws;
    return ReportInput{ws.cfg, [&ws](int n) { return ToCp1252(ws.text(n)); }, ToCp1252(ws.documentName()), now(),
                       inUseOnly_};
}

QString ReportPrinting::documentTitle(const std::vector<ReportKind>& kinds) const {
    const Workspace& ws = ctx_.ws;
    if (kinds.size() == 1)
        return QStringLiteral("ZEB1 ") + ws.text(FindReport(kinds.front()).titleText) + QStringLiteral(" - ") +
               ws.documentName();
    return QStringLiteral("ZEB1 ") + ws.documentName();
}

std::vector<ReportKind> ReportPrinting::withContent(const std::vector<ReportKind>& kinds) {
    std::vector<ReportKind> out;
    const ReportInput in = input();
    for (ReportKind k : kinds)
        if (HasContent(k, in))
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
    const PrintResult r = access_->print(parent_, printer, input(), kinds, documentTitle(kinds));
    if (r.cancelled)
        return;
    const QString used = r.printer.isEmpty() ? printer : r.printer;
    if (r.output.ok())
        ctx_.dialogs.message(parent_, ws.text(kTxtSentToPrinter).arg(used), QString(), MessageIcon::Information);
    else
        ctx_.dialogs.message(parent_, ws.text(kTxtPrintFailed).arg(used), QString(), MessageIcon::Exclamation);
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
    savePdf(
        parent_, todo.size() == 1 ? ctx_.ws.text(FindReport(todo.front()).titleText) : QString(),
        [&](const QString& path) { return WriteReportsPdf(path, input(), todo, pdfPageSize(), documentTitle(todo)); });
}

void ReportPrinting::savePdf(QWidget* over, const QString& what,
                             const std::function<OutputOutcome(const QString& path)>& write) {
    const Workspace& ws = ctx_.ws;
    // Beside the configuration file, named after it (and what the file holds).
    QString base = QFileInfo(ws.documentName()).completeBaseName();
    if (!what.isEmpty())
        base += QStringLiteral(" - ") + what;
    const QString folder = ws.DataFileLoc.isEmpty() ? QString() : QFileInfo(ws.DataFileLoc).absolutePath();
    const QString initial =
        folder.isEmpty() ? base + QStringLiteral(".pdf") : folder + QLatin1Char('/') + base + QStringLiteral(".pdf");
    const QString filter = ws.text(kTxtPdfFiles) + QStringLiteral(" (*.pdf)|*.pdf");
    const std::optional<FileChoice> choice =
        ctx_.dialogs.saveFile(over, menuCaption(ws.text(kTxtSaveAsPdf)), filter, initial);
    if (!choice)
        return;
    const OutputOutcome o = write(choice->path);
    if (!o.ok()) {
        ctx_.dialogs.message(
            over, ws.text(kTxtSaveFailed) + QStringLiteral("\n\n") + choice->path + QStringLiteral(": ") + o.reason,
            QString(), MessageIcon::Exclamation);
        return;
    }
    // Where the file went, and the offer to open it.
    const QString shown = QDir::toNativeSeparators(choice->path);
    if (ctx_.dialogs.ask(over, ws.text(kTxtPdfSaved).arg(shown), QString(), Buttons::YesNo, MessageIcon::Information) ==
            Answer::Yes &&
        !access_->openFile(choice->path))
        ctx_.dialogs.message(over, ws.text(kTxtNoViewer).arg(shown), QString(), MessageIcon::Exclamation);
}

void ReportPrinting::labels() {
    Workspace& ws = ctx_.ws;
    ReportInput in = input();
    if (LabelTexts(in).empty()) {
        ctx_.dialogs.message(parent_, ws.text(kTxtNothingToPrint));
        return;
    }
    const LabelSheet remembered =
        ParseLabelSheet(ctx_.settings.value(kLabelSheetSetting).toStdString()).value_or(CommonLabelSheets().front());
    const std::optional<LabelSheet> sheet =
        chooseSheet ? chooseSheet(remembered) : LabelSheetDialog::ask(ctx_, remembered, parent_);
    if (!sheet)
        return;
    ctx_.settings.setValue(kLabelSheetSetting, QString::fromStdString(LabelSheetText(*sheet)));
    savePdf(parent_, menuCaption(ws.text(kTxtMenuLabels)), [&](const QString& path) {
        return WriteLabelsPdf(path, in, *sheet, QStringLiteral("ZEB1 ") + ws.documentName());
    });
}

BookCover ReportPrinting::cover() const {
    const Workspace& ws = ctx_.ws;
    BookCover c{
        ToCp1252(ctx_.settings.value(kInstallerSetting)), ToCp1252(ctx_.settings.value(kCompanySetting)), {}, {}};
    // The last write counts only while the configuration is still the one written.
    if (ws.LastWrite && CompareFacts(ws.LastWrite->written, ws.cfg, CompareScope::File).empty())
        c.lastWrite = ToCp1252(WhenPortVerdict(ws, ws.LastWrite->when, ws.LastWrite->port, ws.LastWrite->verdict));
    return c;
}

void ReportPrinting::siteBook() {
    Workspace& ws = ctx_.ws;
    const ReportInput in = input();
    if (ReportsWithContent(ReportInput{ws.cfg, in.text, in.fileName, in.clock, true}).empty()) {
        ctx_.dialogs.message(parent_, ws.text(kTxtNothingToPrint));
        return;
    }
    // The installer's name and company, asked once and kept for every book after.
    if (ctx_.settings.value(kInstallerAskedSetting) != QLatin1String("1")) {
        const QString caption = menuCaption(ws.text(kTxtMenuSiteBook));
        const auto name = ctx_.dialogs.askText(parent_, ws.text(kTxtBookInstaller), caption, QString());
        if (!name)
            return;
        const auto company = ctx_.dialogs.askText(parent_, ws.text(kTxtBookCompany), caption, QString());
        if (!company)
            return;
        ctx_.settings.setValue(kInstallerSetting, name->trimmed());
        ctx_.settings.setValue(kCompanySetting, company->trimmed());
        ctx_.settings.setValue(kInstallerAskedSetting, QStringLiteral("1"));
    }
    // The last check of the unit closes the book when the user wants it and it checked this very
    // configuration.
    BookCover book = cover();
    if (const auto& check = ws.LastCheck; check && CompareFacts(check->checked, ws.cfg, CompareScope::File).empty()) {
        const Answer add =
            ctx_.dialogs.ask(parent_, ws.text(kTxtRecordAdd).replace(QStringLiteral("%1"), CheckSummary(ws, *check)),
                             menuCaption(ws.text(kTxtMenuSiteBook)), Buttons::YesNoCancel, MessageIcon::None);
        if (add == Answer::Cancel)
            return;
        if (add == Answer::Yes)
            book.record = HandoverRecordOf(ws, *check);
    }
    savePdf(parent_, menuCaption(ws.text(kTxtBookTitle)), [&](const QString& path) {
        return WriteSiteBookPdf(path, in, book, pdfPageSize(),
                                QStringLiteral("ZEB1 ") + ws.text(kTxtBookTitle) + QStringLiteral(" - ") +
                                    ws.documentName());
    });
}

void ReportPrinting::saveRecord(const Workspace::CheckRecord& check, QWidget* over) {
    const Workspace& ws = ctx_.ws;
    // The page header names the configuration that was checked (a backup's, when one was compared).
    const ReportInput in{check.checked, [&ws](int n) { return ToCp1252(ws.text(n)); }, ToCp1252(check.subject), now(),
                         true};
    savePdf(over, ws.text(kTxtRecordTitle), [&](const QString& path) {
        return WriteHandoverPdf(path, in, HandoverRecordOf(ws, check), pdfPageSize(),
                                QStringLiteral("ZEB1 ") + ws.text(kTxtRecordTitle) + QStringLiteral(" - ") +
                                    check.subject);
    });
}

} // namespace korvane
