// korvane-cli: the configuration files and the unit's records from the command line, without a
// window. Exit codes: 0 done, 1 the work failed (the reason is on stderr), 2 wrong use.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/language_texts.h"
#include "cli/print_command.h"
#include "io/atomic_file.h"
#include "io/config_diff.h"
#include "io/config_file.h"
#include "io/config_json.h"
#include "io/hex_records.h"
#include "io/link/transfers.h"
#include "io/mem_map.h"
#include "io/verify.h"
#include "model/text_codec.h"
#include "model/text_ids.h"
#include "sim/simulated_link.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <unistd.h>

namespace {

using namespace korvane;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// read and write
constexpr int kExitPort = 3;     // the port cannot be opened or failed during the transfer
constexpr int kExitNoAnswer = 4; // no answer, an incomplete or damaged image, or no verdict
constexpr int kExitRefused = 5;  // the unit reported an error in the data
constexpr int kExitDiffers = 6;  // --verify: the unit holds something else than was written
constexpr int kExitNewer = 7;    // the unit's firmware is newer and --accept-newer was not given

std::string gProgramDir;

struct UsageError {
    std::string message;
};

struct Command {
    const char* summary;
    const char* help;
    std::function<int(const std::vector<std::string>&)> run;
};

// Splits arguments into positional ones and the options named in `valued` (which take a value).
struct Args {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
};

Args parseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued) {
    Args out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 1 && a[0] == '-') {
            if (std::find(valued.begin(), valued.end(), a) == valued.end())
                throw UsageError{"unknown option " + a};
            if (i + 1 >= args.size())
                throw UsageError{"option " + a + " needs a value"};
            out.options[a] = args[++i];
        } else {
            out.positional.push_back(a);
        }
    }
    return out;
}

void needPositional(const Args& a, std::size_t n) {
    if (a.positional.size() < n)
        throw UsageError{"missing file name"};
    if (a.positional.size() > n)
        throw UsageError{"unexpected argument " + a.positional[n]};
}

std::string optionOr(const Args& a, const std::string& key, const std::string& fallback) {
    const auto it = a.options.find(key);
    return it == a.options.end() ? fallback : it->second;
}

int fail(const std::string& line) {
    std::cerr << "korvane-cli: " << line << "\n";
    return kExitFailed;
}

// Loads a file the way File > Open does: the blank configuration first, then the file.
std::optional<Configuration> loadForUse(const std::string& path, std::string& error) {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    const FileResult r = LoadFile(cfg, path);
    if (r.ok())
        return cfg;
    error = r.message();
    return std::nullopt;
}

int writeOutput(const Args& a, const std::string& bytes) {
    const auto out = a.options.find("-o");
    if (out == a.options.end()) {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::cout.flush();
        return std::cout ? kExitOk : fail("cannot write to the standard output");
    }
    const WriteOutcome w = WriteFileAtomically(out->second, bytes);
    return w.ok ? kExitOk : fail(w.reason);
}

std::optional<DeviceClock> parseClock(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6)
        return std::nullopt;
    using namespace std::chrono;
    const year_month_day date{year{y}, month{static_cast<unsigned>(mo)}, day{static_cast<unsigned>(d)}};
    if (!date.ok() || y < 1000 || h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0)
        return std::nullopt;
    return DeviceClock{y, mo, d, h, mi, s, static_cast<int>(weekday{sys_days{date}}.iso_encoding())};
}

DeviceClock localClock() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return DeviceClock{tm.tm_year + 1900,
                       tm.tm_mon + 1,
                       tm.tm_mday,
                       tm.tm_hour,
                       tm.tm_min,
                       tm.tm_sec,
                       tm.tm_wday == 0 ? 7 : tm.tm_wday};
}

int cmdCheck(const std::vector<std::string>& args) {
    const Args a = parseArgs(args, {});
    needPositional(a, 1);
    std::string error;
    if (!loadForUse(a.positional[0], error))
        return fail(error);
    return kExitOk;
}

int cmdDump(const std::vector<std::string>& args) {
    const Args a = parseArgs(args, {});
    needPositional(a, 1);
    std::string error;
    const auto cfg = loadForUse(a.positional[0], error);
    if (!cfg)
        return fail(error);
    std::cout << ConfigurationJson(*cfg);
    return kExitOk;
}

