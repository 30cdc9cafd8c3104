#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

#include "io/config_diff.h"
#include "sim/simulated_link.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"
#include "ui/transfer/difference_list.h"
#include "ui/transfer/frm_serial_io.h"

using namespace korvane;
using namespace korvane::test;

namespace {

// The transfer window against simulated units that hold Good.zeb; the per-user data location, and so
// the backups, lie in the test's own folder.
class VerifyCompareTest : public StartedProgramFixture {
protected:
    void SetUp() override {
        StartedProgramFixture::SetUp();
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", tempPath(QStringLiteral("data")).toLocal8Bit());
        unitCfg = korvane::testing::loadedConfiguration("Good.zeb");
        unitCfg.SysData[kSysFirmwareHigh] = 3;
        unitCfg.SysData[kSysFirmwareLow] = 0;
        // Each press of OK gets a fresh unit with the next fault.
        main().setLinkFactory([this]() -> std::shared_ptr<SerialLink> {
            const UnitFault f = faults.empty() ? UnitFault::None : faults.front();
            if (!faults.empty())
                faults.erase(faults.begin());
            lastLink = std::make_shared<SimulatedLink>(false, f);
            lastLink->unit().setMemory(UnitSimulator::ImageOf(unitCfg, [](int) { return std::string(); }));
            return lastLink;
        });
    }
    void TearDown() override {
        StartedProgramFixture::TearDown();
        qputenv("XDG_DATA_HOME", savedDataHome_);
    }
    FrmSerialIO* window() { return main().findChild<FrmSerialIO*>(); }
    template <class W = QWidget> W* in(const char* name) { return window()->findChild<W*>(QLatin1String(name)); }
    QString label() { return in<QLabel>("Label1")->text(); }
    // Presses a button and waits (bounded) until OK can be pressed again: the window's work has ended.
    void press(const char* button) {
        window()->setTickInterval(10);
        QTest::mouseClick(in<QPushButton>(button), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([this] { return in<QPushButton>("Cmd_ok")->isEnabled(); }, 15000));
    }
    QString listText() { return window()->findChild<DifferenceList*>()->text(); }
    QStringList backups() { return QDir(BackupFolder()).entryList({QStringLiteral("*.zeb")}, QDir::Files); }

    Configuration unitCfg;
    std::vector<UnitFault> faults;
    std::shared_ptr<SimulatedLink> lastLink;
    QByteArray savedDataHome_;
};

} // namespace

