#include "model/timer.h"

#include <algorithm>

namespace korvane {

long DurationAt(const Row& row, int column) {
    return row[column] + 256L * row[column + 1] + 65536L * row[column + 2];
}

DurationParts SplitDuration(long seconds) {
    DurationParts d;
    d.hours = seconds / 3600;
    const long rest = seconds - 3600 * d.hours;
    d.minutes = static_cast<int>(rest / 60);
    d.seconds = static_cast<int>(rest - 60L * d.minutes);
    return d;
}

long JoinDuration(const DurationParts& parts) {
    return parts.hours * 3600 + parts.minutes * 60L + parts.seconds;
}

bool EnterTimePart(Row& row, int totalColumn, int typedColumn, TimePart part, int value) {
    DurationParts parts = SplitDuration(DurationAt(row, totalColumn));
    switch (part) {
    case TimePart::Hours:
        parts.hours = value;
        break;
    case TimePart::Minutes:
        parts.minutes = value;
        break;
    case TimePart::Seconds:
        parts.seconds = value;
        break;
    }
    const long total = JoinDuration(parts);
    if (total < 0 || total > kMaxDurationSeconds)
        return false;
    row[totalColumn] = static_cast<Byte>(total & 255);
    row[totalColumn + 1] = static_cast<Byte>((total >> 8) & 255);
    row[totalColumn + 2] = static_cast<Byte>((total >> 16) & 255);
    row[typedColumn] = static_cast<Byte>(std::min<long>(parts.hours, 255));
    row[typedColumn + 1] = static_cast<Byte>(parts.minutes);
    row[typedColumn + 2] = static_cast<Byte>(parts.seconds);
    return true;
}

} // namespace korvane