// Removes a flag without a value from the arguments; true when it was there.
bool takeFlag(std::vector<std::string>& args, const std::string& flag) {
    const auto before = args.size();
    std::erase(args, flag);
    return args.size() != before;
}

// The language texts (unit label, SMS entries, the words of differences): --language, or the English
// file of the program.
TextLookup readTexts(const Args& a) {
    const std::string language = optionOr(a, "--language", gProgramDir + "/Language/English.dat");
    TextLookup texts;
    std::string error;
    if (!cli::ReadLanguageTexts(language, texts, error))
        throw std::runtime_error("language file " + error);
    return texts;
}

// The date and time a write puts into the unit: --clock, or now.
DeviceClock clockOption(const Args& a) {
    if (!a.options.count("--clock"))
        return localClock();
    const auto parsed = parseClock(a.options.at("--clock"));
    if (!parsed)
        throw UsageError{"--clock wants YYYY-MM-DDTHH:MM:SS, not " + a.options.at("--clock")};
    return *parsed;
}

int cmdExportHex(const std::vector<std::string>& args) {
    const Args a = parseArgs(args, {"--clock", "--language", "-o"});
    needPositional(a, 1);
    const DeviceClock clock = clockOption(a);
    const TextLookup texts = readTexts(a);
    std::string error;
    auto cfg = loadForUse(a.positional[0], error);
    if (!cfg)
        return fail(error);
    return writeOutput(a, WriteStream(BuildWritePlan(*cfg, clock, texts)));
}

int cmdConvert(const std::vector<std::string>& args) {
    const Args a = parseArgs(args, {"-o"});
    needPositional(a, 1);
    if (!a.options.count("-o"))
        throw UsageError{"convert needs -o OUT"};
    std::string error;
    auto cfg = loadForUse(a.positional[0], error);
    if (!cfg)
        return fail(error);
    const FileResult r = SaveFile(*cfg, a.options.at("-o"));
    return r.ok() ? kExitOk : fail(r.message());
}

int cmdImportHex(const std::vector<std::string>& args) {
    const Args a = parseArgs(args, {"-o"});
    needPositional(a, 1);
    if (!a.options.count("-o"))
        throw UsageError{"import-hex needs -o OUT.zeb"};
    std::string bytes;
    if (const ReadOutcome read = ReadBoundedFile(a.positional[0], kCaptureFileLimit, bytes); !read.ok)
        return fail(a.positional[0] + ": " + read.reason);
    MemMapReceiver rx;
    rx.feed(bytes);
    const ReceiveResult r = rx.result();
    if (!r.complete)
        return fail(a.positional[0] + ": the image is incomplete or damaged: " + r.reason);

    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    TakeReadImage(rx.image(), cfg);
    if (const int version = UnitFirmwareVersion(rx.image()); version > kUnitVersion) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "note: the unit's firmware version %04X is newer than %04X", version,
                      kUnitVersion);
        std::cerr << "korvane-cli: " << buf << "\n";
    }
    const FileResult saved = SaveFile(cfg, a.options.at("-o"));
    return saved.ok() ? kExitOk : fail(saved.message());
}

int cmdDiff(const std::vector<std::string>& args) {
    std::vector<std::string> rest = args;
    const bool bytes = takeFlag(rest, "--bytes");
    const Args a = parseArgs(rest, {"--language"});
    needPositional(a, 2);
    std::string error;
    const auto first = loadForUse(a.positional[0], error);
    if (!first) {
        fail(error);
        return kExitUsage;
    }
    const auto second = loadForUse(a.positional[1], error);
    if (!second) {
        fail(error);
        return kExitUsage;
    }
    if (bytes) {
        const auto diffs = CompareBytes(*first, *second);
        for (const ByteDifference& d : diffs)
            std::cout << d.line() << "\n";
        return diffs.empty() ? kExitOk : kExitFailed;
    }
    const TextLookup texts = readTexts(a);
    const auto diffs = CompareFacts(*first, *second, CompareScope::File);
    for (const Difference& d : diffs)
        std::cout << CompareLine(WordDifference(d, texts)) << "\n";
    return diffs.empty() ? kExitOk : kExitFailed;
}

