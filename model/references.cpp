#include "model/references.h"

#include "model/channel_types.h"
#include "model/fact_catalogue.h"
#include "model/facts_device.h"
#include "model/facts_logic.h"
#include "model/logic.h"
#include "model/master.h"
#include "model/roller.h"

namespace korvane {

namespace {

using namespace facts;

constexpr int kRmCellsPerByte = 4;

// The option bit a channel field is read under, or 0 when it is always read.
int GatingBit(const ValueFact* fact) {
    if (fact == &kSensorLimitChannel)
        return kAnaExternLimitBit;
    if (fact == &kSensorLimit2Channel)
        return kAnaSecondLimitBit;
    return 0;
}

void AddClaims(const Configuration& cfg, std::vector<ChannelReference>& out) {
    const auto claim = [&](int first, int last, ReferenceKind kind, const ValueFact* fact, int byte, int type) {
        for (int c = first; c <= last && c < kChannels; ++c)
            out.push_back(
                {c, kind, -1, fact, ReferenceAction::None, {StoreArea::SysData, 0, byte}, cfg.channelType(c) == type});
    };
    if (cfg.SysData[kSysMuxCount] != 0)
        claim(kMuxFirst, kMuxFirst + kMuxChannels - 1, ReferenceKind::MultiplexerClaim, &kMuxCount, kSysMuxCount,
              kTypeMuxClaim);
    const int k = cfg.SysData[kSysTimeOutput];
    if (k > 0 && k < 8)
        claim(16 * k, 16 * k + 15, ReferenceKind::TimeOutputClaim, &kTimeOutput, kSysTimeOutput, kTypeTimeOutputClaim);
    const int counter = cfg.SysData[kSysCounter];
    if (counter > 0 && counter < static_cast<int>(kCounterItemData.size()))
        claim(kCounterFirst, kCounterItemData[static_cast<std::size_t>(counter)] + kCounterFirst,
              ReferenceKind::CounterClaim, &kCounter, kSysCounter, kTypeCounterClaim);
}

void AddChannelFields(const Configuration& cfg, int c, std::vector<ChannelReference>& out) {
    const Row& row = cfg.ChanSetup[static_cast<std::size_t>(c)];
    for (const ValueFact* fact : FactsOfType(row[kRowType])) {
        if (fact->format != ValueFormat::ChannelRef || fact->area != ValueArea::Channel)
            continue;
        const int target = row[static_cast<std::size_t>(fact->index)];
        if (target >= kChannels)
            continue;
        const int gate = GatingBit(fact);
        const bool inEffect = gate == 0 || (row[kAnaOptions] & gate) != 0;
        out.push_back({target,
                       ReferenceKind::ChannelField,
                       c,
                       fact,
                       ReferenceAction::None,
                       {StoreArea::ChanSetup, c, fact->index},
                       inEffect});
    }
}

void AddMasterRow(const Configuration& cfg, int m, std::vector<ChannelReference>& out) {
    const int type = cfg.channelType(m);
    const Row& row = cfg.MasterMatrix[static_cast<std::size_t>(m)];
    if (type == kTypeMaster || type == kTypeIntruderSiren) {
        const bool flash = type == kTypeIntruderSiren;
        const bool flashing = !flash || cfg.ChanSetup[static_cast<std::size_t>(m)][kSirenMasterFlash] != 0;
        for (int t = 0; t < kChannels; ++t) {
            const Byte mask = MasterMask(t);
            const int g = MasterByte(t);
            if ((row[static_cast<std::size_t>(g + kMasterAffectedOffset)] & mask) == 0)
                continue;
            const bool on = (row[static_cast<std::size_t>(g)] & mask) != 0;
            out.push_back({t,
                           flash ? ReferenceKind::FlashPattern : ReferenceKind::MasterTarget,
                           m,
                           flash ? &kFlashTarget : &kMasterTarget,
                           on ? ReferenceAction::On : ReferenceAction::Off,
                           {StoreArea::MasterMatrix, m, g, mask},
                           flashing && MasterCanDrive(cfg.channelType(t))});
        }
    } else if (type == kTypeRollerMaster) {
        for (int cell = 0; cell < kRmCells; ++cell) {
            if (!RmCellMarked(cfg, m, cell))
                continue;
            const Byte mask = static_cast<Byte>(3 << (6 - 2 * (cell % kRmCellsPerByte)));
            out.push_back({2 * cell,
                           ReferenceKind::RollerMaster,
                           m,
                           &kRollerPair,
                           ReferenceAction::None,
                           {StoreArea::MasterMatrix, m, cell / kRmCellsPerByte, mask},
                           GetRmSt(cfg, m, cell) == kRmSelected});
        }
    }
}

ReferenceAction InputAction(int byte3, Byte level, Byte edge) {
    const bool hasLevel = (byte3 & level) != 0, hasEdge = (byte3 & edge) != 0;
    if (hasEdge)
        return hasLevel ? ReferenceAction::FallingEdge : ReferenceAction::RisingEdge;
    return hasLevel ? ReferenceAction::Inverted : ReferenceAction::None;
}

void AddLogic(const Configuration& cfg, std::vector<ChannelReference>& out) {
    for (int b = 0; b < kLogicBlocksUsed; ++b) {
        const LogicRecord& block = cfg.LogicBlocks[static_cast<std::size_t>(b)];
        const int byte3 = block[kLogicOperation];
        if (!LogicBlockInUse(block))
            continue; // a block not in use refers to nothing
        const bool operates = LogicBlockOperates(block);
        const std::size_t r = static_cast<std::size_t>(b % kLogicRowsPerPage);
        const auto add = [&](int field, ReferenceKind kind, const ValueFact* fact, ReferenceAction action) {
            if (block[static_cast<std::size_t>(field)] < kChannels)
                out.push_back({block[static_cast<std::size_t>(field)],
                               kind,
                               b,
                               fact,
                               action,
                               {StoreArea::LogicBlocks, b, field},
                               operates});
        };
        add(kLogicOutput, ReferenceKind::LogicOutput, &kLogicOutputs[r], ReferenceAction::None);
        add(kLogicInput1, ReferenceKind::LogicInput1, &kLogicInputs1[r], InputAction(byte3, kLogicLevel1, kLogicEdge1));
        add(kLogicInput2, ReferenceKind::LogicInput2, &kLogicInputs2[r], InputAction(byte3, kLogicLevel2, kLogicEdge2));
    }
}

void AddExchange(const Configuration& cfg, std::vector<ChannelReference>& out) {
    const bool offered = EditMenuRules(cfg).exchangeMask;
    for (int c = 0; c < kChannels; ++c)
        if (GetExchBit(cfg, c))
            out.push_back({c,
                           ReferenceKind::ExchangeMask,
                           -1,
                           &kExchangeChannel,
                           ReferenceAction::None,
                           {StoreArea::SysData, 0, kSysExchangeMask + MasterByte(c), MasterMask(c)},
                           offered});
}

} // namespace

std::vector<ChannelReference> AllReferences(const Configuration& cfg) {
    std::vector<ChannelReference> out;
    AddClaims(cfg, out);
    for (int c = 0; c < kChannels; ++c) {
        AddChannelFields(cfg, c, out);
        AddMasterRow(cfg, c, out);
    }
    AddLogic(cfg, out);
    AddExchange(cfg, out);
    return out;
}

std::vector<ChannelReference> ReferencesTo(const Configuration& cfg, int channel) {
    std::vector<ChannelReference> out;
    for (ChannelReference& ref : AllReferences(cfg))
        if (ref.channel == channel)
            out.push_back(ref);
    return out;
}

} // namespace korvane
