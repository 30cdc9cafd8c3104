#pragma once
// How the border of the channel matrix moves with the cursor keys and which letter keys give a
// channel its type. Second channels of a pair (types 41 and 43) are never landed on.

#include <optional>

#include "model/configuration.h"

namespace korvane {

enum class MatrixKey { Up, Down, Left, Right, Home, End };

struct CursorMove {
    int channel; // the new current channel
    bool beep;   // the move was impossible (or cut short)
};

CursorMove MoveCursor(const Configuration& cfg, int cur, MatrixKey key);

// The type a key gives the current channel in the matrix: "0" (either keyboard) mono, "B" blank,
// "F" flip-flop, "T" timer, "R" real-time, "M" master, "I" intruder, "W" water, "S" smoke, "A" ISA.
// The letters are fixed key codes and do not follow the language.
std::optional<int> TypeOfMatrixKey(int keyCode);

// Channels claimed by the time output (30) or the multiplexer (31) keep their type until they are
// released on the main setup page.
bool IsLockedChannel(const Configuration& cfg, int channel);

bool IsSecondChannel(int type);

// The channel the border belongs on when the configuration changed under it: the first channel of a
// pair instead of its hidden second, the last channel in use instead of one above it.
int NearestVisibleChannel(const Configuration& cfg, int channel);

} // namespace korvane
