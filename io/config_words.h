#pragma once
// A configuration in words, for scripts: each channel in use with its function, description and
// settings as its page shows them, the system areas likewise, the selected grid cells, the holiday
// periods and logic blocks in use (a block as its equation). All of it read through the value facts,
// in a language's words; the JSON of it is a documented, versioned format (korvane-cli dump --words).

#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/vocabulary.h"

namespace korvane {

// The version of the JSON: raised whenever a key is renamed or removed or a value changes its meaning;
// new keys may come without it.
constexpr int kWordsFormatVersion = 1;

// One value as its page shows it: the fact's name (stable, English), the caption, the value and its unit
// (apart; the unit empty where the value is a choice or has none) and the stored number.
struct SettingWords {
    std::string name;
    std::string caption;
    std::string value;
    std::string unit;
    int raw = 0;
};

// A free text: the fact's name, its caption and the text.
struct TextWords {
    std::string name;
    std::string caption;
    std::string text;
};

// A grid cell that selects something: the channel or blind pair and its state ("B1", "On").
struct CellWords {
    std::string item;
    std::string value;
    int raw = 0;
};

struct ChannelWords {
    int channel = 0; // 0..127
    int type = 0;
    std::string function;
    std::string description;
    std::vector<SettingWords> settings; // the type's facts in page order, then the event options shown
    std::vector<CellWords> cells; // the targets a master or flash pattern switches, the pairs a roller master moves
};

struct AreaWords {
    std::string area;
    std::vector<SettingWords> settings;
    std::vector<TextWords> texts;
};

struct NumberedWords {
    int number = 0; // 1-based
    std::string words;
};

struct ConfigurationWords {
    std::string language;
    std::vector<ChannelWords> channels; // the channels in use up to the highest channel
    std::vector<AreaWords> system;      // the main setup, the alarms, the common siren, the SMS settings
    std::vector<std::string> exchangeMask;
    std::vector<NumberedWords> holidayPeriods;
    std::vector<NumberedWords> logicBlocks; // the blocks that operate, as equations
    std::vector<NumberedWords> logicNotes;  // by the first block of their page
};

// All texts in Windows-1252, as the language gives them.
ConfigurationWords WordsOf(const Configuration& cfg, const TextLookup& text);

// The JSON (UTF-8, two spaces of indent, keys in a fixed order, ending with a line end).
std::string WordsJson(const ConfigurationWords& words);

} // namespace korvane
