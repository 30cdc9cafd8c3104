#include "app/clock_text.h"

#include <QLocale>
#include <QRegularExpression>

#include "app/workspace.h"
#include "io/text_ids.h"
#include "model/calendar.h"

namespace korvane {

QString GetTimeNow(const Workspace& ws, const QDateTime& now) {
    const QDate date = now.date();
    // The long date of the system, without the weekday the language text already names.
    QString format = QLocale::system().dateFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("dddd[,.]?\\s*")));
    const QString longDate = QLocale::system().toString(date, format.trimmed());
    return ws.text(WeekdayText(WeekdayNameNumber(date.dayOfWeek()))) + QStringLiteral("  ") + longDate +
           QStringLiteral("  ") + now.time().toString(QStringLiteral("HH:mm"));
}

} // namespace korvane
