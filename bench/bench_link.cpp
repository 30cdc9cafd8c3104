// A whole write and a whole read through the simulated unit at the line rate (960 characters per
// second): the time taken against the pure line time of the characters on the wire. The target is
// at most 2 % over.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include "io/config_file.h"
#include "sim/simulated_link.h"
#include "io/link/transfers.h"

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
    while (t.outcome() == TransferOutcome::Running)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return static_cast<double>(clock.nsecsElapsed()) * 1e-9;
}

void report(benchmark::State& state, double seconds, double wireChars) {
    const double lineTime = wireChars / kLineBytesPerSecond;
    state.SetIterationTime(seconds);
    state.counters["line_s"] = lineTime;
    state.counters["over_pct"] = 100.0 * (seconds - lineTime) / lineTime;
}

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
        report(state, s, static_cast<double>(kReadRequest.size() + (kSimImageEnd / 32) * 77 + kEndRecord.size()));
    }
}

} // namespace

BENCHMARK(BM_WriteAtLineRate)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ReadAtLineRate)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
