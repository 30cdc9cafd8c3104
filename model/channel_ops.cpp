#include "model/channel_ops.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <set>
#include <sstream>
#include <tuple>

#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/master.h"
#include "model/matrix_navigation.h"
#include "model/references.h"
#include "model/text_codec.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

constexpr int kGroups = 16;
constexpr int kDigits = 8;
constexpr int kRmCellsPerByte = 4;

int TypeOf(const Configuration& cfg, int c) {
    return cfg.channelType(c) & kTypeMask;
}
bool IsClaimType(int t) {
    return t == kTypeCounterClaim || t == kTypeTimeOutputClaim || t == kTypeMuxClaim;
}
bool IsPairType(int t) {
    return t == kTypeRoller || t == kTypeRollerMaster;
}
// A function the type menu offers somewhere: not a claim, not a hidden entry, not a second channel.
bool IsOfferedType(int t) {
    return IsDefinedType(t) && !IsClaimType(t) && t != kTypeThermostat && t != kTypeNightSetback && !IsSecondChannel(t);
}
// A channel the multiplexer, the time output or the counter holds: it carries the claim's type. A claim
// setting over a channel that carries another function (possible only from a file or a unit) holds
// the place, not the channel, and keeps no channel from moving.
bool IsClaimed(const Configuration& cfg, int c) {
    return IsClaimType(TypeOf(cfg, c));
}

// The refusal that keeps a channel from being moved or swapped at all, if any.
std::optional<RefusedCell> CannotTake(const Configuration& cfg, int c) {
    if (c < 0 || c >= kChannels)
        return RefusedCell{c, Refusal::OutsideMatrix, 1};
    if (c > cfg.channelsInUse())
        return RefusedCell{c, Refusal::NotInUse};
    if (IsClaimed(cfg, c))
        return RefusedCell{c, Refusal::Claimed};
    if (IsSecondChannel(TypeOf(cfg, c)))
        return RefusedCell{c, Refusal::SecondOfPair, c - 1};
    return std::nullopt;
}

// The refusal that keeps a channel from being overwritten by a move: it must be unused, without a
// description, and nothing may refer to it.
std::optional<RefusedCell> NotFree(const Configuration& cfg, int c) {
    if (auto r = CannotTake(cfg, c))
        return r;
    if (TypeOf(cfg, c) != kTypeBlank || !cfg.ChanText[static_cast<std::size_t>(c)].empty())
        return RefusedCell{c, Refusal::InUse, TypeOf(cfg, c)};
    const auto refs = ReferencesTo(cfg, c);
    if (!refs.empty())
        return RefusedCell{c, Refusal::ReferredTo, static_cast<int>(refs.size())};
    return std::nullopt;
}

void ReleaseSecond(Configuration& cfg, int c) {
    cfg.ChanSetup[static_cast<std::size_t>(c)] = UnusedRow();
    cfg.MasterMatrix[static_cast<std::size_t>(c)] = Row{};
    cfg.SavedChanType[static_cast<std::size_t>(c)] = kTypeBlank;
}

// The bits of target channel t in a row that refers by bits: (byte, mask) pairs, none where the row
// cannot name t (a roller master names only the first channel of a pair).
std::vector<std::pair<int, Byte>> TargetBits(ReferenceKind kind, int t) {
    switch (kind) {
    case ReferenceKind::MasterTarget:
    case ReferenceKind::FlashPattern:
        return {{MasterByte(t), MasterMask(t)}, {MasterByte(t) + kMasterAffectedOffset, MasterMask(t)}};
    case ReferenceKind::RollerMaster:
        if (t % 2 != 0)
            return {};
        return {{t / 2 / kRmCellsPerByte, static_cast<Byte>(3 << (6 - 2 * ((t / 2) % kRmCellsPerByte)))}};
    case ReferenceKind::ExchangeMask:
        return {{kSysExchangeMask + MasterByte(t), MasterMask(t)}};
    default:
        return {};
    }
}

