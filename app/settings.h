#pragma once
// Per-user settings: application "ZEB1", group "Data", every value stored as text. The store can be
// redirected to an INI file (environment variable KORVANE_SETTINGS) so tests and trials never touch
// the user's real settings.

#include <QSize>
#include <QString>
#include <array>
#include <memory>

class QSettings;

namespace korvane {

inline const QString kRevisionLevel = QStringLiteral("Version 3.07");
inline const QString kAuthor = QStringLiteral("Korvane");
constexpr int kLanguageSlots = 3;
constexpr int kRecentFiles = 4;

class Settings {
public:
    // The user's store, or the INI file named by KORVANE_SETTINGS when that is set.
    Settings();
    // An INI file of the caller's choice (tests).
    explicit Settings(const QString& iniPath);
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    QString value(const QString& key, const QString& fallback = QString()) const;
    void setValue(const QString& key, const QString& value);
    // Where the store lives (a file path, or a description of the native store).
    QString location() const;

private:
    std::unique_ptr<QSettings> store_;
};

// What start-up reads from the store.
struct ProgramSettings {
    QString dataFileLoc;
    std::array<QString, kRecentFiles> recentFiles; // File1..File4, most recent first
    std::array<QString, kLanguageSlots> langFiles;
    std::array<QString, kLanguageSlots> langNames;
    int curLanguage = 1;
    int comPort = 1;
    QString unknownComPort; // a ComPortUsing the program did not understand (comPort is then 1), else empty
    bool wasReset = false;  // first run, moved program or new revision
};

// Reads every start-up setting with its default and, on a first run, a moved program folder or a
// new revision, writes the defaults back (keeping the COM port choice).
ProgramSettings ReadStartupSettings(Settings& settings, const QString& programFolder);

// The size the user gave a window, kept beside the other settings as "<window>Width",
// "<window>Height" and "<window>Maximized" (window "MainWindow" or "EditorWindow"). The places stay
// those of the first start: the main window at the top left, the editor directly to its right.
struct WindowRoom {
    QSize size;
    bool maximized = false;
};
// The stored size, or the fallback where none (or nonsense) is stored.
WindowRoom ReadWindowRoom(const Settings& settings, const QString& window, QSize fallback);
// Writes only what differs from the store.
void StoreWindowRoom(Settings& settings, const QString& window, const WindowRoom& room);

// Default paths under the program folder, with the platform's separators.
QString DefaultLanguageFile(const QString& programFolder, int slot);
QString DefaultDataFileLoc(const QString& programFolder);
QString DefaultLanguageName(int slot);

} // namespace korvane
