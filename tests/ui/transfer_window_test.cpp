#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <functional>
#include <optional>

#include "sim/simulated_link.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"
#include "ui/transfer/elided_label.h"
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
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", tempPath(QStringLiteral("data")).toLocal8Bit());
        // Each transfer gets the next fault; the unit holds Good.zeb.
        main().setLinkFactory([this]() -> std::shared_ptr<SerialLink> {
            const UnitFault f = faults.empty() ? UnitFault::None : faults.front();
            if (!faults.empty())
                faults.erase(faults.begin());
            lastLink = std::make_shared<SimulatedLink>(false, f);
            lastLink->unit().setMemory(UnitSimulator::ImageOf(unitCfg, [](int) { return std::string(); }));
            lastLink->setPace(pace);
            lastLink->setOpenError(openError);
            return lastLink;
        });
    }
    void TearDown() override {
        StartedProgramFixture::TearDown();
        qputenv("XDG_DATA_HOME", savedDataHome_);
    }
    template <class W = QWidget> W* in(const char* name) { return window()->findChild<W*>(QLatin1String(name)); }
    QStringList backups() { return QDir(BackupFolder()).entryList({QStringLiteral("*.zeb")}, QDir::Files); }
    FrmSerialIO* window() { return main().findChild<FrmSerialIO*>(); }
    // Runs the events in short slices until the condition holds (bounded): a paced transfer is caught
    // in the middle, where one long slice of events would run it to its end.
    static bool waitUntil(const std::function<bool()>& condition, int ms) {
        QElapsedTimer since;
        since.start();
        while (!condition()) {
            if (since.elapsed() > ms)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }
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
    std::shared_ptr<SimulatedLink> lastLink;
    double pace = 0;   // characters a second on the line of the next transfers; 0: at once
    int openError = 0; // the system error opening the port gives
    QByteArray savedDataHome_;
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

TEST_F(TransferWindowTest, theSimulatedUnitOfViewComPortKeepsWhatWasWrittenFromWindowToWindow) {
    // The port chosen in the menu, not a test's link: one simulated unit for the whole run.
    main().setLinkFactory(nullptr);
    main().simulatedUnit().setPace(0);
    act(QStringLiteral("M_View_Simulated"))->trigger();
    ASSERT_EQ(settings().value(QStringLiteral("ComPortDevice")), QStringLiteral("sim"));
    ws().cfg = unitCfg;
    main().M_File_Write_Click();
    ok();
    ASSERT_EQ(label(), QStringLiteral("D181"));
    const Configuration written = ws().cfg; // with what the write filled in
    QTest::mouseClick(button("Cmd_ok"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));

    ws().cfg = korvane::testing::blankConfiguration();
    Configuration expected = ws().cfg; // a read of a unit that holds exactly what was written
    TakeReadImage(UnitSimulator::ImageOf(written, [this](int n) { return ToCp1252(ws().text(n)); }), expected);
    main().M_File_Read_Click();
    ok();
    ASSERT_EQ(label(), QStringLiteral("D180"));
    EXPECT_EQ(ws().cfg.ChanSetup, expected.ChanSetup);
    EXPECT_EQ(ws().cfg.MasterMatrix, expected.MasterMatrix);
    EXPECT_EQ(ws().cfg.LogicBlocks, expected.LogicBlocks);
    EXPECT_EQ(ws().cfg.DescText, expected.DescText);
    EXPECT_EQ(ws().cfg.ChanText, expected.ChanText);
    EXPECT_EQ(ws().cfg.ChanText[1], written.ChanText[1].substr(0, kRecordTextMax));
    QTest::mouseClick(button("Cmd_ok"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));

    // Reset empties it: the unit is as it comes new.
    act(QStringLiteral("M_View_ResetSimulated"))->trigger();
    EXPECT_TRUE(main().simulatedUnit().unit().memory() == UnitSimulator().memory());
}

TEST_F(TransferWindowTest, aPortThatCannotBeOpenedOrIsLostSaysWhyAndWhatToDo) {
    struct Case {
        int openError; // 0: the line is cut in the middle of the write
        const char* shown;
        const char* ok; // OK closes when the port cannot be opened, retries when the line was cut
    };
    const Case cases[]{
        {EACCES, "D177\n\nsim: D390 (Permission denied)", "&D173"},
        {EBUSY, "D177\n\nsim: D391 (Device or resource busy)", "&D173"},
        {ENOENT, "D177\n\nsim: D392 (No such file or directory)", "&D173"},
        {0, "sim: D163 (the device has been removed)\n\nD162", "&D175"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        openError = c.openError;
        pace = 48000;
        const Configuration before = ws().cfg;
        main().M_File_Write_Click();
        window()->setTickInterval(10);
        QTest::mouseClick(button("Cmd_ok"), Qt::LeftButton);
        if (c.openError == 0) {
            ASSERT_TRUE(waitUntil([this] { return lastLink->unit().recordsStored() > 3; }, 10000));
            lastLink->unplug();
        }
        ASSERT_TRUE(QTest::qWaitFor([this] { return button("Cmd_ok")->isEnabled(); }, 10000));
        EXPECT_EQ(label(), QString::fromUtf8(c.shown));
        EXPECT_EQ(button("Cmd_ok")->text(), QLatin1String(c.ok));
        EXPECT_EQ(ws().cfg, before) << "a write that did not go through leaves the configuration as it was";
        window()->close();
        ASSERT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));
    }
}

