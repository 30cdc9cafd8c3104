#pragma once
// The differences between two configurations in the user's words: each value a page shows, read
// through its fact and compared as the page would show it, per channel in matrix order and then per
// system area. Bytes no fact of the channel's type stands for, the bytes the program derives when it
// writes, the clock and the firmware version are not differences.

#include <string>
#include <vector>

#include "model/value_facts.h"
#include "model/vocabulary.h"

namespace korvane {

struct Difference {
    int channel = -1;                   // the channel it belongs to; -1: a system area
    int type = -1;                      // the channel's function on the first side; -1 when it is the difference
    int area = 0;                       // a system area: the language text of its heading
    int areaNumber = 0;                 // a number after the heading ("Logic block 5"), 0: none
    const ValueFact* fact = nullptr;    // a value ...
    const TextFact* textFact = nullptr; // ... or a text
    int caption = 0;                    // the caption as the page shows it here (0: the fact has none)
    int item = -1;                      // a grid cell: the target channel, the blind pair or the channel
    int before = 0;                     // the values, read through the fact
    int after = 0;
    bool added = false;     // a setting of a new function: only the second side's value counts
    std::string beforeText; // the texts (Windows-1252)
    std::string afterText;
};

// What is compared: everything a configuration file keeps, or what a unit keeps and a read returns
// (holiday periods 9..16 are written to the unit but never read back).
enum class CompareScope { File, Unit };

// The differences from `first` to `second`, in matrix order and then per system area: channel
// function, the values of the function's facts, its event options, its grid and its description;
// the main setup, the alarm times, the common siren, the data exchange mask, the holiday periods, the
// logic blocks and their notes, the SMS settings. Channels above a configuration's number of
// channels count as unused in it, as a save or a write leaves them.
std::vector<Difference> CompareFacts(const Configuration& first, const Configuration& second, CompareScope scope);

// A difference in the words of a language (Windows-1252): the heading it belongs under ("A3 Roller
// blind", "Basic setup", "Logic block 5"), what changed ("Reverse time"; empty where the heading says
// it all) and the two values with their units ("1000 ms").
struct DifferenceWords {
    std::string heading;
    std::string what;
    std::string before; // empty for a setting of a new function
    std::string after;
    bool added = false;
};
DifferenceWords WordDifference(const Difference& d, const TextLookup& text);

// One line of a comparison in UTF-8: "A3 Roller blind: Reverse time 1000 ms → 1500 ms"; a setting of a
// new function only with its new value: "B2 Flip-flop: Part of the intruder alarm → yes".
std::string CompareLine(const DifferenceWords& w);
// One line of a verify in UTF-8, the unit's value first: "A1 Mono: Description unit 'Doorhen',
// written 'Door'" (the words "unit" and "written" from the language).
std::string VerifyLine(const DifferenceWords& w, const TextLookup& text);

} // namespace korvane
