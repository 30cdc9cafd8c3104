// The parts the real-time, master and logic reports share.

#include <algorithm>

#include "model/channel_types.h"
#include "model/text_ids.h"
#include "reports/report_values.h"
#include "reports/reports.h"

namespace korvane::report_parts {

namespace {
constexpr double kTypeIconX = page::kTypeIcon;
constexpr double kDescriptionX = page::kDescription;
// A day heading keeps this much of its box's pitch free, so that neighbours never run together.
constexpr double kDayHeadingGap = 60;
constexpr double kDayHeadingRoom = page::kDayBoxPitch - kDayHeadingGap;
} // namespace

void ChannelHeading(Canvas& c, const ReportInput& in, int channel, const std::string& name, int picture, double y,
                    double descriptionRight) {
    c.fitted(page::kLeftText, kTypeIconX - page::kColumnGap, y + c.rowOffset(10), 10, false, name);
    c.picture(kTypeIconX, y, picture);
    c.fitted(kDescriptionX, descriptionRight, y + c.rowOffset(9), 9, false, in.cfg.ChanText[channel]);
}

void DaySetHeadings(Canvas& c, const ReportInput& in, double y, double xOn, int onText, double xOff, int offText,
                    double xDays) {
    constexpr double p = page::kHeadingPoints;
    c.fitted(xOn, xOff - page::kColumnGap, y, p, false, in.text(onText));
    c.fitted(xOff, xDays - page::kColumnGap, y, p, false, in.text(offText));
    // The day headings share one size, the largest at which each fits above its box, and stand centred
    // on their boxes, on the baseline of the other headings.
    double points = p;
    for (int k = 0; k < page::kDayBoxes; ++k)
        points = std::min(points, c.fit(in.text(DayBoxText(k)), kDayHeadingRoom, p, false).points);
    for (int k = 0; k < page::kDayBoxes; ++k) {
        const Canvas::Fit f = c.fit(in.text(DayBoxText(k)), kDayHeadingRoom, points, false);
        const double centre = xDays + page::kDayBoxPitch * k + page::kPictureSize / 2;
        c.text(centre - c.width(f.text, f.points) / 2, y + c.baselineDrop(p, f.points), f.points, false, f.text);
    }
}

void DaySet(Canvas& c, const Row& row, int k, double y, double xOn, double xOff, double xDays) {
    const int b = kRtDaySets + kRtDaySetSize * k;
    const double top = y + c.rowOffset(9);
    if (row[b + 1] != kNoTime)
        c.fitted(xOn, xOff - page::kColumnGap, top, 9, false, TimeOfDayText(row[b + 1], row[b + 2]));
    if (row[b + 3] != kNoTime)
        c.fitted(xOff, xDays - page::kColumnGap, top, 9, false, TimeOfDayText(row[b + 3], row[b + 4]));
    c.daysOfWeek(row[b], xDays, y);
}

bool BlockPlacer::fits(const Block& block, double n) {
    return MeasureBottom(pages_.job().surface(), [&](Canvas& m) { block(m, n); }) <= page::kFrameBottom;
}

bool BlockPlacer::newPage() {
    if (!pages_.next())
        return false;
    begun_ = true;
    n_ = 0;
    return true;
}

bool BlockPlacer::place(const Block& block) {
    if ((!begun_ || !fits(block, n_)) && !newPage())
        return false;
    n_ = block(pages_.canvas(), n_);
    return true;
}

} // namespace korvane::report_parts
