#include <gtest/gtest.h>

#include "model/field_rules.h"
#include "model/value_facts.h"

using namespace korvane;

namespace {

TEST(ValueFacts, keysGoThroughTheEntryRuleOfTheFact) {
    constexpr ValueFact kPacked{"hour", ValueArea::Sys, 200, ValueEntry::Packed, 0, 0x23, ValueFormat::Packed};
    constexpr ValueFact kRange{"pulses", ValueArea::Channel, 8, ValueEntry::Range, 0, 200, ValueFormat::Digits3};
    constexpr ValueFact kChannel{"disable", ValueArea::Channel,     1, ValueEntry::ChannelXyzw, 0,
                                 255,       ValueFormat::ChannelRef};
    constexpr ValueFact kPlain{"limit", ValueArea::Channel, 2, ValueEntry::Channel, 0, 255, ValueFormat::ChannelRef};
    struct Case {
        const ValueFact* fact;
        int stored;
        int key;
        bool first;
        std::optional<int> value;
    };
    const Case cases[] = {
        {&facts::kDeviceNo, 12, vk::k0 + 5, true, 5},  // the first digit replaces the value
        {&facts::kDeviceNo, 9, vk::k0 + 9, false, 99}, // later digits are appended
        {&facts::kDeviceNo, 12, vk::k0 + 5, false, 5}, // 125 is above 99: restart with the digit
        {&facts::kDeviceNo, 12, vk::kA, false, std::nullopt},
        {&kPacked, 0x02, vk::kPad0 + 3, false, 0x23},
        {&kPacked, 0x23, vk::k0 + 5, false, 5},
        {&kRange, 20, vk::k0 + 1, false, 1}, // 201 is above 200
        {&kRange, 20, vk::kMinus, false, std::nullopt},
        {&kChannel, 19, vk::kA + 5, false, 43}, // C4 -> F4
        {&kChannel, 19, vk::kDelete, false, kNoChannel},
        {&kChannel, 19, vk::kX, false, 131},
        {&kPlain, 0, vk::kX, false, 0},       // no X group here: kept, still an edit
        {&kPlain, 0, 0, false, std::nullopt}, // a key without a code is nothing
        {&facts::kUsePcClock, 0, vk::k0 + 1, true, std::nullopt},
    };
    for (const Case& c : cases) {
        bool first = c.first;
        EXPECT_EQ(EnterKey(*c.fact, c.stored, c.key, first), c.value) << c.fact->name << " key " << c.key;
    }
}

TEST(ValueFacts, valuesAreReadStoredAndShownWhereTheFactSays) {
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

    EXPECT_EQ(FormatValue(facts::kDeviceNo, 7), "07");
    EXPECT_EQ(RangeHint(facts::kDeviceNo), "0..99");
    constexpr ValueFact kChannel{"c", ValueArea::Channel, 1, ValueEntry::ChannelXyzw, 0, 255, ValueFormat::ChannelRef};
    EXPECT_EQ(FormatValue(kChannel, 248), "-----");
    EXPECT_EQ(RangeHint(kChannel), "A1..PXYZW.8 (-)");
    ASSERT_NE(SystemFact(kSysDeviceNo), nullptr);
    EXPECT_STREQ(SystemFact(kSysDeviceNo)->name, "device number");
    EXPECT_EQ(SystemFact(200), nullptr);
}

TEST(ValueFacts, editMenuFollowsTheEventOutputAndTheDeviceNumber) {
    struct Case {
        Byte sms, off, device;
        bool smsMenu, exchangeMenu;
    };
    const Case cases[] = {
        {0, 0, 0, false, true},
        {0, 0, 3, false, false},
        {1, 0, 0, true, false},
        {0, 1, 0, false, false},
    };
    for (const Case& c : cases) {
        Configuration cfg;
        cfg.SysData[kSysEventSms] = c.sms;
        cfg.SysData[kSysEventOff] = c.off;
        cfg.SysData[kSysDeviceNo] = c.device;
        const EditMenuState s = EditMenuRules(cfg);
        EXPECT_EQ(s.sms, c.smsMenu) << int(c.sms) << int(c.off) << int(c.device);
        EXPECT_EQ(s.exchangeMask, c.exchangeMenu) << int(c.sms) << int(c.off) << int(c.device);
    }
}

} // namespace
