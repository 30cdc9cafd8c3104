#include "app/settings.h"

#include <QDir>
#include <QSettings>

namespace korvane {

static const QString kGroup = QStringLiteral("Data");

Settings::Settings() {
    const QString redirected = qEnvironmentVariable("KORVANE_SETTINGS");
    if (!redirected.isEmpty())
        store_ = std::make_unique<QSettings>(redirected, QSettings::IniFormat);
    else
        store_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZEB1"));
}

Settings::Settings(const QString& iniPath) : store_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

Settings::~Settings() = default;

QString Settings::value(const QString& key, const QString& fallback) const {
    return store_->value(kGroup + QLatin1Char('/') + key, fallback).toString();
}

void Settings::setValue(const QString& key, const QString& value) {
    store_->setValue(kGroup + QLatin1Char('/') + key, value);
    store_->sync();
}

QString Settings::location() const {
    return store_->fileName();
}

QString DefaultLanguageFile(const QString& programFolder, int slot) {
    static const char* names[kLanguageSlots] = {"English.dat", "Deutsch.dat", "Dansk.dat"};
    return QDir::toNativeSeparators(programFolder + QStringLiteral("/Language/") + QLatin1String(names[slot]));
}

QString DefaultDataFileLoc(const QString& programFolder) {
    return QDir::toNativeSeparators(programFolder + QStringLiteral("/Data/Example"));
}

QString DefaultLanguageName(int slot) {
    static const char* names[kLanguageSlots] = {"English", "Deutsch", "Dansk"};
    return QLatin1String(names[slot]);
}

static int boundedNumber(const QString& text, int low, int high, int fallback) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok && v >= low && v <= high ? v : fallback;
}

WindowRoom ReadWindowRoom(const Settings& s, const QString& window, QSize fallback) {
    WindowRoom room{fallback, false};
    const int w = boundedNumber(s.value(window + QStringLiteral("Width")), 100, 100000, -1);
    const int h = boundedNumber(s.value(window + QStringLiteral("Height")), 100, 100000, -1);
    if (w > 0 && h > 0)
        room.size = QSize(w, h);
    room.maximized = s.value(window + QStringLiteral("Maximized")) == QLatin1String("1");
    return room;
}

void StoreWindowRoom(Settings& s, const QString& window, const WindowRoom& room) {
    auto put = [&s, &window](const char* key, const QString& value) {
        if (s.value(window + QLatin1String(key)) != value)
            s.setValue(window + QLatin1String(key), value);
    };
    put("Width", QString::number(room.size.width()));
    put("Height", QString::number(room.size.height()));
    put("Maximized", room.maximized ? QStringLiteral("1") : QStringLiteral("0"));
}

static QString fileKey(int k) {
    return QStringLiteral("File%1").arg(k + 1);
}

ProgramSettings ReadStartupSettings(Settings& s, const QString& programFolder) {
    ProgramSettings p;
    const QString folder = QDir::toNativeSeparators(programFolder);
    const QString revision = s.value(QStringLiteral("RevisionLevel"), QString());
    p.curLanguage =
        boundedNumber(s.value(QStringLiteral("CurrentLanguage"), QStringLiteral("1")), 0, kLanguageSlots - 1, 1);
    p.dataFileLoc = s.value(QStringLiteral("DataFileLoc"), DefaultDataFileLoc(folder));
    for (int k = 0; k < kRecentFiles; ++k)
        p.recentFiles[k] = s.value(fileKey(k), QString());
    for (int i = 0; i < kLanguageSlots; ++i)
        p.langFiles[i] = s.value(QStringLiteral("LanguageFile#%1").arg(i), DefaultLanguageFile(folder, i));
    for (int i = 0; i < kLanguageSlots; ++i)
        p.langNames[i] = s.value(QStringLiteral("Language%1").arg(i), DefaultLanguageName(i));
    const QString comPortText = s.value(QStringLiteral("ComPortUsing"), QStringLiteral("1"));
    p.comPort = boundedNumber(comPortText, 1, 4, 0);
    if (p.comPort == 0) {
        p.unknownComPort = comPortText;
        p.comPort = 1;
    }
    const QString startup = s.value(QStringLiteral("Startup"), folder);
    const QString author = s.value(QStringLiteral("Author"), QString());

    if (startup == folder && revision == kRevisionLevel && !author.isEmpty())
        return p;

    // First run, a moved program or a new revision: back to the defaults, in the order they are written.
    p.wasReset = true;
    for (int i = 0; i < kLanguageSlots; ++i) {
        p.langFiles[i] = DefaultLanguageFile(folder, i);
        p.langNames[i] = DefaultLanguageName(i);
    }
    p.dataFileLoc = DefaultDataFileLoc(folder);
    p.curLanguage = 1;
    p.recentFiles = {};
    s.setValue(QStringLiteral("Author"), kAuthor);
    s.setValue(QStringLiteral("RevisionLevel"), kRevisionLevel);
    s.setValue(QStringLiteral("DataFileLoc"), p.dataFileLoc);
    for (int k = 0; k < kRecentFiles; ++k)
        s.setValue(fileKey(k), QString());
    s.setValue(QStringLiteral("CurrentLanguage"), QStringLiteral("1"));
    for (int i = 0; i < kLanguageSlots; ++i)
        s.setValue(QStringLiteral("LanguageFile#%1").arg(i), p.langFiles[i]);
    for (int i = 0; i < kLanguageSlots; ++i)
        s.setValue(QStringLiteral("Language%1").arg(i), p.langNames[i]);
    s.setValue(QStringLiteral("Startup"), folder);
    s.setValue(QStringLiteral("DataFileLoc"), p.dataFileLoc);
    // The port choice survives the reset; one the program did not understand becomes the port it uses.
    s.setValue(QStringLiteral("ComPortUsing"), QString::number(p.comPort));
    return p;
}

} // namespace korvane
