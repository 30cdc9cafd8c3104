#include <gtest/gtest.h>

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

TEST(LogicChannel, operationNames) {
    EXPECT_EQ(LogicOperationText(0x24), "And");
    EXPECT_EQ(LogicOperationText(0x08), "Or");
    EXPECT_EQ(LogicOperationText(0x0C), "Xor");
    EXPECT_EQ(LogicOperationText(0xF0), "");
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