// Carries the channels of `places` (each to places[c]) and every reference to them into a copy of
// the configuration. Refused, with the configuration unchanged, where a reference cannot follow.
ChannelOpOutcome Relocate(Configuration& cfg, const std::vector<int>& places) {
    ChannelOpOutcome outcome;
    Configuration out = cfg;
    std::vector<int> moved;
    for (int c = 0; c < kChannels; ++c) {
        const int p = places[static_cast<std::size_t>(c)];
        if (p == c)
            continue;
        moved.push_back(c);
        const auto from = static_cast<std::size_t>(c), to = static_cast<std::size_t>(p);
        out.ChanSetup[to] = cfg.ChanSetup[from];
        out.MasterMatrix[to] = cfg.MasterMatrix[from];
        out.ChanFlags[to] = cfg.ChanFlags[from];
        out.ChanText[to] = cfg.ChanText[from];
        out.SavedChanType[to] = cfg.SavedChanType[from];
    }
    const auto rowAfter = [&](const ReferencePlace& place) {
        return place.area == StoreArea::ChanSetup || place.area == StoreArea::MasterMatrix
                   ? places[static_cast<std::size_t>(place.row)]
                   : place.row;
    };
    std::set<std::tuple<int, int, ReferenceKind>> bitRows; // (area, row before, kind)
    for (const ChannelReference& r : AllReferences(cfg)) {
        const int to = places[static_cast<std::size_t>(r.channel)];
        if (to == r.channel)
            continue;
        const int row = rowAfter(r.place);
        switch (r.kind) {
        case ReferenceKind::ChannelField:
            out.ChanSetup[static_cast<std::size_t>(row)][static_cast<std::size_t>(r.place.byte)] =
                static_cast<Byte>(to);
            break;
        case ReferenceKind::LogicOutput:
        case ReferenceKind::LogicInput1:
        case ReferenceKind::LogicInput2:
            out.LogicBlocks[static_cast<std::size_t>(row)][static_cast<std::size_t>(r.place.byte)] =
                static_cast<Byte>(to);
            break;
        case ReferenceKind::RollerMaster:
            if (to % 2 != 0) {
                outcome.refused.push_back({r.channel, Refusal::OddRollerMark, r.from});
                return outcome;
            }
            [[fallthrough]];
        case ReferenceKind::MasterTarget:
        case ReferenceKind::FlashPattern:
        case ReferenceKind::ExchangeMask:
            bitRows.insert({static_cast<int>(r.place.area), r.place.row, r.kind});
            break;
        default:
            continue; // a claim holds its place (a claimed channel does not move)
        }
        ++outcome.referencesChanged;
    }
    // A row that refers by bits carries the bits of every channel moved (so that a bit no reference
    // stands for goes back where it was when the channel comes back).
    for (const auto& [area, row, kind] : bitRows) {
        const bool sys = area == static_cast<int>(StoreArea::SysData);
        const Byte* src = sys ? cfg.SysData.data() : cfg.MasterMatrix[static_cast<std::size_t>(row)].data();
        Byte* dst = sys ? out.SysData.data()
                        : out.MasterMatrix[static_cast<std::size_t>(places[static_cast<std::size_t>(row)])].data();
        for (int t : moved)
            for (const auto& [byte, mask] : TargetBits(kind, t))
                dst[byte] = static_cast<Byte>(dst[byte] & ~mask);
        for (int t : moved) {
            const auto from = TargetBits(kind, t), to = TargetBits(kind, places[static_cast<std::size_t>(t)]);
            for (std::size_t i = 0; i < from.size() && i < to.size(); ++i) {
                const int shift = std::countr_zero(from[i].second) - std::countr_zero(to[i].second);
                const int bits = src[from[i].first] & from[i].second;
                dst[to[i].first] = static_cast<Byte>(dst[to[i].first] | (shift >= 0 ? bits >> shift : bits << -shift));
            }
        }
    }
    cfg = out;
    outcome.changed = moved;
    outcome.items = 1;
    return outcome;
}

