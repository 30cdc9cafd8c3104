#include "model/configuration.h"

#include "model/channel_types.h"

namespace korvane {

void ClearConfiguration(Configuration& cfg, EditState& state) {
    cfg.BlankRow.fill(0);
    for (int i = 0; i < kSysClearedBytes; ++i)
        cfg.SysData[i] = 0;
    cfg.BlankLogic.fill(0);

    for (int i = 0; i <= kGeneralDescription; ++i)
        cfg.DescText[i].clear();
    for (int i = 0; i <= 8; ++i)
        cfg.SmsText[i].clear();
    cfg.SmsIdText.clear();

    for (int c = 0; c < kChannels; ++c) {
        cfg.ChanSetup[c].fill(0);
        cfg.ChanSetup[c][kRowType] = kTypeBlank;
        cfg.MasterMatrix[c].fill(0);
        cfg.ChanText[c].clear();
        cfg.LogicBlocks[c].fill(0);
        cfg.SavedChanType[c] = kTypeBlank;
        cfg.ChanFlags[c] = 0;
    }

    cfg.BlankRow[kRowType] = kTypeBlank;

    cfg.SysData[kSysChannelsInUse] = 127;
    cfg.SysData[kSysWaterResetTime] = 2;
    cfg.SysData[kSysSmokeResetTime] = 2;
    cfg.SysData[kSysDeviceNo] = 1;
    cfg.SysData[kSysSmsResponseTime] = 1;

    state.DataChanged = false;
    state.CurGroup = 0;
    state.MatrixCursor = 0;
    state.CurChannel = 0;
    state.CurLogicBlock = 0;
}

Row UnusedRow() {
    Row r{};
    r[kRowType] = kTypeBlank;
    return r;
}

} // namespace korvane
