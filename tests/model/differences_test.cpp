#include <gtest/gtest.h>

#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/differences.h"
#include "model/fact_catalogue.h"
#include "model/roller.h"
#include "tests/model/table_names.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

// A3/A4 a roller blind, A6 a real-time channel, B1 an analogue sensor, B2 a mono, B3 a timer.
Configuration base() {
    Configuration cfg = blankConfiguration();
    SetChannelType(cfg, 2, kTypeRoller);
    SetRollerReverseTime(cfg.ChanSetup[2], 1000);
    SetChannelType(cfg, 5, kTypeRealTime);
    SetChannelType(cfg, 8, kTypeAnalogGeneral);
    SetChannelType(cfg, 9, kTypeMono);
    SetChannelType(cfg, 10, kTypeTimerDelay);
    // B2 "Flur", B3's time 10 s, intruder siren 3 min., holiday period 3 24.12.-26.12., D4 = B2 And X3
    applySettings(cfg, "text B2=Flur; B3.1=10; sys 16=3; sys 104=0x12; sys 105=0x24; sys 106=0x12; sys 107=0x26");
    applySettings(cfg, "logic 4.0=27; logic 4.1=9; logic 4.2=130; logic 4.3=4");
    return cfg;
}

std::vector<std::string> lines(const Configuration& a, const Configuration& b, const TextLookup& text) {
    std::vector<std::string> out;
    for (const Difference& d : CompareFacts(a, b, CompareScope::File))
        out.push_back(CompareLine(WordDifference(d, text)));
    return out;
}

} // namespace

TEST(CompareFacts, eachChangeIsOneLineInThePagesWordsAndWhatNoPageShowsIsNone) {
    const TextLookup english = shippedTexts("English.dat");
    const TextLookup german = shippedTexts("Deutsch.dat");
    EXPECT_TRUE(CompareFacts(base(), base(), CompareScope::File).empty());
    for (const auto& c : dataTable("model_differences.txt", 5)) {
        SCOPED_TRACE(c[0]);
        Configuration a = base();
        applySettings(a, c[1]);
        Configuration b = a;
        applySettings(b, c[2]);
        // Several lines are split by " ¶ ".
        const auto expected = [](const std::string& field) {
            std::vector<std::string> out;
            for (std::size_t i = 0; i < field.size();) {
                const std::size_t end = std::min(field.find(" \u00b6 ", i), field.size());
                out.push_back(field.substr(i, end - i));
                i = end + std::string(" \u00b6 ").size();
            }
            return out;
        };
        EXPECT_EQ(lines(a, b, english), expected(c[3]));
        EXPECT_EQ(lines(a, b, german), expected(c[4]));
    }
}

// Holiday periods 9..16 are never read back from a unit.
TEST(CompareFacts, theUnitScopeLeavesOutWhatAUnitNeverGivesBack) {
    const Configuration a = base();
    Configuration b = a;
    b.SysData[HolidayByte(9, kHolidayFirstMonth)] = 1;
    EXPECT_EQ(CompareFacts(a, b, CompareScope::File).size(), 1u);
    EXPECT_TRUE(CompareFacts(a, b, CompareScope::Unit).empty());
}

// Every value a page shows is named when it changes: a fact that no comparison reaches fails here.
TEST(CompareFacts, everyValueOfEveryFunctionAndSystemAreaIsNamedWhenItChanges) {
    const auto changed = [](const ValueFact& f, int v) { return v != f.minimum ? f.minimum : f.maximum; };
    int checked = 0;
    for (const TypeInfo& info : ChannelTypes()) {
        if (info.channelsUsed == 0)
            continue;
        Configuration a = blankConfiguration();
        ASSERT_FALSE(SetChannelType(a, 20, info.code).empty()) << info.code;
        std::vector<const ValueFact*> values(FactsOfType(info.code).begin(), FactsOfType(info.code).end());
        if (EventOptionsCount(a, 20))
            values.insert(values.end(), EventOptionFacts().begin(), EventOptionFacts().end());
        for (const ValueFact* f : values) {
            if (!FactShown(*f, a, 20))
                continue;
            Configuration b = a;
            const int v = ReadValue(*f, a, 20);
            StoreValue(*f, b, 20, changed(*f, v));
            ASSERT_NE(ReadValue(*f, b, 20), v) << f->name;
            EXPECT_FALSE(CompareFacts(a, b, CompareScope::File).empty()) << f->name << " of function " << info.code;
            ++checked;
        }
    }
    for (const SystemArea& area : SystemAreas())
        for (const ValueFact* f : area.values) {
            const Configuration a = blankConfiguration();
            Configuration b = a;
            StoreValue(*f, b, -1, changed(*f, ReadValue(*f, a, -1)));
            EXPECT_FALSE(CompareFacts(a, b, CompareScope::File).empty()) << f->name;
            ++checked;
        }
    EXPECT_GT(checked, 100);
}