// Exchanges the channels from a.. and b.. (width 1 or 2) after every check passed.
ChannelOpOutcome ExchangeCells(Configuration& cfg, int a, int b, int width) {
    std::vector<int> places(kChannels);
    for (int c = 0; c < kChannels; ++c)
        places[static_cast<std::size_t>(c)] = c;
    for (int i = 0; i < width; ++i) {
        places[static_cast<std::size_t>(a + i)] = b + i;
        places[static_cast<std::size_t>(b + i)] = a + i;
    }
    return Relocate(cfg, places);
}

ChannelOpOutcome Refused(RefusedCell cell) {
    ChannelOpOutcome outcome;
    outcome.refused.push_back(cell);
    return outcome;
}

std::string Fill(std::string pattern, const std::string& one, const std::string& two = {}) {
    for (const auto& [mark, value] : {std::pair{std::string("%1"), one}, std::pair{std::string("%2"), two}})
        if (const auto at = pattern.find(mark); at != std::string::npos)
            pattern.replace(at, mark.size(), value);
    return pattern;
}

std::vector<std::string> Split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, by))
        parts.push_back(part);
    if (!text.empty() && text.back() == by && by != '\n')
        parts.emplace_back();
    return parts;
}

bool IsChannelName(const std::string& s) {
    return s.size() == 2 && s[0] >= 'A' && s[0] <= 'P' && s[1] >= '1' && s[1] <= '8';
}

} // namespace

ChannelRange RangeBetween(int a, int b) {
    const int g1 = std::min(a, b) / kDigits, g2 = std::max(a, b) / kDigits;
    const int d1 = std::min(a % kDigits, b % kDigits), d2 = std::max(a % kDigits, b % kDigits);
    return {g1 * kDigits + d1, g2 - g1 + 1, d2 - d1 + 1};
}

std::vector<int> RangeChannels(const ChannelRange& range) {
    std::vector<int> out;
    for (int g = 0; g < range.groups; ++g)
        for (int d = 0; d < range.digits; ++d) {
            const int group = range.first / kDigits + g, digit = range.first % kDigits + d;
            if (group < kGroups && digit < kDigits)
                out.push_back(group * kDigits + digit);
        }
    return out;
}

std::string RangeName(const ChannelRange& range) {
    const auto cells = RangeChannels(range);
    if (cells.size() <= 1)
        return Num_2_Channel(range.first);
    return Num_2_Channel(cells.front()) + ".." + Num_2_Channel(cells.back());
}

ChannelClip CopyChannels(const Configuration& cfg, const ChannelRange& range) {
    ChannelClip clip{range.groups, range.digits, {}};
    for (int c : RangeChannels(range)) {
        const int t = TypeOf(cfg, c);
        if (IsSecondChannel(t))
            continue; // travels with its first channel
        const auto row = static_cast<std::size_t>(c);
        CopiedChannel copied{c / kDigits - range.first / kDigits,
                             c % kDigits - range.first % kDigits,
                             cfg.ChanSetup[row],
                             cfg.MasterMatrix[row],
                             cfg.ChanFlags[row],
                             cfg.ChanText[row]};
        if (IsPairType(t) && c + 1 < kChannels) {
            copied.secondSetup = cfg.ChanSetup[row + 1];
            copied.secondFlags = cfg.ChanFlags[row + 1];
        }
        clip.channels.push_back(copied);
    }
    return clip;
}

