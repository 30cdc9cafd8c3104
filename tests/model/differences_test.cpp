#include <gtest/gtest.h>

#include "model/analog.h"
#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/differences.h"
#include "model/logic.h"
#include "model/roller.h"
#include "model/timer.h"
#include "tests/model/table_names.h"
#include "tests/support/io_test_support.h"

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
    cfg.ChanText[9] = "Flur";
    SetChannelType(cfg, 10, kTypeTimerDelay);
    cfg.ChanSetup[10][kTimerTime1] = 10;
    cfg.SysData[kSysIntruderSirenTime] = 3;
    cfg.SysData[HolidayByte(2, kHolidayFirstMonth)] = 0x12;
    cfg.SysData[HolidayByte(2, kHolidayFirstDay)] = 0x24;
    cfg.SysData[HolidayByte(2, kHolidayLastMonth)] = 0x12;
    cfg.SysData[HolidayByte(2, kHolidayLastDay)] = 0x26;
    cfg.LogicBlocks[4] = {27, 9, 130, 4}; // D4 = B2 And X3
    return cfg;
}

std::vector<std::string> lines(const Configuration& a, const Configuration& b, const TextLookup& text) {
    std::vector<std::string> out;
    for (const Difference& d : CompareFacts(a, b, CompareScope::File))
        out.push_back(CompareLine(WordDifference(d, text)));
    return out;
}

// Applies settings of tests/data/model_differences.txt ("A3.6=255; sys 11=63; text B2=Flur").
void apply(Configuration& cfg, const std::string& settings) {
    for (const std::string& setting : splitOn(settings, ';')) {
        const std::size_t equals = setting.find('=');
        const std::size_t space = setting.find(' ');
        const bool named = space < equals;
        const std::string area = named ? setting.substr(0, space) : "row";
        const std::string place = setting.substr(named ? space + 1 : 0, equals - (named ? space + 1 : 0));
        const std::string value = setting.substr(equals + 1);
        const std::size_t dot = place.find('.');
        const int index = std::isalpha(place[0]) ? channelNamed(place.substr(0, dot)) : std::stoi(place);
        const int column = dot == std::string::npos ? 0 : std::stoi(place.substr(dot + 1));
        Byte* byte = area == "row"      ? &cfg.ChanSetup[index][column]
                     : area == "master" ? &cfg.MasterMatrix[index][column]
                     : area == "logic"  ? &cfg.LogicBlocks[index][column]
                     : area == "sys"    ? &cfg.SysData[index]
                     : area == "flags"  ? &cfg.ChanFlags[index]
                                        : nullptr;
        std::string* text = area == "text" ? &cfg.ChanText[index] : area == "sms" ? &cfg.SmsText[index] : nullptr;
        if (byte)
            *byte = static_cast<Byte>(std::stoi(value, nullptr, 0));
        else if (text)
            *text = value;
        else
            ADD_FAILURE() << "no area " << area;
    }
}

} // namespace

TEST(CompareFacts, eachChangeIsOneLineInThePagesWordsAndWhatNoPageShowsIsNone) {
    const TextLookup english = shippedTexts("English.dat");
    const TextLookup german = shippedTexts("Deutsch.dat");
    EXPECT_TRUE(CompareFacts(base(), base(), CompareScope::File).empty());
    for (const auto& c : dataTable("model_differences.txt", 5)) {
        SCOPED_TRACE(c[0]);
        Configuration a = base();
        apply(a, c[1]);
        Configuration b = a;
        apply(b, c[2]);
        const auto expected = [](const std::string& line) {
            return line.empty() ? std::vector<std::string>{} : std::vector<std::string>{line};
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
