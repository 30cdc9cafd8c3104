#include "reports/print_engine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/text_ids.h"
#include "reports/report_values.h"

namespace korvane {

namespace {

constexpr char kEllipsis = '\x85'; // "…" in the 8-bit character set
constexpr double kShrinkStep = 0.25;
constexpr std::size_t kDescriptionHeaderChars = 64;

} // namespace

bool PrintJob::beginPage() {
    if (failed_)
        return false;
    if (pages_ > 0 && !surface_.newPage()) {
        failed_ = true;
        return false;
    }
    ++pages_;
    return true;
}

double Canvas::width(const std::string& text, double points, bool bold) {
    return s_.textWidth(text, {points, bold});
}

double Canvas::height(double points, bool bold) {
    return s_.textHeight({points, bold});
}

double Canvas::baselineDrop(double points, double smaller, bool bold) {
    return s_.textAscent({points, bold}) - s_.textAscent({smaller, bold});
}

double Canvas::rowOffset(double points) {
    return page::kPictureSize - height(points);
}

void Canvas::text(double x, double top, double points, bool bold, const std::string& text) {
    if (!text.empty())
        s_.text(x, top, {points, bold}, text);
}

Canvas::Fit Canvas::fit(const std::string& text, double room, double points, bool bold) {
    if (text.empty() || width(text, points, bold) <= room)
        return {points, text};
    // Shrink: the width grows with the size, so start from the proportional size and step down.
    double p = std::floor(points * room / width(text, points, bold) / kShrinkStep) * kShrinkStep;
    p = std::clamp(p, page::kSmallestPoints, points);
    while (p > page::kSmallestPoints && width(text, p, bold) > room)
        p = std::max(page::kSmallestPoints, p - kShrinkStep);
    if (width(text, p, bold) <= room)
        return {p, text};
    // Cut: the longest beginning that fits with the ellipsis.
    std::size_t lo = 0;
    std::size_t hi = text.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (width(text.substr(0, mid) + kEllipsis, p, bold) <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    std::string cut = text.substr(0, lo);
    while (!cut.empty() && cut.back() == ' ')
        cut.pop_back();
    cut += kEllipsis;
    if (width(cut, p, bold) > room)
        cut.clear();
    return {p, cut};
}

void Canvas::fitted(double x, double right, double top, double points, bool bold, const std::string& text) {
    const Fit f = fit(text, right - x, points, bold);
    this->text(x, top + baselineDrop(points, f.points, bold), f.points, bold, f.text);
}

void Canvas::rightAligned(double right, double left, double top, double points, bool bold, const std::string& text) {
    const Fit f = fit(text, right - left, points, bold);
    this->text(right - width(f.text, f.points, bold), top + baselineDrop(points, f.points, bold), f.points, bold,
               f.text);
}

bool IsPrintablePicture(int number) {
    return (number >= 0 && number <= 63) || (number >= 65 && number <= 78) || number == 100 || number == 107;
}

void Canvas::picture(double x, double y, int number) {
    if (IsPrintablePicture(number))
        s_.picture(x, y, page::kPictureSize, number);
}

void Canvas::rule(double y) {
    s_.fillRect(page::kRuleLeft, y, page::kRightEdge, y + page::kRuleThickness);
}

void Canvas::daysOfWeek(int mask, double x, double y) {
    constexpr int kEmptyBox = 68;
    constexpr int kTickedBox = 69;
    for (int k = 0; k < page::kDayBoxes; ++k)
        picture(x + page::kDayBoxPitch * k, y, (mask & (128 >> k)) ? kTickedBox : kEmptyBox);
}

std::string ReportTitle(const ReportInput& in, int titleText) {
    return "ZEB1 " + in.text(titleText);
}

void PrintPageHeadder(Canvas& c, const ReportInput& in, const std::string& title, const std::string& right) {
    using namespace page;
    PrintSurface& s = c.surface();
    s.fillRect(kRuleLeft, 0, kVerticalRuleRight, kFrameBottom);
    s.fillRect(kRuleLeft, kHeaderRuleTop, kRightEdge, kHeaderRuleBottom);

    // Each line: the right-hand text whole at the right edge, the left-hand one in the room left.
    auto line = [&](double y, double points, bool bold, const std::string& left, const std::string& rightText) {
        const double w = c.width(rightText, points, bold);
        c.text(kRightEdge - w, y, points, bold, rightText);
        c.fitted(kLeftText, kRightEdge - w - (rightText.empty() ? 0 : 2 * kColumnGap), y, points, bold, left);
    };
    line(kHeaderLine1, 12, true, title, right);
    line(kHeaderLine2, 10, true, in.text(kTxtMenuFile) + ": " + in.fileName, GetTimeNow(in.clock, in.text));

    // The first line of the general description, at most 64 characters.
    const std::string& d = in.cfg.DescText[kGeneralDescription];
    const std::size_t end = std::min({d.find('\r'), d.find('\n'), kDescriptionHeaderChars, d.size()});
    // "Device number 1 · 128 channels": the unit and its size, never to be read as a range.
    const std::string units = in.text(kTxtDeviceNumber) + Str(in.cfg.SysData[kSysDeviceNo]) + " \xB7 " +
                              std::to_string(in.cfg.channelsInUse() + 1) + " " + in.text(kTxtChannels);
    line(kHeaderLine3, 10, false, d.substr(0, end), units);
}

ReportPages::ReportPages(PrintJob& job, const ReportInput& in, int titleText, Headings headings)
    : job_(job), in_(in), canvas_(job.surface()), title_(ReportTitle(in, titleText)), headings_(std::move(headings)) {}

bool ReportPages::next() {
    if (!job_.beginPage())
        return false;
    ++page_;
    PrintPageHeadder(canvas_, in_, title_,
                     in_.pageText ? in_.pageText(job_.pages()) : in_.text(kTxtPage) + ": " + Str(page_));
    if (headings_)
        headings_(canvas_);
    return true;
}

double MeasureBottom(PrintSurface& metrics, const std::function<void(Canvas&)>& draw) {
    MeasuringSurface m(metrics);
    Canvas c(m);
    draw(c);
    return m.bottom();
}

} // namespace korvane
