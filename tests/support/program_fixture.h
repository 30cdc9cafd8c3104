#pragma once
// A started program in a temporary program folder with its own settings file, lock file and
// small language files whose texts are easy to recognise ("E<n>", "D<n>", "K<n>").

#include <QAction>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

#include "app/access_keys.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/workspace_setup.h"
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"
#include "ui/main/program.h"

namespace korvane::test {

// Writes a language file (or help file) of records key,"text" in Windows-1252 with CR LF.
void WriteTextFile(const QString& path, const std::map<int, QString>& records);
// The texts of a complete test language: 0..999 as prefix + number, 330 the identifier and 331 the
// name, the shortcut letters empty (the default letters apply).
std::map<int, QString> TestLanguageTexts(const QString& prefix, const QString& name);
// Writes that language, and a help file beside it.
void WriteTestLanguage(const QString& folder, const QString& fileName, const QString& prefix, const QString& name);

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the program (Main), opening file if one is given; false when it was refused. exited
    // follows the main window's requests to exit.
    bool start(const QString& file = QString());
    QString programFolder() const { return dir_.path() + QStringLiteral("/prog"); }
    QString settingsPath() const { return dir_.path() + QStringLiteral("/settings.ini"); }
    QString lockPath() const { return dir_.path() + QStringLiteral("/korvane.lock"); }
    QString tempPath(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }

    Workspace& ws() { return program_->workspace(); }
    MainWindow& main() { return *program_->mainWindow(); }
    EditorWindow& editor() { return *program_->editor(); }
    Settings& settings() { return *settings_; }

    // A named action of the main window's menus.
    QAction* act(const QString& name);
    // A named widget of the editor or, failing that, of the main window; the test fails when there is none.
    template <class W = QWidget> W* child(const QString& name) {
        W* w = editor().findChild<W*>(name);
        if (!w)
            w = main().findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    // Activates the widget's window and gives the widget the focus as a Tab would.
    static void focus(QWidget* w);
    // Types keys where the focus is: characters as themselves, '\n' Enter.
    static void typeKeys(const char* keys);
    // Gives the named widget (the main window's matrix for "") the focus and types keys as typeKeys does.
    void typeInto(const char* name, const char* keys) {
        focus(*name ? child(QLatin1String(name)) : static_cast<QWidget*>(&main()));
        typeKeys(keys);
    }
    // The object name of the focused widget, empty when none has the focus.
    static QString focused();
    // A check box takes clicks on its box and caption, at the left.
    static void tick(QWidget* box);
    // Gives channel c the type as the pop-up menu does and opens it as a click on its cell does.
    void openChannel(int c, int type);
    // Opens A6's master function, with B3 and B4 mono channels and A1 an intruder detector (which no
    // master can drive).
    void openMaster();
    // The configuration as a set-up writes it: where the test starts, not an edit.
    Configuration& setUp() { return ConfigurationForSetUp(ws()); }
    Byte& sys(int b) { return setUp().SysData[static_cast<std::size_t>(b)]; }
    Byte& row(int c, int b) { return setUp().ChanSetup[static_cast<std::size_t>(c)][static_cast<std::size_t>(b)]; }
    // Puts the texts of a shipped language file ("Deutsch.dat") in place of the current language's.
    void useShippedTexts(const char* file);
    // Opens every page of the editor in turn, the channel pages of every type a channel can take on
    // channel 16, and calls visit with the page's name.
    void forEveryPage(const std::function<void(const QString& name)>& visit);
    // Does the steps, words split by spaces, as a user (or, for the set-up words, a file) would:
    //   A4=6 gives A4 the function code; A4.5=77 sets byte 5 of A4's row; deviceNo=12 a named system
    //   byte; saved: the configuration counts as saved; forget: as loaded, with nothing to undo;
    //   replaced announces a configuration set directly; current=A4 makes A4 the current channel;
    //   click=A4, shiftclick=A4 and rightclick=A4 click A4's cell; master opens A6's master function
    //   as openMaster does; flashpattern opens the current channel's flash pattern; cursor=10 puts the
    //   grid's cursor on cell 10; menu=NAME triggers a menu entry; page=KEY opens an editor page;
    //   window=main or editor activates it; focus=NAME gives a control (matrix: the main window) the
    //   focus; keys=TEXT types where the focus is (a line break: Enter); type=NAME:TEXT is focus and
    //   keys; key=NAME:Ctrl+Z presses a key (its Qt name) in a control without moving the focus;
    //   popup=40 chooses that function code in the channel's pop-up; closepopup closes it;
    //   choose=LIST:ITEM chooses a list's item (#2 by its index); language=1 chooses the language in
    //   that slot; savefile=NAME answers the next file dialog with that temporary file; removefile=NAME
    //   removes it; recentfiles=A,B,,D sets the recent files and shows them in the menu; answer=No (Yes,
    //   Save, Discard) answers the next question; tick=NAME clicks a check box; gridclick=10 and
    //   gridrightclick=10 click a cell of the editor's grid; group=on, off or x chooses that entry of
    //   the group menu; lookaway=NAME tells the control it has the focus again after a look at another
    //   window; detached=1 puts the editor in its own window, detached=0 back beside the matrix;
    //   closeeditor closes the editor's own window; closemenus closes the menus that are open;
    //   line=B5 answers the next text question; clipboard=A/B puts lines on the clipboard;
    //   drag=A3:B5 drops A3's cell onto B5's.
    void perform(const std::string& steps);
    // What a word of an expectation reads: a named system byte; a channel's function code (A1) or
    // those of a run of channels (A1-A5: joined by commas, n equal ones as code*n); picture:A1 the type
    // its cell shows, cell:A1 whether it shows, bordered:A1 whether it has the border; enabled:NAME and
    // visible:NAME of an action or control (or the editor); text:NAME of an action (without its access
    // key mark) or a control; count:LIST its items; page and pageKey of the editor; title, mainTitle;
    // focus (the focused control's name), editorFocus (the editor's), focusTag, help (the focus's help
    // number); popup (whether the pop-up menu shows); generalText (the system description); cursor (the
    // current channel); changed, untouched (as at the step saved), canUndo, canRedo, undoSteps; said
    // (the messages shown, joined by ;, the temporary folder as TMP); recent (the first recent file);
    // exited; beeps; editorWindow (pane or own); menu (the menu open, empty for none); lastSaid (the last
    // message, its line breaks as /); undoText (the name of the step Undo would take back); status (the
    // main window's status line); clipboard (tabs as >, line ends as /); selected:A1 (whether the cell is
    // in the selected range); description:A1. Of the editor's grids:
    // master:10, flash:10 and exchange:10 a cell's stored state (fixed, off, on, x), gridshows:10 its
    // picture, gridcell:10 whether it shows, gridcursor (" not marked" when the cell lacks the mark),
    // group (the group of the last right click).
    QString reading(const std::string& word);
    // Runs the scenarios of a table in tests/data with the columns scenario | steps | expected: a
    // row does its steps (see perform) and then expects each word=value of its last column (see
    // reading; a space in a value is written _). The rows of a scenario follow each other; a new
    // scenario starts the program afresh.
    void runScenarios(const char* table);

    ScriptedDialogs dialogs;
    bool exited = false;   // the main window asked the program to exit
    Configuration atSaved; // the configuration when the step "saved" was done
    QTemporaryDir dir_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<Program> program_;
};

// The same, with the program started before every test.
class StartedProgramFixture : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        ASSERT_TRUE(start());
    }
};

} // namespace korvane::test
