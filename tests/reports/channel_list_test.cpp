// The channel list's rows: the settings lines of each function, every channel exactly once, the
// multiplexer's line. Where the rows stand on the page is in the golden listings (report_listing_test).

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "model/channel_types.h"
#include "model/fact_catalogue.h"
#include "reports/reports.h"
#include "tests/model/table_names.h"
#include "tests/support/io_test_support.h"
#include "tests/support/recording_surface.h"

using namespace korvane;
using namespace korvane::testing;

// The settings lines of channel 20 with each function of tests/data/reports_settings_lines.txt, as a listing:
// a case's bytes, then its lines as label|value|unit|second with the language texts as their numbers
// ("T290"). A change on purpose is written anew with KORVANE_UPDATE_GOLDEN=1.
TEST(ChannelList, settingsLinesOfEachFunctionMatchTheirGoldenListing) {
    std::ostringstream listing;
    for (const auto& c : dataTable("reports_settings_lines.txt", 4)) {
        Configuration cfg = ReportBlank();
        cfg.ChanSetup[20][kRowType] = static_cast<Byte>(std::stoi(c[1]));
        listing << "type " << c[1] << ", row";
        for (auto [k, v] : columnValues(c[2]))
            listing << " " << k << "=" << int{cfg.ChanSetup[20][k] = static_cast<Byte>(v)};
        listing << ", system bytes";
        for (auto [k, v] : columnValues(c[3]))
            listing << " " << k << "=" << int{cfg.SysData[k] = static_cast<Byte>(v)};
        listing << "\n";
        const auto entries = ChannelListEntries(ReportInputOf(cfg));
        ASSERT_EQ(entries.size(), 128u) << c[0];
        for (const ParamLine& l : entries[20].lines)
            listing << "  " << l.label << "|" << l.value << "|" << l.unit << "|" << l.second << "\n";
    }
    ExpectGoldenListing("settings-lines.txt", listing.str());
}

// Every setting a channel's page shows is in its row of the list: a change of any fact of its function
// changes the row (its lines or its picture). The times and targets of real-time clocks, master functions
// and roller masters are the real-time and master reports'.
TEST(ChannelList, aChangeOfAnyFactOfTheFunctionShowsInItsRow) {
    const auto row = [](const Configuration& cfg) {
        const ChannelEntry e = ChannelListEntries(ReportInputOf(cfg))[20];
        std::string out = std::to_string(e.typePicture);
        for (const ParamLine& l : e.lines)
            out += "\n" + l.label + "|" + l.value + "|" + l.unit + "|" + l.second;
        return out;
    };
    int checked = 0;
    for (const TypeInfo& info : ChannelTypes()) {
        if (info.channelsUsed == 0 || info.code == kTypeRealTime || info.code == kTypeMaster ||
            info.code == kTypeRollerMaster)
            continue;
        Configuration a = ReportBlank();
        ASSERT_FALSE(SetChannelType(a, 20, info.code).empty());
        // Every box ticked and every channel reference set, so that what depends on them is printed.
        for (const ValueFact* f : FactsOfType(info.code)) {
            if (f->format == ValueFormat::Flag)
                StoreValue(*f, a, 20, 1);
            if (f->format == ValueFormat::ChannelRef)
                StoreValue(*f, a, 20, 0);
        }
        for (const ValueFact* f : FactsOfType(info.code)) {
            if (!FactShown(*f, a, 20))
                continue;
            const int v = ReadValue(*f, a, 20);
            Configuration b = a;
            StoreValue(*f, b, 20, v != f->maximum ? f->maximum : f->minimum);
            EXPECT_NE(row(a), row(b)) << f->name << " of function " << info.code;
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
}

TEST(ChannelList, everyChannelOnceWhateverTheFileHolds) {
    for (const auto& c : dataTable("reports_channel_rows.txt", 5)) {
        SCOPED_TRACE(c[0]);
        Configuration cfg = ReportBlank(std::stoi(c[2]));
        for (auto [ch, t] : columnValues(c[1]))
            cfg.ChanSetup[ch][kRowType] = static_cast<Byte>(t);
        for (int ch = 0; ch < kChannels; ++ch)
            cfg.ChanText[ch] = "d" + std::to_string(ch);
        const auto entries = ChannelListEntries(ReportInputOf(cfg));
        EXPECT_EQ(entries.size(), std::stoul(c[4]));
        // Covered channels run 0..last without a gap or a repeat; every plain channel keeps its description.
        int next = 0;
        std::vector<std::string> names;
        for (const ChannelEntry& e : entries) {
            EXPECT_EQ(e.channel, next);
            next += e.step;
            names.push_back(e.name);
            const int t = cfg.channelType(e.channel);
            if (t != kTypeTimeOutputClaim && t != kTypeMuxClaim) {
                EXPECT_EQ(e.description, "d" + std::to_string(e.channel));
            }
        }
        EXPECT_EQ(next, cfg.channelsInUse() + 1);
        const std::vector<std::string> first = splitOn(c[3], ',');
        names.resize(std::min(names.size(), first.size()));
        EXPECT_EQ(names, first);
    }
}

TEST(ChannelList, claimedChannelsAndTheMultiplexerLine) {
    Configuration cfg = ReportBlank(15);
    for (int ch = 0; ch < 4; ++ch)
        cfg.ChanSetup[ch][kRowType] = kTypeMuxClaim;
    cfg.SysData[kSysMuxCount] = 3;
    cfg.SysData[kSysMuxDelay] = 2;
    auto entries = ChannelListEntries(ReportInputOf(cfg));
    EXPECT_EQ(entries[0].description, "T131");
    EXPECT_EQ(entries[0].optionPicture, -1);
    ASSERT_EQ(entries[0].lines.size(), 1u);
    EXPECT_EQ(entries[0].lines[0].label, "T250:  4   T251:   4");
    cfg.SysData[kSysMuxCount] = 99; // outside the list: its number, no fault
    entries = ChannelListEntries(ReportInputOf(cfg));
    EXPECT_EQ(entries[0].lines[0].label, "T250: 99   T251:   4");
}
