#include <gtest/gtest.h>

#include "model/facts_logic.h"
#include "model/field_rules.h"
#include "model/logic.h"

using namespace korvane;

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
}

TEST(LogicChannel, outputTextsEqualChannelFieldTexts) {
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(LogicChannel(code, 0, 0), ChannelRefText(code)) << code;
}

TEST(CheckLogic, marksChannelsDrivenByActiveBlocksAmongTheFirst64) {
    Configuration cfg;
    cfg.LogicMarks.fill(true);
    cfg.LogicBlocks[0] = {127, 0, 0x84, 0x24}; // And, output P8
    cfg.LogicBlocks[1] = {5, 1, 2, 0};         // not in use
    cfg.LogicBlocks[2] = {0x90, 1, 2, 0x08};   // drives a marker
    cfg.LogicBlocks[63] = {9, 1, 2, 0x0C};
    cfg.LogicBlocks[64] = {10, 1, 2, 0x0C}; // beyond the used blocks
    CheckLogic(cfg);
    for (int c = 0; c < kChannels; ++c)
        EXPECT_EQ(cfg.LogicMarks[c], c == 127 || c == 9) << c;
}

namespace {

constexpr int kMinus = 189, kPadMinus = 109, kDelete = 46, kPlus = 187, kPadPlus = 107, kLeftOfZ = 226;
constexpr int kPadDivide = 111, kPadMultiply = 106, kSpace = 32, kPad3 = 99;
// Letters and main-keyboard digits are their own key codes ('F', '7').

} // namespace

TEST(LogicKey, signalAndMarkKeysChangeTheirFieldAndByte3) {
    // block before, field, key, block after (nullopt: the key means nothing there)
    const struct {
        LogicRecord before;
        int field;
        int keyCode;
        std::optional<LogicRecord> after;
    } cases[] = {
        // letters choose the group, digits the number; the other part is kept
        {{0x0B, 0, 0, 0x04}, kLogicOutput, 'F', LogicRecord{0x2B, 0, 0, 0x04}},
        {{0x2B, 0, 0, 0x04}, kLogicOutput, '7', LogicRecord{0x2E, 0, 0, 0x04}},
        {{0x2B, 0, 0, 0x04}, kLogicOutput, kPad3, LogicRecord{0x2A, 0, 0, 0x04}},
        {{0x05, 0, 0, 0x04}, kLogicOutput, 'X', LogicRecord{0x85, 0, 0, 0x04}},
        {{0x85, 0, 0, 0x04}, kLogicOutput, 'P', LogicRecord{0x7D, 0, 0, 0x04}},
        {{0x00, 0, 0, 0x04}, kLogicOutput, '9', std::nullopt},
        {{0x00, 0, 0, 0x04}, kLogicOutput, kMinus, std::nullopt},               // an output has no marks
        {{0xF8, 0, 0, 0x04}, kLogicOutput, '2', LogicRecord{0xF9, 0, 0, 0x04}}, // still no signal
        // a marker input loses its own edge mark and both marks of the other input
        {{0, 0x01, 0, 0xF4}, kLogicInput1, 'W', LogicRecord{0, 0x99, 0, 0x24}},
        {{0, 0, 0x01, 0xF4}, kLogicInput2, 'Z', LogicRecord{0, 0, 0x91, 0x14}},
        {{0, 0x84, 0, 0xF4}, kLogicInput1, 'C', LogicRecord{0, 0x14, 0, 0xF4}}, // a channel keeps the marks
        // minus or Delete toggle "--" and drop the edge bit
        {{0, 1, 0, 0x04}, kLogicInput1, kMinus, LogicRecord{0, 1, 0, 0x24}},
        {{0, 1, 0, 0x24}, kLogicInput1, kPadMinus, LogicRecord{0, 1, 0, 0x04}},
        {{0, 1, 0, 0x84}, kLogicInput1, kDelete, LogicRecord{0, 1, 0, 0x24}},
        {{0, 1, 0, 0xA4}, kLogicInput1, kMinus, LogicRecord{0, 1, 0, 0x04}},
        {{0, 1, 0, 0x44}, kLogicInput2, kMinus, LogicRecord{0, 1, 0, 0x14}},
        // plus removes this input's marks only
        {{0, 1, 2, 0xF4}, kLogicInput1, kPlus, LogicRecord{0, 1, 2, 0x54}},
        {{0, 1, 2, 0xF4}, kLogicInput2, kPadPlus, LogicRecord{0, 1, 2, 0xA4}},
        // the key left of Z sets "\ ", on bus channels only
        {{0, 1, 2, 0x04}, kLogicInput1, kLeftOfZ, LogicRecord{0, 1, 2, 0xA4}},
        {{0, 1, 2, 0x04}, kLogicInput2, kLeftOfZ, LogicRecord{0, 1, 2, 0x54}},
        {{0, 0x84, 2, 0x04}, kLogicInput1, kLeftOfZ, std::nullopt},
        // keypad / or * switch "/ " to "\ " and anything else to "/ "
        {{0, 1, 2, 0x04}, kLogicInput1, kPadDivide, LogicRecord{0, 1, 2, 0x84}},
        {{0, 1, 2, 0x84}, kLogicInput1, kPadMultiply, LogicRecord{0, 1, 2, 0xA4}},
        {{0, 1, 2, 0xA4}, kLogicInput1, kPadDivide, LogicRecord{0, 1, 2, 0x84}},
        {{0, 1, 2, 0x24}, kLogicInput1, kPadDivide, LogicRecord{0, 1, 2, 0x84}},
        {{0, 1, 2, 0x14}, kLogicInput2, kPadDivide, LogicRecord{0, 1, 2, 0x44}},
        {{0, 1, 0x84, 0x04}, kLogicInput2, kPadDivide, std::nullopt}, // a marker input: nothing
        {{0, 1, 2, 0x04}, kLogicInput1, '9', std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.field << " key " << c.keyCode << " byte 3 "
                                        << static_cast<int>(c.before[3]));
        EXPECT_EQ(LogicKey(c.before, c.field, c.keyCode), c.after);
    }
}

