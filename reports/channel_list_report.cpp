// The channel list: one row for every channel in use with its name, type icon, option icon and
// description, and the settings of the functions that have any.

#include <algorithm>

#include "model/analog.h"
#include "model/channel_types.h"
#include "model/fact_catalogue.h"
#include "model/facts_alarm.h"
#include "model/facts_device.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "reports/report_values.h"
#include "reports/reports.h"

namespace korvane {

namespace {

namespace col {
constexpr double kName = page::kLeftText;
constexpr double kTypeIcon = page::kTypeIcon;
constexpr double kOptionIcon = 2438.1;
constexpr double kDescription = page::kDescription;
constexpr double kLabel = 7257.6;
constexpr double kValueRight = 10035.9;
constexpr double kSecondRight = page::kRightEdge;
} // namespace col

constexpr double kRowsPerPage = 32;
constexpr double kFurtherLine = 0.5; // a settings or description line after the first lies half a row lower
constexpr double kTextPoints = 9;
constexpr double kFunctionPoints = 8; // the function in words under the description
constexpr int kTimeOutputChannels = 16;
constexpr int kMuxChannelsClaimed = 4;
constexpr int kNoOptionPicture = 64;
constexpr int kHeadingPictureBus = 77;
constexpr int kHeadingPictureSms = 78;

bool eventOptionsOff(const Configuration& cfg) {
    return cfg.SysData[kSysEventOff] == 1;
}

// How many channels from c on carry type t, at most `most`.
int runOf(const Configuration& cfg, int c, int t, int most) {
    int n = 0;
    while (n < most && c + n < kChannels && (cfg.channelType(c + n) & kTypeMask) == t)
        ++n;
    return n;
}

// The channels a row covers: a claimed range or a pair only as far as its channels really belong to it.
int stepOf(const Configuration& cfg, int c, int t) {
    switch (t) {
    case kTypeTimeOutputClaim:
        return runOf(cfg, c, t, kTimeOutputChannels);
    case kTypeMuxClaim:
        return runOf(cfg, c, t, kMuxChannelsClaimed);
    case kTypeRoller:
        return c + 1 < kChannels && (cfg.channelType(c + 1) & kTypeMask) == kTypeRollerSecond ? 2 : 1;
    case kTypeRollerMaster:
        return c + 1 < kChannels && (cfg.channelType(c + 1) & kTypeMask) == kTypeRollerMasterSecond ? 2 : 1;
    default:
        return 1;
    }
}

std::string format(long v, int digits) {
    return DecimalText(v, digits);
}

// A fact's caption as its page shows it on the channel, with its context ("Limit 2, Control channel").
std::string captionWords(const ReportInput& in, const ValueFact& f, int c) {
    const int caption = CaptionOf(f, in.cfg, c);
    std::string words = caption ? in.text(caption) : std::string();
    while (!words.empty() && words.back() == '.')
        words.pop_back();
    if (f.context)
        return in.text(f.context) + " " + std::to_string(f.number) + (words.empty() ? "" : ", " + words);
    return f.number ? words + " " + std::to_string(f.number) : words;
}

// The settings lines of a channel, from the facts of its type: first the lines the list has always
// printed, in their own layout (three digits, Str, hours:minutes:seconds), then every other setting its
// page shows, each with its caption, value and unit. A box is printed by its caption when it is ticked.
void settingsLines(const ReportInput& in, int c, int t, std::vector<ParamLine>& out) {
    using namespace facts;
    const Configuration& cfg = in.cfg;
    const Row& row = cfg.ChanSetup[c];
    std::vector<const ValueFact*> done;
    auto txt = [&](int n) { return in.text(n); };
    auto add = [&](std::string label, std::string value = {}, std::string unit = {}, std::string second = {}) {
        out.push_back({std::move(label), std::move(value), std::move(unit), std::move(second)});
    };
    auto value = [&](const ValueFact& f) {
        done.push_back(&f);
        return ReadValue(f, cfg, c);
    };
    // The lines the list has always printed keep their labels; the others read as their page.
    auto caption = [&](const ValueFact& f) { return txt(f.caption); };
    auto words = [&](const ValueFact& f) { return captionWords(in, f, c); };
    auto unit = [&](const ValueFact& f, const char* gap = " ") { return f.unit ? gap + txt(f.unit) : std::string(); };
    auto duration = [&](const ValueFact& f) { add(caption(f), FormatValue(f, value(f)), unit(f, "  ")); };
    auto channel = [&](const ValueFact& f) { add(caption(f), ChannelRefText(value(f))); };
    auto channelIfAny = [&](const ValueFact& f) {
        if (value(f) != kNoChannel)
            channel(f);
    };
    auto digits3 = [&](const ValueFact& f) { add(caption(f), format(value(f), 3), unit(f)); };
    auto str = [&](const ValueFact& f, const char* gap = " ") { add(caption(f), Str(value(f)), unit(f, gap)); };
    auto box = [&](const ValueFact& f) {
        if (value(f) != 0)
            add(caption(f));
    };
    // An analogue sensor's pair of values, the second with the sensor's unit; a limit's pair is "Limit 1"
    // or "Limit, inverted 1", with the words of its two values right under them.
    const std::string sensorUnit = SensorUnit(t) ? " " + txt(SensorUnit(t)) : std::string();
    auto limits = [&](const ValueFact& low, const ValueFact& high) {
        const bool inverted = value(kSensorInverted) != 0;
        value(low);
        value(high);
        add(txt(inverted ? kTxtLimitInverted : low.context) + " " + std::to_string(low.number),
            Byte3toStr(row, low.index), {}, Byte3toStr(row, high.index) + sensorUnit);
        add({}, txt(CaptionOf(low, cfg, c)), {}, txt(CaptionOf(high, cfg, c)));
    };

    switch (t) {
    case kTypeMono:
        value(kInvertMono); // its picture says it
        break;
    case kTypeFlipFlop:
        box(kFlipFlopIntruder);
        break;
    case kTypeTimerDelay:
    case kTypeTimerPulse:
    case kTypeTimerDelayPulse:
        // A pulse timer's times are printed as on and off delays too.
        duration(kTimerDuration1);
        duration(kTimerDuration2);
        if (t != kTypeTimerDelayPulse)
            channel(kTimerStart);
        break;
    case kTypeRealTime:
    case kTypeMaster:
    case kTypeRollerMaster:
        // Their times, targets and settings are the real-time and master reports'.
        return;
    case kTypeIntruderPassive:
    case kTypeIntruderActive:
        channel(kIntruderDisable);
        break;
    case kTypeWaterPassive:
    case kTypeWaterActive:
        channel(kWaterDisable);
        break;
    case kTypeSmokePassive:
    case kTypeSmokeActive:
        channel(kSmokeDisable);
        break;
    case kTypeIntruderManualArm:
    case kTypeIntruderDoorArm:
        digits3(kIntruderArmDelay);
        digits3(kIntruderDisarmTime);
        break;
    case kTypeIntruderSiren:
        digits3(kIntruderSirenTime);
        break;
    case kTypeWaterSiren:
        digits3(kWaterSirenTime);
        break;
    case kTypeSmokeSiren:
        digits3(kSmokeSirenTime);
        break;
    case kTypeIsaSiren:
        digits3(kIsaSirenTime);
        break;
    case kTypeIntruderCallOut:
        str(kIntruderCallOutDelay);
        break;
    case kTypeWaterCallOut:
        str(kWaterCallOutTime);
        break;
    case kTypeSmokeCallOut:
        str(kSmokeCallOutTime);
        break;
    case kTypeWaterReset:
        str(kWaterResetTime);
        break;
    case kTypeSmokeReset:
        str(kSmokeResetTime);
        break;
    case kTypeMotion:
        duration(kMotionDuration);
        // The list names the alarm the detector takes part in.
        if (value(kMotionAlarm) != 0)
            add(txt(kTxtIntruderAlarm));
        digits3(kMotionPulseCount);
        break;
    case kTypeMuxClaim:
        add(txt(kTxtMuxInputs) + ": " + PrintedChoice(kMuxCount, value(kMuxCount), 2, txt) + "   " +
            txt(kTxtMuxDelayShort) + ": " + PrintedChoice(kMuxDelay, value(kMuxDelay), 3, txt));
        break;
    case kTypeIsaPassive:
    case kTypeIsaActive:
        channel(kIsaDisable);
        digits3(kIsaInputOnDelay);
        break;
    case kTypeRoller: {
        str(kRollerRunTime, "  ");
        value(kRollerReverse);
        add(caption(kRollerReverse), format(RollerReversePrinted(row), 4), unit(kRollerReverse, "  "));
        box(kRollerSlats);
        // The priority direction belongs to the priority channel: printed with it. Any direction byte
        // but 0 reads as down.
        const int direction = value(kRollerDirection) != 0 ? 255 : 0;
        if (value(kRollerPriority) != kNoChannel)
            add(caption(kRollerPriority) + "  " + ChoiceText(kRollerDirection.choices, direction, txt).value_or(""),
                ChannelRefText(value(kRollerPriority)));
        break;
    }
    case kTypeAnalogGeneral:
    case kTypeAnalogLux:
    case kTypeAnalogWind:
    case kTypeAnalogTemperature: {
        channelIfAny(kSensorDisable);
        value(kSensorRangeMin);
        value(kSensorRangeMax);
        // A light meter's range is fixed: the bytes say nothing, its page shows 0.1 .. 100000.0.
        if (t == kTypeAnalogLux)
            add(txt(kTxtRange), TenthsText(kLuxLowTenths), {}, TenthsText(kLuxHighTenths) + sensorUnit);
        else
            add(txt(kTxtRange), Byte3toStr(row, kSensorRangeMin.index), {},
                Byte3toStr(row, kSensorRangeMax.index) + sensorUnit);
        limits(kSensorLimit1Low, kSensorLimit1High);
        if (value(kSensorSecondLimit) != 0) {
            channelIfAny(kSensorLimit2Channel);
            limits(kSensorLimit2Low, kSensorLimit2High);
        } else {
            value(kSensorLimit2Channel);
            value(kSensorLimit2Low);
            value(kSensorLimit2High);
        }
        // The external limit channel belongs to its box.
        if (value(kSensorExternLimit) != 0)
            add(words(kSensorExternLimit), ChannelRefText(value(kSensorLimitChannel)));
        value(kSensorLimitChannel);
        break;
    }
    default:
        break;
    }

    // Every other setting the page shows.
    for (const ValueFact* f : FactsOfType(t)) {
        if (std::find(done.begin(), done.end(), f) != done.end() || !FactShown(*f, cfg, c))
            continue;
        const int v = value(*f);
        if (f->format == ValueFormat::Flag) {
            if (v != 0)
                add(words(*f));
        } else if (const auto choice = ChoiceText(f->choices, v, txt)) {
            add(words(*f), *choice);
        } else {
            add(words(*f), FormatValue(*f, v), unit(*f));
        }
    }
}

ChannelEntry describe(const ReportInput& in, int c) {
    const Configuration& cfg = in.cfg;
    const int t = cfg.channelType(c) & kTypeMask;
    ChannelEntry e;
    e.channel = c;
    e.step = stepOf(cfg, c, t);
    e.name = e.step > 1 ? ChannelRangeText(c, c + e.step - 1) : Num_2_Channel(c);
    e.typePicture = ChannelPicture(cfg, c);
    const bool claimed = t == kTypeTimeOutputClaim || t == kTypeMuxClaim;
    const bool pair = t == kTypeRoller || t == kTypeRollerMaster;
    // The picture of the event options where they count (not while the event output is off, nor on a
    // pulse timer, whose type byte goes without them); claimed ranges and pairs print none.
    if (!claimed && !pair && EventOptionsCount(cfg, c)) {
        const int option = cfg.ChanFlags[c] / 64 + kNoOptionPicture;
        e.optionPicture = option == kNoOptionPicture ? -1 : option;
    }
    if (claimed) {
        e.description = in.text(TypeNameText(t));
    } else {
        e.description = cfg.ChanText[c];
        e.function = in.text(TypeNameText(t));
    }
    settingsLines(in, c, t, e.lines);
    return e;
}

void headings(Canvas& c, const ReportInput& in) {
    const double y = page::kColumnHeadings;
    c.fitted(col::kName, col::kOptionIcon - page::kColumnGap, y, 9, true, in.text(kTxtChannel));
    const Byte events = in.cfg.SysData[kSysEventSms];
    if (!eventOptionsOff(in.cfg) && events <= 1)
        c.picture(col::kOptionIcon, y, events == 0 ? kHeadingPictureBus : kHeadingPictureSms);
    c.fitted(col::kDescription, col::kLabel - page::kColumnGap, y, 9, true, in.text(kTxtDescription));
    c.fitted(col::kLabel, page::kRightEdge, y, 9, true, in.text(kTxtSettings));
}

// The description in its column: on one line, shrunk no further than the smallest size; a longer one, or
// one with line breaks, wraps at its words onto further lines.
std::vector<std::string> descriptionLines(Canvas& c, const std::string& text, double room) {
    if (text.empty())
        return {};
    if (text.find_first_of("\r\n") == std::string::npos) {
        const Canvas::Fit f = c.fit(text, room, kTextPoints, false);
        if (f.text == text)
            return {text};
    }
    std::vector<std::string> lines = WrapNotes(text, room, {kTextPoints, false}, c.surface());
    for (std::string& l : lines)
        while (!l.empty() && l.back() == ' ')
            l.pop_back();
    return lines;
}

// Draws a row at line n; returns the number of lines (each half a row) it takes.
int drawEntry(Canvas& c, const ChannelEntry& e, double n) {
    const double y = RowY(n);
    const double d10 = c.rowOffset(10);
    const double d9 = c.rowOffset(kTextPoints);
    auto lineTop = [&](std::size_t i) { return RowY(n + kFurtherLine * static_cast<double>(i)) + d9; };
    c.fitted(col::kName, col::kTypeIcon - page::kColumnGap, y + d10, 10, false, e.name);
    c.picture(col::kTypeIcon, y, e.typePicture);
    if (e.optionPicture >= 0)
        c.picture(col::kOptionIcon, y, e.optionPicture);
    // A row without settings lets its description run to the right edge.
    const double descriptionRight = e.lines.empty() ? page::kRightEdge : col::kLabel - page::kColumnGap;
    const std::vector<std::string> description =
        descriptionLines(c, e.description, descriptionRight - col::kDescription);
    for (std::size_t i = 0; i < description.size(); ++i)
        c.fitted(col::kDescription, descriptionRight, lineTop(i), kTextPoints, false, description[i]);
    // The function in words on the line after the description.
    std::size_t used = description.size();
    if (!e.function.empty()) {
        c.fitted(col::kDescription, descriptionRight, lineTop(used) + c.baselineDrop(kTextPoints, kFunctionPoints),
                 kFunctionPoints, false, e.function);
        ++used;
    }

    for (std::size_t i = 0; i < e.lines.size(); ++i) {
        const ParamLine& l = e.lines[i];
        const double top = lineTop(i);
        double labelRight = page::kRightEdge;
        if (!l.value.empty()) {
            c.rightAligned(col::kValueRight, col::kLabel, top, kTextPoints, false, l.value);
            labelRight = col::kValueRight - c.width(l.value, kTextPoints) - page::kColumnGap;
        } else if (!l.second.empty()) {
            labelRight = col::kValueRight - page::kColumnGap;
        }
        c.fitted(col::kLabel, labelRight, top, kTextPoints, false, l.label);
        if (!l.unit.empty())
            c.fitted(col::kValueRight, page::kRightEdge, top, kTextPoints, false, l.unit);
        if (!l.second.empty())
            c.rightAligned(col::kSecondRight, col::kValueRight + page::kColumnGap, top, kTextPoints, false, l.second);
    }
    return static_cast<int>(std::max<std::size_t>({used, e.lines.size(), 1}));
}

} // namespace

bool HasChannelsInUse(const Configuration& cfg) {
    for (int c = 0; c <= cfg.channelsInUse(); ++c)
        if (!IsUnusedChannel(cfg, c))
            return true;
    return false;
}

std::vector<ChannelEntry> ChannelListEntries(const ReportInput& in) {
    std::vector<ChannelEntry> out;
    for (int c = 0; c <= in.cfg.channelsInUse();) {
        ChannelEntry e = describe(in, c);
        c += e.step;
        if (!(in.inUseOnly && IsUnusedChannel(in.cfg, e.channel)))
            out.push_back(std::move(e));
    }
    return out;
}

ReportOutcome PrintChannelList(PrintJob& job, const ReportInput& in) {
    const std::vector<ChannelEntry> entries = ChannelListEntries(in);
    if (entries.empty())
        return ReportOutcome::NothingToPrint;
    ReportPages pages(job, in, kTxtPrintChannelList, [&in](Canvas& c) { headings(c, in); });
    Canvas& canvas = pages.canvas();
    double n = kRowsPerPage;
    for (const ChannelEntry& e : entries) {
        // A channel is never split: it starts a page when the page is full or its last line would fall
        // below the frame.
        const bool full = n >= kRowsPerPage ||
                          MeasureBottom(job.surface(), [&](Canvas& c) { drawEntry(c, e, n); }) > page::kFrameBottom;
        if (full) {
            if (!pages.next())
                return ReportOutcome::Failed;
            n = 0;
        }
        if (in.channelPrinted)
            in.channelPrinted(e.channel, job.pages());
        n += kFurtherLine * (drawEntry(canvas, e, n) - 1) + 1;
    }
    return ReportOutcome::Printed;
}

} // namespace korvane
