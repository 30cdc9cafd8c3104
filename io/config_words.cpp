#include "io/config_words.h"

#include "io/config_json.h"
#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/differences.h"
#include "model/fact_catalogue.h"
#include "model/facts_calendar.h"
#include "model/facts_logic.h"
#include "model/master.h"
#include "model/roller.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// A value in the words a list of differences uses for it (caption with its context, value with its
// unit), the unit then taken apart again.
SettingWords settingWords(const ValueFact& fact, const Configuration& cfg, int channel, const TextLookup& text) {
    Difference d;
    d.channel = channel;
    d.fact = &fact;
    d.caption = CaptionOf(fact, cfg, channel);
    d.before = ReadValue(fact, cfg, channel);
    const DifferenceWords w = WordDifference(d, text);
    SettingWords s{fact.name, w.what, w.before, fact.unit ? text(fact.unit) : std::string(), d.before};
    const std::string suffix = " " + s.unit;
    if (!s.unit.empty() && s.value.size() > suffix.size() && s.value.ends_with(suffix))
        s.value.resize(s.value.size() - suffix.size());
    else
        s.unit.clear(); // a choice or "none": the words stand alone
    return s;
}

TextWords textWords(const TextFact& fact, const Configuration& cfg, int index, const TextLookup& text) {
    std::string caption = fact.caption ? text(fact.caption) : std::string();
    if (fact.number > 0)
        caption += " " + std::to_string(fact.number);
    return {fact.name, caption, ReadText(fact, cfg, index)};
}

std::vector<CellWords> cellsOf(const Configuration& cfg, int c, int type, const TextLookup& text) {
    std::vector<CellWords> cells;
    if (type == kTypeMaster || type == kTypeIntruderSiren) {
        const ValueFact& f = type == kTypeMaster ? facts::kMasterTarget : facts::kFlashTarget;
        for (int t = 0; t <= cfg.channelsInUse(); ++t)
            if (const int state = GetMaster(cfg, t, c); state == kMasterOff || state == kMasterOn)
                cells.push_back({Num_2_Channel(t), DescribeValue(f, state, text), state});
    } else if (type == kTypeRollerMaster) {
        for (int cell = 0; cell <= RmLastCell(cfg); ++cell)
            if (const int state = GetRmSt(cfg, c, cell); state == kRmSelected)
                cells.push_back({Num_2_Channel(2 * cell) + " - " + Num_2_Channel(2 * cell + 1),
                                 DescribeValue(facts::kRollerPair, state, text), state});
    }
    return cells;
}

ChannelWords channelWords(const Configuration& cfg, int c, const TextLookup& text) {
    ChannelWords ch;
    ch.channel = c;
    ch.type = cfg.channelType(c) & kTypeMask;
    ch.function = DescribeValue(facts::kChannelFunction, ch.type, text);
    ch.description = cfg.ChanText[static_cast<std::size_t>(c)];
    for (const ValueFact* f : FactsOfType(ch.type))
        ch.settings.push_back(settingWords(*f, cfg, c, text));
    if (EventOptionsShown(cfg, ch.type))
        for (const ValueFact* f : EventOptionFacts())
            ch.settings.push_back(settingWords(*f, cfg, c, text));
    ch.cells = cellsOf(cfg, c, ch.type, text);
    return ch;
}

AreaWords areaWords(const SystemArea& area, const Configuration& cfg, const TextLookup& text) {
    AreaWords a{text(area.heading), {}, {}};
    for (const ValueFact* f : area.values)
        a.settings.push_back(settingWords(*f, cfg, -1, text));
    for (const TextFact* f : area.texts)
        a.texts.push_back(textWords(*f, cfg, -1, text));
    return a;
}

// ---- JSON ----

std::string quoted(const std::string& cp1252) {
    return JsonString(cp1252);
}

std::string settingJson(const SettingWords& s) {
    return "{\"name\": " + quoted(s.name) + ", \"caption\": " + quoted(s.caption) + ", \"value\": " + quoted(s.value) +
           ", \"unit\": " + quoted(s.unit) + ", \"raw\": " + std::to_string(s.raw) + "}";
}

std::string textJson(const TextWords& t) {
    return "{\"name\": " + quoted(t.name) + ", \"caption\": " + quoted(t.caption) + ", \"text\": " + quoted(t.text) +
           "}";
}

std::string cellJson(const CellWords& c) {
    return "{\"item\": " + quoted(c.item) + ", \"value\": " + quoted(c.value) + ", \"raw\": " + std::to_string(c.raw) +
           "}";
}

