#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>

#include "io/config_file.h"
#include "model/channel_ops.h"
#include "tests/model/table_names.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

ChannelRange rangeNamed(const std::string& name) {
    const auto dots = name.find("..");
    return dots == std::string::npos
               ? ChannelRange{channelNamed(name)}
               : RangeBetween(channelNamed(name.substr(0, dots)), channelNamed(name.substr(dots + 2)));
}

std::string allReferences(const Configuration& cfg) {
    std::string shown;
    for (const ChannelReference& r : AllReferences(cfg))
        shown += (shown.empty() ? "" : "; ") + referenceText(r);
    return shown.empty() ? "none" : shown;
}

std::string oneLine(std::string text) {
    for (std::size_t at; (at = text.find('\n')) != std::string::npos;)
        text.replace(at, 1, " / ");
    return text;
}

// The references that follow a channel: all but the claims, which hold their place.
int following(const Configuration& cfg, int channel) {
    int n = 0;
    for (const ChannelReference& r : ReferencesTo(cfg, channel))
        n += r.kind != ReferenceKind::MultiplexerClaim && r.kind != ReferenceKind::TimeOutputClaim &&
             r.kind != ReferenceKind::CounterClaim;
    return n;
}

Configuration cleared() {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    return cfg;
}

} // namespace

// The rows of tests/data/model_channel_ops.txt.
TEST(ChannelOps, referencesFollowAndRefusalsChangeNothing) {
    const TextLookup english = shippedTexts("English.dat");
    std::string what;
    for (const auto& c : dataTable("model_channel_ops.txt", 6)) {
        what = c[0].empty() ? what : c[0];
        SCOPED_TRACE(what + ": " + c[2]);
        Configuration cfg = cleared();
        if (!c[1].empty())
            applySettings(cfg, c[1]);
        const Configuration before = cfg;
        const auto words = splitOn(c[2], ' ');
        ASSERT_EQ(words.size(), 3u);
        ChannelOpOutcome outcome;
        ChannelOp op = ChannelOp::Move;
        if (words[0] == "move") {
            outcome = MoveChannel(cfg, channelNamed(words[1]), channelNamed(words[2]));
        } else if (words[0] == "swap") {
            op = ChannelOp::Swap;
            outcome = SwapChannels(cfg, channelNamed(words[1]), channelNamed(words[2]));
        } else {
            op = ChannelOp::Paste;
            outcome = PasteChannels(cfg, CopyChannels(cfg, rangeNamed(words[1])), rangeNamed(words[2]));
        }
        EXPECT_EQ(allReferences(cfg), c[3]);
        EXPECT_EQ(oneLine(OutcomeSummary(op, outcome, english)), c[4]);
        if (!outcome.done()) {
            EXPECT_TRUE(cfg == before) << "a refused operation changed the configuration";
        }
        if (!c[5].empty())
            for (const std::string& place : splitOn(c[5], ';')) {
                const auto equals = place.find('=');
                expectPlaces(cfg, place.substr(0, equals), place.substr(equals + 1));
            }
    }
}

