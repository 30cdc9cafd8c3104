#include "app/context.h"

#include <cmath>

namespace korvane {

int TwipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

} // namespace korvane
