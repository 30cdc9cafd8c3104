#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "model/alarms.h"
#include "model/facts_alarm.h"
#include "model/field_rules.h"
#include "tests/model/table_names.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

struct Alarms : ::testing::Test {
    Configuration cfg;
    EditState st;
    void SetUp() override { ClearConfiguration(cfg, st); }
    Row& row(int c) { return cfg.ChanSetup[static_cast<std::size_t>(c)]; }
};

} // namespace

// The rows of tests/data/model_alarm_offers.txt; the spare row beyond P8 is never counted.
TEST_F(Alarms, singleUseFunctionsAreOfferedOncePerInstallationWithinTheFamilysScanRange) {
    const std::map<std::string, const AlarmFamily*> families{
        {"intruder", &kIntruderAlarm}, {"smoke", &kSmokeAlarm}, {"water", &kWaterAlarm}, {"ISA", &kIsaAlarm}};
    for (const auto& c : dataTable("model_alarm_offers.txt", 7)) {
        SCOPED_TRACE(c[0]);
        SetUp();
        cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(std::stoi(c[3]));
        std::istringstream types(c[2]);
        for (std::string typed; types >> typed;)
            row(channelNamed(typed.substr(0, 2)))[kRowType] = static_cast<Byte>(std::stoi(typed.substr(3)));
        const int code = std::stoi(c[5]);
        cfg.ChanSetup[kChanSetupRows - 1][kRowType] = static_cast<Byte>(code);
        EXPECT_EQ(FunctionOffered(cfg, *families.at(c[1]), channelNamed(c[4]), code), c[6] == "1");
    }
}

// The four common siren boxes are bits of one byte whose upper four bits belong to no box.
TEST_F(Alarms, commonSirenBoxesChangeOnlyTheirOwnBit) {
    // the box, ticked or not, the byte before and afterwards
    const std::tuple<const ValueFact*, int, Byte, Byte> cases[] = {
        {&facts::kCommonSirenIntruder, 1, 0x00, 0x02}, {&facts::kCommonSirenSmoke, 1, 0x08, 0x0C},
        {&facts::kCommonSirenWater, 1, 0xF0, 0xF1},    {&facts::kCommonSirenIsa, 0, 0xFF, 0xF7},
        {&facts::kCommonSirenSmoke, 0, 0xA4, 0xA0},    {&facts::kCommonSirenWater, 0, 0xA4, 0xA4},
    };
    for (const auto& [box, tick, before, after] : cases) {
        cfg.SysData[kSysCommonSiren] = before;
        EXPECT_EQ(ReadValue(*box, cfg, 0), (before & box->mask) != 0 ? 1 : 0) << box->name;
        StoreValue(*box, cfg, 0, tick);
        EXPECT_EQ(cfg.SysData[kSysCommonSiren], after) << box->name;
    }
}
