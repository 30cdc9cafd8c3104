#include "model/problems.h"

#include <algorithm>
#include <array>

#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/fact_catalogue.h"
#include "model/facts_alarm.h"
#include "model/facts_calendar.h"
#include "model/facts_logic.h"
#include "model/facts_sms.h"
#include "model/logic.h"
#include "model/master.h"
#include "model/references.h"
#include "model/roller.h"
#include "model/text_codec.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

using Out = std::vector<Problem>;

Problem at(const ProblemRule& rule, PlaceKind kind, int number) {
    Problem p;
    p.rule = &rule;
    p.place = {kind, number};
    return p;
}

bool unusedChannel(const Configuration& cfg, int c) {
    return cfg.channelType(c) == kTypeBlank;
}

// ---- will be cut or lost ----

void textCut(const Problem& base, const TextFact& fact, const std::string& text, Out& out) {
    const int kept = UnitKeeps(fact);
    if (static_cast<int>(text.size()) <= kept)
        return;
    Problem p = base;
    p.textFact = &fact;
    p.caption = fact.caption;
    p.captionNumber = fact.number;
    p.args = {std::to_string(text.size()), std::to_string(kept)};
    out.push_back(std::move(p));
}

// Every text longer than its slot on the unit: the channel descriptions of the channels in use, the
// logic pages' notes, the system description, the SMS entries and the identification.
void findTextsCut(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    for (int c = 0; c <= cfg.channelsInUse(); ++c)
        textCut(at(rule, PlaceKind::Channel, c), facts::kChannelDescription, cfg.ChanText[static_cast<std::size_t>(c)],
                out);
    for (int page = 0; page < kLogicPages; ++page)
        textCut(at(rule, PlaceKind::LogicPage, page), facts::kLogicNotes, ReadText(facts::kLogicNotes, cfg, page), out);
    for (const SystemArea& area : SystemAreas())
        for (const TextFact* f : area.texts)
            textCut(at(rule, PlaceKind::System, area.heading), *f, ReadText(*f, cfg, -1), out);
    for (const TextFact* f : SmsArea().texts)
        textCut(at(rule, PlaceKind::System, SmsArea().heading), *f, ReadText(*f, cfg, -1), out);
}

// Channels above the number of channels are not sent, and a save turns them into unused channels.
void findAboveChannelsInUse(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    for (int c = cfg.channelsInUse() + 1; c < kChannels; ++c)
        if (!unusedChannel(cfg, c) || !cfg.ChanText[static_cast<std::size_t>(c)].empty())
            out.push_back(at(rule, PlaceKind::Channel, c));
}

// ---- will not work ----

// The references the unit acts on from the channels in use and the logic blocks (model/references):
// channel fields (disable, start, priority, limit channels), logic signals and, above the channels in
// use, the masters' targets, flash patterns and roller masters' blinds.
void references(const Configuration& cfg, const ProblemRule& rule, Out& out, bool unusedRule) {
    const int last = cfg.channelsInUse();
    for (const ChannelReference& r : AllReferences(cfg)) {
        if (!r.inEffect || r.from < 0)
            continue;
        Problem p;
        switch (r.kind) {
        case ReferenceKind::ChannelField:
            p = at(rule, PlaceKind::Channel, r.from);
            p.caption = r.fact ? CaptionOf(*r.fact, cfg, r.from) : 0;
            break;
        case ReferenceKind::LogicOutput:
        case ReferenceKind::LogicInput1:
        case ReferenceKind::LogicInput2:
            p = at(rule, PlaceKind::LogicBlock, r.from);
            p.caption = r.kind == ReferenceKind::LogicOutput   ? kTxtOutput
                        : r.kind == ReferenceKind::LogicInput1 ? kTxtInput1
                                                               : kTxtInput2;
            break;
        case ReferenceKind::MasterTarget:
        case ReferenceKind::FlashPattern:
        case ReferenceKind::RollerMaster:
            // A grid covers every channel; only a target beyond the channels in use is a reference the
            // unit cannot follow.
            if (unusedRule)
                continue;
            p = at(rule, PlaceKind::Channel, r.from);
            p.caption = kTxtTarget;
            break;
        default:
            continue;
        }
        if (p.place.kind == PlaceKind::Channel && r.from > last)
            continue;
        p.fact = r.fact;
        const bool above = r.channel > last;
        if (unusedRule ? above || !unusedChannel(cfg, r.channel) : !above)
            continue;
        p.args = {Num_2_Channel(r.channel)};
        out.push_back(std::move(p));
    }
}

