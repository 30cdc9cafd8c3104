// Replays the seed corpus of a fuzz harness as an ordinary test, so every build runs the harnesses'
// properties under the sanitizers: each seed whole, cut short at several points, and oversized.
// replay DIR-OR-FILE...

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

constexpr int kCuts = 12; // cut points spread over each seed

// The seed whole, cut short at each cut point, doubled and followed by bytes no answer holds: the
// number of inputs run.
int replay(const std::string& bytes) {
    std::vector<std::string> inputs{bytes, bytes + bytes, bytes + std::string(4096, '\xff')};
    for (int k = 1; k < kCuts && bytes.size() > 1; ++k)
        inputs.push_back(bytes.substr(0, bytes.size() * static_cast<std::size_t>(k) / kCuts));
    for (const std::string& in : inputs)
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(in.data()), in.size());
    return static_cast<int>(inputs.size());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> seeds;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path p = argv[i];
        if (!std::filesystem::is_directory(p))
            seeds.push_back(p);
        else
            for (const auto& e : std::filesystem::directory_iterator(p))
                if (e.is_regular_file())
                    seeds.push_back(e.path());
    }
    std::sort(seeds.begin(), seeds.end());
    if (seeds.empty()) {
        std::cerr << "replay: no seeds found\n";
        return 1;
    }
    long inputs = 0;
    for (const auto& seed : seeds) {
        std::ifstream in(seed, std::ios::binary);
        inputs += replay({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    }
    std::cout << "replayed " << seeds.size() << " seeds as " << inputs << " inputs\n";
    return 0;
}
