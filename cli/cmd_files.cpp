// The commands on configuration files and captures: check, dump, convert, export-hex, import-hex.

#include <cstdio>
#include <iostream>

#include "cli/command_support.h"
#include "io/atomic_file.h"
#include "io/config_json.h"
#include "io/config_words.h"
#include "io/mem_map.h"
#include "model/problems.h"
#include "model/text_codec.h"

namespace korvane::cli {

int RunCheck(const Arguments& a) {
    a.needPositional(1);
    std::string error;
    const auto cfg = LoadForUse(a.positional[0], error);
    if (!cfg)
        return Fail(error);
    const TextLookup texts = ReadTexts(a);
    const std::vector<Problem> problems = FindProblems(*cfg);
    if (a.has("--json")) {
        std::cout << "[";
        for (std::size_t i = 0; i < problems.size(); ++i) {
            const Problem& p = problems[i];
            const ProblemWords w = WordProblem(p, texts);
            std::cout << (i ? ",\n " : "\n ") << "{\"rule\": " << JsonString(p.rule->name)
                      << ", \"severity\": " << JsonString(SeverityName(p.rule->severity))
                      << ", \"place\": " << JsonString(w.place) << ", \"field\": " << JsonString(w.field)
                      << ", \"words\": " << JsonString(w.words)
                      << ", \"line\": " << JsonString(Utf8ToCp1252(ProblemLine(w))) << "}";
        }
        std::cout << (problems.empty() ? "]\n" : "\n]\n");
    } else {
        for (const Problem& p : problems)
            std::cout << ProblemLine(WordProblem(p, texts)) << "\n";
    }
    return HasSeriousProblems(problems) ? kExitProblems : kExitOk;
}

int RunDump(const Arguments& a) {
    a.needPositional(1);
    const std::string format = a.has("--words") ? "words" : a.valueOr("--format", "json");
    if (format != "json" && format != "words")
        throw UsageError{Say(kTxtCliWants, {"--format", "json | words", format})};
    std::string error;
    const auto cfg = LoadForUse(a.positional[0], error);
    if (!cfg)
        return Fail(error);
    std::cout << (format == "words" ? WordsJson(WordsOf(*cfg, Words())) : ConfigurationJson(*cfg));
    return kExitOk;
}

int RunExportHex(const Arguments& a) {
    a.needPositional(1);
    const DeviceClock clock = ClockOption(a);
    const TextLookup texts = ReadTexts(a);
    std::string error;
    auto cfg = LoadForUse(a.positional[0], error);
    if (!cfg)
        return Fail(error);
    return WriteOutput(a, WriteStream(BuildWritePlan(*cfg, clock, texts)));
}

int RunConvert(const Arguments& a) {
    a.needPositional(1);
    if (!a.has("-o"))
        throw UsageError{Say(kTxtCliNeeds, {"convert", "-o OUT"})};
    std::string error;
    auto cfg = LoadForUse(a.positional[0], error);
    if (!cfg)
        return Fail(error);
    const FileResult r = SaveFile(*cfg, OutputPath(a));
    return r.ok() ? kExitOk : Fail(r.message());
}

int RunImportHex(const Arguments& a) {
    a.needPositional(1);
    if (!a.has("-o"))
        throw UsageError{Say(kTxtCliNeeds, {"import-hex", "-o OUT.zeb"})};
    std::string bytes;
    if (const ReadOutcome read = ReadBoundedFile(a.positional[0], kCaptureFileLimit, bytes); !read.ok)
        return Fail(a.positional[0] + ": " + read.reason);
    MemMapReceiver rx;
    rx.feed(bytes);
    const ReceiveResult r = rx.result();
    if (!r.complete)
        return Fail(Say(kTxtCliImageDamaged, {a.positional[0], r.reason}));

    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    TakeReadImage(rx.image(), cfg);
    if (const int version = UnitFirmwareVersion(rx.image()); version > kUnitVersion) {
        char unit[16], ours[16];
        std::snprintf(unit, sizeof unit, "%04X", version);
        std::snprintf(ours, sizeof ours, "%04X", kUnitVersion);
        std::cerr << "korvane-cli: " << Say(kTxtCliNewerNote, {unit, ours}) << "\n";
    }
    const FileResult saved = SaveFile(cfg, OutputPath(a));
    return saved.ok() ? kExitOk : Fail(saved.message());
}

} // namespace korvane::cli
