#pragma once
// The one configuration in memory and the working variables the windows share. Windows change the
// model through the workspace and redraw from its signals.

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUndoStack>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/settings.h"
#include "io/text_file.h"
#include "io/verify.h"
#include "model/configuration.h"
#include "model/differences.h"
#include "model/value_facts.h"

namespace korvane {

constexpr int kLanguageSlotRoom = 6; // room for six slots, 0..2 used

// Whether an edit marks the configuration changed.
enum class EditMark {
    IfChanged, // when a stored byte or text differs afterwards
    Always,    // also when the edit kept every value (a key a rule accepts counts as an edit)
    Never,     // bookkeeping that is not the user's change (range repairs, the claim snapshot)
};

// Where a configuration that takes the place of the document comes from.
enum class Origin {
    File,   // a configuration file (Open, a recent file) or New's blank one: the document as saved
    Backup, // a backup of the unit, opened as a file of its own
    Unit,   // a read from the unit: in no file yet, so there is something to save
};

class Workspace;

// While it lives, the edits of the workspace are keys typed into one field: consecutive edits from the
// same field are one undo step until the field loses the focus (or the step is undone or saved).
class EditEntry {
public:
    EditEntry(Workspace& ws, const QObject* field);
    ~EditEntry();
    EditEntry(const EditEntry&) = delete;
    EditEntry& operator=(const EditEntry&) = delete;

private:
    Workspace& ws_;
    const QObject* previous_;
};

class Workspace : public QObject {
    Q_OBJECT
public:
    explicit Workspace(QObject* parent = nullptr);

private:
    Configuration cfg_;
    // Test set-ups put a configuration in place without an edit (tests/support/workspace_setup.h).
    friend Configuration& ConfigurationForSetUp(Workspace& ws);

public:
    // The document, read-only: change() alters it (the write path) and replace() puts another in its place.
    const Configuration& cfg = cfg_;
    EditState edit;

    QString CurFileName = QStringLiteral("New");
    QString DataFileLoc;
    std::array<QString, kRecentFiles> RecentFiles;
    std::array<QString, kLanguageSlotRoom> LangFiles;
    std::array<QString, kLanguageSlotRoom> LangNames;
    int CurLanguage = 1;
    int ComPort = 1;
    // The last write to the unit in this session, for the site book's cover: when, through which port,
    // the verdict (of the verify when one followed) and the configuration written.
    struct WriteRecord {
        QDateTime when;
        QString port;
        QString verdict;
        Configuration written;
    };
    std::optional<WriteRecord> LastWrite;
    // The last check of the unit in this session, for its handover record: a read-back after a write or a
    // comparison with the unit; when, through which port, the configuration held against the unit (named
    // as the user knows it) and what the check found (a comparison's verdict has no sentence).
    struct CheckRecord {
        QDateTime when;
        QString port;
        bool readBack = false;
        QString subject;
        VerifyVerdict found;
        Configuration checked;
    };
    std::optional<CheckRecord> LastCheck;
    QString FocusTag;
    int FocusHelpId = 0;
    QString ProgramFolder;

    std::vector<QString> LangText = std::vector<QString>(kLanguageTextCount + 1);
    std::vector<QString> HelpText = std::vector<QString>(kHelpTextCount + 1);
    // The texts of the English file shipped in the program folder: what a language file lacks.
    std::vector<QString> EnglishText = std::vector<QString>(kLanguageTextCount + 1);

    // Language text n as the user reads it ("" outside 0..400): the current language's text, the
    // English one where the language file has none, "[n]" where neither has it, so that no caption is
    // ever empty. A menu's access-key mark ("&Datei") is not part of the text.
    QString text(int n) const;
    // The same as a menu caption: with the access-key mark the language file may carry.
    QString menuText(int n) const;
    // Language text n exactly as the current language file holds it ("" when it has none): what goes
    // to the unit (unit labels, SMS words) and what decides the shortcut letters.
    QString fileText(int n) const;
    // The channel's type (byte 0 of its row).
    int typeOf(int channel) const { return cfg.channelType(channel); }
    int curChannel() const { return edit.CurChannel; }
    bool dataChanged() const { return edit.DataChanged; }
    // The main window's title: "ZEB1 [name]" and Qt's mark of unsaved changes ("[*]"). The blank and
    // the read configuration are named in the window's language; CurFileName keeps "New" and "Upload".
    QString windowTitle() const;
    // The configuration's name as the title shows it.
    QString documentName() const;

    void setCurChannel(int n);
    void setDataChanged(bool changed);

