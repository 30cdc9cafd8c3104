#pragma once
// GetTimeNow: the PC's date and time as the editor's clock shows them.

#include <QDateTime>
#include <QString>

namespace korvane {

class Workspace;

// The weekday's name (language text 188 + w, 1 = Sunday .. 7 = Saturday, whatever day the system
// starts its weeks with), two blanks, the date in the system's long format without its weekday, two
// blanks and the time "HH:MM".
QString GetTimeNow(const Workspace& ws, const QDateTime& now);

} // namespace korvane