TEST(LogicKey, operationKeysKeepTheSignalCodesAndTheMarks) {
    const struct {
        int byte3, keyCode;
        std::optional<int> after;
        const char* text;
    } cases[] = {
        {0x00, 'A', 0x04, "And"}, {0xA4, 'O', 0xA8, "Or"},   {0x58, 'X', 0x5C, "Xor"},        {0x5C, 'A', 0x54, "And"},
        {0x5C, kSpace, 0x00, ""}, {0x58, kDelete, 0x00, ""}, {0x08, 'B', std::nullopt, "Or"},
    };
    for (const auto& c : cases) {
        const LogicRecord block{0x7F, 0x00, 0x84, static_cast<Byte>(c.byte3)};
        const std::optional<LogicRecord> after = LogicKey(block, kLogicOperation, c.keyCode);
        ASSERT_EQ(after.has_value(), c.after.has_value()) << c.byte3 << "/" << c.keyCode;
        const LogicRecord shown = after.value_or(block);
        EXPECT_EQ(shown[3], c.after.value_or(c.byte3));
        EXPECT_EQ(LogicOperationText(shown[3]), c.text);
        // the codes stay, also when the block is switched off
        EXPECT_EQ(shown[0], 0x7F);
        EXPECT_EQ(shown[2], 0x84);
    }
}

TEST(LogicKey, theEquationOfTheExampleIsStoredAsItsFourBytes) {
    // Output P8, input 2 X5, input 1 A1 inverted, And. (Choosing the marker X5 after marking input 1
    // would take input 1's mark away again.)
    LogicRecord b{};
    for (int k : {int{'P'}, int{'8'}})
        b = *LogicKey(b, kLogicOutput, k);
    for (int k : {int{'X'}, int{'5'}})
        b = *LogicKey(b, kLogicInput2, k);
    for (int k : {int{'A'}, int{'1'}, kMinus})
        b = *LogicKey(b, kLogicInput1, k);
    b = *LogicKey(b, kLogicOperation, 'A');
    EXPECT_EQ(b, (LogicRecord{127, 0, 0x84, 0x24}));
}

TEST(LogicPage, pagesOutsideTheEightAreHeldToThem) {
    EXPECT_EQ(LogicPageFirstBlock(0), 0);
    EXPECT_EQ(LogicPageFirstBlock(7), 56);
    EXPECT_EQ(LogicPageFirstBlock(8), 56);
    EXPECT_EQ(LogicPageFirstBlock(-1), 0);
}

TEST(LogicFacts, rowsOfTheShownPageReachTheirBlockAndTheNotesTheirDescription) {
    Configuration cfg;
    StoreValue(facts::kLogicOutputs[3], cfg, 2, 0x7F); // page 2, row 3: block 19
    StoreValue(facts::kLogicOperations[3], cfg, 2, 0x24);
    EXPECT_EQ(cfg.LogicBlocks[19], (LogicRecord{0x7F, 0, 0, 0x24}));
    EXPECT_EQ(ReadValue(facts::kLogicInputs2[7], cfg, 7), cfg.LogicBlocks[63][2]);
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

TEST(LogicFacts, enteringKeysThroughTheFacts) {
    bool first = true;
    EXPECT_EQ(EnterKey(facts::kLogicOutputs[0], 0x00, 'C', first), 0x10);
    EXPECT_EQ(EnterKey(facts::kLogicOperations[0], 0xA0, 'O', first), 0xA8);
    EXPECT_EQ(EnterKey(facts::kLogicOperations[0], 0xA8, '1', first), std::nullopt);
}
