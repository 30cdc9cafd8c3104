#pragma once
// The one configuration in memory and the working variables the windows share. Windows change the
// model through the workspace and redraw from its signals.

#include <QObject>
#include <QString>
#include <array>
#include <vector>

#include "app/settings.h"
#include "io/text_file.h"
#include "model/configuration.h"

namespace korvane {

constexpr int kLanguageSlotRoom = 6; // room for six slots, 0..2 used

class Workspace : public QObject {
    Q_OBJECT
public:
    explicit Workspace(QObject* parent = nullptr);

    Configuration cfg;
    EditState edit;

    QString CurFileName = QStringLiteral("New");
    QString DataFileLoc;
    std::array<QString, kRecentFiles> RecentFiles;
    std::array<QString, kLanguageSlotRoom> LangFiles;
    std::array<QString, kLanguageSlotRoom> LangNames;
    int CurLanguage = 1;
    int ComPort = 1;
    QString FocusTag;
    int FocusHelpId = 0;
    QString ProgramFolder;

    std::vector<QString> LangText = std::vector<QString>(kLanguageTextCount + 1);
    std::vector<QString> HelpText = std::vector<QString>(kHelpTextCount + 1);

    // Language text n ("" outside 0..400).
    QString text(int n) const;
    // The channel's type (byte 0 of its row).
    int typeOf(int channel) const { return cfg.channelType(channel); }
    int curChannel() const { return edit.CurChannel; }
    bool dataChanged() const { return edit.DataChanged; }
    QString windowTitle() const { return QStringLiteral("ZEB1 [") + CurFileName + QLatin1Char(']'); }

    void setCurChannel(int n);
    void setDataChanged(bool changed);
    void setCurFileName(const QString& name);
    // Changes the type of channel n, marks the configuration changed and announces every redrawn cell.
    void changeChannelType(int n, int type);
    // Blank configuration of New, not changed.
    void clear();
    // Announce that many values changed at once (load, read, language change).
    void announceReplaced() { emit configurationReplaced(); }
    void announceTexts() { emit textsChanged(); }
    void announceChannel(int n) { emit channelChanged(n); }

signals:
    void channelChanged(int channel);
    void currentChannelChanged(int previous, int current);
    void configurationReplaced();
    void dataChangedChanged(bool changed);
    void titleChanged();
    void textsChanged();
};

} // namespace korvane