// Moving a channel and back, or swapping two twice, gives the configuration back byte for byte, also
// over bits and bytes no reference stands for.
TEST(ChannelOps, movingAndBackGivesTheOriginal) {
    std::mt19937 random(4711);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    static const int types[] = {0, 1, 1, 1, 1, 1, 1, 2, 3, 6, 7, 8, 12, 19, 25, 32, 40, 42, 48};
    int moves = 0, swaps = 0;
    for (int round = 0; round < 8; ++round) {
        Configuration cfg = cleared();
        for (int c = 0; c < kChannels; ++c) {
            const int t = types[pick(std::size(types))];
            if ((t == 40 || t == 42) && (c % 2 != 0 || c == kChannels - 1))
                continue;
            SetChannelType(cfg, c, t);
            for (int b = 1; b < kRowBytes; ++b)
                if (pick(8) == 0)
                    cfg.ChanSetup[c][b] = static_cast<Byte>(pick(3) == 0 ? pick(256) : pick(kChannels));
            for (Byte& b : cfg.MasterMatrix[c]) // sparse bits: on bits without their affected bits too
                b = static_cast<Byte>(pick(256) & pick(256) & pick(256) & pick(256));
            if (t != 1 && pick(2) == 0)
                cfg.ChanText[c] = "text " + std::to_string(c);
            cfg.ChanFlags[c] = static_cast<Byte>(pick(4) << 6);
        }
        for (int i = 0; i < 12; ++i)
            for (Byte& b : cfg.LogicBlocks[static_cast<std::size_t>(pick(kLogicBlocksUsed))])
                b = static_cast<Byte>(pick(2) ? pick(kChannels) : pick(256));
        for (int i = 0; i < 16; ++i)
            cfg.SysData[kSysExchangeMask + i] = static_cast<Byte>(pick(256) & pick(256));
        cfg.SysData[kSysDeviceNo] = 0;
        std::vector<int> free;
        for (int c = 0; c < kChannels; ++c)
            if (cfg.channelType(c) == kTypeBlank && cfg.ChanText[c].empty() && ReferencesTo(cfg, c).empty())
                free.push_back(c);
        ASSERT_FALSE(free.empty());
        const Configuration original = cfg;
        for (int trial = 0; trial < 30; ++trial) {
            const bool swap = trial % 2 == 0;
            const int a = pick(kChannels), b = swap ? pick(kChannels) : free[pick(static_cast<int>(free.size()))];
            Configuration work = original;
            const ChannelOpOutcome there = swap ? SwapChannels(work, a, b) : MoveChannel(work, a, b);
            if (!there.done()) {
                EXPECT_TRUE(work == original);
                continue;
            }
            const auto back = swap ? SwapChannels(work, a, b) : MoveChannel(work, b, a);
            ASSERT_TRUE(back.done()) << Num_2_Channel(a) << " " << Num_2_Channel(b);
            EXPECT_EQ(back.referencesChanged, there.referencesChanged);
            EXPECT_TRUE(work == original) << (swap ? "swap " : "move ") << Num_2_Channel(a) << " " << Num_2_Channel(b);
            ++(swap ? swaps : moves);
        }
    }
    EXPECT_GT(moves, 20); // the cases must not all be refused
    EXPECT_GT(swaps, 20);
}

// The example configuration: A3 to the free B5 makes every reference to A3 name B5, and nothing else
// changes but the two channels' rows and those references.
TEST(ChannelOps, movingInTheExampleRewritesExactlyTheReferences) {
    Configuration cfg;
    ASSERT_TRUE(LoadFile(cfg, KORVANE_SOURCE_DIR "/resources/Data/Example.zeb").ok());
    const int a3 = channelNamed("A3"), b5 = channelNamed("B5");
    const Configuration before = cfg;
    const auto toA3 = ReferencesTo(before, a3);
    ASSERT_FALSE(toA3.empty());
    const ChannelOpOutcome outcome = MoveChannel(cfg, a3, b5);
    ASSERT_TRUE(outcome.done()) << oneLine(OutcomeSummary(ChannelOp::Move, outcome, shippedTexts("English.dat")));
    EXPECT_EQ(outcome.referencesChanged, static_cast<int>(toA3.size()));
    EXPECT_TRUE(ReferencesTo(cfg, a3).empty());
    EXPECT_EQ(ReferencesTo(cfg, b5).size(), toA3.size());
    EXPECT_EQ(cfg.ChanSetup[b5], before.ChanSetup[a3]);
    EXPECT_EQ(cfg.ChanText[b5], before.ChanText[a3]);
    // Every other setting refers to the same channels as before (a grid lists its targets in matrix
    // order, so the lists are compared as sets).
    std::multiset<std::tuple<int, int, int>> expected, got;
    for (const ChannelReference& r : AllReferences(before))
        expected.insert({r.from, static_cast<int>(r.kind), r.channel == a3 ? b5 : r.channel});
    for (const ChannelReference& r : AllReferences(cfg))
        got.insert({r.from, static_cast<int>(r.kind), r.channel});
    EXPECT_TRUE(got == expected);
}

