#include "model/differences.h"

#include <algorithm>

#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/fact_catalogue.h"
#include "model/facts_calendar.h"
#include "model/facts_logic.h"
#include "model/master.h"
#include "model/roller.h"
#include "model/text_codec.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// The configuration as a save or a write keeps it: channels above the number of channels are unused,
// and the event options are gone while the event output is off.
Configuration kept(const Configuration& cfg) {
    Configuration k = cfg;
    for (int c = k.channelsInUse() + 1; c < kChannels; ++c) {
        const auto i = static_cast<std::size_t>(c);
        k.ChanSetup[i] = UnusedRow();
        k.MasterMatrix[i] = Row{};
        k.ChanText[i].clear();
        k.ChanFlags[i] = 0;
    }
    if (k.SysData[kSysEventOff] == 1)
        k.ChanFlags.fill(0);
    return k;
}

class Comparison {
public:
    Comparison(const Configuration& a, const Configuration& b, std::vector<Difference>& out)
        : a_(a), b_(b), out_(out) {}

    // A value of the channel (or of a system area while channel is -1).
    void value(const ValueFact& fact, Difference base, int channel) {
        const int va = ReadValue(fact, a_, channel);
        const int vb = ReadValue(fact, b_, channel);
        if (va == vb)
            return;
        base.fact = &fact;
        base.caption = CaptionOf(fact, a_, channel);
        base.before = va;
        base.after = vb;
        out_.push_back(std::move(base));
    }

    // A setting that only the second side has (a new function's): its value there.
    void setting(const ValueFact& fact, Difference base, int channel) {
        base.fact = &fact;
        base.caption = CaptionOf(fact, b_, channel);
        base.added = true;
        base.after = ReadValue(fact, b_, channel);
        out_.push_back(std::move(base));
    }

    void text(const TextFact& fact, Difference base, int channel) {
        const std::string& ta = ReadText(fact, a_, channel);
        const std::string& tb = ReadText(fact, b_, channel);
        if (ta == tb)
            return;
        base.textFact = &fact;
        base.caption = fact.caption;
        base.beforeText = ta;
        base.afterText = tb;
        out_.push_back(std::move(base));
    }

    // A cell of a grid: the states as the grid shows them.
    void cell(const ValueFact& fact, Difference base, int item, int va, int vb) {
        if (va == vb)
            return;
        base.fact = &fact;
        base.caption = fact.caption;
        base.item = item;
        base.before = va;
        base.after = vb;
        out_.push_back(std::move(base));
    }

private:
    const Configuration& a_;
    const Configuration& b_;
    std::vector<Difference>& out_;
};

int typeOf(const Configuration& cfg, int c) {
    return cfg.ChanSetup[static_cast<std::size_t>(c)][kRowType] & kTypeMask;
}

// A day set's time or days that are not set: a new function's list leaves them out.
bool unset(const ValueFact& f, int value) {
    return (f.format == ValueFormat::TimeOfDay && (value >> 8) == kTimeNotSet) ||
           (f.format == ValueFormat::DayMask && value == 0);
}

void compareChannel(Comparison& cmp, const Configuration& a, const Configuration& b, int c, int lastShown) {
    const int type = typeOf(a, c);
    Difference base;
    base.channel = c;
    base.type = type;
    if (type != typeOf(b, c)) {
        // Another function: its values mean other things, so the function is the difference, headed by
        // the channel only; then the new function's settings as the second side has them.
        base.type = -1;
        cmp.value(facts::kChannelFunction, base, c);
        Difference added = base;
        added.type = typeOf(b, c);
        for (const ValueFact* f : FactsOfType(added.type))
            if (FactShown(*f, b, c) && !unset(*f, ReadValue(*f, b, c)))
                cmp.setting(*f, added, c);
    } else {
        for (const ValueFact* f : FactsOfType(type))
            if (FactShown(*f, a, c) || FactShown(*f, b, c))
                cmp.value(*f, base, c);
        switch (type) {
        case kTypeMaster:
        case kTypeIntruderSiren: {
            const ValueFact& f = type == kTypeMaster ? facts::kMasterTarget : facts::kFlashTarget;
            for (int t = 0; t <= lastShown; ++t)
                cmp.cell(f, base, t, GetMaster(a, t, c), GetMaster(b, t, c));
            break;
        }
        case kTypeRollerMaster:
            for (int cell = 0; 2 * cell <= lastShown && cell < kRmCells; ++cell)
                cmp.cell(facts::kRollerPair, base, cell, GetRmSt(a, c, cell), GetRmSt(b, c, cell));
            break;
        default:
            break;
        }
    }
    // The event options mean the same whatever the function; a change made with a change of function
    // is a difference of its own.
    const bool countA = EventOptionsCount(a, c);
    const bool countB = EventOptionsCount(b, c);
    if (countA || countB) {
        Difference events = base;
        events.type = typeOf(b, c);
        for (const ValueFact* f : EventOptionFacts()) {
            if (countA && countB)
                cmp.value(*f, events, c);
            else if (countB && ReadValue(*f, b, c) != 0)
                cmp.setting(*f, events, c);
        }
    }
    cmp.text(facts::kChannelDescription, base, c);
}

void systemArea(Comparison& cmp, const SystemArea& area) {
    Difference base;
    base.area = area.heading;
    for (const ValueFact* f : area.values)
        cmp.value(*f, base, -1);
    for (const TextFact* f : area.texts)
        cmp.text(*f, base, -1);
}

} // namespace

