#pragma once
// The master matrix (which channels a master function or a siren's flash pattern drives) and the
// data exchange mask (one bit per channel in SysData bytes 64..79).

#include "model/configuration.h"

namespace korvane {

// Target states of a master-matrix cell.
constexpr int kMasterNotDrivable = 0;
constexpr int kMasterOff = 1;
constexpr int kMasterOn = 2;
constexpr int kMasterNotAffected = 3;

constexpr int kMasterAffectedOffset = 16; // byte i + 16 holds the affected bits of group i

inline int MasterByte(int t) {
    return t / 8;
}
inline Byte MasterMask(int t) {
    return static_cast<Byte>(128 >> (t % 8));
}

// State 0..3 of target t in the row of master m; 0 when t's type cannot be driven.
int GetMaster(const Configuration& cfg, int t, int m);
// Writes state s (1, 2, 3) of target t into the row of master m; other states change nothing.
void PutMaster(Configuration& cfg, int m, int t, int s);

// The next state of a click on a cell: a master cycles off -> on -> not affected -> off; a flash
// pattern toggles between on and not affected. A state of 0 stays 0.
int NextMasterState(int state, bool flashPattern);

enum class GroupAction { On, Off, X };
// Writes whole bytes of group g (0..15) in the row of master m.
void MasterGroup(Configuration& cfg, int m, int g, GroupAction a);

int GetExchBit(const Configuration& cfg, int c);
void PutExchBit(Configuration& cfg, int c, int v);
// On sets all eight channels of group g, X clears them; Off is not offered for the exchange mask.
void ExchangeGroup(Configuration& cfg, int g, GroupAction a);

} // namespace korvane
