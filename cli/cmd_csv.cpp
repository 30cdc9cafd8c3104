// The channel list as a spreadsheet file (export-csv) and its descriptions read back into a
// configuration file (import-csv).

#include <iostream>

#include "cli/command_support.h"
#include "io/atomic_file.h"
#include "io/channel_csv.h"
#include "model/differences.h"
#include "model/text_codec.h"

#include <QLocale>
#include <QString>

namespace korvane::cli {

namespace {

// The separator of the command's language: ';' where it writes a decimal comma.
char LanguageSeparator() {
    const QString code = QString::fromStdString(Words()(kTxtQtLanguage)).trimmed();
    return CsvSeparator(!code.isEmpty() && QLocale(code).decimalPoint() == QLatin1String(","));
}

} // namespace

int RunExportCsv(const Arguments& a) {
    a.needPositional(1);
    std::string error;
    const auto cfg = LoadForUse(a.positional[0], error);
    if (!cfg)
        return Fail(error);
    char separator = LanguageSeparator();
    if (a.has("--separator")) {
        const std::string s = a.value("--separator");
        if (s != ";" && s != "," && s != "tab")
            throw UsageError{Say(kTxtCliWants, {"--separator", "; | , | tab", s})};
        separator = s == "tab" ? '\t' : s[0];
    }
    return WriteOutput(a, ChannelListCsv(*cfg, Words(), separator));
}

int RunImportCsv(const Arguments& a) {
    a.needPositional(2);
    if (!a.has("-o"))
        throw UsageError{Say(kTxtCliNeeds, {"import-csv", "-o OUT.zeb"})};
    std::string error;
    const auto cfg = LoadForUse(a.positional[0], error);
    if (!cfg)
        return Fail(error);
    std::string bytes;
    if (const ReadOutcome read = ReadBoundedFile(a.positional[1], kConfigFileLimit, bytes); !read.ok)
        return Fail(read.reason.find(a.positional[1]) == std::string::npos ? a.positional[1] + ": " + read.reason
                                                                           : read.reason);
    const TextLookup& text = Words();
    const DescriptionImport in = ReadDescriptionsCsv(bytes, *cfg, text);
    if (!in.faults.empty()) {
        // Nothing is taken from a file with lines that cannot be read.
        std::cerr << "korvane-cli: " << a.positional[1] << ": " << Cp1252ToUtf8(text(kTxtCsvLinesNotRead)) << "\n";
        for (const CsvLineFault& f : in.faults)
            std::cerr << "  " << CsvFaultWords(f, text) << "\n";
        return kExitFailed;
    }
    Configuration changed = *cfg;
    ApplyDescriptions(changed, in.descriptions);
    for (const Difference& d : CompareFacts(*cfg, changed, CompareScope::File))
        std::cout << CompareLine(WordDifference(d, text)) << "\n";
    const FileResult saved = SaveFile(changed, OutputPath(a));
    if (!saved.ok())
        return Fail(saved.message());
    if (const int longer = DescriptionsLongerThanKept(in.descriptions); longer > 0)
        std::cerr << "korvane-cli: " << Say(kTxtCsvLonger, {std::to_string(longer)}) << "\n";
    return kExitOk;
}

} // namespace korvane::cli
