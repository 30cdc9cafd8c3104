#include <gtest/gtest.h>

#include "model/facts_alarm.h"
#include "model/field_rules.h"
#include "model/value_facts.h"

using namespace korvane;

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
