// The alarm pages beyond the page tables: the function options in one column, a siren's change, the
// intruder siren's flash pattern button, the ISA operating mode list and the common siren's boxes.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "model/channel_types.h"
#include "tests/support/page_fixture.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kA3 = 2, kB1 = 8, kC2 = 17, kM5 = 100;

using AlarmPagesTest = PageFixture;

TEST_F(AlarmPagesTest, optionsStandInOneColumnInTheOrderOfTheFunctions) {
    struct Case {
        int type;
        const char* option;
        std::vector<int> codes;
    };
    const Case cases[] = {
        {kTypeIntruderPassive, "O_tyv", {8, 9, 10, 11, 12, 13, 27}},
        {kTypeSmokePassive, "O_røg", {19, 20, 21, 22, 23}},
        {kTypeWaterPassive, "O_vand", {14, 15, 16, 17, 18}},
        {kTypeIsaPassive, "O_ISA", {32, 33, 34, 35, 36, 37}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        openChannel(kB1, c.type);
        int x = -1, y = -1;
        for (int code : c.codes) {
            QWidget* b = get(QStringLiteral("%1_%2").arg(QString::fromUtf8(c.option)).arg(code));
            const QPoint at = b->mapTo(window.get(), QPoint(0, 0));
            if (x >= 0) {
                EXPECT_EQ(at.x(), x) << code;
            }
            EXPECT_GT(at.y(), y) << code;
            x = at.x();
            y = at.y();
        }
    }
}

// A siren whose flash pattern is open becomes a detector: the pattern, the siren's, closes, and the
// page shows the detector's parts.
TEST_F(AlarmPagesTest, aSirenBecomingADetectorClosesItsFlashPattern) {
    byte(kB1, kSirenMasterFlash) = 1;
    openChannel(kB1, kTypeIntruderSiren);
    host.flashPattern = true;
    click(get("O_tyv_8"));
    EXPECT_FALSE(host.flashPattern);
    EXPECT_EQ(text("T_TyvDiasble"), QStringLiteral("-----"));
    EXPECT_TRUE(onShow("F_TyvDisable"));
    EXPECT_FALSE(onShow("F_tyvSirene"));
}

// The flash pattern opens from the siren's button: Enter on it moves on, Space and clicks open and
// close the pattern, clearing the box closes it.
TEST_F(AlarmPagesTest, theSirensButtonOpensAndClosesTheFlashPattern) {
    byte(kB1, kSirenMasterFlash) = 1;
    byte(kB1, kSirenFlashInterval) = 7;
    openChannel(kB1, kTypeIntruderSiren);
    EXPECT_EQ(text("Txt_BM_interval"), QStringLiteral("07"));
    auto* button = get<QPushButton>("Cmd_Tyv_BlinkSet");
    focus(button);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_FALSE(host.flashPattern);
    focus(button);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_TRUE(host.flashPattern);
    button->click();
    EXPECT_FALSE(host.flashPattern);
    button->click();
    get<QCheckBox>("Chk_TyvM_Blink")->click();
    EXPECT_FALSE(host.flashPattern);
    EXPECT_EQ(byte(kB1, kSirenMasterFlash), 0);
}

// A mode the list does not know shows "?" and is kept until one is chosen; choosing the reset input
// locks the list at mode 0 at once.
TEST_F(AlarmPagesTest, theIsaModeListTakesAChoiceAndLocksForAResetInput) {
    sys(kSysIsaMode) = 7;
    openChannel(kC2, kTypeIsaActive);
    auto* mode = get<QComboBox>("Combo_ISAOpmode");
    EXPECT_EQ(mode->currentText(), QStringLiteral("?"));
    EXPECT_EQ(sys(kSysIsaMode), 7);
    emit mode->activated(1);
    EXPECT_EQ(sys(kSysIsaMode), 1);
    EXPECT_EQ(mode->currentText(), QStringLiteral("T87"));
    EXPECT_EQ(mode->findText(QStringLiteral("?")), -1);
    click(get("O_ISA_35"));
    EXPECT_EQ(sys(kSysIsaMode), 0);
    EXPECT_FALSE(mode->isEnabled());
    EXPECT_EQ(mode->currentText(), QStringLiteral("T88"));
}

TEST_F(AlarmPagesTest, commonSirenBoxesStandOnTheLinesOfTheirTimes) {
    openChannel(kB1, kTypeCommonSiren);
    EXPECT_EQ(page_->focusControl(), get("C_FællesSirene_0"));
    // Each box stands on the line of its time.
    for (int i = 0; i < 4; ++i) {
        QWidget* box = get(QStringLiteral("C_FællesSirene_%1").arg(i));
        QWidget* time = get(QStringLiteral("T_FællessireneTid_%1").arg(i));
        const int boxMiddle = box->mapTo(window.get(), box->rect().center()).y();
        const QRect timeRect(time->mapTo(window.get(), QPoint(0, 0)), time->size());
        EXPECT_TRUE(boxMiddle >= timeRect.top() && boxMiddle <= timeRect.bottom()) << i;
    }
}

} // namespace