ChannelOpOutcome PasteChannels(Configuration& cfg, const ChannelClip& clip, const ChannelRange& target) {
    if (clip.empty())
        return Refused({-1, Refusal::NothingToPaste});
    const bool oneCell = target.groups * target.digits == 1;
    if (!oneCell && (target.groups != clip.groups || target.digits != clip.digits))
        return Refused({-1, Refusal::SizeMismatch, clip.digits, clip.groups});
    // The cells the paste covers: the rectangle laid down and the second channels of pasted pairs.
    std::set<int> covered;
    for (int c : RangeChannels({target.first, clip.groups, clip.digits}))
        covered.insert(c);
    const std::set<int> rectangle = covered;
    const auto destOf = [&](const CopiedChannel& cc) {
        const int group = target.first / kDigits + cc.group, digit = target.first % kDigits + cc.digit;
        return group < kGroups && digit < kDigits ? group * kDigits + digit : -1;
    };
    for (const CopiedChannel& cc : clip.channels)
        if (const int dest = destOf(cc);
            dest >= 0 && IsPairType(cc.setup[kRowType] & kTypeMask) && dest + 1 < kChannels)
            covered.insert(dest + 1);

    ChannelOpOutcome outcome;
    int outside = 0;
    std::set<int> accepted;
    std::vector<std::pair<const CopiedChannel*, int>> plan;
    for (const CopiedChannel& cc : clip.channels) {
        const int dest = destOf(cc);
        if (dest < 0) {
            ++outside;
            continue;
        }
        const int t = cc.setup[kRowType] & kTypeMask;
        const int old = TypeOf(cfg, dest);
        const bool pair = IsPairType(t);
        std::optional<RefusedCell> refusal;
        int siren = -1;
        if (t == kTypeCommonSiren)
            for (int c = 0; c <= cfg.channelsInUse(); ++c)
                if (TypeOf(cfg, c) == kTypeCommonSiren && !covered.count(c))
                    siren = c;
        if (dest > cfg.channelsInUse())
            refusal = RefusedCell{dest, Refusal::NotInUse};
        else if (!IsOfferedType(t))
            refusal = RefusedCell{dest, Refusal::NotOffered, t};
        else if (IsClaimed(cfg, dest))
            refusal = RefusedCell{dest, Refusal::Claimed};
        else if (IsSecondChannel(old) && !accepted.count(dest - 1))
            refusal = RefusedCell{dest, Refusal::SecondOfPair, dest - 1};
        else if (pair && dest % 2 != 0)
            refusal = RefusedCell{dest, Refusal::PairOnOdd};
        else if (pair && dest + 1 >= kChannels)
            refusal = RefusedCell{dest, Refusal::PairPastEnd};
        else if (pair && dest + 1 > cfg.channelsInUse())
            refusal = RefusedCell{dest + 1, Refusal::NotInUse};
        else if (pair && IsClaimed(cfg, dest + 1))
            refusal = RefusedCell{dest + 1, Refusal::Claimed};
        else if (pair && !IsPairType(old) && TypeOf(cfg, dest + 1) != kTypeBlank && !rectangle.count(dest + 1))
            refusal = RefusedCell{dest + 1, Refusal::InUse, TypeOf(cfg, dest + 1)};
        else if (siren >= 0)
            refusal = RefusedCell{dest, Refusal::CommonSiren, siren};
        if (refusal) {
            outcome.refused.push_back(*refusal);
            continue;
        }
        accepted.insert(dest);
        if (pair)
            accepted.insert(dest + 1);
        plan.emplace_back(&cc, dest);
    }
    outcome.items = static_cast<int>(plan.size());
    if (outside > 0)
        outcome.refused.push_back({-1, Refusal::OutsideMatrix, outside});
    for (const auto& [cc, dest] : plan) {
        const auto row = static_cast<std::size_t>(dest);
        const int t = cc->setup[kRowType] & kTypeMask;
        if (IsPairType(TypeOf(cfg, dest)) && !IsPairType(t)) {
            ReleaseSecond(cfg, dest + 1);
            outcome.changed.push_back(dest + 1);
        }
        cfg.ChanSetup[row] = cc->setup;
        cfg.MasterMatrix[row] = cc->master;
        cfg.ChanFlags[row] = cc->flags;
        cfg.ChanText[row] = cc->text;
        cfg.SavedChanType[row] = static_cast<Byte>(t);
        outcome.changed.push_back(dest);
        if (IsPairType(t)) {
            cfg.ChanSetup[row + 1] = cc->secondSetup;
            cfg.MasterMatrix[row + 1] = Row{};
            cfg.ChanFlags[row + 1] = cc->secondFlags;
            cfg.SavedChanType[row + 1] = static_cast<Byte>(cc->secondSetup[kRowType] & kTypeMask);
            outcome.changed.push_back(dest + 1);
        }
    }
    std::sort(outcome.changed.begin(), outcome.changed.end());
    outcome.changed.erase(std::unique(outcome.changed.begin(), outcome.changed.end()), outcome.changed.end());
    return outcome;
}

