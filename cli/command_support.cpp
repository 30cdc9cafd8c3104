#include "cli/command_support.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "io/atomic_file.h"

namespace korvane::cli {

namespace {

std::string gProgramDir;

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

} // namespace

void SetProgramDir(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv0, ec);
    gProgramDir = exe.parent_path().string();
}

const std::string& ProgramDir() {
    return gProgramDir;
}

int Fail(const std::string& line) {
    std::cerr << "korvane-cli: " << line << "\n";
    return kExitFailed;
}

std::optional<Configuration> LoadForUse(const std::string& path, std::string& error) {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    const FileResult r = LoadFile(cfg, path);
    if (r.ok())
        return cfg;
    error = r.message();
    return std::nullopt;
}

DeviceClock ClockOption(const Arguments& a) {
    if (!a.has("--clock"))
        return localClock();
    const auto parsed = parseClock(a.value("--clock"));
    if (!parsed)
        throw UsageError{Say(kTxtCliWants, {"--clock", "YYYY-MM-DDTHH:MM:SS", a.value("--clock")})};
    return *parsed;
}

std::string OutputPath(const Arguments& a) {
    const std::string out = a.value("-o");
    return out == "-" ? "/dev/stdout" : out;
}

int WriteOutput(const Arguments& a, const std::string& bytes) {
    if (!a.has("-o")) {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::cout.flush();
        return std::cout ? kExitOk : Fail("cannot write to the standard output");
    }
    const std::string out = OutputPath(a);
    const WriteOutcome w = WriteFileAtomically(out, bytes);
    if (w.ok)
        return kExitOk;
    // Every line names the file, as a saved configuration's does.
    return Fail(w.reason.find(out) == std::string::npos ? out + ": " + w.reason : w.reason);
}

} // namespace korvane::cli