TEST_F(VerifyCompareTest, backupThenWriteThenVerifyAfterEveryWriteAndTheChoicesAreRemembered) {
    ws().cfg = korvane::testing::loadedConfiguration("GoodChanged.zeb");
    main().M_File_Write_Click();
    ASSERT_NE(window(), nullptr);
    EXPECT_FALSE(in<QCheckBox>("Chk_Backup")->isChecked());
    EXPECT_EQ(in<QLabel>("Lbl_BackupFolder")->text(), BackupFolder());
    EXPECT_TRUE(BackupFolder().startsWith(tempPath(QStringLiteral("data/")))) << BackupFolder().toStdString();
    in<QCheckBox>("Chk_Backup")->setChecked(true);
    in<QCheckBox>("Chk_VerifyAfterWrite")->setChecked(true);
    press("Cmd_ok");
    EXPECT_EQ(label(), QStringLiteral("D181\nD368"));
    EXPECT_TRUE(window()->transferDone());
    EXPECT_EQ(lastLink->unit().writesCompleted(), 1);

    // The backup holds what the unit held before the write, as a read takes it.
    ASSERT_EQ(backups().size(), 1);
    EXPECT_EQ(QDir(BackupFolder()).filePath(backups()[0]), QDir::fromNativeSeparators(window()->backupFile()));
    EXPECT_TRUE(
        backups()[0].startsWith(QStringLiteral("%1-").arg(unitCfg.SysData[kSysDeviceNo], 2, 10, QLatin1Char('0'))));
    Configuration held = korvane::testing::blankConfiguration();
    TakeReadImage(UnitSimulator::ImageOf(unitCfg, [](int) { return std::string(); }), held);
    Configuration backup = korvane::testing::blankConfiguration();
    ASSERT_TRUE(LoadFile(backup, QDir(BackupFolder()).filePath(backups()[0]).toStdString()).ok());
    EXPECT_TRUE(CompareBytes(held, backup).empty());

    QTest::mouseClick(in<QPushButton>("Cmd_ok"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));
    main().M_File_Write_Click();
    EXPECT_TRUE(in<QCheckBox>("Chk_Backup")->isChecked());
    EXPECT_TRUE(in<QCheckBox>("Chk_VerifyAfterWrite")->isChecked());
    EXPECT_EQ(settings().value(QStringLiteral("BackupBeforeWrite")), QStringLiteral("1"));
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(VerifyCompareTest, aFailedBackupReadLeavesTheUnitUntouched) {
    settings().setValue(QStringLiteral("BackupBeforeWrite"), QStringLiteral("1"));
    faults = {UnitFault::BadChecksum};
    main().M_File_Write_Click();
    press("Cmd_ok");
    EXPECT_EQ(label(), QStringLiteral("D179\n\nD335"));
    EXPECT_EQ(lastLink->unit().writesCompleted(), 0);
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_FALSE(window()->transferDone());
    EXPECT_EQ(in<QPushButton>("Cmd_ok")->text(), QStringLiteral("&D175"));
}

TEST_F(VerifyCompareTest, verifyListsWhatTheUnitHoldsOtherThanWrittenAndCopiesIt) {
    ws().cfg = unitCfg;
    ws().cfg.ChanText[0] = "Door";
    faults = {UnitFault::IgnoredRecord}; // the unit keeps A1's old text and accepts the write
    main().M_File_Write_Click();
    press("Cmd_ok");
    EXPECT_EQ(label(), QStringLiteral("D181"));
    ASSERT_TRUE(in<QPushButton>("Cmd_verify")->isVisible());
    EXPECT_FALSE(in<QWidget>("DifferenceList")->isVisible());
    press("Cmd_verify");
    EXPECT_EQ(label(), QStringLiteral("D181\nD369"));
    const QString old = QString::fromStdString(Cp1252ToUtf8(unitCfg.ChanText[0]));
    const QString expected = QStringLiteral("A1 D107\n    D38: D336 '%1', D337 'Door'\n").arg(old);
    EXPECT_EQ(listText(), expected);
    QTest::mouseClick(in<QPushButton>("Cmd_copy"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), expected);

    // F1 on the list names its own help.
    in<QTreeWidget>("List_Differences")->setFocus();
    QTest::keyClick(window(), Qt::Key_F1);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_TRUE(dialogs.shown.back().caption.endsWith(QStringLiteral("1963")));
}

TEST_F(VerifyCompareTest, compareWithTheUnitShowsTheDifferencesByChannelAndTakesNothing) {
    ws().cfg = unitCfg;
    ws().cfg.ChanSetup[19][kRowType] = 2;
    ws().cfg.SysData[kSysDeviceNo] = 4;
    const Configuration before = ws().cfg;
    main().M_File_CompareUnit_Click();
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("D363"));
    press("Cmd_ok");
    EXPECT_EQ(label(), QStringLiteral("D326 \u2192 D336"));
    EXPECT_EQ(listText(), QStringLiteral("C4\n    D70: D102 \u2192 D105\nD9\n    D19: 04 \u2192 %1\n")
                              .arg(unitCfg.SysData[kSysDeviceNo]));
    EXPECT_EQ(ws().cfg, before);
    EXPECT_FALSE(ws().dataChanged());
}

TEST_F(VerifyCompareTest, compareWithAFileShowsItsDifferencesOrSaysWhyNot) {
    ws().cfg = korvane::testing::loadedConfiguration("Good.zeb");
    dialogs.files = {QString::fromStdString(korvane::testing::fixturePath("GoodChanged.zeb"))};
    main().M_File_CompareFile_Click();
    auto* w = main().findChild<FrmCompare*>();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("D362"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("D362"));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("D326 \u2192 GoodChanged.zeb"));
    EXPECT_EQ(w->list()->text(),
              QStringLiteral(
                  "C4\n    D70: D105 \u2192 D102\n    D38: 'Kanal 19' \u2192 'Hall'\nD9\n    D19: 204 \u2192 04\n"));
    w->close();

    dialogs.files = {QString::fromStdString(korvane::testing::fixturePath("BrokenTruncated.zeb"))};
    main().M_File_CompareFile_Click();
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_TRUE(dialogs.shown.back().text.startsWith(QStringLiteral("D377")));
    EXPECT_EQ(dialogs.unexpected, 0);
}
