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
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"
#include "ui/main/program.h"

namespace korvane::test {

// Writes a language file (or help file) of records key,"text" in Windows-1252 with CR LF.
void WriteTextFile(const QString& path, const std::map<int, QString>& records);
// The texts of a complete test language: 0..400 as prefix + number, 330 the identifier and 331 the
// name, the shortcut letters empty (the default letters apply).
std::map<int, QString> TestLanguageTexts(const QString& prefix, const QString& name);
// Writes that language, and a help file beside it.
void WriteTestLanguage(const QString& folder, const QString& fileName, const QString& prefix, const QString& name);

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the program (Main), opening file if one is given; false when it was refused.
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
    Byte& sys(int b) { return ws().cfg.SysData[static_cast<std::size_t>(b)]; }
    Byte& row(int c, int b) { return ws().cfg.ChanSetup[static_cast<std::size_t>(c)][static_cast<std::size_t>(b)]; }
    // Puts the texts of a shipped language file ("Deutsch.dat") in place of the current language's.
    void useShippedTexts(const char* file);
    // Opens every page of the editor in turn, the channel pages of every type a channel can take on
    // channel 16, and calls visit with the page's name.
    void forEveryPage(const std::function<void(const QString& name)>& visit);
    // Does the steps, words split by spaces, as a user (or, for the set-up words, a file) would:
    //   A4=6 gives A4 the function code; A4.5=77 sets byte 5 of A4's row; deviceNo=12 a system byte;
    //   click=A4 clicks A4's cell; master opens A6's master function as openMaster does; cursor=10 puts
    //   the grid's cursor on cell 10; menu=NAME triggers a menu entry; page=KEY opens an editor page;
    //   focus=NAME gives a control (matrix: the main window) the focus; keys=TEXT types where the
    //   focus is (\n Enter); type=NAME:TEXT is focus and keys; popup=40 chooses that function code
    //   in the channel's pop-up; choose=LIST:ITEM chooses a list's item; tick=NAME clicks a check box;
    //   gridclick=10 clicks a grid cell; gridkey=Right presses the key in a grid.
    void perform(const std::string& steps);

    ScriptedDialogs dialogs;
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
