// The real-time report: the holiday periods, then for every real-time channel its four day sets.

#include "model/channel_types.h"
#include "model/facts_calendar.h"
#include "model/text_ids.h"
#include "reports/report_values.h"
#include "reports/reports.h"

namespace korvane {

namespace {

using namespace report_parts;

namespace col {
constexpr double kOn = 2948.4;
constexpr double kOff = 4082.4;
constexpr double kDays = 5216.4;
// The holiday table: periods 1..8 in the left column group, 9..16 in the right one, each period with its
// number, first and last day.
constexpr double kNumber = 4365.9;
constexpr double kFrom = 5216.4;
constexpr double kTo = 6350.4;
constexpr double kSecondGroup = 3402;
} // namespace col

constexpr int kPeriodsPerColumn = kSysHolidayCount / 2;
constexpr double kHolidayPitch = 0.75;

double holidayTable(Canvas& c, const ReportInput& in, double n) {
    constexpr double p = page::kHeadingPoints;
    c.fitted(page::kLeftText, page::kRightEdge, RowY(n), 10, true, in.text(kTxtMenuHolidaySetup));
    n += 1;
    const double yh = RowY(n);
    for (int group = 0; group < 2; ++group) {
        const double dx = col::kSecondGroup * group;
        c.fitted(col::kNumber + dx, col::kFrom + dx - page::kColumnGap, yh, p, false, in.text(kTxtNumberShort));
        c.fitted(col::kFrom + dx, col::kTo + dx - page::kColumnGap, yh, p, false, in.text(kTxtFrom));
        const double toRight = group == 0 ? col::kNumber + col::kSecondGroup - page::kColumnGap : page::kRightEdge;
        c.fitted(col::kTo + dx, toRight, yh, p, false, in.text(kTxtTo));
    }
    for (int i = 0; i < kPeriodsPerColumn; ++i) {
        n += kHolidayPitch;
        for (int group = 0; group < 2; ++group) {
            const int period = i + kPeriodsPerColumn * group;
            const double dx = col::kSecondGroup * group;
            c.text(col::kNumber + dx, RowY(n), p, false, std::to_string(period + 1));
            c.text(col::kFrom + dx, RowY(n), p, false, HolidayDayText(in.cfg, period, false));
            c.text(col::kTo + dx, RowY(n), p, false, HolidayDayText(in.cfg, period, true));
        }
    }
    n += 1;
    c.rule(RowY(n));
    return n + 1;
}

double realTimeBlock(Canvas& c, const ReportInput& in, int channel, double n) {
    ChannelHeading(c, in, channel, Num_2_Channel(channel), kTypeRealTime, RowY(n), page::kRightEdge);
    n += 1;
    DaySetHeadings(c, in, RowY(n), col::kOn, facts::kDaySetOn[0].caption, col::kOff, facts::kDaySetOff[0].caption,
                   col::kDays);
    for (int k = 0; k < kRtDaySetCount; ++k) {
        n += 1;
        DaySet(c, in.cfg.ChanSetup[channel], k, RowY(n), col::kOn, col::kOff, col::kDays);
    }
    n += 1;
    c.rule(RowY(n));
    return n + 1;
}

bool isRealTime(const Configuration& cfg, int c) {
    return (cfg.channelType(c) & kTypeMask) == kTypeRealTime;
}

} // namespace

bool HasRealTimeChannels(const Configuration& cfg) {
    for (int c = 0; c <= cfg.channelsInUse(); ++c)
        if (isRealTime(cfg, c))
            return true;
    return false;
}

ReportOutcome PrintRealTimeReport(PrintJob& job, const ReportInput& in) {
    if (!HasRealTimeChannels(in.cfg))
        return ReportOutcome::NothingToPrint;
    ReportPages pages(job, in, kTxtPrintRealTime);
    BlockPlacer placer(pages);
    if (!placer.place([&](Canvas& c, double n) { return holidayTable(c, in, n); }))
        return ReportOutcome::Failed;
    for (int ch = 0; ch <= in.cfg.channelsInUse(); ++ch) {
        if (!isRealTime(in.cfg, ch))
            continue;
        if (!placer.place([&](Canvas& c, double n) { return realTimeBlock(c, in, ch, n); }))
            return ReportOutcome::Failed;
    }
    return ReportOutcome::Printed;
}

} // namespace korvane
