#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "model/references.h"
#include "tests/model/table_names.h"

using namespace korvane;
using namespace korvane::testing;

// The rows of tests/data/model_references.txt.
TEST(References, everyKindOfReferenceIsListedWithItsPlace) {
    std::string what;
    for (const auto& c : dataTable("model_references.txt", 4)) {
        what = c[0].empty() ? what : c[0];
        SCOPED_TRACE(what + ": " + c[1]);
        Configuration cfg;
        EditState state;
        ClearConfiguration(cfg, state);
        if (!c[1].empty())
            applySettings(cfg, c[1]);
        const int channel = channelNamed(c[2]);
        std::string shown;
        for (const ChannelReference& r : ReferencesTo(cfg, channel)) {
            EXPECT_EQ(r.channel, channel);
            shown += (shown.empty() ? "" : "; ") + referenceText(r);
        }
        EXPECT_EQ(shown.empty() ? "none" : shown, c[3]);
    }
}

// Every reference names the channel stored at its place: a channel's number where the byte holds one.
TEST(References, aNumberPlaceHoldsTheChannelReferredTo) {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    applySettings(cfg, "A6.0=8; A6.1=17; B1.0=3; B1.15=100; logic 7.0=5; logic 7.1=6; logic 7.2=7; logic 7.3=8");
    const auto all = AllReferences(cfg);
    ASSERT_EQ(all.size(), 5u);
    for (const ChannelReference& r : all) {
        const Byte stored = r.place.area == StoreArea::ChanSetup ? cfg.ChanSetup[r.place.row][r.place.byte]
                                                                 : cfg.LogicBlocks[r.place.row][r.place.byte];
        EXPECT_EQ(stored, r.channel) << placeText(r.place);
    }
}
