#pragma once
// Roller blinds and roller masters: the blind's reverse time and the bus cycles derived from it, and
// the roller master's choice of blinds (two bits per channel pair in its MasterMatrix row).

#include <optional>

#include "model/configuration.h"

namespace korvane {

constexpr int kRollReverseMin = 500; // milliseconds; a shorter reverse time is taken as unset
constexpr int kRollReverseMax = 2000;
constexpr int kRollReverseDefault = 1000;
constexpr int kRmCells = 64; // cell i stands for the channel pair 2i, 2i + 1

// The reverse time of a blind's row: all 16 bits of bytes 3 (high) and 4 (low).
int RollerReverseTime(const Row& row);
void SetRollerReverseTime(Row& row, int milliseconds);
// The bus cycle length the unit counts the reverse time in: (SysData byte 11 + 7) * 0.976, rounded to
// the nearest whole number.
int RollerCycleDivisor(int channelsInUseByte);
// Byte 2 of a blind: the reverse time in whole bus cycles, held within 0..255.
Byte RollerReverseCycles(int milliseconds, int channelsInUseByte);
// Leaving the reverse time field: a time below 500 becomes 1000; byte 2 follows the time kept.
void SettleRollerReverse(Row& row, int channelsInUseByte);

// Cell states of the roller master grid.
constexpr int kRmNotUsable = -1; // channel 2i is not a roller blind
constexpr int kRmEnabled = 0;    // a blind, not commanded by this master
constexpr int kRmSelected = 3;   // a blind commanded by this master

int GetRmSt(const Configuration& cfg, int master, int cell);
// Value 0 clears both bits of the cell, any other value sets both.
void PutRmSt(Configuration& cfg, int master, int cell, int value);
// Whether any bit of the cell is set, whatever the channel is now: a choice left behind by a blind
// that became something else still counts and can be cleared.
bool RmCellMarked(const Configuration& cfg, int master, int cell);

// The last cell the grid shows: the last channel pair within the channels in use.
int RmLastCell(const Configuration& cfg);
// The cursor after a cursor key (37..40) in the grid, or nothing when it would leave the grid.
std::optional<int> RmCursorMove(const Configuration& cfg, int cursor, int keyCode);

} // namespace korvane
