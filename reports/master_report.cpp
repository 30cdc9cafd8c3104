// The master report: for every master function and roller master the channels it drives and, for a
// master function started by real time, its trigger times.

#include <algorithm>

#include "model/channel_types.h"
#include "model/facts_calendar.h"
#include "model/facts_device.h"
#include "model/field_rules.h"
#include "model/master.h"
#include "model/roller.h"
#include "model/text_ids.h"
#include "reports/report_values.h"
#include "reports/reports.h"

namespace korvane {

namespace {

using namespace report_parts;

namespace col {
constexpr double kGroupLetter = 2948.4;
constexpr double kGrid = 3203.4;
// The trigger-time table: two columns wide enough for "Trigger time 1" in every language, the day boxes
// ending at the right edge.
constexpr double kTrigger1 = 5499.9;
constexpr double kTrigger2 = 6945.75;
constexpr double kDays = 8391.6;
constexpr double kRollerLabel = 7257.6;
constexpr double kRollerValue = 9468.9;
} // namespace col

constexpr double kGridPitch = 0.6;
constexpr double kWordsPitch = 0.6;    // the lines naming the targets below the grid
constexpr int kMasterGridPicture = 70; // + GetMaster state
constexpr int kRollerNotUsable = 74;
constexpr int kRollerSelected = 75;
constexpr int kRollerNotSelected = 76;

int typeOf(const Configuration& cfg, int c) {
    return cfg.channelType(c) & kTypeMask;
}

// A target in words: its name and its description ("A1 Flur EG Deckenlicht").
std::string targetWords(const Configuration& cfg, const std::string& name, int channel) {
    const std::string& d = cfg.ChanText[static_cast<std::size_t>(channel)];
    return d.empty() ? name : name + " " + d;
}

// One action's targets below the grid: "On: A1 Flur; A2 Bad; ..." from line n on, wrapped between targets
// to the right edge; returns the line after the last. An action without targets prints nothing.
double targetLines(Canvas& c, double n, const std::string& action, const std::vector<std::string>& targets) {
    if (targets.empty())
        return n;
    constexpr TextStyle kStyle{9, false};
    const double room = page::kRightEdge - col::kGroupLetter;
    std::string line = action + ": ";
    bool first = true;
    const double d9 = c.rowOffset(9);
    auto flush = [&] {
        n += kWordsPitch;
        c.fitted(col::kGroupLetter, page::kRightEdge, RowY(n) + d9, 9, false, line);
    };
    // Targets are parted by semicolons: a description may hold commas.
    for (const std::string& t : targets) {
        std::string joined = line;
        if (!first)
            joined += "; ";
        joined += t;
        if (!first && c.surface().textWidth(joined + ";", kStyle) > room) {
            line += ";";
            flush();
            line = "    " + t;
        } else {
            line = joined;
        }
        first = false;
    }
    flush();
    return n;
}

int rollerPicture(int state) {
    return state == 3 ? kRollerSelected : state == 0 ? kRollerNotSelected : kRollerNotUsable;
}

double masterBlock(Canvas& c, const ReportInput& in, int ch, double n) {
    const Configuration& cfg = in.cfg;
    const Row& row = cfg.ChanSetup[ch];
    const int t = typeOf(cfg, ch);
    const bool roller = t == kTypeRollerMaster;
    const bool realTime = t == kTypeMaster && MasterSwitchedByClock(row);
    const bool pair = roller && ch + 1 < kChannels && typeOf(cfg, ch + 1) == kTypeRollerMasterSecond;
    const double d9 = c.rowOffset(9);

    // Line 1: name, icon, description; a roller master's mode beside it.
    const double y = RowY(n);
    const std::string name = pair ? ChannelRangeText(ch, ch + 1) : Num_2_Channel(ch);
    const int picture = ChannelPicture(cfg, ch);
    ChannelHeading(c, in, ch, name, picture, y, roller ? col::kRollerLabel - page::kColumnGap : page::kRightEdge);
    if (roller)
        c.fitted(col::kRollerLabel, page::kRightEdge, y + d9, 9, false,
                 ChoiceText(facts::kRollerMasterMode.choices, row[kRmMode] != 0 ? 255 : 0, in.text).value_or(""));

    // The digits line heads the grid; the trigger-time table or the roller settings stand beside the grid.
    n += 1;
    const double yd = RowY(n);
    for (int k = 0; k < 8; ++k)
        c.text(col::kGrid + page::kGridPitch * k, yd, 9, false, std::string(1, static_cast<char>('1' + k)));
    double side = n;
    if (realTime)
        // A master function's day-set times are its trigger times.
        DaySetHeadings(c, in, yd, col::kTrigger1, facts::kDaySetOn[0].ruleCaption, col::kTrigger2,
                       facts::kDaySetOff[0].ruleCaption, col::kDays);
    if (roller) {
        const ValueFact& f = facts::kRollerMasterRunTime;
        c.fitted(col::kRollerLabel, col::kRollerValue - page::kColumnGap, yd, 9, false, in.text(f.caption));
        c.fitted(col::kRollerValue, page::kRightEdge, yd, 9, false,
                 DecimalText(ReadValue(f, cfg, ch), 3) + "  " + in.text(f.unit));
    }

    const int last = cfg.channelsInUse();
    for (int g = 0; g <= last / 8; ++g) {
        n += kGridPitch;
        const double yg = RowY(n);
        c.text(col::kGroupLetter, yg + d9, 9, false, std::string(1, static_cast<char>('A' + g)));
        for (int d = 0; d < 8 && 8 * g + d <= last; ++d) {
            const int target = 8 * g + d;
            const int cell =
                roller ? rollerPicture(GetRmSt(cfg, ch, target / 2)) : kMasterGridPicture + GetMaster(cfg, target, ch);
            c.picture(col::kGrid + page::kGridPitch * d, yg, cell);
        }
    }

    if (realTime)
        for (int k = 0; k < kRtDaySetCount; ++k) {
            side += 1;
            DaySet(c, row, k, RowY(side), col::kTrigger1, col::kTrigger2, col::kDays);
        }
    if (roller) {
        side += 1;
        const double yr = RowY(side);
        const ValueFact& f = facts::kRollerMasterReverse;
        c.fitted(col::kRollerLabel, col::kRollerValue - page::kColumnGap, yr, 9, false, in.text(f.caption) + " :");
        c.fitted(col::kRollerValue, page::kRightEdge, yr, 9, false,
                 DecimalText(ReadValue(f, cfg, ch), 4) + "  " + in.text(f.unit));
    }

    n = std::max(n, side);
    // Below the grid and the times beside it, what the grid shows in words: the targets grouped by what happens to
    // them.
    if (roller) {
        std::vector<std::string> selected;
        for (int cell = 0; 2 * cell <= last && cell < kRmCells; ++cell)
            if (GetRmSt(cfg, ch, cell) == kRmSelected)
                selected.push_back(targetWords(cfg, ChannelRangeText(2 * cell, 2 * cell + 1), 2 * cell));
        n = targetLines(c, n, in.text(kTxtSelected), selected);
    } else {
        std::vector<std::string> on, off;
        for (int target = 0; target <= last; ++target) {
            const int state = GetMaster(cfg, target, ch);
            if (state == kMasterOn || state == kMasterOff)
                (state == kMasterOn ? on : off).push_back(targetWords(cfg, Num_2_Channel(target), target));
        }
        n = targetLines(c, n, in.text(kTxtLegendOn), on);
        n = targetLines(c, n, in.text(kTxtLegendOff), off);
    }

    n += 1;
    c.rule(RowY(n));
    return n + 1;
}

bool isMaster(const Configuration& cfg, int c) {
    const int t = typeOf(cfg, c);
    return t == kTypeMaster || t == kTypeRollerMaster;
}

} // namespace

bool HasMasterChannels(const Configuration& cfg) {
    for (int c = 0; c <= cfg.channelsInUse(); ++c)
        if (isMaster(cfg, c))
            return true;
    return false;
}

ReportOutcome PrintMasterReport(PrintJob& job, const ReportInput& in) {
    if (!HasMasterChannels(in.cfg))
        return ReportOutcome::NothingToPrint;
    ReportPages pages(job, in, kTxtPrintMaster);
    BlockPlacer placer(pages);
    for (int ch = 0; ch <= in.cfg.channelsInUse(); ++ch) {
        if (!isMaster(in.cfg, ch))
            continue;
        if (!placer.place([&](Canvas& c, double n) { return masterBlock(c, in, ch, n); }))
            return ReportOutcome::Failed;
    }
    return ReportOutcome::Printed;
}

} // namespace korvane
