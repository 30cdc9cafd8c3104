// The alarm pages in the whole program: only the page of the channel's function is on show, and the
// siren's flash pattern opens in the grid.

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <utility>

#include "model/channel_types.h"
#include "model/text_ids.h"
#include "tests/support/program_fixture.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/pages/master_page.h"
#include "ui/main/channel_cell.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class AlarmProgramTest : public StartedProgramFixture {
protected:
    // Puts the function in channel c's type byte, keeping the rest of its row, and opens it as a click
    // on its cell does.
    void openWithTypeByte(int c, int function) {
        ws().change([&](Configuration& cfg) {
            cfg.ChanSetup[static_cast<std::size_t>(c)][kRowType] = static_cast<Byte>(function);
        });
        QTest::mouseClick(main().cell(c), Qt::LeftButton);
        QApplication::setActiveWindow(&editor());
    }
    bool shown(const char* name) { return child(QString::fromUtf8(name))->isVisibleTo(&editor()); }
};

TEST_F(AlarmProgramTest, onlyThePageOfTheChannelsFunctionIsOnShow) {
    const std::pair<int, const char*> pages[] = {
        {kTypeIntruderSiren, "F_tyv"},
        {kTypeSmokeSiren, "Frame_RøgAlarm_Setup"},
        {kTypeWaterReset, "Frame_VandAlarm_Setup"},
        {kTypeIsaPassive, "Frame_ISAalarm_Setup"},
        {kTypeCommonSiren, "Frame_CombiSiren_Setup"},
        {kTypeMono, "Frame_BasicChtype_Setup"},
    };
    for (auto [function, page] : pages) {
        openWithTypeByte(3, kTypeIntruderPassive);
        EXPECT_TRUE(shown("O_tyv_8"));
        openWithTypeByte(4, function);
        EXPECT_EQ(editor().currentPage(), QString::fromUtf8(page)) << page;
        if (function != kTypeIntruderSiren) {
            EXPECT_FALSE(shown("O_tyv_8")) << page; // no intruder option to click on another channel
        }
        for (const char* other : {"F_tyv", "Frame_RøgAlarm_Setup", "Frame_VandAlarm_Setup", "Frame_ISAalarm_Setup",
                                  "Frame_CombiSiren_Setup"}) {
            if (qstrcmp(other, page) != 0) {
                EXPECT_FALSE(shown(other)) << page << " shows " << other;
            }
        }
    }
}

TEST_F(AlarmProgramTest, flashPatternOpensInTheGridAndTheOptionIsTheFirstFocus) {
    ws().change([](Configuration& cfg) { cfg.ChanSetup[6][kSirenMasterFlash] = 1; });
    openWithTypeByte(6, kTypeIntruderSiren);
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("A7   D112"));
    EXPECT_EQ(QApplication::focusWidget(), child(QStringLiteral("O_tyv_12")));
    auto* button = child<QPushButton>(QStringLiteral("Cmd_Tyv_BlinkSet"));
    ASSERT_TRUE(shown("Cmd_Tyv_BlinkSet"));
    EXPECT_EQ(button->text(), QStringLiteral("D294"));
    button->click();
    EXPECT_TRUE(editor().flashPatternShown());
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_MasterFunction_Setup"));
    EXPECT_EQ(ws().FocusTag, QStringLiteral("IntruderFlashPattern"));
    EXPECT_EQ(ws().FocusHelpId, kHelpFlashPattern);
    // Back, Escape and Enter in the grid return to the siren's page, on the button that opened it.
    auto* back = child<QPushButton>(QStringLiteral("Cmd_FlashBack"));
    EXPECT_EQ(back->text(), QStringLiteral("D354"));
    QWidget* grid = editor().masterPage()->keyField();
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Back", [&] { QTest::mouseClick(back, Qt::LeftButton); }},
        {"Escape", [&] { QTest::keyClick(grid, Qt::Key_Escape); }},
        {"Escape on Back", [&] { QTest::keyClick(back, Qt::Key_Escape); }},
        {"Enter", [&] { QTest::keyClick(grid, Qt::Key_Return); }},
    };
    for (const auto& [what, way] : ways) {
        SCOPED_TRACE(what);
        if (!editor().flashPatternShown()) {
            focus(button);
            QTest::keyClick(button, Qt::Key_Space);
        }
        ASSERT_EQ(editor().currentPage(), QStringLiteral("Frame_MasterFunction_Setup"));
        EXPECT_TRUE(back->isVisibleTo(&editor()));
        focus(qstrcmp(what, "Escape on Back") == 0 ? static_cast<QWidget*>(back) : grid);
        way();
        EXPECT_FALSE(editor().flashPatternShown());
        EXPECT_EQ(editor().currentPage(), QStringLiteral("F_tyv"));
        EXPECT_EQ(QApplication::focusWidget(), button);
        EXPECT_TRUE(child<QCheckBox>(QStringLiteral("Chk_TyvM_Blink"))->isChecked());
    }
    // The grid of a master function ends its chain in the main window and has no Back.
    ws().changeChannelType(7, kTypeMaster);
    QTest::mouseClick(main().cell(7), Qt::LeftButton);
    EXPECT_FALSE(back->isVisibleTo(&editor()));
    QTest::mouseClick(main().cell(6), Qt::LeftButton);

    // A siren that becomes another function from the matrix takes its flash pattern along.
    button->click();
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_MasterFunction_Setup"));
    ws().changeChannelType(6, kTypeIntruderPassive);
    EXPECT_EQ(editor().currentPage(), QStringLiteral("F_tyv"));
    EXPECT_FALSE(editor().flashPatternShown());
    ws().change([](Configuration& cfg) { cfg.ChanSetup[6][kRowType] = kTypeIntruderSiren; });
    EXPECT_EQ(editor().currentPage(), QStringLiteral("F_tyv"));
}

} // namespace
