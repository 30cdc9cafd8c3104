#pragma once
// The editor's pages without the windows: a workspace with recognisable texts ("T<n>"), scripted
// dialogs and a host that records what the pages ask of the window around them.

#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "app/context.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/workspace_setup.h"
#include "ui/editor/form/editor_page.h"
#include "ui/editor/pages/channel_part.h"

// Test messages show texts as text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace korvane::test {

class RecordingHost : public PageHost {
public:
    void focusMainWindow() override { ++mainFocused; }
    void redrawMatrix() override {}
    void showGroupMenu(const QPoint&, bool) override {}
    QWidget* descriptionField() override { return description; }
    void languageApplied() override {}
    void openFlashPattern() override { flashPattern = true; }
    void closeFlashPattern() override { flashPattern = false; }
    bool flashPatternShown() const override { return flashPattern; }
    void openPageOf(const QString& key, int channel) override { opened.emplace_back(key, channel); }

    QWidget* description = nullptr;
    int mainFocused = 0;
    bool flashPattern = false;
    std::vector<std::pair<QString, int>> opened; // the pages of references opened: key, channel
};

class PageFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // Makes the page the key and type select (every channel page shows CurChannel), fills it and
    // shows it in the active test window. nullptr when no page shows them.
    EditorPage* open(const QString& key, int type);
    // Gives channel c the type and opens its page as the current channel.
    EditorPage* openChannel(int c, int type);
    // Settles the entry in the focused field as the editor window does before a save, a write or a print.
    void commit();
    // Gives the control the focus as a Tab would (Object_focus included).
    void focus(QWidget* w);
    // A named control of the window; the test fails when there is none.
    template <class W = QWidget> W* get(const QString& name) {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    // What the named control shows: a line's, label's or text box's text, a list's choice, a box "[x]" or "[ ]".
    QString text(const QString& name);
    // Gives the named control the focus, then types the keys where the focus is: characters as
    // themselves, '~' Delete, '\n' Enter, {Up}, {Down}, {Left}, {Right}, {End} and
    // {Backspace} those keys.
    void type(const QString& name, const char* keys);
    // The name of the control with the focus.
    static QString focused();
    // The configuration as a set-up writes it: where the test starts, not an edit.
    Configuration& setUp() { return ConfigurationForSetUp(ws); }
    Byte& sys(int b) { return setUp().SysData[static_cast<std::size_t>(b)]; }
    Byte& byte(int c, int b) { return setUp().ChanSetup[static_cast<std::size_t>(c)][static_cast<std::size_t>(b)]; }

    QTemporaryDir dir_;
    std::unique_ptr<Settings> settings_;
    Workspace ws;
    ScriptedDialogs dialogs;
    std::unique_ptr<AppContext> ctx;
    RecordingHost host;
    std::unique_ptr<FieldFocus> fieldFocus;
    std::unique_ptr<QWidget> window;
    std::vector<EditorPage*> pages;
    ChannelPart* channelPart = nullptr;
    EditorPage* page_ = nullptr; // the page opened last
};

} // namespace korvane::test