std::vector<Difference> CompareFacts(const Configuration& first, const Configuration& second, CompareScope scope) {
    const Configuration a = kept(first);
    const Configuration b = kept(second);
    std::vector<Difference> out;
    Comparison cmp(a, b, out);
    const int lastShown = std::max(a.channelsInUse(), b.channelsInUse());

    for (int c = 0; c < kChannels; ++c)
        compareChannel(cmp, a, b, c, lastShown);

    for (const SystemArea& area : SystemAreas())
        systemArea(cmp, area);

    Difference exchange;
    exchange.area = kTxtExchangeMaskCaption;
    for (int c = 0; c <= lastShown; ++c)
        cmp.cell(facts::kExchangeChannel, exchange, c, GetExchBit(a, c), GetExchBit(b, c));

    // A period or a block out of use on both sides is the same, whatever its other bytes hold.
    const int periods = scope == CompareScope::Unit ? kHolidaysReadBack : kSysHolidayCount;
    for (int i = 0; i < periods; ++i) {
        if (!HolidayInUse(a, i) && !HolidayInUse(b, i))
            continue;
        Difference base;
        base.area = kTxtHolidayPeriod;
        base.areaNumber = i + 1;
        cmp.value(facts::kHolidayPeriods[static_cast<std::size_t>(i)], base, -1);
    }
    for (int blk = 0; blk < kLogicBlocksUsed; ++blk) {
        if (!LogicBlockInUse(a.LogicBlocks[static_cast<std::size_t>(blk)]) &&
            !LogicBlockInUse(b.LogicBlocks[static_cast<std::size_t>(blk)]))
            continue;
        Difference base;
        base.area = kTxtLogicBlock;
        base.areaNumber = blk + 1;
        cmp.value(facts::kLogicBlockFacts[static_cast<std::size_t>(blk)], base, -1);
    }
    for (int page = 0; page < kLogicPages; ++page) {
        Difference base;
        base.area = kTxtLogicBlocks;
        base.areaNumber = LogicPageFirstBlock(page) + 1;
        cmp.text(facts::kLogicNotes, base, page);
    }
    systemArea(cmp, SmsArea());
    return out;
}

namespace {

std::string withoutDots(std::string s) {
    while (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

// A text as a difference shows it: between apostrophes, line breaks and other control characters as
// escapes, so that a changed line break shows.
std::string quotedText(const std::string& text) {
    std::string out = "'";
    for (char ch : text) {
        const auto u = static_cast<unsigned char>(ch);
        if (ch == '\r')
            out += "\\r";
        else if (ch == '\n')
            out += "\\n";
        else if (ch == '\t')
            out += "\\t";
        else if (IsControlByte(u)) {
            constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else
            out += ch;
    }
    return out + "'";
}

std::string itemName(const Difference& d) {
    if (d.item < 0 || !d.fact)
        return {};
    if (d.fact == &facts::kRollerPair)
        return Num_2_Channel(2 * d.item) + " - " + Num_2_Channel(2 * d.item + 1);
    return Num_2_Channel(d.item);
}

std::string numbered(const std::string& words, int number) {
    return number > 0 ? words + " " + std::to_string(number) : words;
}

} // namespace

DifferenceWords WordDifference(const Difference& d, const TextLookup& text) {
    DifferenceWords w;
    if (d.channel >= 0) {
        w.heading = Num_2_Channel(d.channel);
        const std::string type = d.type >= 0 ? text(TypeNameText(d.type)) : std::string();
        if (!type.empty())
            w.heading += " " + type;
    } else if (d.area == kTxtLogicBlocks) {
        // The notes of a logic page, headed as the logic report heads the page's blocks.
        w.heading = text(d.area) + " " + std::to_string(d.areaNumber) + " - " +
                    std::to_string(d.areaNumber + kLogicRowsPerPage - 1);
    } else {
        w.heading = numbered(text(d.area), d.areaNumber);
    }

    const int context = d.fact ? d.fact->context : 0;
    const int number = d.fact ? d.fact->number : d.textFact ? d.textFact->number : 0;
    std::string what = d.caption ? withoutDots(text(d.caption)) : std::string();
    if (context)
        what = numbered(text(context), number) + (what.empty() ? "" : ", " + what);
    else
        what = numbered(what, number);
    if (const std::string item = itemName(d); !item.empty())
        what += what.empty() ? item : " " + item;
    w.what = what;
    w.added = d.added;

    if (d.textFact) {
        w.before = quotedText(d.beforeText);
        w.after = quotedText(d.afterText);
    } else if (d.fact && d.added) {
        w.after = DescribeValue(*d.fact, d.after, text);
    } else if (d.fact) {
        w.before = DescribeValue(*d.fact, d.before, text);
        w.after = DescribeValue(*d.fact, d.after, text);
    }
    return w;
}

namespace {

std::string subject(const DifferenceWords& w) {
    return Cp1252ToUtf8(w.heading) + ": " + (w.what.empty() ? std::string() : Cp1252ToUtf8(w.what) + " ");
}

} // namespace

std::string CompareLine(const DifferenceWords& w) {
    if (w.added)
        return subject(w) + "\u2192 " + Cp1252ToUtf8(w.after);
    return subject(w) + Cp1252ToUtf8(w.before) + " \u2192 " + Cp1252ToUtf8(w.after);
}

std::string VerifyLine(const DifferenceWords& w, const TextLookup& text) {
    if (w.added)
        return subject(w) + Cp1252ToUtf8(text(kTxtWrittenValue)) + " " + Cp1252ToUtf8(w.after);
    return subject(w) + Cp1252ToUtf8(text(kTxtUnitValue)) + " " + Cp1252ToUtf8(w.before) + ", " +
           Cp1252ToUtf8(text(kTxtWrittenValue)) + " " + Cp1252ToUtf8(w.after);
}

} // namespace korvane
