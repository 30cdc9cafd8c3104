#include "io/transfer_job.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace korvane {

namespace {
constexpr int kQuietSeconds = 1; // a transfer starts once the line has been quiet for a second
}

JobProgress::JobProgress(std::vector<std::int64_t> phaseCharacters) : weights_(std::move(phaseCharacters)) {
    for (std::int64_t& w : weights_)
        w = std::max<std::int64_t>(w, 1);
}

void JobProgress::begin(int index, std::int64_t expected) {
    if (index < 0 || index >= phases())
        return;
    phase_ = index;
    done_ = 0;
    if (expected > 0)
        weights_[static_cast<std::size_t>(index)] = expected;
}

void JobProgress::update(std::int64_t done) {
    if (phases() == 0)
        return;
    done_ = std::clamp<std::int64_t>(done, 0, weights_[static_cast<std::size_t>(phase_)]);
}

int JobProgress::permille() const {
    if (phases() == 0)
        return 0;
    const std::int64_t total = std::accumulate(weights_.begin(), weights_.end(), std::int64_t{0});
    const std::int64_t before = std::accumulate(weights_.begin(), weights_.begin() + phase_, std::int64_t{0});
    return static_cast<int>((before + done_) * 1000 / total);
}

int JobProgress::secondsLeft(double charactersPerSecond) const {
    if (charactersPerSecond <= 0 || phases() == 0)
        return -1;
    const std::int64_t after = std::accumulate(weights_.begin() + phase_ + 1, weights_.end(), std::int64_t{0});
    const std::int64_t left = weights_[static_cast<std::size_t>(phase_)] - done_ + after;
    const int quiet = kQuietSeconds * (phases() - phase_ - 1);
    return static_cast<int>(std::ceil(static_cast<double>(left) / charactersPerSecond)) + quiet;
}

std::string JobProgress::phasePrefix() const {
    if (phases() < 2)
        return {};
    return std::to_string(phase_ + 1) + "/" + std::to_string(phases()) + " ";
}

std::string MinutesSeconds(int seconds) {
    seconds = std::max(seconds, 0);
    const int s = seconds % 60;
    return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

} // namespace korvane
