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
    // Asked for (--help): the usage on standard output; a wrong use: the reason and the usage on standard error.
    std::ostream& out = why ? std::cerr : std::cout;
    if (why)
        out << "korvane-unitsim: " << why << "\n";
    out << "usage: korvane-unitsim --pty [--config FILE] [--fault NAME] [--line-rate] [--save FILE.zeb]\n"
           "       korvane-unitsim --print-read-answer [--config FILE] [--fault NAME]\n"
           "       korvane-unitsim --help | --version\n"
           "Serves a simulated master unit on a pseudo-terminal and prints its path, or prints the unit's\n"
           "answer to a read request (a capture for korvane-cli import-hex).\n"
           "  --config FILE  start from the memory a unit written with FILE holds (default: empty)\n"
           "  --fault NAME   misbehave:";
    for (UnitFault f : AllUnitFaults())
        out << " " << UnitFaultName(f);
    out << "\n  --line-rate    move the characters at 960 per second, as a real line does\n"
           "  --save FILE    after each completed write, save the unit's memory as a configuration file\n";
    return 2;
}

// One direction of the line. The line is free again at `free`; paced, a character may start only when
// the line is free. The characters follow the clock: while the direction has more to carry, a loop that
// comes late moves all that the line would have carried meanwhile (up to a second), so the rate holds
// under load. Time the direction was idle (its source ran dry) is not saved up. Unpaced, characters
// move at once.
struct Pace {
    bool on = false;
    Clock::time_point free = Clock::now();
    bool dry = true; // the last move emptied what there was to carry
    static constexpr auto kMostLate = std::chrono::seconds(1);

    Clock::time_point base(Clock::time_point now) const {
        return dry ? std::max(free, now) : std::max(free, now - kMostLate);
    }
    // Characters that may move now.
    std::size_t allowance(Clock::time_point now) const {
        if (!on)
            return static_cast<std::size_t>(-1);
        const Clock::time_point from = base(now);
        if (from > now)
            return 0;
        return 1 + static_cast<std::size_t>(std::chrono::duration<double>(now - from).count() * kLineBytesPerSecond);
    }
    // `n` characters moved of the `waiting` there were.
    void took(std::size_t n, std::size_t waiting, Clock::time_point now) {
        const bool allowedAll = n >= allowance(now);
        free = base(now) + std::chrono::duration_cast<Clock::duration>(
                               std::chrono::duration<double>(static_cast<double>(n) / kLineBytesPerSecond));
        dry = n >= waiting && !allowedAll;
    }
    // Milliseconds until the line is free (0: it is).
    int wait(Clock::time_point now) const {
        return free <= now ? 0 : static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(free - now).count());
    }
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
    bool printAnswer = false;
    bool lineRate = false;
    std::string config, save;
    UnitFault fault = UnitFault::None;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (a == "--pty") {
            pty = true;
        } else if (a == "--print-read-answer") {
            printAnswer = true;
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
        } else if (a == "--version") {
            std::cout << "korvane-unitsim " << KORVANE_VERSION << "\n";
            return 0;
        } else {
            return usage(("unknown argument " + a).c_str());
        }
    }
    if (pty == printAnswer)
        return usage("give either --pty or --print-read-answer");

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

    if (printAnswer) {
        unit.receive(kReadRequest);
        const std::string answer = unit.takeOutput();
        std::cout.write(answer.data(), static_cast<std::streamsize>(answer.size()));
        return std::cout.flush() ? 0 : 1;
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

    // The unit takes characters at the line rate either way. Paced, the terminal is read only as the
    // line carries them, so it holds the rest as a real port does; unpaced, it is read at once and the
    // characters wait here. Paced, answers go out at the line rate too; unpaced, at once.
    Pace in{true}, out{lineRate};
    std::string incoming; // read from the terminal, not yet through the line
    std::string outgoing;
    int writesSaved = 0;
    char buf[512];
    while (!gStop) {
        // Each direction waits on the clock, not on the terminal, so the loop sleeps between
        // characters instead of spinning.
        Clock::time_point now = Clock::now();
        const bool mayRead = !lineRate || (incoming.empty() && in.allowance(now) > 0);
        const bool mayWrite = !outgoing.empty() && out.allowance(now) > 0;
        int timeout = 50;
        if (!incoming.empty() || (lineRate && !mayRead))
            timeout = std::min(timeout, std::max(1, in.wait(now)));
        if (!outgoing.empty() && !mayWrite)
            timeout = std::min(timeout, std::max(1, out.wait(now)));
        pollfd p{master, static_cast<short>((mayRead ? POLLIN : 0) | (mayWrite ? POLLOUT : 0)), 0};
        if (poll(&p, 1, timeout) < 0 && errno != EINTR)
            break;
        now = Clock::now();
        if ((p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 && (p.revents & POLLIN) == 0)
            poll(nullptr, 0, 10); // no reader on the terminal: wait rather than spin
        if (p.revents & POLLIN) {
            const ssize_t n = read(master, buf, lineRate ? std::min(in.allowance(now), sizeof buf) : sizeof buf);
            if (n > 0)
                incoming.append(buf, static_cast<std::size_t>(n));
        }
        if (const std::size_t n = std::min(in.allowance(now), incoming.size()); n > 0) {
            in.took(n, incoming.size(), now);
            unit.receive(std::string_view(incoming.data(), n));
            incoming.erase(0, n);
        }
        outgoing += unit.takeOutput();
        if ((p.revents & POLLOUT) || (!lineRate && !outgoing.empty())) {
            const ssize_t n = write(master, outgoing.data(), std::min(out.allowance(now), outgoing.size()));
            if (n > 0) {
                out.took(static_cast<std::size_t>(n), outgoing.size(), now);
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
