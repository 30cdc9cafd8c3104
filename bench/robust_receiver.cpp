// The receiver against every single-character fault of a whole answer: each character of the unit's
// answer to a read (of tests/data/Good.zeb) deleted, replaced by each of the 256 byte values, and each
// value inserted before it (and after the last). A fault the receiver takes as a complete read must
// leave the image exactly as the answer sent it; the program counts the faults taken and the
// complete reads with a wrong image, and fails when there is one. Run by `make robust`: it takes
// longer than a test may.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "io/config_file.h"
#include "io/hex_records.h"
#include "io/mem_map.h"
#include "sim/unit_simulator.h"

using namespace korvane;

namespace {

struct Tally {
    const char* what;
    long variants = 0;
    long taken = 0; // complete reads (a line end added or lost, a character after the end record)
    long wrong = 0; // complete reads whose image is not the one sent
};

std::string unitAnswer(const std::string& configPath) {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    const FileResult r = LoadFile(cfg, configPath);
    if (!r.ok()) {
        std::fprintf(stderr, "robust_receiver: %s\n", r.message().c_str());
        return {};
    }
    UnitSimulator unit;
    unit.setMemory(UnitSimulator::ImageOf(cfg, [](int) { return std::string(); }));
    unit.receive(kReadRequest);
    return unit.takeOutput();
}

} // namespace

int main(int argc, char** argv) {
    const std::string config = argc > 1 ? argv[1] : std::string(KORVANE_TEST_DATA) + "/Good.zeb";
    const std::string answer = unitAnswer(config);
    if (answer.empty())
        return 2;
    MemMapReceiver clean;
    clean.feed(answer);
    if (!clean.result().complete) {
        std::fprintf(stderr, "robust_receiver: the clean answer is not taken: %s\n", clean.result().reason.c_str());
        return 1;
    }
    const MemMap sent = clean.image();
    const auto start = std::chrono::steady_clock::now();

    Tally tallies[] = {{"deleted"}, {"replaced"}, {"inserted"}};
    // The read of the answer up to the edited character, taken once; each variant goes on from a copy.
    MemMapReceiver before;
    auto run = [&](Tally& t, std::string_view edit, std::string_view rest) {
        MemMapReceiver rx = before;
        rx.feed(edit);
        // Once a fault is seen the read cannot be complete: the rest changes nothing.
        for (std::size_t k = 0; k < rest.size() && rx.readError() == kReadOk; ++k)
            rx.Put_to_MemMap(static_cast<unsigned char>(rest[k]));
        ++t.variants;
        if (!rx.result().complete)
            return;
        ++t.taken;
        if (!std::equal(sent.begin(), sent.begin() + kReadImageEnd, rx.image().begin()))
            ++t.wrong;
    };
    for (std::size_t i = 0; i <= answer.size(); ++i) {
        const std::string_view rest = std::string_view(answer).substr(i);
        const std::string_view after = i < answer.size() ? rest.substr(1) : rest;
        if (i < answer.size())
            run(tallies[0], {}, after);
        for (int c = 0; c < 256; ++c) {
            const char ch = static_cast<char>(c);
            if (i < answer.size() && ch != answer[i])
                run(tallies[1], std::string_view(&ch, 1), after);
            run(tallies[2], std::string_view(&ch, 1), rest);
        }
        if (i < answer.size())
            before.Put_to_MemMap(static_cast<unsigned char>(answer[i]));
    }

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("robust_receiver: an answer of %zu characters (%s), %.1f s\n", answer.size(), config.c_str(), seconds);
    long wrong = 0;
    for (const Tally& t : tallies) {
        std::printf("  %-8s %9ld variants, %7ld taken, %ld taken with a wrong image\n", t.what, t.variants, t.taken,
                    t.wrong);
        wrong += t.wrong;
    }
    return wrong == 0 ? 0 : 1;
}
