#include "model/roller.h"

#include <algorithm>

#include "model/channel_types.h"
#include "model/field_rules.h"

namespace korvane {

namespace {

constexpr int kCellsPerByte = 4;

int cellShift(int cell) {
    return 6 - 2 * (cell % kCellsPerByte);
}

} // namespace

int RollerReverseTime(const Row& row) {
    return 256 * row[kRollReverseHigh] + row[kRollReverseLow];
}

void SetRollerReverseTime(Row& row, int milliseconds) {
    row[kRollReverseHigh] = static_cast<Byte>((milliseconds >> 8) & 255);
    row[kRollReverseLow] = static_cast<Byte>(milliseconds & 255);
}

int RollerCycleDivisor(int channelsInUseByte) {
    // n * 0.976 = n * 122 / 125 never ends in exactly one half, so rounding to the nearest is exact.
    const int n = channelsInUseByte + 7;
    return (244 * n + 125) / 250;
}

Byte RollerReverseCycles(int milliseconds, int channelsInUseByte) {
    const int divisor = RollerCycleDivisor(channelsInUseByte);
    if (divisor <= 0)
        return 0;
    return static_cast<Byte>(std::clamp(milliseconds / divisor, 0, 255));
}

void SettleRollerReverse(Row& row, int channelsInUseByte) {
    int r = RollerReverseTime(row);
    if (r < kRollReverseMin) {
        r = kRollReverseDefault;
        SetRollerReverseTime(row, r);
    }
    row[kRollReverseCycles] = RollerReverseCycles(r, channelsInUseByte);
}

int GetRmSt(const Configuration& cfg, int master, int cell) {
    if (cell < 0 || cell >= kRmCells || cfg.ChanSetup[static_cast<std::size_t>(2 * cell)][kRowType] != kTypeRoller)
        return kRmNotUsable;
    const int bits =
        (cfg.MasterMatrix[static_cast<std::size_t>(master)][static_cast<std::size_t>(cell / kCellsPerByte)] >>
         cellShift(cell)) &
        3;
    return bits == 3 ? kRmSelected : kRmEnabled;
}

void PutRmSt(Configuration& cfg, int master, int cell, int value) {
    if (cell < 0 || cell >= kRmCells)
        return;
    Byte& b = cfg.MasterMatrix[static_cast<std::size_t>(master)][static_cast<std::size_t>(cell / kCellsPerByte)];
    const int mask = 3 << cellShift(cell);
    b = static_cast<Byte>(value == 0 ? (b & ~mask) : (b | mask));
}

bool RmCellMarked(const Configuration& cfg, int master, int cell) {
    if (cell < 0 || cell >= kRmCells)
        return false;
    const Byte b = cfg.MasterMatrix[static_cast<std::size_t>(master)][static_cast<std::size_t>(cell / kCellsPerByte)];
    return ((b >> cellShift(cell)) & 3) != 0;
}

int RmLastCell(const Configuration& cfg) {
    return (cfg.channelsInUse() - 1) / 2;
}

std::optional<int> RmCursorMove(const Configuration& cfg, int cursor, int keyCode) {
    const int channels = cfg.channelsInUse();
    switch (keyCode) {
    case vk::kUp:
        return cursor < kCellsPerByte ? std::nullopt : std::optional<int>(cursor - kCellsPerByte);
    case vk::kDown:
        // The row below must still lie within the channels in use.
        return cursor + kCellsPerByte > RmLastCell(cfg) || 2 * cursor >= channels - 7
                   ? std::nullopt
                   : std::optional<int>(cursor + kCellsPerByte);
    case vk::kLeft:
        return cursor <= 0 ? std::nullopt : std::optional<int>(cursor - 1);
    case vk::kRight:
        return cursor >= RmLastCell(cfg) ? std::nullopt : std::optional<int>(cursor + 1);
    default:
        return cursor;
    }
}

} // namespace korvane
