#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "sim/simulated_link.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"
#include "ui/transfer/frm_serial_io.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class TransferWindowTest : public StartedProgramFixture {
protected:
    void SetUp() override {
        StartedProgramFixture::SetUp();
        unitCfg = korvane::testing::loadedConfiguration("Good.zeb");
        unitCfg.SysData[kSysFirmwareHigh] = 3;
        unitCfg.SysData[kSysFirmwareLow] = 0;
        // Each transfer gets the next fault; the unit holds Good.zeb.
        main().setLinkFactory([this]() -> std::shared_ptr<SerialLink> {
            const UnitFault f = faults.empty() ? UnitFault::None : faults.front();
            if (!faults.empty())
                faults.erase(faults.begin());
            auto link = std::make_shared<SimulatedLink>(false, f);
            link->unit().setMemory(UnitSimulator::ImageOf(unitCfg, [](int) { return std::string(); }));
            return link;
        });
    }
    FrmSerialIO* window() { return main().findChild<FrmSerialIO*>(); }
    QString label() { return window()->findChild<QLabel*>(QStringLiteral("Label1"))->text(); }
    QPushButton* button(const char* name) { return window()->findChild<QPushButton*>(QLatin1String(name)); }
    // Presses OK and waits (bounded) until the transfer has ended.
    void ok() {
        window()->setTickInterval(10);
        QTest::mouseClick(button("Cmd_ok"), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([this] { return button("Cmd_ok")->isEnabled(); }, 10000));
    }

    Configuration unitCfg;
    std::vector<UnitFault> faults;
};

} // namespace

TEST_F(TransferWindowTest, readAfterTheSaveQuestionRetriesAFailureAndTakesTheImage) {
    ws().setDataChanged(true);
    dialogs.answers = {Answer::Save};
    dialogs.files = {std::nullopt}; // Save, then the save dialog is cancelled: no read
    main().M_File_Read_Click();
    EXPECT_EQ(window(), nullptr);

    dialogs.answers = {Answer::Discard};
    faults = {UnitFault::BadChecksum};
    main().M_File_Read_Click();
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("D5"));
    EXPECT_EQ(label(), QStringLiteral("D176"));
    const Configuration before = ws().cfg;
    ok();
    EXPECT_EQ(label(), QStringLiteral("D179"));
    EXPECT_EQ(button("Cmd_ok")->text(), QStringLiteral("&D175"));
    EXPECT_TRUE(button("Cmd_cancel")->isEnabled());
    EXPECT_EQ(ws().cfg.ChanText, before.ChanText);

    ok(); // retry, now sound
    EXPECT_EQ(label(), QStringLiteral("D180"));
    EXPECT_TRUE(window()->transferDone());
    EXPECT_EQ(ws().cfg.ChanText[1], unitCfg.ChanText[1]);
    EXPECT_EQ(ws().cfg.LogicBlocks[5], unitCfg.LogicBlocks[5]);
    EXPECT_TRUE(ws().dataChanged());
    EXPECT_EQ(main().windowTitle(), QStringLiteral("ZEB1 [Upload]"));
    QTest::mouseClick(button("Cmd_ok"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(TransferWindowTest, writeShowsTheVerdictBeepsAndCancelCloses) {
    faults = {UnitFault::Verdict2, UnitFault::None};
    main().M_File_Write_Click();
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("D6"));
    EXPECT_EQ(window()->windowModality(), Qt::ApplicationModal); // the editor cannot change the model meanwhile
    ok();
    EXPECT_EQ(label(), QStringLiteral("D182"));
    EXPECT_FALSE(window()->transferDone());
    ok();
    EXPECT_EQ(label(), QStringLiteral("D181"));
    EXPECT_EQ(dialogs.beeps, 2);
    EXPECT_FALSE(button("Cmd_cancel")->isEnabled());
    EXPECT_FALSE(ws().dataChanged());
    QTest::mouseClick(button("Cmd_ok"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));

    main().M_File_Write_Click();
    QTest::mouseClick(button("Cmd_cancel"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));
}

TEST_F(TransferWindowTest, closingDuringAReadTakesNothingAndGivesTheCursorBack) {
    faults = {UnitFault::Stall};
    main().M_File_Read_Click();
    ASSERT_NE(window(), nullptr);
    const Configuration before = ws().cfg;
    window()->setTickInterval(10);
    QTest::mouseClick(button("Cmd_ok"), Qt::LeftButton);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    window()->close();
    EXPECT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ws().cfg, before);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("ZEB1 [New]"));
}
