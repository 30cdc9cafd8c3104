#include <gtest/gtest.h>

#include "io/config_diff.h"
#include "io/config_json.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

TEST(CompareBytes, listsEveryByteOfTheFileThatDiffers) {
    const Configuration a = busyConfiguration();
    EXPECT_TRUE(CompareBytes(a, a).empty());

    struct Case {
        const char* what;
        std::function<void(Configuration&)> change;
        std::string line;
    };
    const std::vector<Case> cases{
        {"type", [](Configuration& c) { c.ChanSetup[19][0] = 8; }, "C4: type: 19 -> 8"},
        {"flags", [](Configuration& c) { c.ChanFlags[0] = 0xC0; }, "A1: options: none -> Check1+Check2"},
        {"setup byte", [](Configuration& c) { c.ChanSetup[127][31] = 1; }, "P8: setup byte 31: 12 -> 1"},
        {"master", [](Configuration& c) { c.MasterMatrix[8][16] = 255; }, "B1: master matrix byte 16: 137 -> 255"},
        {"text", [](Configuration& c) { c.ChanText[2] = "K\xf8kken"; }, "A3: text: \"Kanal 2\" -> \"Køkken\""},
        {"logic", [](Configuration& c) { c.LogicBlocks[63][3] = 0; }, "logic block 63: byte 3: 62 -> 0"},
        {"named system byte", [](Configuration& c) { c.SysData[kSysDeviceNo] = 4; },
         "system: device number (byte 51): 102 -> 4"},
        {"exchange mask", [](Configuration& c) { c.SysData[66] = 0; },
         "system: exchange mask group C (byte 66): 101 -> 0"},
        {"holiday", [](Configuration& c) { c.SysData[101] = 0; },
         "system: holiday period 2 byte 1 (byte 101): 184 -> 0"},
        {"sms id", [](Configuration& c) { c.SmsIdText = "x"; },
         "SMS identification: text: \"Sommerhus Skagen Nord\" -> \"x\""},
        {"general description", [](Configuration& c) { c.DescText[8] = ""; },
         "general description: text: \"Beskrivelse 8\" -> \"\""},
        {"line break", [](Configuration& c) { c.DescText[2] = "Beskrivelse\r\n2"; },
         "logic description 2: text: \"Beskrivelse 2\" -> \"Beskrivelse\\r\\n2\""},
    };
    for (const Case& c : cases) {
        Configuration b = a;
        c.change(b);
        const auto diffs = CompareBytes(a, b);
        ASSERT_EQ(diffs.size(), 1u) << c.what;
        EXPECT_EQ(diffs[0].line(), c.line) << c.what;
    }
}

TEST(ConfigurationJson, escapesTextsAndCarriesEveryArray) {
    const std::pair<std::string, std::string> escapes[]{
        {"plain", "\"plain\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\x01\t\x7f", "\"\\u0001\\t\\u007f\""},
        {"\xe6\x80", "\"æ€\""},
        {"\x81\x8d\x8f\x90\x9d", "\"\\u0081\\u008d\\u008f\\u0090\\u009d\""}};
    for (const auto& [in, out] : escapes)
        EXPECT_EQ(JsonString(in), out);

    Configuration cfg = blankConfiguration();
    cfg.ChanSetup[128][31] = 7;
    cfg.SmsIdText = "Id";
    const std::string json = ConfigurationJson(cfg);
    EXPECT_NE(json.find("[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,7]\n  ],\n  \"MasterMatrix\""),
              std::string::npos)
        << "row 128 is the last ChanSetup row";
    EXPECT_NE(json.find("\"SmsIdText\": \"Id\"\n}"), std::string::npos);
    EXPECT_EQ(std::count(json.begin(), json.end(), '['), (1 + 129) + (1 + 128) + (1 + 128) + 3 + 3);
}
