#include <gtest/gtest.h>

#include <map>

#include "model/calendar.h"
#include "model/facts_alarm.h"
#include "model/facts_calendar.h"
#include "model/facts_logic.h"
#include "model/facts_sms.h"
#include "model/field_rules.h"
#include "model/roller.h"
#include "model/sms.h"
#include "model/value_facts.h"
#include "tests/model/table_names.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

constexpr ValueFact kHour{"a packed hour", ValueArea::Sys, 200, ValueEntry::Packed, 0, 0x23, ValueFormat::Packed};
constexpr ValueFact kPulses{"pulses to 200", ValueArea::Channel, 8, ValueEntry::Range, 0, 200, ValueFormat::Digits3};
constexpr ValueFact kChannelXyzw{"disable channel",      ValueArea::Channel, 1, ValueEntry::ChannelXyzw, 0, 255,
                                 ValueFormat::ChannelRef};
constexpr ValueFact kChannelAP{"channel A..P",         ValueArea::Channel, 2, ValueEntry::Channel, 0, 255,
                               ValueFormat::ChannelRef};

const std::map<std::string, const ValueFact*> kFactsByName{
    {kHour.name, &kHour},
    {kPulses.name, &kPulses},
    {kChannelXyzw.name, &kChannelXyzw},
    {kChannelAP.name, &kChannelAP},
    {"device number", &facts::kDeviceNo},
    {"use the PC clock", &facts::kUsePcClock},
    {"ISA siren time", &facts::kIsaSirenTime},
    {"smoke siren time", &facts::kSmokeSirenTime},
    {"logic output", &facts::kLogicOutputs[0]},
    {"logic operation", &facts::kLogicOperations[0]},
};

} // namespace

// One row per value entry of tests/data/model_value_entry.txt: the rule, the keys, the value and its text.
TEST(ValueEntry, keysTypedIntoAFieldGiveTheStoredValueAndItsText) {
    for (const auto& row : dataTable("model_value_entry.txt", 6)) {
        SCOPED_TRACE(row[0] + " | " + row[1] + " | " + row[3]);
        const ValueFact* fact = kFactsByName.count(row[0]) ? kFactsByName.at(row[0]) : nullptr;
        const std::size_t space = row[0].rfind(' ');
        const std::size_t dots = row[0].find("..");
        const bool ranged = !fact && dots != std::string::npos;
        const std::string rule = ranged ? row[0].substr(0, space) : row[0];
        const int low = ranged ? std::stoi(row[0].substr(space + 1), nullptr, 0) : 0;
        const int high = ranged ? std::stoi(row[0].substr(dots + 2), nullptr, 0) : 0;
        int value = std::stoi(row[1], nullptr, 0);
        int typed = value;
        bool first = row[2] == "1";
        std::optional<int> last = value;
        for (int key : keyCodes(row[3])) {
            const int digit = DigitOfKey(key);
            if (fact)
                last = EnterKey(*fact, value, key, first);
            else if (rule == "decimal")
                last = Object_NumInDec(value, high, digit, first);
            else if (rule == "range")
                last = Object_NummaxRangeIn(value, key, high, first);
            else if (rule == "four digits")
                last = FourDigitEntry(value, high, digit, first);
            else if (rule == "packed")
                last = Object_NumIn(value, low, high, digit, first);
            else if (rule == "holiday")
                last = HolidayDigit(typed, low, high, digit, first);
            else if (rule == "channel")
                last = Object_DisableChannelInput(value, key);
            else if (rule == "channel without XYZW")
                last = Object_ChannelIn(value, key);
            else
                ADD_FAILURE() << "no rule " << rule;
            value = last.value_or(value);
        }
        EXPECT_EQ(last, row[4] == "-" ? std::nullopt : std::optional<int>(std::stoi(row[4], nullptr, 0)));
        if (!row[5].empty()) {
            const std::string shown = fact                            ? FormatValue(*fact, value)
                                      : rule.rfind("channel", 0) == 0 ? ChannelRefText(value)
                                                                      : PackedText(value);
            EXPECT_EQ(shown, row[5]);
        }
    }
    // the edges of the reference ranges
    for (const auto& [value, text] : {std::pair{128, "X1"}, {159, "W8"}, {160, "-----"}, {255, "-----"}})
        EXPECT_EQ(ChannelRefText(value), text) << value;
}

TEST(ValueEntry, rangeHintsNameTheLimitsAndTheClearingKey) {
    const std::pair<const ValueFact*, const char*> cases[] = {
        {&facts::kDeviceNo, "0..99"},   {&kChannelXyzw, "A1..PXYZW.8 (-)"}, {&facts::kIsaSirenTime, "0..60 (-)"},
        {&facts::kOnHours[0], "0..23"}, {&facts::kOffMinutes[3], "0..59"},  {&facts::kSmsResponseTime, "1..30"},
    };
    for (const auto& [fact, hint] : cases)
        EXPECT_EQ(RangeHint(*fact), hint) << fact->name;
}

