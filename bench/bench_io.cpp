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
