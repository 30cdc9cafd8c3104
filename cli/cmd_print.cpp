// print: reports of the Print menu into a PDF file, without a window.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/command_support.h"
#include "model/text_codec.h"
#include "model/text_ids.h"
#include "reports/qt/book_output.h"
#include "reports/qt/label_output.h"
#include "reports/qt/report_output.h"
#include "reports/report_catalogue.h"

#include <QGuiApplication>
#include <QSettings>
#include <QString>

namespace korvane::cli {

namespace {

// Fonts and painting need a GUI application, but no window is ever shown: it runs on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise, so a missing or unreachable display does not matter.
// Qt's own notes (a missing runtime folder, say) are not the command's business; its errors are.
void qtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "korvane-cli: " << message.toStdString() << "\n";
}

bool chooseOffscreen() {
    qInstallMessageHandler(qtMessages);
    return std::getenv("QT_QPA_PLATFORM") == nullptr && setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0;
}

struct GuiApplication {
    bool offscreen = chooseOffscreen(); // before the application below is made
    int argc = 1;
    char name[12] = "korvane-cli";
    char* argv[2] = {name, nullptr};
    QGuiApplication app{argc, argv};
};

// --sheet: a number of the list of common sheets, or the label sheet in millimetres.
LabelSheet SheetOption(const Arguments& a) {
    const std::string given = a.valueOr("--sheet", "1");
    const auto& common = CommonLabelSheets();
    if (given.size() == 1 && given[0] >= '1' && given[0] < static_cast<char>('1' + common.size()))
        return common[static_cast<std::size_t>(given[0] - '1')];
    // W,H,COLUMNS,ROWS,LEFT,TOP[,GAPX,GAPY] on A4 (or the page size given).
    std::string fields = given;
    const auto commas = std::count(fields.begin(), fields.end(), ',');
    if (commas == 5)
        fields += ",0,0";
    const std::string size = a.valueOr("--page-size", "A4");
    fields += size == "Letter" || size == "letter" ? ",215.9,279.4" : ",210,297";
    const std::optional<LabelSheet> sheet = commas == 5 || commas == 7 ? ParseLabelSheet(fields) : std::nullopt;
    if (!sheet)
        throw UsageError{Say(kTxtCliWants, {"--sheet",
                                            "1.." + std::to_string(common.size()) +
                                                " | W,H,COLUMNS,ROWS,LEFT,TOP[,GAPX,GAPY] (mm, inside the page)",
                                            given})};
    return *sheet;
}

int PrintLabelSheet(const Arguments& a, const std::string& file, const std::string& out) {
    const LabelSheet sheet = SheetOption(a);
    const TextLookup& text = Words();
    const std::string fileName = Utf8ToCp1252(std::filesystem::path(file).filename().string());
    std::string error;
    const auto cfg = LoadForUse(file, error);
    if (!cfg)
        return Fail(error);
    const ReportInput in{*cfg, text, fileName, ClockOption(a), true};
    GuiApplication gui;
    const OutputOutcome o = WriteLabelsPdf(QString::fromStdString(out), in, sheet,
                                           QString::fromStdString(Cp1252ToUtf8("ZEB1 " + fileName)));
    if (o.outcome == ReportOutcome::NothingToPrint) {
        std::cerr << "korvane-cli: " << Cp1252ToUtf8(text(kTxtNothingToPrint)) << "\n";
        return kExitNothingToPrint;
    }
    if (!o.ok()) {
        std::cerr << "korvane-cli: " << out << ": " << o.reason.toStdString() << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

// The installer and company the window asked for once, from the program's settings.
BookCover CoverFromSettings() {
    const QString redirected = qEnvironmentVariable("KORVANE_SETTINGS");
    const auto settings =
        redirected.isEmpty()
            ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZEB1"))
            : std::make_unique<QSettings>(redirected, QSettings::IniFormat);
    const auto text = [&](const char* key) {
        return Utf8ToCp1252(settings->value(QStringLiteral("Data/") + QLatin1String(key)).toString().toStdString());
    };
    return BookCover{text("Installer"), text("Company"), {}, {}};
}

int PrintBook(const Arguments& a, const std::string& file, const std::string& out, const QPageSize& size) {
    const TextLookup& text = Words();
    const std::string fileName = Utf8ToCp1252(std::filesystem::path(file).filename().string());
    std::string error;
    const auto cfg = LoadForUse(file, error);
    if (!cfg)
        return Fail(error);
    const ReportInput in{*cfg, text, fileName, ClockOption(a), true};
    GuiApplication gui;
    const OutputOutcome o =
        WriteSiteBookPdf(QString::fromStdString(out), in, CoverFromSettings(), size,
                         QString::fromStdString(Cp1252ToUtf8(ReportTitle(in, kTxtBookTitle) + " - " + fileName)));
    if (!o.ok()) {
        std::cerr << "korvane-cli: " << out << ": " << o.reason.toStdString() << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

int RunPrint(const Arguments& a) {
    std::string report = a.valueOr("--report", "");
    std::string file;
    // Also "print KIND FILE".
    if (report.empty() && a.positional.size() == 2 &&
        (FindReport(a.positional[0]) != nullptr || a.positional[0] == "all" || a.positional[0] == "labels" ||
         a.positional[0] == "book")) {
        report = a.positional[0];
        file = a.positional[1];
    } else {
        a.needPositional(1);
        file = a.positional[0];
    }
    if (report.empty())
        throw UsageError{Say(kTxtCliNeeds, {"print", "--report channels|master|realtime|logic|sms|all|labels|book"})};
    const bool labels = report == "labels", book = report == "book";
    const ReportEntry* entry = report == "all" || labels || book ? nullptr : FindReport(report);
    if (report != "all" && !labels && !book && !entry)
        throw UsageError{Say(kTxtCliUnknownReport, {report})};
    if (!a.has("-o"))
        throw UsageError{Say(kTxtCliNeeds, {"print", "-o OUT.pdf"})};
    const std::string out = OutputPath(a);
    if (labels)
        return PrintLabelSheet(a, file, out);
    if (a.has("--sheet"))
        throw UsageError{"--sheet is for --report labels"};
    if (book) {
        if (a.has("--all"))
            throw UsageError{"the site book lists the channels in use only: no --all"};
        const std::string pageSize = a.valueOr("--page-size", "A4");
        if (pageSize != "A4" && pageSize != "a4" && pageSize != "Letter" && pageSize != "letter")
            throw UsageError{Say(kTxtCliWants, {"--page-size", "A4 | Letter", pageSize})};
        return PrintBook(a, file, out,
                         QPageSize(pageSize == "Letter" || pageSize == "letter" ? QPageSize::Letter : QPageSize::A4));
    }
    const std::string size = a.valueOr("--page-size", "A4");
    const bool letter = size == "Letter" || size == "letter";
    if (!letter && size != "A4" && size != "a4")
        throw UsageError{Say(kTxtCliWants, {"--page-size", "A4 | Letter", size})};
    const DeviceClock clock = ClockOption(a);
    const TextLookup& text = Words();
    // The file name as the page header shows it (8-bit).
    const std::string fileName = Utf8ToCp1252(std::filesystem::path(file).filename().string());
    std::string error;
    const auto cfg = LoadForUse(file, error);
    if (!cfg)
        return Fail(error);

    // Channels in use only, as the Print menu prints them by default; --all for every channel and block.
    if (a.has("--all") && a.has("--in-use"))
        throw UsageError{"print takes --all or --in-use, not both"};
    const ReportInput in{*cfg, text, fileName, clock, !a.has("--all")};
    // all: every report that has something to print.
    const std::vector<ReportKind> kinds = entry ? std::vector<ReportKind>{entry->kind} : ReportsWithContent(in);
    GuiApplication gui;
    const QString title = QString::fromStdString(
        Cp1252ToUtf8(kinds.size() == 1 ? ReportTitle(in, FindReport(kinds.front()).titleText) : "ZEB1 " + fileName));
    const OutputOutcome o = WriteReportsPdf(QString::fromStdString(out), in, kinds,
                                            QPageSize(letter ? QPageSize::Letter : QPageSize::A4), title);
    switch (o.outcome) {
    case ReportOutcome::Printed:
        return kExitOk;
    case ReportOutcome::NothingToPrint:
        std::cerr << "korvane-cli: " << Cp1252ToUtf8(text(kTxtNothingToPrint)) << "\n";
        return kExitNothingToPrint;
    case ReportOutcome::Failed:
        break;
    }
    std::cerr << "korvane-cli: " << out << ": " << o.reason.toStdString() << "\n";
    return kExitFailed;
}

} // namespace korvane::cli