TEST_F(TransferWindowTest, cancelInEveryPhaseOfBackupWriteAndVerifyStopsCleanly) {
    struct Case {
        const char* phase; // the status line when Cancel is pressed
        const char* shown;
        int backups;       // the backup is saved once the backup read is complete, and then kept
        bool written;      // the configuration in memory took what the write filled in
        bool transferDone; // OK closes (the unit accepted the write); else it is Retry
    };
    const Case cases[]{
        {"1/3 D155", "D159 D161", 0, false, false},
        {"2/3 D18", "D159 D162", 1, false, false},
        {"3/3 D156", "D181\n\nD393", 2, true, true},
    };
    settings().setValue(QStringLiteral("BackupBeforeWrite"), QStringLiteral("1"));
    settings().setValue(QStringLiteral("VerifyAfterWrite"), QStringLiteral("1"));
    pace = 19200; // twenty times the line rate: each phase takes a second or two
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phase);
        ws().cfg = unitCfg;
        ws().cfg.ChanText[0] = "Door";
        const Configuration before = ws().cfg;
        main().M_File_Write_Click();
        window()->setTickInterval(10);
        QTest::mouseClick(button("Cmd_ok"), Qt::LeftButton);
        ASSERT_TRUE(waitUntil(
            [&] { return label().startsWith(QLatin1String(c.phase)) && in<QProgressBar>("ProgressBar1")->value() > 0; },
            20000))
            << label().toStdString();
        EXPECT_TRUE(button("Cmd_cancel")->isEnabled());
        EXPECT_TRUE(in<QLabel>("Lbl_TimeLeft")->isVisible());
        QTest::mouseClick(button("Cmd_cancel"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([this] { return button("Cmd_ok")->isEnabled(); }, 5000));
        EXPECT_EQ(label(), QString::fromUtf8(c.shown));
        EXPECT_EQ(lastLink->onTheLine(), 0) << "what the port still held is dropped";
        EXPECT_FALSE(lastLink->isOpen());
        EXPECT_EQ(lastLink->unit().writesCompleted(), c.written ? 1 : 0);
        EXPECT_EQ(backups().size(), c.backups);
        EXPECT_EQ(window()->transferDone(), c.transferDone);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(ws().cfg, before) << "a write only reads the configuration, accepted or not";
        if (c.written) {
            EXPECT_TRUE(button("Cmd_verify")->isEnabled()) << "the read-back can be tried again";
        } else {
            EXPECT_EQ(button("Cmd_ok")->text(), QStringLiteral("&D175"));
        }
        QTest::mouseClick(button("Cmd_cancel"), Qt::LeftButton); // no job runs: Cancel closes
        ASSERT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));
    }
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(TransferWindowTest, everyLabelShowsItsWholeTextAtTheWindowsSize) {
    // Long texts, as German ones are, with backup and verify ticked: after the job every wrapped label
    // has the height its text needs, and the backup file's path is whole in its tooltip.
    const QString sentence = QStringLiteral("Die Konfiguration wurde vollständig in die Zentrale geschrieben");
    for (int n : {kTxtTransferReady, kTxtWriteAccepted, kTxtVerifyOk, kTxtBackupSaved, kTxtPortError, kTxtPortMissing})
        ws().LangText[static_cast<std::size_t>(n)] = QStringLiteral("%1 (%2), %3.").arg(sentence).arg(n).arg(sentence);
    ws().LangText[kTxtBackupFirst] = QStringLiteral("Zuerst sichern, was die Zentrale enthält, in einer Datei");
    ws().LangText[kTxtVerifyAfterWrite] = QStringLiteral("Nach jedem Schreiben die Zentrale zurücklesen und prüfen");
    settings().setValue(QStringLiteral("BackupBeforeWrite"), QStringLiteral("1"));
    settings().setValue(QStringLiteral("VerifyAfterWrite"), QStringLiteral("1"));
    auto everyLabelFits = [this](const char* state) {
        QApplication::processEvents();
        for (QLabel* l : window()->findChildren<QLabel*>()) {
            if (!l->isVisible())
                continue;
            SCOPED_TRACE(state + (": " + l->objectName()).toStdString());
            if (l->wordWrap()) {
                EXPECT_LE(l->heightForWidth(l->width()), l->height()) << l->text().toStdString();
            } else if (!qobject_cast<ElidedLabel*>(l)) {
                EXPECT_LE(l->sizeHint().width(), l->width()) << l->text().toStdString();
            }
        }
        const QRect room = window()->screen()->availableGeometry();
        EXPECT_LE(window()->height(), room.height());
        EXPECT_LE(window()->width(), room.width());
    };
    main().M_File_Write_Click();
    everyLabelFits("ready");
    ok();
    ASSERT_TRUE(label().contains(QLatin1String("(181)")) && label().contains(QLatin1String("(368)")))
        << label().toStdString();
    everyLabelFits("written and verified");
    auto* path = in<ElidedLabel>("Lbl_BackupFolder");
    EXPECT_EQ(path->text(), window()->backupFile());
    EXPECT_EQ(path->toolTip(), window()->backupFile());
    EXPECT_TRUE(path->shownText().endsWith(QFileInfo(window()->backupFile()).fileName()) ||
                path->shownText() == path->text())
        << "the file's name stays in view: " << path->shownText().toStdString();
    window()->close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));

    openError = ENOENT;
    main().M_File_Write_Click();
    ok();
    ASSERT_TRUE(label().startsWith(ws().text(kTxtPortError)));
    everyLabelFits("no such port");
}

