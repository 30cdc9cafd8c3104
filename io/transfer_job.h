#pragma once
// One job on the serial line is one or more transfers in a row (File > Write: the backup read, the
// write, the read-back). The user follows it as one: one progress over the whole job, the phase named
// ("2/3 ..."), and the time it still needs at the line rate.

#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

class JobProgress {
public:
    // The characters each phase is expected to move over the line, in the order they run.
    explicit JobProgress(std::vector<std::int64_t> phaseCharacters = {});

    int phases() const { return static_cast<int>(weights_.size()); }
    // The phase under way, 0 for the first.
    int phase() const { return phase_; }
    // Phase `index` begins; `expected`: its characters as its transfer knows them now (0: the estimate
    // stands). The phases before it are done.
    void begin(int index, std::int64_t expected);
    // The characters the phase under way has moved so far.
    void update(std::int64_t done);
    // How far the whole job is, in thousandths.
    int permille() const;
    // The seconds the job still needs at this many characters a second, with the quiet second every
    // transfer waits for before it starts; -1 when the line takes no time (the unpaced simulated unit).
    int secondsLeft(double charactersPerSecond) const;
    // "2/3 " before the name of the phase under way when the job has several phases, else "".
    std::string phasePrefix() const;

private:
    std::vector<std::int64_t> weights_;
    int phase_ = 0;
    std::int64_t done_ = 0;
};

// A duration as minutes and seconds: 75 -> "1:15".
std::string MinutesSeconds(int seconds);

} // namespace korvane
