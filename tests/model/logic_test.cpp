#include <gtest/gtest.h>

#include "model/facts_logic.h"
#include "model/field_rules.h"
#include "model/logic.h"
#include "tests/model/table_names.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

std::optional<LogicRecord> blockOf(const std::string& hex) {
    const std::vector<Byte> b = hexBytes(hex);
    return b.size() == 4 ? std::optional<LogicRecord>(LogicRecord{b[0], b[1], b[2], b[3]}) : std::nullopt;
}

} // namespace

TEST(LogicChannel, signalTextsWithTheirInputMarks) {
    const struct {
        int code, byte3, kind;
        const char* text;
    } cases[] = {
        {0, 0, 0, "A1"},          {127, 0, 0, "P8"},       {0x9A, 0x20, 1, "--W3"}, {0, 0x00, 1, "  A1"},
        {0, 0x80, 1, "/ A1"},     {0, 0xA0, 1, "\\ A1"},   {0x84, 0x10, 2, "--X5"}, {0x84, 0x40, 2, "/ X5"},
        {0x84, 0x50, 2, "\\ X5"}, {0x84, 0xA0, 2, "  X5"}, // input 1's marks do not show on input 2
        {0x88, 0, 0, "Y1"},       {0x97, 0, 0, "Z8"},      {161, 0x20, 1, "-----"}, {248, 0, 0, "-----"},
        {160, 0, 0, "-----"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LogicChannel(c.code, c.byte3, c.kind), c.text) << c.code << "/" << c.byte3 << "/" << c.kind;
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(LogicChannel(code, 0, 0), ChannelRefText(code)) << "an output shows as a channel field: " << code;
}

TEST(LogicMarks, markChannelsDrivenByActiveBlocksAmongTheFirst64) {
    Configuration cfg;
    cfg.LogicBlocks[0] = {127, 0, 0x84, 0x24}; // And, output P8
    cfg.LogicBlocks[1] = {5, 1, 2, 0};         // not in use
    cfg.LogicBlocks[2] = {0x90, 1, 2, 0x08};   // drives a marker
    cfg.LogicBlocks[63] = {9, 1, 2, 0x0C};
    cfg.LogicBlocks[64] = {10, 1, 2, 0x0C}; // beyond the used blocks
    const LogicMarkSet marks = LogicMarks(cfg);
    for (int c = 0; c < kChannels; ++c)
        EXPECT_EQ(marks[c], c == 127 || c == 9) << c;
}

// The rows of tests/data/model_logic_keys.txt.
TEST(LogicKey, keysChangeTheirFieldAndByte3) {
    const std::map<std::string, int> fields{
        {"output", kLogicOutput}, {"input 1", kLogicInput1}, {"input 2", kLogicInput2}, {"operation", kLogicOperation}};
    for (const auto& row : dataTable("model_logic_keys.txt", 5)) {
        SCOPED_TRACE(row[0] + " | " + row[1] + " | " + row[2]);
        const LogicRecord before = *blockOf(row[0]);
        const std::optional<LogicRecord> after = LogicKey(before, fields.at(row[1]), keyCode(row[2]));
        EXPECT_EQ(after, blockOf(row[3]));
        if (!row[4].empty()) {
            EXPECT_EQ(LogicOperationText(after.value_or(before)[3]), row[4] == "(off)" ? "" : row[4]);
        }
    }
}

TEST(LogicKey, theEquationOfTheExampleIsStoredAsItsFourBytes) {
    // Output P8, input 2 X5, input 1 A1 inverted, And. (Choosing the marker X5 after marking input 1
    // would take input 1's mark away again.)
    LogicRecord b{};
    const std::pair<int, const char*> typing[] = {
        {kLogicOutput, "P 8"}, {kLogicInput2, "X 5"}, {kLogicInput1, "A 1 Minus"}, {kLogicOperation, "A"}};
    for (const auto& [field, keys] : typing)
        for (int k : keyCodes(keys))
            b = *LogicKey(b, field, k);
    EXPECT_EQ(b, (LogicRecord{127, 0, 0x84, 0x24}));
}

TEST(LogicPage, pagesOutsideTheEightAreHeldToThem) {
    for (const auto& [page, first] : {std::pair{0, 0}, {7, 56}, {8, 56}, {-1, 0}})
        EXPECT_EQ(LogicPageFirstBlock(page), first) << page;
}

TEST(LogicFacts, rowsOfTheShownPageReachTheirBlockAndTheNotesTheirDescription) {
    Configuration cfg;
    StoreValue(facts::kLogicOutputs[3], cfg, 2, 0x7F); // page 2, row 3: block 19
    StoreValue(facts::kLogicOperations[3], cfg, 2, 0x24);
    EXPECT_EQ(cfg.LogicBlocks[19], (LogicRecord{0x7F, 0, 0, 0x24}));
    cfg.LogicBlocks[63][2] = 0x93;
    EXPECT_EQ(ReadValue(facts::kLogicInputs2[7], cfg, 7), 0x93);
    EXPECT_EQ(FormatValue(facts::kLogicOperations[0], 0x28), "Or");
    EXPECT_EQ(FormatValue(facts::kLogicOutputs[0], 0x9A), "W3");

    // A page number outside 0..7 writes neither past the blocks nor into the system description.
    StoreValue(facts::kLogicOutputs[7], cfg, 9, 5);
    EXPECT_EQ(cfg.LogicBlocks[63][0], 5);
    EXPECT_EQ(cfg.LogicBlocks[71][0], 0);
    StoreText(facts::kLogicNotes, cfg, 8, "page notes");
    EXPECT_EQ(cfg.DescText[7], "page notes");
    EXPECT_EQ(cfg.DescText[kGeneralDescription], "");
    EXPECT_EQ(ReadText(facts::kLogicNotes, cfg, 7), "page notes");
}
