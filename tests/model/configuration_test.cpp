#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "model/channel_types.h"
#include "model/configuration.h"
#include "model/rounding.h"
#include "model/text_codec.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

TEST(ClearConfiguration, makesEveryChannelUnusedWithTheSystemDefaultsAndKeepsTheRest) {
    // Something in every array, so that clearing shows what it keeps.
    Configuration cfg;
    for (auto& row : cfg.ChanSetup)
        row.fill(9);
    for (auto& row : cfg.MasterMatrix)
        row.fill(9);
    for (auto& rec : cfg.LogicBlocks)
        rec.fill(9);
    cfg.SysData.fill(9);
    cfg.ChanText.fill("text");
    cfg.DescText.fill("desc");
    cfg.SmsText.fill("sms");
    cfg.SmsIdText = "id";
    cfg.ChanFlags.fill(192);
    cfg.SavedChanType.fill(7);
    cfg.BlankRow.fill(9);
    cfg.BlankLogic.fill(9);
    EditState st{5, 6, 7, 3, true};
    ClearConfiguration(cfg, st);

    for (int c = 0; c < kChannels; ++c) {
        EXPECT_EQ(cfg.ChanSetup[c], UnusedRow()) << c;
        EXPECT_EQ(cfg.MasterMatrix[c], Row{}) << c;
        EXPECT_EQ(cfg.ChanText[c], "");
        EXPECT_EQ(cfg.LogicBlocks[c], LogicRecord{});
        EXPECT_EQ(cfg.SavedChanType[c], kTypeBlank);
        EXPECT_EQ(cfg.ChanFlags[c], 0);
    }
    EXPECT_EQ(cfg.BlankRow, UnusedRow());
    EXPECT_EQ(cfg.BlankLogic, LogicRecord{});
    EXPECT_EQ(cfg.ChanSetup[128][0], 9) << "the spare row is kept";

    const std::map<int, int> defaults{
        {kSysChannelsInUse, 127}, {kSysWaterResetTime, 2},  {kSysSmokeResetTime, 2},
        {kSysDeviceNo, 1},        {kSysSmsResponseTime, 1},
    };
    // All sixteen holiday periods (96..159) go with the rest of the settings: periods 9..16 are never read
    // back from a unit, so a kept one would carry the previous customer's holidays into the next unit.
    // The bytes above them are kept.
    for (int i = 0; i < kSysDataSize; ++i)
        EXPECT_EQ(cfg.SysData[i], i >= 160 ? 9 : defaults.count(i) ? defaults.at(i) : 0) << "SysData byte " << i;
    for (int i = 0; i < kSmsTexts; ++i)
        EXPECT_EQ(cfg.SmsText[i], i <= 8 ? "" : "sms") << "SmsText " << i;
    EXPECT_EQ(cfg.DescText, decltype(cfg.DescText){});
    EXPECT_EQ(cfg.SmsIdText, "");
    EXPECT_EQ(std::tie(st.CurChannel, st.CurGroup, st.MatrixCursor, st.CurLogicBlock, st.DataChanged),
              std::make_tuple(0, 0, 0, 0, false));
}

// The rows of tests/data/model_rounding.txt.
TEST(Rounding, halvesToEvenAndClampedBytes) {
    for (const auto& c : dataTable("model_rounding.txt", 3)) {
        const double in = std::stod(c[1]);
        const long long out = c[0] == "round" ? RoundHalfEven(in) : ToByteClamped(in);
        EXPECT_EQ(out, std::stoll(c[2])) << c[0] << " " << c[1];
    }
}

TEST(TextCodec, windows1252RoundTripsThroughUtf8AndOtherCharactersBecomeQuestionMarks) {
    const std::pair<std::string, std::string> cases[] = {
        // Windows-1252, UTF-8
        {"Abc 123", "Abc 123"},       {"\xE6\xF8\xE5\xC6\xD8\xC5", "æøåÆØÅ"},
        {"\xE4\xF6\xFC\xDF", "äöüß"}, {"\x80 5", "€ 5"},
        {"\x93x\x94", "“x”"},         {"\x96", "–"},
    };
    for (const auto& [cp1252, utf8] : cases) {
        EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8);
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
    }
    std::string all; // every byte survives the round trip
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    // outside the set, a cut-off sequence, not UTF-8 at all
    const std::pair<std::string, std::string> unknown[] = {{"Ω≠ж", "???"}, {"a\xC3", "a?"}, {"\xFF b", "? b"}};
    for (const auto& [utf8, cp1252] : unknown)
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
}