TEST(Durations, secondsSplitIntoHoursMinutesSeconds) {
    const std::pair<Row, std::array<long, 3>> cases[] = {
        {{0, 0x8B, 0x0E, 0}, {1, 2, 3}},      // 3723 s
        {{0, 255, 255, 255}, {4660, 20, 15}}, // 16777215 s
    };
    for (const auto& [row, parts] : cases) {
        const DurationParts d = SekToTimer(row, 0);
        EXPECT_EQ((std::array<long, 3>{d.hours, d.minutes, d.seconds}), parts);
    }
    // at least the given digits, more where the value needs them
    EXPECT_EQ(DecimalText(4, 3), "004");
    EXPECT_EQ(DecimalText(7, 2), "07");
    EXPECT_EQ(DecimalText(4660, 2), "4660");
}

// The rows of tests/data/model_signed_tenths.txt.
TEST(SignedTenths, bytesTextsAndWhetherTheBytesChanged) {
    for (const auto& c : dataTable("model_signed_tenths.txt", 3)) {
        Row r{};
        ValueToByte3(r, std::stod(c[0]), 8);
        EXPECT_EQ(std::vector<Byte>(r.begin() + 8, r.begin() + 11), hexBytes(c[1])) << c[0];
        EXPECT_EQ(Byte3toStr(r, 8), c[2]);
    }
    Row r{};
    EXPECT_TRUE(ValueToByte3(r, -123, 14));
    EXPECT_FALSE(ValueToByte3(r, -123, 14));
    EXPECT_FALSE(ValueToByte3(r, -122.6, 14)) << "rounds to the same bytes";
    EXPECT_TRUE(ValueToByte3(r, 123, 14));
}

TEST(Quotes, doubleQuotesBecomeApostrophesInPlace) {
    std::string s = "Door \"main\" \"";
    EXPECT_EQ(StripQuotes(s), "Door 'main' '");
    EXPECT_EQ(s, "Door 'main' '");
}

TEST(ValueFacts, valuesAreReadAndStoredWhereTheFactSays) {
    Configuration cfg;
    StoreValue(facts::kDeviceNo, cfg, 3, 7);
    EXPECT_EQ(cfg.SysData[kSysDeviceNo], 7);
    StoreValue(facts::kEventOn, cfg, 3, 1);
    StoreValue(facts::kEventOffFlag, cfg, 3, 1);
    StoreValue(facts::kEventOn, cfg, 3, 0);
    EXPECT_EQ(cfg.ChanFlags[3], kFlagCheck2);
    EXPECT_EQ(ReadValue(facts::kEventOffFlag, cfg, 3), 1);
    constexpr ValueFact kType{"type", ValueArea::Channel, kRowType, ValueEntry::None, 0, 63, ValueFormat::Plain};
    StoreValue(kType, cfg, 5, 12);
    EXPECT_EQ(cfg.ChanSetup[5][kRowType], 12);
    EXPECT_EQ(cfg.SavedChanType[5], 12); // the type the claims give back follows the page's choice
}

// The differences name a system byte by its fact and show it as the page does.
TEST(ValueFacts, systemBytesFindTheirFact) {
    const std::pair<int, const ValueFact*> cases[] = {{kSysDeviceNo, &facts::kDeviceNo},
                                                      {kSysIsaSirenTime, &facts::kIsaSirenTime},
                                                      {kSysSmokeResetTime, &facts::kSmokeResetTime},
                                                      {200, nullptr}};
    for (const auto& [byte, fact] : cases)
        EXPECT_EQ(SystemFact(byte), fact) << byte;
}

TEST(ValueFacts, editMenuFollowsTheEventOutputAndTheDeviceNumber) {
    // event output SMS, event output off, device number; the SMS menu, the data exchange menu
    const std::tuple<Byte, Byte, Byte, bool, bool> cases[] = {
        {0, 0, 0, false, true}, {0, 0, 3, false, false}, {1, 0, 0, true, false}, {0, 1, 0, false, false}};
    for (const auto& [sms, off, device, smsMenu, exchangeMenu] : cases) {
        Configuration cfg;
        cfg.SysData[kSysEventSms] = sms;
        cfg.SysData[kSysEventOff] = off;
        cfg.SysData[kSysDeviceNo] = device;
        const EditMenuState s = EditMenuRules(cfg);
        EXPECT_EQ(s.sms, smsMenu) << int(sms) << int(off) << int(device);
        EXPECT_EQ(s.exchangeMask, exchangeMenu) << int(sms) << int(off) << int(device);
    }
}

// The rows of tests/data/model_sms_texts.txt.
TEST(SmsTexts, telephoneNumbersAndOtherTextsAreCheckedAsTyped) {
    for (const auto& c : dataTable("model_sms_texts.txt", 4)) {
        EXPECT_EQ(ValidPhoneNumber(c[0]), c[1] == "1") << c[0];
        EXPECT_EQ(PhoneNumberTyping(c[0]), c[2] == "1") << c[0];
        EXPECT_EQ(SmsTextAcceptable(c[0]), c[3] == "1") << c[0];
    }
}

TEST(SmsTexts, storedTextsAreNeverCutToTheTypingLimit) {
    Configuration cfg;
    StoreText(facts::kPhoneNumbers[2], cfg, 0, "12345678901234567890");
    EXPECT_EQ(cfg.SmsText[2], "12345678901234567890");
    StoreText(facts::kSmsIdentification, cfg, 0, std::string(40, 'x'));
    EXPECT_EQ(cfg.SmsIdText.size(), 40u);
    EXPECT_EQ(facts::kDialInPassword.maxChars, 4);
}