// ---- reports ----

bool takeFlag(std::vector<std::string>& args, const std::string& flag);

int cmdPrint(std::vector<std::string> args) {
    const bool inUseOnly = takeFlag(args, "--in-use");
    const Args a = parseArgs(args, {"--report", "-o", "--language", "--clock", "--page-size"});
    std::string report = optionOr(a, "--report", "");
    std::string file;
    // Also "print KIND FILE".
    if (report.empty() && a.positional.size() == 2 &&
        (FindReport(a.positional[0]) != nullptr || a.positional[0] == "all")) {
        report = a.positional[0];
        file = a.positional[1];
    } else {
        needPositional(a, 1);
        file = a.positional[0];
    }
    if (report.empty())
        throw UsageError{"print needs --report channels|master|realtime|logic|sms|all"};
    cli::PrintRequest request;
    if (report == "all")
        request.all = true;
    else if (const ReportEntry* e = FindReport(report))
        request.kinds = {e->kind};
    else
        throw UsageError{"unknown report " + report + " (channels, master, realtime, logic, sms or all)"};
    if (!a.options.count("-o"))
        throw UsageError{"print needs -o OUT.pdf"};
    request.out = a.options.at("-o");
    const std::string size = optionOr(a, "--page-size", "A4");
    if (size == "Letter" || size == "letter")
        request.letter = true;
    else if (size != "A4" && size != "a4")
        throw UsageError{"--page-size wants A4 or Letter, not " + size};
    request.inUseOnly = inUseOnly;
    request.clock = clockOption(a);
    request.text = readTexts(a);
    request.fileName = Utf8ToCp1252(std::filesystem::path(file).filename().string());
    std::string error;
    const auto cfg = loadForUse(file, error);
    if (!cfg)
        return fail(error);
    return cli::PrintToPdf(*cfg, request);
}

// ---- read and write over the serial line ----

// One link for the whole command, so that --verify reads back the unit it wrote (the simulated unit
// keeps its memory between transfers).
// "sim:FAULT" is the simulated unit misbehaving as korvane-unitsim --fault FAULT does.
std::unique_ptr<SerialLink> makeLink(const std::string& port) {
    if (port == "sim")
        return std::make_unique<SimulatedLink>(false);
    if (port.rfind("sim:", 0) == 0) {
        const auto fault = UnitFaultFromName(port.substr(4));
        if (!fault)
            throw UsageError{"unknown fault of the simulated unit: " + port.substr(4)};
        return std::make_unique<SimulatedLink>(false, *fault);
    }
    return std::make_unique<SerialPortLink>(PortDevice(QString::fromStdString(port)));
}

// Runs a transfer to its end: a progress bar on a terminal, then one line on stderr: the status text
// when it is done, else the reason in plain words. A port's failure names the port, what is wrong with
// it and what to do, and the system's own reason, in the language of the texts; the window's wording
// (its menus, its Retry button) stays out of it.
TransferOutcome runTransfer(Transfer& t, const TextLookup& texts, void (*startIt)(Transfer&)) {
    const bool bar = isatty(STDERR_FILENO) != 0;
    auto textOf = [&](int n) { return Cp1252ToUtf8(texts(n)); };
    QEventLoop loop;
    QObject::connect(&t, &Transfer::finished, &loop, &QEventLoop::quit);
    if (bar)
        QObject::connect(&t, &Transfer::progressChanged, &t, [&](int value, int max) {
            const int width = 30;
            const int filled = max > 0 ? std::clamp(value * width / max, 0, width) : 0;
            std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                      << std::string(static_cast<std::size_t>(width - filled), '.') << "] " << textOf(t.statusText())
                      << "\x1b[K" << std::flush;
        });
    startIt(t);
    if (t.outcome() == TransferOutcome::Running)
        loop.exec();
    if (bar)
        std::cerr << "\r\x1b[K";
    if (t.outcome() == TransferOutcome::Done) {
        const std::string status = textOf(t.statusText());
        if (!status.empty())
            std::cerr << "korvane-cli: " << status << "\n";
        return t.outcome();
    }
    std::string reason = t.reason().toStdString();
    if (t.outcome() == TransferOutcome::PortError) {
        reason =
            PortFailureText(t.portFailure(), [&](int n) { return QString::fromStdString(textOf(n)); }).toStdString();
        // A write cut off on the way may have reached the unit in part.
        if (t.portFailure().problem == PortProblem::Lost && qobject_cast<WriteTransfer*>(&t))
            reason += " " + textOf(kTxtWritePartial);
    }
    if (t.outcome() == TransferOutcome::Declined)
        reason += "; take the data anyway with --accept-newer";
    std::cerr << "korvane-cli: " << reason << "\n";
    return t.outcome();
}