// Swapping in the sample file, whose every channel is in use: the references to the two channels change
// places, and swapping again gives the file back.
TEST(ChannelOps, swappingInTheSampleFile) {
    Configuration cfg;
    ASSERT_TRUE(LoadFile(cfg, fixturePath("Good.zeb")).ok());
    const Configuration before = cfg;
    const int a3 = channelNamed("A3"), b5 = channelNamed("B5");
    const ChannelOpOutcome outcome = SwapChannels(cfg, a3, b5);
    ASSERT_TRUE(outcome.done());
    EXPECT_EQ(outcome.referencesChanged, following(before, a3) + following(before, b5));
    EXPECT_GT(outcome.referencesChanged, 0);
    EXPECT_EQ(following(cfg, b5), following(before, a3));
    EXPECT_EQ(following(cfg, a3), following(before, b5));
    SwapChannels(cfg, a3, b5);
    EXPECT_TRUE(cfg == before);
}

// Spreadsheet text both ways: the channels as lines of channel, function and description; a column of
// lines fills descriptions downwards, skipping the hidden second channels of pairs.
TEST(ChannelOps, spreadsheetTextBothWays) {
    const TextLookup english = shippedTexts("English.dat");
    Configuration cfg = cleared();
    applySettings(cfg, "A1.0=0; text A1=Hall; A2.0=40; A3.0=41; A4.0=7; text A4=Tab\there");
    EXPECT_EQ(ChannelsAsText(cfg, RangeBetween(0, 3), english),
              "A1\tMono\tHall\r\nA2\tRoller blind\t\r\nA4\tMaster function\tTab here\r\n");

    Configuration column = cleared();
    applySettings(column, "A3.0=40; A4.0=41");
    std::string lines;
    for (int i = 1; i <= 10; ++i)
        lines += "Room \"" + std::to_string(i) + "\"\r\n";
    const ChannelOpOutcome filled = PasteDescriptions(column, channelNamed("A2"), lines);
    EXPECT_EQ(filled.items, 10);
    EXPECT_EQ(column.ChanText[channelNamed("A2")], "Room '1'");
    EXPECT_EQ(column.ChanText[channelNamed("A3")], "Room '2'");
    EXPECT_EQ(column.ChanText[channelNamed("A4")], "");
    EXPECT_EQ(column.ChanText[channelNamed("A5")], "Room '3'");
    EXPECT_EQ(column.ChanText[channelNamed("B4")], "Room '10'");
    EXPECT_EQ(column.ChanText[channelNamed("B5")], "");
    EXPECT_EQ(oneLine(OutcomeSummary(ChannelOp::Descriptions, filled, english)), "Descriptions pasted: 10");

    // The text copied from the program goes back as its descriptions; several columns give the first.
    Configuration back = cleared();
    applySettings(back, "A2.0=40; A3.0=41");
    PasteDescriptions(back, 0, ChannelsAsText(cfg, RangeBetween(0, 3), english) + "Kitchen\tfirst floor\n");
    EXPECT_EQ(back.ChanText[0], "Hall");
    EXPECT_EQ(back.ChanText[1], "");
    EXPECT_EQ(back.ChanText[3], "Tab here");
    EXPECT_EQ(back.ChanText[4], "Kitchen");

    // Lines past the channels in use are refused and named.
    Configuration few = cleared();
    applySettings(few, "sys 11=15");
    const ChannelOpOutcome cut = PasteDescriptions(few, channelNamed("B7"), "one\ntwo\nthree\n");
    EXPECT_EQ(cut.items, 2);
    EXPECT_EQ(oneLine(OutcomeSummary(ChannelOp::Descriptions, cut, english)),
              "Descriptions pasted: 2 / Not pasted: / C1 lies above the number of channels in use");
    EXPECT_EQ(OperationName(ChannelOp::Move, "A3", channelNamed("B5"), english), "Move A3 \u2192 B5");
    EXPECT_EQ(OperationName(ChannelOp::Swap, "A3", channelNamed("B5"), english), "Swap A3 \u2194 B5");
}
