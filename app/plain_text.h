#pragma once
// Texts from outside the program (a configuration file, the unit, a language or help file) are shown
// as they stand. Where Qt would read a text as markup (tool tips, labels, message boxes) it never
// does: a description "<img src=/dev/zero>" shows those characters and makes the program read nothing.
// Labels and message boxes take Qt::PlainText; a tool tip has no format of its own, so its text is
// given as PlainToolTip makes it.

#include <QString>

namespace korvane {

// A tool tip that shows `text` exactly, on its lines and unwrapped as a plain tool tip: a text Qt
// would take for markup is escaped; any other stays as it is.
QString PlainToolTip(const QString& text);

// A label that must be rich text (its lines are links) escapes every text it shows and keeps what
// it shows, as plain text, in this property: the one place that says what the user reads.
inline constexpr char kPlainTextProperty[] = "korvanePlainText";

} // namespace korvane
