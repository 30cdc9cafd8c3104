#include "app/spreadsheet_commands.h"

#include <QDir>
#include <QFileInfo>

#include "app/texts.h"
#include "io/atomic_file.h"
#include "io/channel_csv.h"
#include "model/differences.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

QString withoutDots(QString s) {
    while (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

} // namespace

char SpreadsheetCommands::separator() const {
    return CsvSeparator(DecimalPoint(ctx_.ws) == QLatin1Char(','));
}

bool SpreadsheetCommands::exportChannelList() {
    Workspace& ws = ctx_.ws;
    const QString filter = ws.text(kTxtCsvFilter) + QStringLiteral(" (*.csv)|*.csv");
    // Beside the configuration, under its name.
    QString initial = ws.DataFileLoc;
    if (!initial.isEmpty())
        initial = QFileInfo(initial).dir().filePath(QFileInfo(initial).completeBaseName() + QStringLiteral(".csv"));
    const auto choice = ctx_.dialogs.saveFile(parent_, withoutDots(ws.text(kTxtMenuExportCsv)), filter, initial);
    if (!choice)
        return false;
    const TextLookup text = [&ws](int n) { return ToCp1252(ws.text(n)); };
    const WriteOutcome w = WriteFileAtomically(LocalPath(choice->path), ChannelListCsv(ws.cfg, text, separator()));
    if (!w.ok) {
        ctx_.dialogs.message(parent_,
                             ws.text(kTxtSaveFailed) + QStringLiteral("\n\n") + choice->path + QStringLiteral(":\n") +
                                 QString::fromLocal8Bit(w.reason.c_str()),
                             QString(), MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool SpreadsheetCommands::importDescriptions() {
    Workspace& ws = ctx_.ws;
    const QString title = withoutDots(ws.text(kTxtMenuImportDescriptions));
    const QString filter = ws.text(kTxtCsvFilter) + QStringLiteral(" (*.csv *.txt)|*.csv;*.txt|All(*.*)|*.*");
    const auto choice = ctx_.dialogs.openFile(parent_, title, filter, ws.DataFileLoc);
    if (!choice)
        return false;
    std::string bytes;
    if (const ReadOutcome r = ReadBoundedFile(LocalPath(choice->path), kConfigFileLimit, bytes); !r.ok) {
        ctx_.dialogs.message(parent_,
                             ws.text(kTxtReadFailed) + QStringLiteral("\n\n") + choice->path + QStringLiteral(":\n") +
                                 QString::fromLocal8Bit(r.reason.c_str()),
                             title, MessageIcon::Exclamation);
        return false;
    }
    const TextLookup text = [&ws](int n) { return ToCp1252(ws.text(n)); };
    const DescriptionImport in = ReadDescriptionsCsv(bytes, ws.cfg, text);
    Configuration changed = ws.cfg;
    ApplyDescriptions(changed, in.descriptions);
    const std::vector<Difference> differences = CompareFacts(ws.cfg, changed, CompareScope::File);

    QString faults;
    if (!in.faults.empty()) {
        faults = ws.text(kTxtCsvLinesNotRead);
        for (const CsvLineFault& f : in.faults)
            faults += QStringLiteral("\n") + QString::fromStdString(CsvFaultWords(f, text));
    }
    if (differences.empty()) {
        QString said = ws.text(kTxtCsvNoChanges);
        if (!faults.isEmpty())
            said += QStringLiteral("\n\n") + faults;
        ctx_.dialogs.message(parent_, said, title,
                             faults.isEmpty() ? MessageIcon::Information : MessageIcon::Exclamation);
        return false;
    }
    QString question = ws.text(kTxtCsvApplyQuestion).replace(QStringLiteral("%1"), QString::number(differences.size()));
    question += QStringLiteral("\n");
    for (const Difference& d : differences)
        question += QStringLiteral("\n") + QString::fromStdString(CompareLine(WordDifference(d, text)));
    int longer = 0;
    for (const CsvDescription& d : in.descriptions)
        if (d.description.size() > static_cast<std::size_t>(kChannelTextKept) &&
            d.description != ws.cfg.ChanText[static_cast<std::size_t>(d.channel)])
            ++longer;
    if (longer > 0)
        question +=
            QStringLiteral("\n\n") + ws.text(kTxtCsvLonger).replace(QStringLiteral("%1"), QString::number(longer));
    if (!faults.isEmpty())
        question += QStringLiteral("\n\n") + faults;
    if (ctx_.dialogs.ask(parent_, question, title, Buttons::YesNo, MessageIcon::None) != Answer::Yes)
        return false;
    ws.changeNamed(ws.text(kTxtOpImportDescriptions),
                   [&in](Configuration& cfg) { ApplyDescriptions(cfg, in.descriptions); });
    return true;
}

} // namespace korvane