ChannelOpOutcome MoveChannel(Configuration& cfg, int from, int to) {
    if (from == to)
        return Refused({from, Refusal::SameChannel});
    if (auto r = CannotTake(cfg, from))
        return Refused(*r);
    if (to < 0 || to >= kChannels)
        return Refused({to, Refusal::OutsideMatrix, 1});
    const int width = IsPairType(TypeOf(cfg, from)) ? 2 : 1;
    if (width == 2 && to % 2 != 0)
        return Refused({to, Refusal::PairOnOdd});
    for (int i = 0; i < width; ++i)
        if (auto r = NotFree(cfg, to + i))
            return Refused(*r);
    return ExchangeCells(cfg, from, to, width);
}

ChannelOpOutcome SwapChannels(Configuration& cfg, int a, int b) {
    if (a == b)
        return Refused({a, Refusal::SameChannel});
    for (int c : {a, b})
        if (auto r = CannotTake(cfg, c))
            return Refused(*r);
    const bool pairA = IsPairType(TypeOf(cfg, a)), pairB = IsPairType(TypeOf(cfg, b));
    if (!pairA && !pairB)
        return ExchangeCells(cfg, a, b, 1);
    // A pair changes places with two channels: the other side must start on an even channel, and a
    // single channel there brings along the free channel after it.
    for (int c : {a, b}) {
        if (c % 2 != 0)
            return Refused({c, Refusal::PairOnOdd});
        if (!IsPairType(TypeOf(cfg, c)))
            if (auto r = NotFree(cfg, c + 1))
                return Refused(*r);
    }
    return ExchangeCells(cfg, a, b, 2);
}

std::string ChannelsAsText(const Configuration& cfg, const ChannelRange& range, const TextLookup& text) {
    std::string out;
    for (int c : RangeChannels(range)) {
        const int t = TypeOf(cfg, c);
        if (IsSecondChannel(t) || c > cfg.channelsInUse())
            continue;
        std::string description = cfg.ChanText[static_cast<std::size_t>(c)];
        std::replace(description.begin(), description.end(), '\t', ' ');
        out += Num_2_Channel(c) + "\t" + text(TypeNameText(t)) + "\t" + description + "\r\n";
    }
    return out;
}

ChannelOpOutcome PasteDescriptions(Configuration& cfg, int first, const std::string& spreadsheet) {
    std::vector<std::string> lines = Split(spreadsheet, '\n');
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    if (lines.empty())
        return Refused({-1, Refusal::NothingToPaste});
    ChannelOpOutcome outcome;
    int c = first;
    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        while (c <= cfg.channelsInUse() && IsSecondChannel(TypeOf(cfg, c)))
            ++c;
        if (c > cfg.channelsInUse())
            break;
        const auto fields = Split(lines[i], '\t');
        std::string description = fields.empty() ? std::string() : fields[0];
        if (fields.size() >= 3 && IsChannelName(fields[0]))
            description = fields[2];
        StripQuotes(description);
        cfg.ChanText[static_cast<std::size_t>(c)] = description;
        outcome.changed.push_back(c++);
    }
    outcome.items = static_cast<int>(outcome.changed.size());
    if (i < lines.size())
        outcome.refused.push_back(c < kChannels
                                      ? RefusedCell{c, Refusal::NotInUse}
                                      : RefusedCell{-1, Refusal::OutsideMatrix, static_cast<int>(lines.size() - i)});
    return outcome;
}

