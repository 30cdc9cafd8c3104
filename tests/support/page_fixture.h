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
#include "ui/editor/form/editor_page.h"
#include "ui/editor/pages/channel_part.h"

namespace korvane::test {

class RecordingHost : public PageHost {
public:
    void focusMainWindow() override { ++mainFocused; }
    void redrawMatrix() override { ++matrixRedrawn; }
    void showGroupMenu(const QPoint&, bool) override { ++groupMenus; }
    QWidget* descriptionField() override { return description; }
    void languageApplied() override { ++languages; }
    void openFlashPattern() override { flashPattern = true; }
    void closeFlashPattern() override { flashPattern = false; }
    bool flashPatternShown() const override { return flashPattern; }

    QWidget* description = nullptr;
    int mainFocused = 0;
    int matrixRedrawn = 0;
    int groupMenus = 0;
    int languages = 0;
    bool flashPattern = false;
};

class PageFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the page the key and type select (every channel page shows CurChannel), fills it and
    // shows it in the active test window. nullptr when no page shows them.
    EditorPage* open(const QString& key, int type);
    // Gives the control the focus as a Tab would (Object_focus included).
    void focus(QWidget* w);

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
};

} // namespace korvane::test
