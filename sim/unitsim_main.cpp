// korvane-unitsim: the simulated master unit on a pseudo-terminal, for trying File > Read and Write
// and korvane-cli without hardware. It prints the terminal's path and serves until it is stopped.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

#include "io/config_file.h"
#include "sim/unit_simulator.h"

namespace {

using namespace korvane;
using Clock = std::chrono::steady_clock;

constexpr double kLineBytesPerSecond = 960.0; // 9600 baud, 10 bits per character

volatile std::sig_atomic_t gStop = 0;

void onSignal(int) {
    gStop = 1;
}

int usage(const char* why) {
    if (why)
        std::cerr << "korvane-unitsim: " << why << "\n";
    std::cerr << "usage: korvane-unitsim --pty [--config FILE] [--fault NAME] [--line-rate] [--save FILE.zeb]\n"
                 "Serves a simulated master unit on a pseudo-terminal and prints its path.\n"
                 "  --config FILE  start from the memory a unit written with FILE holds (default: empty)\n"
                 "  --fault NAME   misbehave:";
    for (UnitFault f : AllUnitFaults())
        std::cerr << " " << UnitFaultName(f);
    std::cerr << "\n  --line-rate    move the characters at 960 per second, as a real line does\n"
                 "  --save FILE    after each completed write, save the unit's memory as a configuration file\n";
    return 2;
}

// Paces one direction at the line rate: how many characters may move now.
struct Pace {
    bool on = false;
    Clock::time_point start = Clock::now();
    double moved = 0;
    std::size_t allowance() {
        if (!on)
            return static_cast<std::size_t>(-1);
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const double due = elapsed * kLineBytesPerSecond - moved;
        if (due < -1) // idle time is not saved up
            return 0;
        if (due > 64) {
            start = Clock::now();
            moved = 0;
            return 64;
        }
        return due < 1 ? 0 : static_cast<std::size_t>(due);
    }
    void took(std::size_t n) { moved += static_cast<double>(n); }
};

bool saveMemory(const MemMap& memory, const std::string& path) {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    TakeReadImage(memory, cfg);
    const FileResult r = SaveFile(cfg, path);
    if (!r.ok())
        std::cerr << "korvane-unitsim: " << r.message() << "\n";
    return r.ok();
}

} // namespace

int main(int argc, char** argv) {
    bool pty = false;
    bool lineRate = false;
    std::string config, save;
    UnitFault fault = UnitFault::None;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (a == "--pty") {
            pty = true;
        } else if (a == "--line-rate") {
            lineRate = true;
        } else if (a == "--config" || a == "--save" || a == "--fault") {
            const char* v = value();
            if (!v)
                return usage(("option " + a + " needs a value").c_str());
            if (a == "--config")
                config = v;
            else if (a == "--save")
                save = v;
            else if (const auto f = UnitFaultFromName(v))
                fault = *f;
            else
                return usage(("unknown fault " + std::string(v)).c_str());
        } else if (a == "--help" || a == "-h") {
            usage(nullptr);
            return 0;
        } else {
            return usage(("unknown argument " + a).c_str());
        }
    }
    if (!pty)
        return usage("--pty is the only way to serve the unit");

    UnitSimulator unit(fault);
    if (!config.empty()) {
        Configuration cfg;
        EditState state;
        ClearConfiguration(cfg, state);
        const FileResult r = LoadFile(cfg, config);
        if (!r.ok()) {
            std::cerr << "korvane-unitsim: " << r.message() << "\n";
            return 1;
        }
        unit.setMemory(UnitSimulator::ImageOf(cfg, [](int) { return std::string(); }));
    }

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::cerr << "korvane-unitsim: cannot make a pseudo-terminal: " << std::strerror(errno) << "\n";
        return 1;
    }
    const std::string slavePath = ptsname(master);
    // Hold the terminal open in raw mode: no echo, no line editing, and no hang-up between the
    // program's transfers (each opens and closes the port).
    const int slave = open(slavePath.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    if (slave < 0 || tcgetattr(slave, &tio) != 0) {
        std::cerr << "korvane-unitsim: cannot open " << slavePath << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::cout << slavePath << std::endl;

    Pace in{lineRate}, out{lineRate};
    std::string outgoing;
    int writesSaved = 0;
    char buf[512];
    while (!gStop) {
        // Only what the line may carry now is taken from the terminal: no spinning while paced.
        const std::size_t mayRead = std::min(in.allowance(), sizeof buf);
        const short events = static_cast<short>((mayRead > 0 ? POLLIN : 0) | (outgoing.empty() ? 0 : POLLOUT));
        pollfd p{master, events, 0};
        poll(&p, 1, lineRate ? 5 : 50);
        if (mayRead > 0) {
            const ssize_t n = read(master, buf, mayRead);
            if (n > 0) {
                in.took(static_cast<std::size_t>(n));
                unit.receive(std::string_view(buf, static_cast<std::size_t>(n)));
            }
        }
        outgoing += unit.takeOutput();
        const std::size_t mayWrite = std::min(out.allowance(), outgoing.size());
        if (mayWrite > 0) {
            const ssize_t n = write(master, outgoing.data(), mayWrite);
            if (n > 0) {
                out.took(static_cast<std::size_t>(n));
                outgoing.erase(0, static_cast<std::size_t>(n));
            }
        }
        if (!save.empty() && unit.writesCompleted() > writesSaved) {
            writesSaved = unit.writesCompleted();
            saveMemory(unit.memory(), save);
        }
    }
    close(slave);
    close(master);
    return 0;
}
