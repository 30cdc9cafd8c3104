// A whole write and a whole read at the line rate (960 characters per second), through the simulated
// unit in this process and through korvane-unitsim --line-rate on a pseudo-terminal and the real
// serial port code: the time taken against the pure line time of the characters on the wire. Every
// transfer first waits for a quiet line (one second): over_pct leaves that second out,
// over_pct_quiet counts it. The target is at most 2 % over.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <benchmark/benchmark.h>

#include "io/config_file.h"
#include "io/link/transfers.h"
#include "sim/simulated_link.h"

using namespace korvane;

namespace {

Configuration good() {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    LoadFile(cfg, KORVANE_TEST_DATA "/Good.zeb");
    cfg.SysData[kSysFirmwareHigh] = 3;
    cfg.SysData[kSysFirmwareLow] = 0;
    return cfg;
}

double run(Transfer& t) {
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop; // sleeps between events: a polling loop would take the processor from the unit
    QObject::connect(&t, &Transfer::finished, &loop, &QEventLoop::quit);
    if (t.outcome() == TransferOutcome::Running)
        loop.exec();
    return static_cast<double>(clock.nsecsElapsed()) * 1e-9;
}

constexpr double kQuietSeconds = 1.0;

void report(benchmark::State& state, double seconds, double wireChars) {
    const double lineTime = wireChars / kLineBytesPerSecond;
    state.SetIterationTime(seconds);
    state.counters["line_s"] = lineTime;
    state.counters["over_pct"] = 100.0 * (seconds - kQuietSeconds - lineTime) / lineTime;
    state.counters["over_pct_quiet"] = 100.0 * (seconds - lineTime) / lineTime;
}

// The characters of a whole read: the request, 32-byte records of 77 characters over the image and
// the end record.
double readWireChars() {
    return static_cast<double>(kReadRequest.size() + (kSimImageEnd / 32) * 77 + kEndRecord.size());
}

// korvane-unitsim --pty --line-rate, serving a unit that holds `config` (none: an empty unit).
class PacedUnit {
public:
    explicit PacedUnit(const QString& config) {
        QStringList args{QStringLiteral("--pty"), QStringLiteral("--line-rate")};
        if (!config.isEmpty())
            args << QStringLiteral("--config") << config;
        tool_.start(QStringLiteral(KORVANE_BIN_DIR "/korvane-unitsim"), args);
        if (tool_.waitForReadyRead(5000))
            device_ = QString::fromLocal8Bit(tool_.readLine()).trimmed();
    }
    ~PacedUnit() {
        tool_.terminate();
        tool_.waitForFinished(5000);
    }
    QString device() const { return device_; }

private:
    QProcess tool_;
    QString device_;
};

void BM_WriteAtLineRate(benchmark::State& state) {
    for (auto _ : state) {
        Configuration cfg = good();
        SimulatedLink link(true);
        WriteTransfer write(link, cfg, DeviceClock{}, [](int) { return std::string(); });
        write.start();
        const double s = run(write);
        if (write.outcome() != TransferOutcome::Done)
            state.SkipWithError("the write failed");
        report(state, s, static_cast<double>(write.sent().size()) + 4); // + the verdict "0" CR LF BEL
    }
}

void BM_ReadAtLineRate(benchmark::State& state) {
    const Configuration cfg = good();
    for (auto _ : state) {
        SimulatedLink link(true);
        link.unit().setMemory(UnitSimulator::ImageOf(cfg, [](int) { return std::string(); }));
        Configuration target = cfg;
        ReadTransfer read(link, target, nullptr);
        read.start();
        const double s = run(read);
        if (read.outcome() != TransferOutcome::Done)
            state.SkipWithError("the read failed");
        // the request, then 32-byte records of 77 characters over 0x0000..0x3BFF and the end record
        report(state, s, readWireChars());
    }
}

void BM_WriteThroughPseudoTerminal(benchmark::State& state) {
    for (auto _ : state) {
        PacedUnit unit{QString()};
        if (unit.device().isEmpty()) {
            state.SkipWithError("korvane-unitsim gave no terminal");
            return;
        }
        Configuration cfg = good();
        SerialPortLink link(unit.device());
        WriteTransfer write(link, cfg, DeviceClock{}, [](int) { return std::string(); });
        write.start();
        const double s = run(write);
        if (write.outcome() != TransferOutcome::Done)
            state.SkipWithError(("the write failed: " + write.reason().toStdString()).c_str());
        report(state, s, static_cast<double>(write.sent().size()) + 4);
    }
}

void BM_ReadThroughPseudoTerminal(benchmark::State& state) {
    for (auto _ : state) {
        PacedUnit unit(QStringLiteral(KORVANE_TEST_DATA "/Good.zeb"));
        if (unit.device().isEmpty()) {
            state.SkipWithError("korvane-unitsim gave no terminal");
            return;
        }
        Configuration target = good();
        SerialPortLink link(unit.device());
        ReadTransfer read(link, target, [](int) { return true; });
        read.start();
        const double s = run(read);
        if (read.outcome() != TransferOutcome::Done)
            state.SkipWithError(("the read failed: " + read.reason().toStdString()).c_str());
        report(state, s, readWireChars());
    }
}

} // namespace

BENCHMARK(BM_WriteAtLineRate)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ReadAtLineRate)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_WriteThroughPseudoTerminal)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ReadThroughPseudoTerminal)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