TEST_F(TransferWindowTest, viewComPortTakesADevicePathShowsItChosenAndUsesIt) {
    auto entry = [this](const char* name) { return main().findChild<QAction*>(QLatin1String(name)); };
    main().setLinkFactory(nullptr); // the port chosen in the menu
    entry("M_View_Simulated")->trigger();
    EXPECT_EQ(entry("M_View_Simulated")->text(), QStringLiteral("D379"));
    EXPECT_TRUE(entry("M_View_Simulated")->isChecked());

    struct Step {
        std::optional<QString> typed; // nullopt: the question is cancelled
        const char* prefilled;
        QString chosen;
    };
    const QString missing = tempPath(QStringLiteral("ttyNOPE0"));
    const Step steps[]{
        {std::nullopt, "/dev/", QStringLiteral("sim")},              // cancelled: the port stays
        {QStringLiteral("  /dev/"), "/dev/", QStringLiteral("sim")}, // nothing but the prefill
        {QStringLiteral(" ") + missing + QStringLiteral(" "), "/dev/", missing},
        {std::nullopt, "", missing}, // the chosen path is offered again
    };
    for (const Step& s : steps) {
        dialogs.lines = {s.typed};
        entry("M_View_OtherPort")->trigger();
        EXPECT_EQ(dialogs.prompts.back(), *s.prefilled ? QLatin1String(s.prefilled) : missing);
        EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("D153"));
        EXPECT_EQ(settings().value(QStringLiteral("ComPortDevice")), s.chosen);
    }
    ASSERT_NE(entry("M_View_Port_Chosen"), nullptr);
    EXPECT_EQ(entry("M_View_Port_Chosen")->text(), missing);
    EXPECT_TRUE(entry("M_View_Port_Chosen")->isChecked());
    EXPECT_FALSE(entry("M_View_Simulated")->isChecked());
    EXPECT_FALSE(entry("M_View_Com1")->isChecked());

    // A transfer goes to that device, and the system's reason comes back in the user's words.
    main().M_File_Read_Click();
    ok();
    EXPECT_EQ(label(), QStringLiteral("D177\n\n%1: D392 (No such file or directory)").arg(missing));
    window()->close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));

    // A classic port takes the place of the path.
    entry("M_View_Com2")->trigger();
    EXPECT_EQ(settings().value(QStringLiteral("ComPortDevice")), QString());
    EXPECT_EQ(entry("M_View_Port_Chosen"), nullptr);
    EXPECT_TRUE(entry("M_View_Com2")->isChecked());
    EXPECT_EQ(dialogs.unexpected, 0);
}
