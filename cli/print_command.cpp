#include "cli/print_command.h"

#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <iostream>

#include "model/text_codec.h"
#include "model/text_ids.h"
#include "reports/qt/report_output.h"

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

} // namespace

int PrintToPdf(const Configuration& cfg, const PrintRequest& request) {
    const ReportInput in{cfg, request.text, request.fileName, request.clock, request.inUseOnly};
    const std::vector<ReportKind> kinds = request.all ? ReportsWithContent(in) : request.kinds;
    GuiApplication gui;
    const QString title = QString::fromStdString(Cp1252ToUtf8(
        kinds.size() == 1 ? ReportTitle(in, FindReport(kinds.front()).titleText) : "ZEB1 " + request.fileName));
    const OutputOutcome o = WriteReportsPdf(QString::fromStdString(request.out), in, kinds,
                                            QPageSize(request.letter ? QPageSize::Letter : QPageSize::A4), title);
    switch (o.outcome) {
    case ReportOutcome::Printed:
        return 0;
    case ReportOutcome::NothingToPrint:
        std::cerr << "korvane-cli: " << Cp1252ToUtf8(request.text(kTxtNothingToPrint)) << "\n";
        return kExitNothingToPrint;
    case ReportOutcome::Failed:
        break;
    }
    std::cerr << "korvane-cli: " << request.out << ": " << o.reason.toStdString() << "\n";
    return 1;
}

} // namespace korvane::cli