// Disable, start, priority and limit channels, and the logic blocks' signals, that name an unused
// channel: it never switches, so what it should start, stop or feed never happens.
void findUnusedReferences(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    references(cfg, rule, out, true);
}

// The same references, and the masters' targets, above the channels in use: the unit has no such
// channel on its bus (a write does not even send it).
void findReferencesAboveInUse(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    references(cfg, rule, out, false);
}

// A master function or roller master that drives nothing within the channels in use.
void findMastersWithoutTarget(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    const int last = cfg.channelsInUse();
    for (int m = 0; m <= last; ++m) {
        bool drives = false;
        if (cfg.channelType(m) == kTypeMaster) {
            for (int t = 0; t <= last && !drives; ++t) {
                const int state = GetMaster(cfg, t, m);
                drives = state == kMasterOff || state == kMasterOn;
            }
        } else if (cfg.channelType(m) == kTypeRollerMaster) {
            for (int cell = 0; cell <= RmLastCell(cfg) && !drives; ++cell)
                drives = GetRmSt(cfg, m, cell) == kRmSelected;
        } else {
            continue;
        }
        if (!drives) {
            Problem p = at(rule, PlaceKind::Channel, m);
            p.fact = cfg.channelType(m) == kTypeMaster ? &facts::kMasterTarget : &facts::kRollerPair;
            out.push_back(std::move(p));
        }
    }
}

// The channels whose day sets switch them: real-time channels and masters run by the clock.
bool runByClock(const Configuration& cfg, int c) {
    const int type = cfg.channelType(c);
    return type == kTypeRealTime || (type == kTypeMaster && MasterSwitchedByClock(cfg.ChanSetup[c]));
}

Byte dayMask(const Row& row, int set) {
    return row[static_cast<std::size_t>(DaySetByte(set, kDayMaskPart))];
}

// A channel run by the clock none of whose day sets has a time.
void findNeverSwitches(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    for (int c = 0; c <= cfg.channelsInUse(); ++c) {
        if (!runByClock(cfg, c))
            continue;
        bool any = false;
        for (int k = 0; k < kRtDaySetCount; ++k)
            any = any || DaySetInUse(cfg.ChanSetup[c], k);
        if (!any) {
            Problem p = at(rule, PlaceKind::Channel, c);
            p.fact = &facts::kOnHours[0];
            out.push_back(std::move(p));
        }
    }
}

// A day set with a time and no day ticked: the unit has no day to switch it on.
void findTimesWithoutDays(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    for (int c = 0; c <= cfg.channelsInUse(); ++c)
        for (int k = 0; runByClock(cfg, c) && k < kRtDaySetCount; ++k)
            if (DaySetInUse(cfg.ChanSetup[c], k) && dayMask(cfg.ChanSetup[c], k) == 0) {
                Problem p = at(rule, PlaceKind::Channel, c);
                p.fact = &facts::kDayBoxFacts[static_cast<std::size_t>(k)][0];
                p.caption = kTxtDaySet;
                p.captionNumber = k + 1;
                out.push_back(std::move(p));
            }
}

// The holiday box of a day set while no holiday period is in use: there is no holiday to switch on.
void findHolidayWithoutPeriod(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    for (int i = 0; i < kSysHolidayCount; ++i)
        if (HolidayInUse(cfg, i))
            return;
    const int holidayBox = kDayBoxes - 1;
    for (int c = 0; c <= cfg.channelsInUse(); ++c)
        for (int k = 0; runByClock(cfg, c) && k < kRtDaySetCount; ++k)
            if (DaySetInUse(cfg.ChanSetup[c], k) && (dayMask(cfg.ChanSetup[c], k) & DayBit(holidayBox))) {
                Problem p = at(rule, PlaceKind::Channel, c);
                p.fact = &facts::kDayBoxFacts[static_cast<std::size_t>(k)][holidayBox];
                p.caption = kTxtDaySet;
                p.captionNumber = k + 1;
                out.push_back(std::move(p));
            }
}