    // The one write path of the windows: runs the change on the configuration, marks the
    // configuration changed and announces every channel whose row, master row, text or flags
    // changed, then edited(). Returns whether any value changed.
    bool change(const std::function<void(Configuration&)>& apply, EditMark mark = EditMark::IfChanged);
    // A change of many values (moving, swapping or pasting channels) as one undo step of its own, named
    // by what it did ("Move A3 → B5"). Returns whether any value changed; nothing is recorded otherwise.
    bool changeNamed(const QString& name, const std::function<void(Configuration&)>& apply);
    // Stores one value of the current channel (or of the system) through the write path.
    bool setValue(const ValueFact& fact, int value, EditMark mark = EditMark::IfChanged);
    int value(const ValueFact& fact) const { return ReadValue(fact, cfg, ownerOf(fact)); }
    // The channel a value or text of the current edit belongs to, or the logic page shown.
    int ownerOf(const ValueFact& fact) const;
    int ownerOf(const TextFact& fact) const;
    void setCurFileName(const QString& name);
    // Changes the type of channel n, marks the configuration changed and announces every redrawn cell.
    void changeChannelType(int n, int type);
    // Blank configuration of New, not changed; nothing before it can be undone.
    void clear();
    // The one way a whole configuration takes the place of the document (Open, a recent file, New, a read
    // from the unit, a backup): it becomes the document named `name`, nothing before it can be undone,
    // and the windows refill. From a file or a backup it is the saved state; from the unit it is changed.
    void replace(const Configuration& configuration, const QString& name, Origin origin);

    // Undo and redo of the edits made through change(): each edit is one step (the keys typed into
    // one field while it keeps the focus are one step together). A step restores the configuration
    // exactly as it was before or after it, moves CurChannel to the channel it was made on and
    // announces the new configuration; undoing or redoing to the saved state clears DataChanged.
    const QUndoStack& undoStack() const { return undo_; }
    bool canUndo() const { return undo_.canUndo(); }
    bool canRedo() const { return undo_.canRedo(); }
    void undo();
    void redo();
    // A new configuration took the place of the old one: its steps cannot be undone any more. saved:
    // the configuration is the one of its file, so undoing back to here clears DataChanged.
    // The names of the steps Undo and Redo would take now ("B1 Roller blind: Reverse time 1500 ms").
    QString undoName() const { return undo_.undoText(); }
    QString redoName() const { return undo_.redoText(); }
    // What the last Undo or Redo changed first, to show it: its channel or system area and value.
    const std::optional<Difference>& stepShown() const { return stepShown_; }
    // The field its keys were typed into, by name (empty: the step was no typing, or a menu's).
    const QString& stepField() const { return stepField_; }
    // A new configuration took the place of the old one (Open, a recent file, a read from the unit):
    // its steps cannot be undone any more. saved: the configuration is the one of its file, so
    // undoing back to here clears DataChanged; a read from the unit is in no file.
    void forgetHistory(bool saved);
    // Ends the field entry being typed: the next edit is a step of its own.
    void endEntry();
    // Announce that many values changed at once (a language change).
    void announceReplaced() { emit configurationReplaced(); }
    void announceTexts() { emit textsChanged(); }
    void announceChannel(int n) { emit channelChanged(n); }
    // The Edit menu entries the configuration allows now.
    EditMenuState editMenu() const { return EditMenuRules(cfg); }

signals:
    void channelChanged(int channel);
    void currentChannelChanged(int previous, int current);
    void configurationReplaced();
    void dataChangedChanged(bool changed);
    void titleChanged();
    void textsChanged();
    // A stored edit went through the write path (menus that follow values refresh).
    void edited();
    // Undo or redo became possible or impossible.
    void undoStateChanged();

private:
    friend class EditEntry;
    friend class EditStep;
    // Puts a snapshot back: the configuration, CurChannel, the announcements and DataChanged.
    void restore(const std::shared_ptr<const Configuration>& snapshot, int channel);
    // Announces every channel whose row, master row, text, flags or logic mark differs from before.
    void announceChannels(const Configuration& before);
    void record(Configuration&& before, int channel);
    void markDataChanged(bool changed);

    QUndoStack undo_;
    const QObject* entryField_ = nullptr;            // the field being typed into, while an EditEntry lives
    QPointer<const QObject> openEntry_;              // the field whose entry the newest step still takes keys of
    std::shared_ptr<const Configuration> lastAfter_; // shared by a step's "after" and the next "before"
    bool restoring_ = false;
    QString stepName_; // the name of the step being recorded by changeNamed
    std::optional<Difference> stepShown_;
    QString stepField_;
};

} // namespace korvane
