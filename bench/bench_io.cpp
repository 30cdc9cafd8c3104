// Speed of the configuration file, the write stream and the receiver on a full configuration.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "io/config_file.h"
#include "io/hex_records.h"
#include "io/mem_map.h"

namespace {

using namespace korvane;

std::string goodFileText() {
    std::ifstream in(std::string(KORVANE_TEST_DATA) + "/Good.zeb", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Configuration goodConfiguration() {
    Configuration cfg;
    EditState st;
    ClearConfiguration(cfg, st);
    ReadConfigText(goodFileText(), cfg, "Good.zeb");
    return cfg;
}

std::string textOf(int n) {
    return n == kTextSmsLabel ? std::string(80, 'x') : std::string("Label");
}

// A unit answer: 32-byte records over the whole configuration memory, then the end record.
std::string fullAnswer() {
    MemMap image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<Byte>(i * 31 + 7);
    std::string out;
    for (int a = 0; a < 0x3C00; a += 32)
        out += DataRecord(a, std::span<const Byte>(image.data() + a, 32));
    return out + std::string(kEndRecord);
}

void BM_LoadFromText(benchmark::State& state) {
    const std::string text = goodFileText();
    Configuration cfg = goodConfiguration();
    for (auto _ : state) {
        FileResult r = ReadConfigText(text, cfg, "Good.zeb");
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadFromText);

void BM_SaveToText(benchmark::State& state) {
    Configuration cfg = goodConfiguration();
    for (auto _ : state) {
        std::string text = ConfigFileText(cfg);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_SaveToText);

void BM_SaveFileToDisk(benchmark::State& state) {
    Configuration cfg = goodConfiguration();
    const std::string path = (std::filesystem::temp_directory_path() / "korvane-bench.zeb").string();
    for (auto _ : state) {
        FileResult r = SaveFile(cfg, path);
        benchmark::DoNotOptimize(r);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveFileToDisk)->Unit(benchmark::kMicrosecond);

void BM_BuildWriteStream(benchmark::State& state) {
    const Configuration base = goodConfiguration();
    for (auto _ : state) {
        Configuration cfg = base;
        std::string stream = WriteStream(BuildWritePlan(cfg, DeviceClock{2026, 12, 6, 18, 33, 7, 7}, textOf));
        benchmark::DoNotOptimize(stream);
    }
}
BENCHMARK(BM_BuildWriteStream);

// A configuration whose every record is as long as it can be: 128 channels of 32-byte setup records.
Configuration fullConfiguration() {
    Configuration cfg = goodConfiguration();
    cfg.SysData[kSysChannelsInUse] = 127;
    for (int c = 0; c < kChannels; ++c)
        cfg.ChanSetup[c][kRowType] = 7; // master function: 31 setup bytes after the type byte
    return cfg;
}

Configuration blankConfiguration() {
    Configuration cfg;
    EditState st;
    ClearConfiguration(cfg, st);
    return cfg;
}

// The characters a write puts on the line and their line time at 960 characters per second (the
// verdict's few characters not counted). Every text slot is sent whatever it holds, so a blank and a
// full configuration differ only in the channel setup records.
void BM_WireTime(benchmark::State& state) {
    const Configuration base = state.range(0) == 0 ? blankConfiguration() : fullConfiguration();
    std::size_t chars = 0;
    for (auto _ : state) {
        Configuration cfg = base;
        chars = WriteStream(BuildWritePlan(cfg, DeviceClock{2026, 12, 6, 18, 33, 7, 7}, textOf)).size();
        benchmark::DoNotOptimize(chars);
    }
    state.SetLabel(state.range(0) == 0 ? "blank" : "full");
    state.counters["wire_chars"] = static_cast<double>(chars);
    state.counters["line_s"] = static_cast<double>(chars) / 960.0;
}
BENCHMARK(BM_WireTime)->Arg(0)->Arg(1);

void BM_ParseFullImage(benchmark::State& state) {
    const std::string answer = fullAnswer();
    MemMapReceiver rx;
    Configuration cfg = goodConfiguration();
    for (auto _ : state) {
        rx.reset();
        rx.feed(answer);
        UnpackImage(rx.image(), cfg);
        benchmark::DoNotOptimize(cfg);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * answer.size()));
}
BENCHMARK(BM_ParseFullImage);

} // namespace

BENCHMARK_MAIN();