// An alarm's detectors and what sounds or calls when one of them trips.
struct AlarmOutlets {
    std::array<int, 2> detectors;
    int siren;
    int callOut; // -1: the alarm has none
    const ValueFact& commonSiren;
};
constexpr AlarmOutlets kAlarmOutlets[] = {
    {{kTypeIntruderPassive, kTypeIntruderActive},
     kTypeIntruderSiren,
     kTypeIntruderCallOut,
     facts::kCommonSirenIntruder},
    {{kTypeWaterPassive, kTypeWaterActive}, kTypeWaterSiren, kTypeWaterCallOut, facts::kCommonSirenWater},
    {{kTypeSmokePassive, kTypeSmokeActive}, kTypeSmokeSiren, kTypeSmokeCallOut, facts::kCommonSirenSmoke},
    {{kTypeIsaPassive, kTypeIsaActive}, kTypeIsaSiren, -1, facts::kCommonSirenIsa},
};

bool anyChannelOf(const Configuration& cfg, std::initializer_list<int> types) {
    for (int c = 0; c <= cfg.channelsInUse(); ++c)
        if (std::find(types.begin(), types.end(), cfg.channelType(c)) != types.end())
            return true;
    return false;
}

// A detector whose alarm has no siren, no common siren sounding for it and no call-out: its alarm
// reaches no one.
void findDetectorsWithoutSiren(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    for (const AlarmOutlets& a : kAlarmOutlets) {
        const bool outlet = anyChannelOf(cfg, {a.siren, a.callOut}) ||
                            (anyChannelOf(cfg, {kTypeCommonSiren}) && ReadValue(a.commonSiren, cfg, -1) != 0);
        for (int c = 0; !outlet && c <= cfg.channelsInUse(); ++c)
            if (cfg.channelType(c) == a.detectors[0] || cfg.channelType(c) == a.detectors[1])
                out.push_back(at(rule, PlaceKind::Channel, c));
    }
}

// A siren of an alarm that has no detector: nothing ever sets it off.
void findSirensWithoutDetector(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    for (const AlarmOutlets& a : kAlarmOutlets) {
        if (anyChannelOf(cfg, {a.detectors[0], a.detectors[1]}))
            continue;
        for (int c = 0; c <= cfg.channelsInUse(); ++c)
            if (cfg.channelType(c) == a.siren)
                out.push_back(at(rule, PlaceKind::Channel, c));
    }
}

bool allEmpty(const Configuration& cfg, int first, int last) {
    for (int i = first; i <= last; ++i)
        if (!ReadText(facts::kPhoneNumbers[static_cast<std::size_t>(i)], cfg, -1).empty())
            return false;
    return true;
}

bool eventsBySms(const Configuration& cfg) {
    return ReadValue(facts::kEventOutput, cfg, -1) == facts::kEventOutputSms;
}

Problem smsProblem(const ProblemRule& rule, const TextFact& field) {
    Problem p = at(rule, PlaceKind::System, SmsArea().heading);
    p.textFact = &field;
    p.caption = field.caption;
    return p;
}

// Events go out by SMS, but to no telephone number.
void findSmsWithoutNumber(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    if (eventsBySms(cfg) && allEmpty(cfg, 0, kSmsFirstDialIn - 1))
        out.push_back(smsProblem(rule, facts::kPhoneNumbers[0]));
}

// Dial-in restricted to known numbers with none given, or to a password that is empty: nobody can
// dial in. The dial-in settings count while the events go out by SMS (the unit's modem is in use).
void findDialInWithoutNumber(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    if (eventsBySms(cfg) && ReadValue(facts::kDialInSafety, cfg, -1) != 0 &&
        allEmpty(cfg, kSmsFirstDialIn, kSmsPhoneNumbers - 1))
        out.push_back(smsProblem(rule, facts::kPhoneNumbers[kSmsFirstDialIn]));
}

void findDialInWithoutPassword(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    if (eventsBySms(cfg) && ReadValue(facts::kPasswordSafety, cfg, -1) != 0 &&
        ReadText(facts::kDialInPassword, cfg, -1).empty())
        out.push_back(smsProblem(rule, facts::kDialInPassword));
}

