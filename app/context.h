#pragma once
// What every window is handed: the workspace, the settings store and the dialogs.

#include <QString>
#include <string>

#include "app/dialogs.h"
#include "app/settings.h"
#include "app/workspace.h"
#include "model/text_codec.h"

namespace korvane {

struct AppContext {
    Workspace& ws;
    Settings& settings;
    Dialogs& dialogs;
};

// The model holds Windows-1252 bytes; windows show Unicode.
inline QString FromCp1252(const std::string& bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}
inline std::string ToCp1252(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}

// A path as the Qt-free file code takes it: the bytes of the local file system.
inline std::string LocalPath(const QString& path) {
    return path.toLocal8Bit().toStdString();
}

// Twips (1/1440 inch) to pixels at the screen's logical resolution.
int TwipsToPixels(int twips, double logicalDpi);

} // namespace korvane