int exitFor(TransferOutcome o) {
    switch (o) {
    case TransferOutcome::Done:
        return kExitOk;
    case TransferOutcome::PortError:
        return kExitPort;
    case TransferOutcome::Refused:
        return kExitRefused;
    case TransferOutcome::Declined:
        return kExitNewer;
    default:
        return kExitNoAnswer;
    }
}

// The event loop the serial transfers run on.
struct TransferLoop {
    int argc = 1;
    char name[12] = "korvane-cli";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// Reads the unit into `target`; the command's exit code.
int readUnit(SerialLink& link, Configuration& target, const TextLookup& texts, bool acceptNewer,
             MemMap* image = nullptr) {
    ReadTransfer read(link, target, [acceptNewer](int) { return acceptNewer; });
    const TransferOutcome o = runTransfer(read, texts, [](Transfer& t) { static_cast<ReadTransfer&>(t).start(); });
    if (image)
        *image = read.image();
    return exitFor(o);
}

int cmdRead(const std::vector<std::string>& args) {
    std::vector<std::string> rest = args;
    const bool acceptNewer = takeFlag(rest, "--accept-newer");
    const Args a = parseArgs(rest, {"--port", "-o", "--language"});
    needPositional(a, 0);
    if (!a.options.count("--port") || !a.options.count("-o"))
        throw UsageError{"read needs --port DEV and -o OUT.zeb"};
    TransferLoop loop;
    const TextLookup texts = readTexts(a);
    const auto link = makeLink(a.options.at("--port"));
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    const int code = readUnit(*link, cfg, texts, acceptNewer);
    if (code != kExitOk)
        return code;
    const FileResult saved = SaveFile(cfg, a.options.at("-o"));
    return saved.ok() ? kExitOk : fail(saved.message());
}

// Reads what the unit holds and saves it as DIR/<device number>-<date>-<time>.zeb before a write; the
// command's exit code (the unit is untouched when this fails).
int backupUnit(SerialLink& link, const std::string& dir, const TextLookup& texts) {
    Configuration held;
    EditState state;
    ClearConfiguration(held, state);
    // A backup keeps whatever the unit holds, also from newer firmware.
    if (const int code = readUnit(link, held, texts, true); code != kExitOk) {
        std::cerr << "korvane-cli: the unit could not be read for the backup; nothing was written\n";
        return code;
    }
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::string path =
        (std::filesystem::path(dir) / BackupFileName(held.SysData[kSysDeviceNo], tm.tm_year + 1900, tm.tm_mon + 1,
                                                     tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec))
            .string();
    const FileResult saved = SaveFile(held, path);
    if (!saved.ok()) {
        fail(saved.message() + "; nothing was written");
        return kExitFailed;
    }
    std::cerr << "korvane-cli: the unit's configuration was saved as " << path << "\n";
    return kExitOk;
}

int cmdWrite(const std::vector<std::string>& args) {
    std::vector<std::string> rest = args;
    const bool verify = takeFlag(rest, "--verify");
    const Args a = parseArgs(rest, {"--port", "--language", "--clock", "--backup"});
    needPositional(a, 1);
    if (!a.options.count("--port"))
        throw UsageError{"write needs --port DEV"};
    const DeviceClock clock = clockOption(a);
    TransferLoop loop;
    const TextLookup texts = readTexts(a);
    std::string error;
    auto cfg = loadForUse(a.positional[0], error);
    if (!cfg)
        return fail(error);
    const auto link = makeLink(a.options.at("--port"));
    if (a.options.count("--backup"))
        if (const int code = backupUnit(*link, a.options.at("--backup"), texts); code != kExitOk)
            return code;
    WriteTransfer write(*link, *cfg, clock, texts);
    write.connect(&write, &WriteTransfer::bell, [] { std::cerr << '\a'; });
    const TransferOutcome o = runTransfer(write, texts, [](Transfer& t) { static_cast<WriteTransfer&>(t).start(); });
    if (o != TransferOutcome::Done || !verify)
        return exitFor(o);

    // Read the unit back and hold what it holds against the configuration as written (the write filled
    // in its derived bytes, clock and SMS entries). A read from an older unit is compared as the unit
    // sent it, so that settings it does not keep show as differences.
    Configuration back;
    EditState state;
    ClearConfiguration(back, state);
    MemMap image{};
    if (const int code = readUnit(*link, back, texts, true, &image); code != kExitOk)
        return code;
    const auto diffs = VerifyWrite(*cfg, image);
    for (const Difference& d : diffs)
        std::cout << VerifyLine(WordDifference(d, texts), texts) << "\n";
    if (diffs.empty())
        return kExitOk;
    std::cerr << "korvane-cli: verify: the unit holds " << diffs.size() << " value(s) other than written\n";
    return kExitDiffers;
}

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table{
        {"check",
         {"check that a configuration file loads completely",
          "usage: korvane-cli check FILE\n"
          "Exit 0 when FILE loads completely; otherwise the reason (file:line) on stderr and exit 1.\n",
          cmdCheck}},
        {"dump",
         {"print a configuration as JSON",
          "usage: korvane-cli dump FILE\n"
          "Prints the whole configuration as JSON: ChanSetup, MasterMatrix, LogicBlocks, SysData, ChanFlags,\n"
          "SavedChanType, ChanText, DescText, SmsText, SmsIdText (texts in UTF-8).\n",
          cmdDump}},
        {"export-hex",
         {"write the records File > Write sends",
          "usage: korvane-cli export-hex FILE [--clock YYYY-MM-DDTHH:MM:SS] [--language FILE] [-o OUT]\n"
          "Writes exactly the bytes File > Write sends for FILE, the end record last.\n"
          "  --clock     the date and time written into the unit (default: the current local time)\n"
          "  --language  the language file of the unit label and SMS texts\n"
          "              (default: Language/English.dat in the program folder)\n"
          "  -o OUT      write to OUT instead of the standard output\n",
          cmdExportHex}},
        {"convert",
         {"load a configuration file and save it again",
          "usage: korvane-cli convert IN -o OUT\n"
          "Loads IN (.zeb or .x07) and writes OUT exactly as File > Save writes it.\n",
          cmdConvert}},
        {"import-hex",
         {"turn a captured unit answer into a configuration file",
          "usage: korvane-cli import-hex CAPTURE -o OUT.zeb\n"
          "Feeds the unit's answer in CAPTURE through the receiver, unpacks the image and saves it.\n"
          "Exit 1 with the reason when the image is incomplete or damaged.\n",
          cmdImportHex}},
        {"read",
         {"read the configuration from the master unit",
          "usage: korvane-cli read --port DEV -o OUT.zeb [--language FILE] [--accept-newer]\n"
          "Reads the unit's memory over the serial line and saves it as a configuration file.\n"
          "  --port DEV      a device (/dev/ttyUSB0), com1..com4, or sim (the simulated unit;\n"
          "                  sim:FAULT misbehaves, faults as korvane-unitsim --help lists them)\n"
          "  --language      the language file of the status texts (default: English)\n"
          "  --accept-newer  take the data of a unit with newer firmware\n"
          "OUT is written only after a complete, sound read. Exit 0 done, 1 OUT cannot be written, 2 wrong use,\n"
          "3 port error, 4 no answer or an incomplete or damaged answer, 7 newer firmware not taken;\n"
          "a failure is one line on stderr: the reason (for a port: what is wrong, what to do, and the\n"
          "system's reason in brackets).\n",
          cmdRead}},
        {"write",
         {"write a configuration file to the master unit",
          "usage: korvane-cli write --port DEV FILE [--backup DIR] [--verify] [--language FILE]\n"
          "                         [--clock YYYY-MM-DDTHH:MM:SS]\n"
          "Sends FILE to the unit as File > Write does (the bytes of export-hex) and shows the unit's verdict.\n"
          "  --port DEV    a device (/dev/ttyUSB0), com1..com4, or sim (the simulated unit;\n"
          "                sim:FAULT misbehaves, faults as korvane-unitsim --help lists them)\n"
          "  --backup DIR  first read the unit and save what it holds as DIR/<device>-<date>-<time>.zeb;\n"
          "                when that fails nothing is written\n"
          "  --verify      read the unit back afterwards and list every value it holds other than written,\n"
          "                one line each: \"A1 Mono: Description unit 'Doorhen', written 'Door'\"\n"
          "  --language    the language file of the unit label, SMS texts and status texts (default: English)\n"
          "  --clock       the date and time written into the unit (default: the current local time)\n"
          "Exit 0 done, 1 FILE cannot be read or the backup cannot be saved, 2 wrong use, 3 port error,\n"
          "4 no answer or no verdict (or the backup read failed),\n"
          "5 the unit reported an error, 6 --verify found differences; a failure is one line on stderr:\n"
          "the reason (for a port: what is wrong, what to do, and the system's reason in brackets).\n",
          cmdWrite}},
        {"print",
         {"print reports as a PDF file",
          "usage: korvane-cli print FILE --report KIND -o OUT.pdf [--language FILE] [--clock YYYY-MM-DDTHH:MM:SS]\n"
          "                         [--page-size A4|Letter] [--in-use]\n"
          "       korvane-cli print KIND FILE -o OUT.pdf [...]\n"
          "Draws a report of the Print menu for FILE into a PDF file, as the Print menu does on a printer.\n"
          "  --report KIND  channels, master, realtime, logic, sms, or all: every report that has something\n"
          "                 to print, one after the other, each with its own page numbers\n"
          "  --language     the language file of the report texts (default: Language/English.dat)\n"
          "  --clock        the date and time in the page header (default: now)\n"
          "  --page-size    A4 (default) or Letter\n"
          "  --in-use       channels in use only: leave out unused channels (not used, no description)\n"
          "                 and logic blocks without an operation\n"
          "Exit 0 written, 1 FILE cannot be read or OUT cannot be written (an earlier OUT is kept), 2 wrong use,\n"
          "8 nothing to print (no file is written).\n",
          cmdPrint}},
        {"diff",
         {"show the differences between two configuration files",
          "usage: korvane-cli diff A B [--language FILE] [--bytes]\n"
          "Lists what the user changed from A to B, one line each, in the words of the editor's pages:\n"
          "\"A3 Roller blind: Reverse time 1000 ms \u2192 1500 ms\". Bytes no setting stands for, the bytes\n"
          "a write derives, the clock and the firmware version are no differences.\n"
          "  --language  the language file of the words (default: English)\n"
          "  --bytes     every byte of the file that differs instead, one line each (where, what, old -> new)\n"
          "Exit 0 when equal, 1 when not, 2 when a file cannot be read.\n",
          cmdDiff}},
    };
    return table;
}

void printUsage(std::ostream& out) {
    out << "usage: korvane-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const auto& [name, cmd] : commands()) {
        std::string padded = name;
        padded.resize(12, ' ');
        out << "  " << padded << cmd.summary << "\n";
    }
    out << "\nkorvane-cli COMMAND --help shows the arguments of a command.\n";
}

std::string programDir(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path().string();
}

} // namespace

int main(int argc, char** argv) {
    gProgramDir = programDir(argv[0]);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(std::cout);
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "korvane-cli " << KORVANE_VERSION << "\n";
        return kExitOk;
    }
    const auto it = commands().find(args[0]);
    if (it == commands().end()) {
        std::cerr << "korvane-cli: unknown command " << args[0] << " (try korvane-cli --help)\n";
        return kExitUsage;
    }
    args.erase(args.begin());
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << it->second.help;
            return kExitOk;
        }
    try {
        return it->second.run(args);
    } catch (const UsageError& e) {
        std::cerr << "korvane-cli " << it->first << ": " << e.message << " (see korvane-cli " << it->first
                  << " --help)\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