// ---- notes ----

// Holiday periods 9..16 reach the unit, but a read never returns them.
void findPeriodsNotReadBack(const Configuration& cfg, const ProblemRule& rule, Out& out) {
    for (int i = kHolidaysReadBack; i < kSysHolidayCount; ++i)
        if (HolidayInUse(cfg, i)) {
            Problem p = at(rule, PlaceKind::Holiday, i);
            p.fact = &facts::kHolidayFirstMonths[static_cast<std::size_t>(i)];
            out.push_back(std::move(p));
        }
}

constexpr ProblemRule kRules[] = {
    {"text-cut", Severity::Cut, kTxtTextCut,
     "the unit keeps 31 characters of a channel description, 256 of a description or logic page's notes, 16 of an "
     "SMS entry and 32 of the identification; a read returns only those",
     findTextsCut},
    {"above-channels-in-use", Severity::Cut, kTxtAboveChannelsInUse,
     "a write sends channels up to the number of channels only, and a save turns the channels above it into unused "
     "ones",
     findAboveChannelsInUse},
    {"refers-to-unused", Severity::WillNotWork, kTxtRefersToUnused,
     "an unused channel never switches: a disable, start, priority or limit channel or a logic signal that names one "
     "never acts",
     findUnusedReferences},
    {"refers-above-channels-in-use", Severity::WillNotWork, kTxtRefersAboveInUse,
     "the unit has no bus channel above the number of channels: a reference, logic signal or master target there "
     "never acts",
     findReferencesAboveInUse},
    {"master-without-target", Severity::WillNotWork, kTxtNoTarget,
     "a master function or roller master with no target channel switches nothing", findMastersWithoutTarget},
    {"never-switches", Severity::WillNotWork, kTxtNeverSwitches,
     "a real-time channel or a master run by the clock switches only at the times of its day sets", findNeverSwitches},
    {"times-without-days", Severity::WillNotWork, kTxtTimesWithoutDays,
     "a day set switches on the days ticked; with none its times never come", findTimesWithoutDays},
    {"holiday-without-period", Severity::WillNotWork, kTxtHolidayWithoutPeriod,
     "the holiday box switches on the days of the holiday periods; with none in use it never does",
     findHolidayWithoutPeriod},
    {"detector-without-siren", Severity::WillNotWork, kTxtNoSiren,
     "an alarm sounds its own siren or the common siren, or calls out; with none of them nobody hears it",
     findDetectorsWithoutSiren},
    {"siren-without-detector", Severity::WillNotWork, kTxtNoDetector,
     "a siren sounds when a detector of its alarm trips; with none it never does", findSirensWithoutDetector},
    {"sms-without-number", Severity::WillNotWork, kTxtSmsWithoutNumber,
     "events by SMS go to the telephone numbers 1..4; with none given they go nowhere", findSmsWithoutNumber},
    {"dial-in-without-number", Severity::WillNotWork, kTxtDialInWithoutNumber,
     "dial-in restricted to known numbers lets nobody in while none is given", findDialInWithoutNumber},
    {"dial-in-without-password", Severity::WillNotWork, kTxtDialInWithoutPassword,
     "dial-in restricted to a password lets nobody in while the password is empty", findDialInWithoutPassword},
    {"period-not-read-back", Severity::Note, kTxtNotReadBackNote,
     "the unit takes holiday periods 9..16 but a read returns periods 1..8 only", findPeriodsNotReadBack},
};

std::string replaced(std::string s, const std::string& mark, const std::string& by) {
    if (const auto i = s.find(mark); i != std::string::npos)
        s.replace(i, mark.size(), by);
    return s;
}

std::string withoutColon(std::string s) {
    while (!s.empty() && (s.back() == ':' || s.back() == '.' || s.back() == ' '))
        s.pop_back();
    return s;
}

} // namespace

std::span<const ProblemRule> ProblemRules() {
    return kRules;
}

const ProblemRule* FindProblemRule(const std::string& name) {
    for (const ProblemRule& r : kRules)
        if (name == r.name)
            return &r;
    return nullptr;
}