std::string numberedJson(const NumberedWords& n, const char* key) {
    return "{\"number\": " + std::to_string(n.number) + ", \"" + key + "\": " + quoted(n.words) + "}";
}

// A list, one element a line at the indent given, the closing bracket one level out.
template <typename T, typename F> std::string list(const std::vector<T>& items, const std::string& indent, F each) {
    if (items.empty())
        return "[]";
    std::string out = "[\n";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += indent + each(items[i]) + (i + 1 < items.size() ? ",\n" : "\n");
    return out + indent.substr(2) + "]";
}

} // namespace

ConfigurationWords WordsOf(const Configuration& cfg, const TextLookup& text) {
    ConfigurationWords w;
    w.language = text(kTxtLanguageName);
    for (int c = 0; c <= cfg.channelsInUse(); ++c)
        if (!IsUnusedChannel(cfg, c))
            w.channels.push_back(channelWords(cfg, c, text));
    for (const SystemArea& area : SystemAreas())
        w.system.push_back(areaWords(area, cfg, text));
    w.system.push_back(areaWords(SmsArea(), cfg, text));
    for (int c = 0; c <= cfg.channelsInUse(); ++c)
        if (GetExchBit(cfg, c) == 1)
            w.exchangeMask.push_back(Num_2_Channel(c));
    for (int i = 0; i < kSysHolidayCount; ++i)
        if (HolidayInUse(cfg, i)) {
            const ValueFact& f = facts::kHolidayPeriods[static_cast<std::size_t>(i)];
            w.holidayPeriods.push_back({i + 1, DescribeValue(f, ReadValue(f, cfg, -1), text)});
        }
    for (int b = 0; b < kLogicBlocksUsed; ++b)
        if (LogicBlockOperates(cfg.LogicBlocks[static_cast<std::size_t>(b)])) {
            const ValueFact& f = facts::kLogicBlockFacts[static_cast<std::size_t>(b)];
            w.logicBlocks.push_back({b + 1, DescribeValue(f, ReadValue(f, cfg, -1), text)});
        }
    for (int page = 0; page < kLogicPages; ++page)
        if (const std::string& notes = ReadText(facts::kLogicNotes, cfg, page); !notes.empty())
            w.logicNotes.push_back({LogicPageFirstBlock(page) + 1, notes});
    return w;
}

std::string WordsJson(const ConfigurationWords& w) {
    const std::string i1 = "  ", i2 = "    ", i3 = "      ", i4 = "        ";
    std::string out = "{\n" + i1 + "\"format\": \"korvane-words\",\n" + i1 +
                      "\"version\": " + std::to_string(kWordsFormatVersion) + ",\n" + i1 +
                      "\"language\": " + quoted(w.language) + ",\n";
    out += i1 + "\"channels\": " +
           list(w.channels, i2,
                [&](const ChannelWords& c) {
                    return "{\n" + i3 + "\"channel\": " + quoted(Num_2_Channel(c.channel)) + ",\n" + i3 +
                           "\"type\": " + std::to_string(c.type) + ",\n" + i3 + "\"function\": " + quoted(c.function) +
                           ",\n" + i3 + "\"description\": " + quoted(c.description) + ",\n" + i3 +
                           "\"settings\": " + list(c.settings, i4, settingJson) + ",\n" + i3 +
                           "\"cells\": " + list(c.cells, i4, cellJson) + "\n" + i2 + "}";
                }) +
           ",\n";
    out += i1 + "\"system\": " +
           list(w.system, i2,
                [&](const AreaWords& a) {
                    return "{\n" + i3 + "\"area\": " + quoted(a.area) + ",\n" + i3 +
                           "\"settings\": " + list(a.settings, i4, settingJson) + ",\n" + i3 +
                           "\"texts\": " + list(a.texts, i4, textJson) + "\n" + i2 + "}";
                }) +
           ",\n";
    out += i1 + "\"exchangeMask\": " + list(w.exchangeMask, i2, quoted) + ",\n";
    out += i1 + "\"holidayPeriods\": " +
           list(w.holidayPeriods, i2, [](const NumberedWords& n) { return numberedJson(n, "period"); }) + ",\n";
    out += i1 + "\"logicBlocks\": " +
           list(w.logicBlocks, i2, [](const NumberedWords& n) { return numberedJson(n, "equation"); }) + ",\n";
    out += i1 +
           "\"logicNotes\": " + list(w.logicNotes, i2, [](const NumberedWords& n) { return numberedJson(n, "text"); }) +
           "\n";
    return out + "}\n";
}

} // namespace korvane
