// print: reports of the Print menu into a PDF file.

#include <filesystem>

#include "cli/command_support.h"
#include "cli/print_command.h"
#include "model/text_codec.h"

namespace korvane::cli {

int RunPrint(const Arguments& a) {
    std::string report = a.valueOr("--report", "");
    std::string file;
    // Also "print KIND FILE".
    if (report.empty() && a.positional.size() == 2 &&
        (FindReport(a.positional[0]) != nullptr || a.positional[0] == "all")) {
        report = a.positional[0];
        file = a.positional[1];
    } else {
        a.needPositional(1);
        file = a.positional[0];
    }
    if (report.empty())
        throw UsageError{"print needs --report channels|master|realtime|logic|sms|all"};
    PrintRequest request;
    if (report == "all")
        request.all = true;
    else if (const ReportEntry* e = FindReport(report))
        request.kinds = {e->kind};
    else
        throw UsageError{"unknown report " + report + " (channels, master, realtime, logic, sms or all)"};
    if (!a.has("-o"))
        throw UsageError{"print needs -o OUT.pdf"};
    request.out = a.value("-o");
    const std::string size = a.valueOr("--page-size", "A4");
    if (size == "Letter" || size == "letter")
        request.letter = true;
    else if (size != "A4" && size != "a4")
        throw UsageError{"--page-size wants A4 or Letter, not " + size};
    request.inUseOnly = a.has("--in-use");
    request.clock = ClockOption(a);
    request.text = ReadTexts(a);
    request.fileName = Utf8ToCp1252(std::filesystem::path(file).filename().string());
    std::string error;
    const auto cfg = LoadForUse(file, error);
    if (!cfg)
        return Fail(error);
    return PrintToPdf(*cfg, request);
}

} // namespace korvane::cli
