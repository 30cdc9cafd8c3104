// Speed of the report layout with a description near the size a file may carry: the channel list laid
// out on a real PDF page, its text measured by the fonts the printer uses. A layout that measures the
// rest of a long text again for every line takes minutes here; a linear one well under a second for
// 200 000 characters.

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>

#include "reports/qt/report_output.h"
#include "reports/report_catalogue.h"

namespace {

using namespace korvane;

void channelListWithLongDescription(benchmark::State& state, bool words) {
    Configuration cfg;
    EditState st;
    ClearConfiguration(cfg, st);
    const auto length = static_cast<std::size_t>(state.range(0));
    std::string text(length, 'x');
    if (words)
        for (std::size_t i = 7; i < length; i += 8)
            text[i] = ' ';
    cfg.ChanText[0] = text;
    const DeviceClock clock{2026, 12, 6, 18, 33, 7, 7};
    const ReportInput in{cfg, [](int) { return std::string("Text"); }, "Long.zeb", clock, false};
    for (auto _ : state) {
        QByteArray document;
        QBuffer buffer(&document);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        const OutputOutcome o = DrawReports(writer, in, {ReportKind::ChannelList}, {0, 0});
        benchmark::DoNotOptimize(o.outcome);
    }
    state.SetComplexityN(state.range(0));
}

void BM_ChannelListOneLongWord(benchmark::State& state) {
    channelListWithLongDescription(state, false);
}
void BM_ChannelListLongText(benchmark::State& state) {
    channelListWithLongDescription(state, true);
}

BENCHMARK(BM_ChannelListOneLongWord)
    ->RangeMultiplier(2)
    ->Range(25000, 200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_ChannelListLongText)
    ->RangeMultiplier(2)
    ->Range(25000, 200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
