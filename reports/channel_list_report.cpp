// The channel list: one row for every channel in use with its name, type icon, option icon and
// description, and the settings of the functions that have any.

#include <algorithm>

#include "model/analog.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "reports/report_values.h"
#include "reports/reports.h"

namespace korvane {

namespace {

namespace col {
constexpr double kName = page::kLeftText;
constexpr double kTypeIcon = 1984.5;
constexpr double kOptionIcon = 2438.1;
constexpr double kDescription = 2948.4;
constexpr double kLabel = 7257.6;
constexpr double kValueRight = 10035.9;
constexpr double kSecondRight = page::kRightEdge;
} // namespace col

constexpr double kRowsPerPage = 32;
constexpr double kFurtherLine = 0.5; // a settings line after the first lies half a row lower
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

void settingsLines(const ReportInput& in, int c, int t, std::vector<ParamLine>& out) {
    const Configuration& cfg = in.cfg;
    const Row& row = cfg.ChanSetup[c];
    const auto& sys = cfg.SysData;
    auto txt = [&](int n) { return in.text(n); };
    auto add = [&](std::string label, std::string value = {}, std::string unit = {}, std::string second = {}) {
        out.push_back({std::move(label), std::move(value), std::move(unit), std::move(second)});
    };
    const std::string hms = "  " + txt(kTxtDurationUnit);
    const std::string sec = " " + txt(kTxtUnitSec);
    const std::string min = " " + txt(kTxtUnitMin);

    switch (t) {
    case kTypeFlipFlop:
        if (row[kBasicOptions] != 0)
            add(txt(kTxtPartOfIntruderAlarm));
        break;
    case kTypeTimerDelay:
    case kTypeTimerPulse:
    case kTypeTimerDelayPulse:
        add(txt(kTxtOnDelay), GetTimerChTid(row, kTimerTime1 - 1), hms);
        add(txt(kTxtOffDelay), GetTimerChTid(row, kTimerTime2 - 1), hms);
        if (t != kTypeTimerDelayPulse)
            add(txt(kTxtControlChannel), ChannelRefText(row[kTimerStartChannel]));
        break;
    case kTypeIntruderPassive:
    case kTypeIntruderActive:
    case kTypeWaterPassive:
    case kTypeWaterActive:
    case kTypeSmokePassive:
    case kTypeSmokeActive:
        add(txt(kTxtDisableChannel), ChannelRefText(row[kAlarmDisable]));
        break;
    case kTypeIntruderManualArm:
    case kTypeIntruderDoorArm:
        add(txt(kTxtArmingDelay), format(sys[kSysIntruderArmTime], 3), sec);
        add(txt(kTxtDisarmingTime), format(sys[kSysIntruderDisarmTime], 3), sec);
        break;
    case kTypeIntruderSiren:
        add(txt(kTxtSirenTime), format(sys[kSysIntruderSirenTime], 3), min);
        break;
    case kTypeWaterSiren:
        add(txt(kTxtSirenTime), format(sys[kSysWaterSirenTime], 3), min);
        break;
    case kTypeSmokeSiren:
        add(txt(kTxtSirenTime), format(sys[kSysSmokeSirenTime], 3), min);
        break;
    case kTypeIsaSiren:
        add(txt(kTxtSirenTime), format(sys[kSysIsaSirenTime], 3), min);
        break;
    case kTypeIntruderCallOut:
        add(txt(kTxtCallOutDelay), Str(sys[kSysIntruderContinueTime]), min);
        break;
    case kTypeWaterCallOut:
        add(txt(kTxtCallOutDelay), Str(sys[kSysWaterContinueTime]), min);
        break;
    case kTypeSmokeCallOut:
        add(txt(kTxtCallOutDelay), Str(sys[kSysSmokeContinueTime]), min);
        break;
    case kTypeWaterReset:
        add(txt(kTxtResetTime), Str(sys[kSysWaterResetTime]), min);
        break;
    case kTypeSmokeReset:
        add(txt(kTxtResetTime), Str(sys[kSysSmokeResetTime]), min);
        break;
    case kTypeMotion:
        add(txt(kTxtOffDelay), GetTimerChTid(row, kMotionTime - 1), hms);
        if (row[kMotionInAlarm] != 0)
            add(txt(kTxtIntruderAlarm));
        add(txt(kTxtDetectionPulses), format(row[kMotionPulses], 3));
        break;
    case kTypeMuxClaim:
        add(txt(kTxtMuxInputs) + ": " + MuxCountText(sys[kSysMuxCount]) + "   " + txt(kTxtMuxDelayShort) + ": " +
            MuxDelayText(sys[kSysMuxDelay]));
        break;
    case kTypeIsaPassive:
    case kTypeIsaActive:
        add(txt(kTxtDisableChannel), ChannelRefText(row[kAlarmDisable]));
        add(txt(kTxtOnDelay), format(row[kIsaOnDelay], 3), sec);
        break;
    case kTypeRoller:
        add(txt(kTxtRunTime), Str(row[kRollRunTime]), "  " + txt(kTxtUnitSec));
        add(txt(kTxtReverseTime), format(RollerReversePrinted(row), 4), "  " + txt(kTxtUnitMs));
        if (row[kRollSlats] != 0)
            add(txt(kTxtWithSlats));
        if (row[kRollPriority] != kNoChannel)
            add(txt(kTxtPriority) + "  " + txt(row[kRollPriorityDirection] != 0 ? kTxtDown : kTxtUp),
                ChannelRefText(row[kRollPriority]));
        break;
    case kTypeAnalogGeneral:
    case kTypeAnalogLux:
    case kTypeAnalogWind:
    case kTypeAnalogTemperature: {
        const std::string limit = txt((row[kAnaOptions] & kAnaInvertedBit) ? kTxtLimitInverted : kTxtLimit);
        if (row[kAnaDisable] != kNoChannel)
            add(txt(kTxtDisableChannel), ChannelRefText(row[kAnaDisable]));
        add(txt(kTxtRange), Byte3toStr(row, kAnaRangeMin), {}, Byte3toStr(row, kAnaRangeMax));
        add(limit + " 1", Byte3toStr(row, kAnaLimit1Low), {}, Byte3toStr(row, kAnaLimit1High));
        if (row[kAnaOptions] & kAnaSecondLimitBit) {
            if (row[kAnaLimit2Disable] != kNoChannel)
                add(txt(kTxtControlChannel), ChannelRefText(row[kAnaLimit2Disable]));
            add(limit + " 2", Byte3toStr(row, kAnaLimit2Low), {}, Byte3toStr(row, kAnaLimit2High));
        }
        break;
    }
    default:
        break;
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
    // The event options are neither saved nor sent while event output is off: no picture then.
    if (!claimed && !pair && !eventOptionsOff(cfg)) {
        const int option = cfg.ChanFlags[c] / 64 + kNoOptionPicture;
        e.optionPicture = option == kNoOptionPicture ? -1 : option;
    }
    if (claimed)
        e.description = in.text(TypeNameText(t));
    else
        e.description = cfg.ChanText[c];
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

void drawEntry(Canvas& c, const ChannelEntry& e, double n) {
    const double y = RowY(n);
    const double d10 = c.rowOffset(10);
    const double d9 = c.rowOffset(9);
    c.fitted(col::kName, col::kTypeIcon - page::kColumnGap / 2, y + d10, 10, false, e.name);
    c.picture(col::kTypeIcon, y, e.typePicture);
    if (e.optionPicture >= 0)
        c.picture(col::kOptionIcon, y, e.optionPicture);
    // A row without settings lets its description run to the right edge.
    const double descriptionRight = e.lines.empty() ? page::kRightEdge : col::kLabel - page::kColumnGap;
    c.fitted(col::kDescription, descriptionRight, y + d9, 9, false, e.description);

    for (std::size_t i = 0; i < e.lines.size(); ++i) {
        const ParamLine& l = e.lines[i];
        const double top = RowY(n + kFurtherLine * static_cast<double>(i)) + d9;
        double labelRight = page::kRightEdge;
        if (!l.value.empty()) {
            c.rightAligned(col::kValueRight, col::kLabel, top, 9, false, l.value);
            labelRight = col::kValueRight - c.width(l.value, 9) - page::kColumnGap;
        } else if (!l.second.empty()) {
            labelRight = col::kValueRight - page::kColumnGap;
        }
        c.fitted(col::kLabel, labelRight, top, 9, false, l.label);
        if (!l.unit.empty())
            c.fitted(col::kValueRight, page::kRightEdge, top, 9, false, l.unit);
        if (!l.second.empty())
            c.rightAligned(col::kSecondRight, col::kValueRight + page::kColumnGap, top, 9, false, l.second);
    }
}

} // namespace

std::vector<ChannelEntry> ChannelListEntries(const ReportInput& in) {
    std::vector<ChannelEntry> out;
    for (int c = 0; c <= in.cfg.channelsInUse();) {
        out.push_back(describe(in, c));
        c += out.back().step;
    }
    return out;
}

ReportOutcome PrintChannelList(PrintJob& job, const ReportInput& in) {
    ReportPages pages(job, in, kTxtPrintChannelList, [&in](Canvas& c) { headings(c, in); });
    Canvas& canvas = pages.canvas();
    double n = kRowsPerPage;
    for (const ChannelEntry& e : ChannelListEntries(in)) {
        // A channel is never split: it starts a page when the page is full or its last line would fall
        // below the frame.
        const bool full = n >= kRowsPerPage ||
                          MeasureBottom(job.surface(), [&](Canvas& c) { drawEntry(c, e, n); }) > page::kFrameBottom;
        if (full) {
            if (!pages.next())
                return ReportOutcome::Failed;
            n = 0;
        }
        drawEntry(canvas, e, n);
        n += kFurtherLine * static_cast<double>(std::max<std::size_t>(e.lines.size(), 1) - 1) + 1;
    }
    return ReportOutcome::Printed;
}

} // namespace korvane