namespace {
// A channel is named with its function, as the matrix shows it.
std::vector<Problem> named(const Configuration& cfg, std::vector<Problem> out) {
    for (Problem& p : out)
        if (p.place.kind == PlaceKind::Channel)
            p.type = cfg.channelType(p.place.number);
    return out;
}
} // namespace

std::vector<Problem> FindProblems(const Configuration& cfg, const ProblemRule& rule) {
    std::vector<Problem> out;
    rule.find(cfg, rule, out);
    return named(cfg, std::move(out));
}

std::vector<Problem> FindProblems(const Configuration& cfg) {
    std::vector<Problem> out;
    for (const ProblemRule& r : kRules)
        r.find(cfg, r, out);
    return named(cfg, std::move(out));
}

std::vector<Problem> TextsKeptInPart(const Configuration& cfg) {
    return FindProblems(cfg, kRules[0]);
}

bool HasSeriousProblems(const std::vector<Problem>& problems) {
    return std::any_of(problems.begin(), problems.end(),
                       [](const Problem& p) { return p.rule->severity != Severity::Note; });
}

std::vector<const Problem*> ProblemsOfChannel(const std::vector<Problem>& problems, int channel) {
    std::vector<const Problem*> out;
    for (const Problem& p : problems)
        if (p.place.kind == PlaceKind::Channel && p.place.number == channel)
            out.push_back(&p);
    return out;
}

int SeverityText(Severity s) {
    switch (s) {
    case Severity::Cut:
        return kTxtSeverityCut;
    case Severity::WillNotWork:
        return kTxtSeverityNotWork;
    case Severity::Note:
        break;
    }
    return kTxtSeverityNote;
}

const char* SeverityName(Severity s) {
    switch (s) {
    case Severity::Cut:
        return "cut";
    case Severity::WillNotWork:
        return "will-not-work";
    case Severity::Note:
        break;
    }
    return "note";
}

ProblemWords WordProblem(const Problem& p, const TextLookup& text) {
    ProblemWords w;
    w.severity = text(SeverityText(p.rule->severity));
    const std::string number = std::to_string(p.place.number + 1);
    switch (p.place.kind) {
    case PlaceKind::Channel: {
        w.place = Num_2_Channel(p.place.number);
        if (const std::string type = p.type >= 0 ? text(TypeNameText(p.type)) : std::string(); !type.empty())
            w.place += " " + type;
        break;
    }
    case PlaceKind::LogicBlock:
        w.place = text(kTxtLogicBlock) + " " + number;
        break;
    case PlaceKind::LogicPage: {
        const int first = LogicPageFirstBlock(p.place.number) + 1;
        w.place =
            text(kTxtLogicBlocks) + " " + std::to_string(first) + " - " + std::to_string(first + kLogicRowsPerPage - 1);
        break;
    }
    case PlaceKind::Holiday:
        w.place = text(kTxtHolidayPeriod) + " " + number;
        break;
    case PlaceKind::System:
        w.place = withoutColon(text(p.place.number));
        break;
    }
    if (p.caption) {
        w.field = withoutColon(text(p.caption));
        if (p.captionNumber > 0)
            w.field += " " + std::to_string(p.captionNumber);
    }
    std::string words = text(p.rule->words);
    for (std::size_t i = 0; i < p.args.size(); ++i)
        words = replaced(words, "%" + std::to_string(i + 1), p.args[i]);
    w.words = words;
    return w;
}

std::string ProblemLine(const ProblemWords& w) {
    std::string line = w.place + ": ";
    if (!w.field.empty())
        line += w.field + ": ";
    return Cp1252ToUtf8(line + w.words);
}

ProblemJump JumpOf(const Problem& p) {
    ProblemJump j;
    switch (p.place.kind) {
    case PlaceKind::Channel:
        j.channel = p.place.number;
        break;
    case PlaceKind::LogicBlock:
        j.page = "logic";
        j.logicPage = p.place.number / kLogicRowsPerPage;
        break;
    case PlaceKind::LogicPage:
        j.page = "logic";
        j.logicPage = p.place.number;
        break;
    case PlaceKind::Holiday:
        j.page = "Holiday";
        break;
    case PlaceKind::System:
        j.page = p.place.number == SmsArea().heading ? "SMS_Setup" : "mainsetup";
        break;
    }
    return j;
}

} // namespace korvane