std::string OperationName(ChannelOp op, const std::string& from, int to, const TextLookup& text) {
    const std::string target = Num_2_Channel(to);
    switch (op) {
    case ChannelOp::Move:
        return Cp1252ToUtf8(text(kTxtOpMove)) + " " + from + " \u2192 " + target;
    case ChannelOp::Swap:
        return Cp1252ToUtf8(text(kTxtOpSwap)) + " " + from + " \u2194 " + target;
    case ChannelOp::Paste:
        return Cp1252ToUtf8(text(kTxtOpPaste)) + " " + from + " \u2192 " + target;
    case ChannelOp::Descriptions:
        return Cp1252ToUtf8(text(kTxtOpDescriptions)) + " \u2192 " + target;
    }
    return {};
}

std::string RefusalWords(const RefusedCell& cell, const TextLookup& text) {
    const std::string name = cell.channel >= 0 ? Num_2_Channel(cell.channel) : std::string();
    const auto say = [&](int id, const std::string& two = {}) { return Cp1252ToUtf8(Fill(text(id), name, two)); };
    switch (cell.why) {
    case Refusal::Claimed:
        return say(kTxtRefusedClaimed);
    case Refusal::SecondOfPair:
        return say(kTxtRefusedSecondOfPair, Num_2_Channel(cell.other));
    case Refusal::PairOnOdd:
        return say(kTxtRefusedPairOnOdd);
    case Refusal::PairPastEnd:
        return say(kTxtRefusedPairPastEnd);
    case Refusal::InUse:
        return say(kTxtRefusedInUse, text(TypeNameText(cell.other)));
    case Refusal::ReferredTo:
        return say(kTxtRefusedReferredTo, std::to_string(cell.other));
    case Refusal::NotInUse:
        return say(kTxtRefusedNotInUse);
    case Refusal::NotOffered:
        return say(kTxtRefusedNotOffered, text(TypeNameText(cell.other)));
    case Refusal::CommonSiren:
        return say(kTxtRefusedCommonSiren, Num_2_Channel(cell.other));
    case Refusal::OddRollerMark:
        return say(kTxtRefusedOddRollerMark);
    case Refusal::OutsideMatrix:
        return Cp1252ToUtf8(Fill(text(kTxtRefusedOutsideMatrix), std::to_string(cell.other)));
    case Refusal::SameChannel:
        return say(kTxtRefusedSameChannel);
    case Refusal::SizeMismatch:
        return Cp1252ToUtf8(
            Fill(text(kTxtRefusedSizeMismatch), std::to_string(cell.other), std::to_string(cell.other2)));
    case Refusal::NothingToPaste:
        return Cp1252ToUtf8(text(kTxtRefusedNothingToPaste));
    }
    return {};
}

std::string OutcomeSummary(ChannelOp op, const ChannelOpOutcome& outcome, const TextLookup& text) {
    std::string out;
    if (outcome.done()) {
        if (op == ChannelOp::Move || op == ChannelOp::Swap)
            out = outcome.referencesChanged == 0 ? Cp1252ToUtf8(text(kTxtNoReferenceChanged))
                  : outcome.referencesChanged == 1
                      ? Cp1252ToUtf8(text(kTxtOneReferenceChanged))
                      : Cp1252ToUtf8(Fill(text(kTxtReferencesChanged), std::to_string(outcome.referencesChanged)));
        else
            out = Cp1252ToUtf8(Fill(text(op == ChannelOp::Paste ? kTxtChannelsPasted : kTxtDescriptionsPasted),
                                    std::to_string(outcome.items)));
    }
    if (!outcome.refused.empty()) {
        if (!out.empty())
            out += "\n";
        out += Cp1252ToUtf8(text(outcome.done() ? kTxtNotPasted : kTxtNothingDone));
        for (const RefusedCell& cell : outcome.refused)
            out += "\n" + RefusalWords(cell, text);
    }
    return out;
}

} // namespace korvane
