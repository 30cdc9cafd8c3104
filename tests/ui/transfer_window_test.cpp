// The transfer window: read, write with backup and verify, compare, the port menu, and what the user
// sees when the unit or the line fails.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QTreeWidget>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <map>
#include <optional>
#include <tuple>

#include "io/config_diff.h"
#include "tests/model/table_names.h"
#include "tests/support/transfer_fixture.h"
#include "tests/support/workspace_setup.h"
#include "ui/transfer/difference_list.h"
#include "ui/transfer/elided_label.h"
#include "ui/transfer/frm_backups.h"
#include "ui/transfer/port_menu.h"

using namespace korvane;
using namespace korvane::test;

using TransferWindowTest = TransferFixture;

namespace {

// The parts of the configuration a read takes from the unit.
auto ReadParts(const Configuration& c) {
    return std::tie(c.ChanSetup, c.MasterMatrix, c.LogicBlocks, c.DescText, c.ChanText);
}

} // namespace

TEST_F(TransferWindowTest, everyRunShowsItsOutcomeAndTakesOnlyACompleteRead) {
    // "{kTxtNoAnswer}" in the table stands for that text of the language shown.
    const auto named = [this](const std::string& s) {
        return korvane::testing::withTextNames(s, [this](int n) { return ws().text(n).toStdString(); });
    };
    const std::map<std::string, int> openErrors{{"0", 0}, {"EACCES", EACCES}, {"EBUSY", EBUSY}, {"ENOENT", ENOENT}};
    for (const auto& row : korvane::testing::dataTable("ui_transfer_runs.txt", 13)) {
        SCOPED_TRACE(row[0] + " | " + row[1] + " | " + row[2] + " | " + row[3] + " | " + row[5]);
        const bool read = row[0] == "Read";
        faults.clear();
        for (const std::string& f : korvane::testing::splitOn(row[1], ' '))
            faults.push_back(UnitFaultFromName(f).value());
        chooseBackupAndVerify(row[2][0] == '1', row[2][2] == '1');
        openError = openErrors.at(row[3]);
        pace = std::stod(row[4]);
        for (const QString& f : backups())
            QDir(BackupFolder()).remove(f);
        dialogs.beeps = 0;
        ws().clear();
        ws().setCurFileName(QStringLiteral("New"));
        if (!read) {
            ConfigurationForSetUp(ws()) = unitCfg;
            ConfigurationForSetUp(ws()).ChanText[0] = "Door";
        }
        const Configuration before = ws().cfg;
        Configuration taken = before;
        TakeReadImage(UnitSimulator::ImageOf(unitCfg, [](int) { return std::string(); }), taken);
        read ? main().M_File_Read_Click() : main().M_File_Write_Click();
        ASSERT_NE(window(), nullptr);
        EXPECT_EQ(window()->windowTitle(), read ? QStringLiteral("D5") : QStringLiteral("D6"));
        EXPECT_EQ(window()->windowModality(), Qt::ApplicationModal); // the editor cannot change the model meanwhile
        if (row[5].starts_with("ok")) {
            for (const std::string& step : korvane::testing::splitOn(row[5], ' '))
                press(step == "ok" ? "Cmd_ok" : "Cmd_verify");
        } else {
            start();
            if (row[5] == "cut") {
                ASSERT_TRUE(waitUntil([this] { return lastLink->unit().recordsStored() > 3; }, 10000));
                lastLink->unplug();
            } else if (row[5] == "close") {
                EXPECT_NE(QApplication::overrideCursor(), nullptr);
                closeWith();
            } else { // cancel in the phase whose status line starts so
                const QString phase = QString::fromStdString(named(row[5].substr(row[5].find(' ') + 1)));
                ASSERT_TRUE(waitUntil(
                    [&] { return label().startsWith(phase) && in<QProgressBar>("ProgressBar1")->value() > 0; }, 20000))
                    << label().toStdString();
                EXPECT_TRUE(in<QLabel>("Lbl_TimeLeft")->isVisible());
                QTest::mouseClick(button("Cmd_cancel"), Qt::LeftButton);
            }
            ASSERT_TRUE(QTest::qWaitFor([this] { return !window() || button("Cmd_ok")->isEnabled(); }, 10000));
        }
        // What the window shows once its work has ended, and what the run left behind, as the row writes it.
        const QString configuration = ws().cfg == before                        ? "kept"
                                      : ReadParts(ws().cfg) == ReadParts(taken) ? "taken"
                                                                                : "changed";
        QStringList seen{"closed", "", ""};
        if (window()) {
            QStringList on;
            for (auto [name, what] : {std::pair{"", "done"}, {"Cmd_cancel", "cancel"}, {"Cmd_verify", "verify"}})
                if (*name ? button(name)->isEnabled() : window()->transferDone())
                    on << QLatin1String(what);
            seen = QStringList{label(), button("Cmd_ok")->text(), on.join(' ')};
        }
        seen << QString::number(lastLink->unit().writesCompleted()) << QString::number(backups().size())
             << QString::number(dialogs.beeps) << configuration;
        QStringList expected;
        for (std::size_t i = 6; i < row.size(); ++i)
            expected << QString::fromStdString(named(row[i]));
        EXPECT_EQ(seen.join(" | "), expected.join(" | "));
        EXPECT_EQ(ws().dataChanged(), configuration == "taken") << "the configuration read is not saved yet";
        EXPECT_EQ(main().shownTitle(), QLatin1String(configuration == "taken" ? "ZEB1 [D402]*" : "ZEB1 [D401]"));
        EXPECT_EQ(lastLink->onTheLine(), 0) << "what the port still held is dropped";
        EXPECT_FALSE(lastLink->isOpen());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        if (window())
            closeWith(seen[2].contains("cancel") ? "Cmd_cancel" : "Cmd_ok");
    }
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(TransferWindowTest, theWriteJobsPhaseTableEndsInTheWindowAsOnTheCommandLine) {
    // The rows the command line and the job itself run (tests/data/job_phases.txt), in the window: the
    // same outcome and the same writes; a cancel is pressed once the named phase shows its progress.
    const std::map<std::string, int> openErrors{{"0", 0}, {"EBUSY", EBUSY}, {"ENOENT", ENOENT}};
    for (const auto& row : korvane::testing::dataTable("job_phases.txt", 8)) {
        SCOPED_TRACE(row[0] + " | " + row[1] + " | " + row[3] + " | " + row[5]);
        const std::vector<std::string> phases = korvane::testing::splitOn(row[0], ' ');
        faults = {UnitFaultFromName(row[1]).value()};
        chooseBackupAndVerify(row[0].find('B') != std::string::npos, row[0].find('V') != std::string::npos);
        openError = openErrors.at(row[2]);
        pace = row[3] == "-" ? 0 : 19200;
        QDir(BackupFolder()).removeRecursively();
        if (row[4] == "0") { // the backup folder cannot be made: a file holds its name
            QDir().mkpath(QFileInfo(BackupFolder()).absolutePath());
            QFile blocker(BackupFolder());
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        }
        ConfigurationForSetUp(ws()) = unitCfg;
        ConfigurationForSetUp(ws()).ChanText[0] = "Door";
        main().M_File_Write_Click();
        ASSERT_NE(window(), nullptr);
        if (row[3] == "-") {
            press();
        } else {
            start();
            const std::size_t at = static_cast<std::size_t>(
                std::find(phases.begin(), phases.end(), std::string(1, static_cast<char>(std::toupper(row[3][0])))) -
                phases.begin());
            const QString prefix = QStringLiteral("%1/%2 ").arg(at + 1).arg(phases.size());
            ASSERT_TRUE(waitUntil([&] { return label().startsWith(prefix); }, 20000)) << label().toStdString();
            QTest::mouseClick(button("Cmd_cancel"), Qt::LeftButton);
            ASSERT_TRUE(QTest::qWaitFor([this] { return button("Cmd_ok")->isEnabled(); }, 10000));
        }
        EXPECT_EQ(OutcomeName(window()->lastOutcome()), row[5]) << label().toStdString();
        EXPECT_EQ(std::to_string(lastLink->unit().writesCompleted()), row[6]);
        closeWith(button("Cmd_cancel")->isEnabled() ? "Cmd_cancel" : "Cmd_ok");
        if (row[4] == "0")
            QFile::remove(BackupFolder());
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
    chooseBackupAndVerify(true, true);
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
    press();
    ASSERT_TRUE(label().contains(QLatin1String("(181)")) && label().contains(QLatin1String("(368)")))
        << label().toStdString();
    everyLabelFits("written and verified");
    auto* path = in<ElidedLabel>("Lbl_BackupFolder");
    EXPECT_EQ(path->text(), window()->backupFile());
    EXPECT_EQ(path->toolTip(), window()->backupFile());
    EXPECT_TRUE(path->shownText().endsWith(QFileInfo(window()->backupFile()).fileName()) ||
                path->shownText() == path->text())
        << "the file's name stays in view: " << path->shownText().toStdString();
    closeWith();

    openError = ENOENT;
    main().M_File_Write_Click();
    press();
    ASSERT_TRUE(label().startsWith(ws().text(kTxtPortError)));
    everyLabelFits("no such port");
}

TEST_F(TransferWindowTest, viewComPortChoosesTheSimulatedUnitOrADevicePathShowsItChosenAndUsesIt) {
    auto entry = [this](const char* name) { return main().findChild<QAction*>(QLatin1String(name)); };
    // The port chosen in the menu, not a test's link: one simulated unit for the whole run.
    main().setLinkFactory(nullptr);
    main().simulatedUnit().setPace(0);
    entry("M_View_Simulated")->trigger();
    EXPECT_EQ(entry("M_View_Simulated")->text(), QStringLiteral("D379"));
    EXPECT_TRUE(entry("M_View_Simulated")->isChecked());
    ASSERT_EQ(settings().value(QStringLiteral("ComPortDevice")), QStringLiteral("sim"));
    // It keeps what was written from window to window.
    ConfigurationForSetUp(ws()) = unitCfg;
    main().M_File_Write_Click();
    EXPECT_EQ(in<QLabel>("Lbl_Port")->text(), QStringLiteral("D627 D379")) << "the window names its port";
    press();
    ASSERT_EQ(label(), QStringLiteral("D181"));
    const Configuration written = ws().cfg; // with what the write filled in
    closeWith("Cmd_ok");

    ConfigurationForSetUp(ws()) = korvane::testing::blankConfiguration();
    Configuration expected = ws().cfg; // a read of a unit that holds exactly what was written
    TakeReadImage(UnitSimulator::ImageOf(written, [this](int n) { return ToCp1252(ws().text(n)); }), expected);
    main().M_File_Read_Click();
    press();
    ASSERT_EQ(label(), QStringLiteral("D180"));
    EXPECT_TRUE(ReadParts(ws().cfg) == ReadParts(expected));
    EXPECT_EQ(ws().cfg.ChanText[1], written.ChanText[1].substr(0, kRecordTextMax));
    closeWith("Cmd_ok");

    // Reset empties it: the unit is as it comes new.
    entry("M_View_ResetSimulated")->trigger();
    EXPECT_TRUE(main().simulatedUnit().unit().memory() == UnitSimulator().memory());

    // A device path typed in takes its place (the configuration read is dropped unasked, as if saved).
    ws().setDataChanged(false);
    const QString missing = tempPath(QStringLiteral("ttyNOPE0"));
    const struct {
        std::optional<QString> typed; // nullopt: the question is cancelled
        QString prefilled;
        QString chosen;
    } steps[]{
        {std::nullopt, "/dev/", "sim"}, // cancelled: the port stays
        {"  /dev/", "/dev/", "sim"},    // nothing but the prefill
        {" " + missing + " ", "/dev/", missing},
        {std::nullopt, missing, missing}, // the chosen path is offered again
    };
    for (const auto& s : steps) {
        dialogs.lines = {s.typed};
        entry("M_View_OtherPort")->trigger();
        EXPECT_EQ(dialogs.prompts.back(), s.prefilled);
        EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("D153"));
        EXPECT_EQ(settings().value(QStringLiteral("ComPortDevice")), s.chosen);
    }
    ASSERT_NE(entry("M_View_Port_Chosen"), nullptr);
    EXPECT_EQ(entry("M_View_Port_Chosen")->text(), missing);
    for (auto [name, checked] :
         {std::pair{"M_View_Port_Chosen", true}, {"M_View_Simulated", false}, {"M_View_Com1", false}})
        EXPECT_EQ(entry(name)->isChecked(), checked) << name;

    // A transfer goes to that device, and the system's reason comes back in the user's words.
    main().M_File_Read_Click();
    press();
    EXPECT_EQ(label(), QStringLiteral("D177\n\n%1: D392 (No such file or directory)").arg(missing));
    closeWith();

    // A classic port takes the place of the path.
    entry("M_View_Com2")->trigger();
    EXPECT_EQ(settings().value(QStringLiteral("ComPortDevice")), QString());
    EXPECT_EQ(entry("M_View_Port_Chosen"), nullptr);
    EXPECT_TRUE(entry("M_View_Com2")->isChecked());
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(TransferWindowTest, backupThenWriteThenVerifyAfterEveryWriteAndTheChoicesAreRemembered) {
    ConfigurationForSetUp(ws()) = korvane::testing::loadedConfiguration("GoodChanged.zeb");
    main().M_File_Write_Click();
    EXPECT_FALSE(in<QCheckBox>("Chk_Backup")->isChecked());
    EXPECT_EQ(in<QLabel>("Lbl_BackupFolder")->text(), BackupFolder());
    EXPECT_TRUE(BackupFolder().startsWith(tempPath(QStringLiteral("data/")))) << BackupFolder().toStdString();
    in<QCheckBox>("Chk_Backup")->setChecked(true);
    in<QCheckBox>("Chk_VerifyAfterWrite")->setChecked(true);
    press();

    // The backup holds what the unit held before the write, as a read takes it.
    ASSERT_EQ(backups().size(), 1);
    const QString file = QDir(BackupFolder()).filePath(backups()[0]);
    EXPECT_EQ(file, QDir::fromNativeSeparators(window()->backupFile()));
    EXPECT_TRUE(
        backups()[0].startsWith(QStringLiteral("%1-").arg(unitCfg.SysData[kSysDeviceNo], 2, 10, QLatin1Char('0'))));
    Configuration held = korvane::testing::blankConfiguration();
    TakeReadImage(UnitSimulator::ImageOf(unitCfg, [](int) { return std::string(); }), held);
    Configuration backup = korvane::testing::blankConfiguration();
    ASSERT_TRUE(LoadFile(backup, file.toStdString()).ok());
    EXPECT_TRUE(CompareBytes(held, backup).empty());

    closeWith("Cmd_ok");
    main().M_File_Write_Click();
    EXPECT_TRUE(in<QCheckBox>("Chk_Backup")->isChecked());
    EXPECT_TRUE(in<QCheckBox>("Chk_VerifyAfterWrite")->isChecked());
    EXPECT_EQ(settings().value(QStringLiteral("BackupBeforeWrite")), QStringLiteral("1"));
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(TransferWindowTest, verifyListsWhatTheUnitHoldsOtherThanWrittenAndCopiesIt) {
    ConfigurationForSetUp(ws()) = unitCfg;
    ConfigurationForSetUp(ws()).ChanText[0] = "Door";
    faults = {UnitFault::IgnoredRecord}; // the unit keeps A1's old text and accepts the write
    main().M_File_Write_Click();
    press();
    ASSERT_TRUE(button("Cmd_verify")->isVisible());
    EXPECT_FALSE(in<QWidget>("DifferenceList")->isVisible());
    press("Cmd_verify");
    const QString old = QString::fromStdString(Cp1252ToUtf8(unitCfg.ChanText[0]));
    const QString expected = QStringLiteral("A1 D107\n    D38: D336 '%1', D337 'Door'\n").arg(old);
    // Good.zeb's 40-character description follows under its own heading: kept in part, no difference.
    const QString cut = ws().text(kTxtKeptInPart) + QStringLiteral("\n    C6 D112: D38: ");
    EXPECT_TRUE(window()->findChild<DifferenceList*>()->text().startsWith(expected + cut))
        << window()->findChild<DifferenceList*>()->text().toStdString();
    QTest::mouseClick(button("Cmd_copy"), Qt::LeftButton);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(expected + cut));

    // The record of this check: the verdict the window shows and the list's lines, saved alone as a PDF.
    ASSERT_TRUE(ws().LastCheck);
    expectRecordAsShown(true, QStringLiteral("D401"));
    dialogs.files = {tempPath(QStringLiteral("record.pdf"))};
    dialogs.answers = {Answer::No};
    QTest::mouseClick(button("Cmd_SaveRecord"), Qt::LeftButton);
    EXPECT_TRUE(korvane::testing::readBytes(tempPath(QStringLiteral("record.pdf")).toStdString()).starts_with("%PDF"));
    ASSERT_FALSE(dialogs.fileDialogs.empty());
    EXPECT_TRUE(dialogs.fileDialogs.back().initialPath.endsWith(ws().text(kTxtRecordTitle) + QStringLiteral(".pdf")));

    // F1 on the list names its own help.
    in<QTreeWidget>("List_Differences")->setFocus();
    QTest::keyClick(window(), Qt::Key_F1);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_TRUE(dialogs.shown.back().caption.endsWith(QStringLiteral("1963")));
    // F1 on Save record tells what the record holds.
    button("Cmd_SaveRecord")->setFocus();
    QTest::keyClick(window(), Qt::Key_F1);
    EXPECT_TRUE(dialogs.shown.back().caption.endsWith(QString::number(kHelpRecord)));
    // Elsewhere in the window F1 tells about connecting, the port, backup and verify.
    button("Cmd_ok")->setFocus();
    QTest::keyClick(window(), Qt::Key_F1);
    EXPECT_TRUE(dialogs.shown.back().caption.endsWith(QStringLiteral("1964")))
        << dialogs.shown.back().caption.toStdString();
}

TEST_F(TransferWindowTest, compareWithTheUnitOrAFileListsTheDifferencesByChannelAndTakesNothing) {
    ConfigurationForSetUp(ws()) = unitCfg;
    ConfigurationForSetUp(ws()).ChanSetup[19][kRowType] = 2;
    ConfigurationForSetUp(ws()).SysData[kSysDeviceNo] = 4;
    const Configuration before = ws().cfg;
    ws().LangText[kTxtRecordDifferenceCount] = QStringLiteral("%1 differences");
    main().M_File_CompareUnit_Click();
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("D363"));
    press();
    EXPECT_EQ(label(), QStringLiteral("D625 \u2194 D626"));
    EXPECT_TRUE(window()->findChild<DifferenceList*>()->text().startsWith(
        // A change of function lists the new function's settings; the texts kept in part follow.
        QStringLiteral("C4\n    D70: D102 \u2192 D105\nC4 D105\n    D275: \u2192 N5\n"
                       "    D290: \u2192 1795:56:01 D255\n    D291: \u2192 4404:23:30 D255\n"
                       "D9\n    D19: 04 \u2192 %1\n%2\n    C6 D112: D38: ")
            .arg(unitCfg.SysData[kSysDeviceNo])
            .arg(ws().text(kTxtKeptInPart))))
        << window()->findChild<DifferenceList*>()->text().toStdString();
    EXPECT_EQ(ws().cfg, before);
    EXPECT_FALSE(ws().dataChanged());
    expectRecordAsShown(false, QStringLiteral("D401"));
    EXPECT_EQ(HandoverRecordOf(ws(), *ws().LastCheck).verdict, "5 differences");
    closeWith();

    ConfigurationForSetUp(ws()) = korvane::testing::loadedConfiguration("Good.zeb");
    dialogs.files = {QString::fromStdString(korvane::testing::fixturePath("GoodChanged.zeb"))};
    main().M_File_CompareFile_Click();
    auto* w = main().findChild<FrmCompare*>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(dialogs.fileDialogs.at(0).title, QStringLiteral("D362"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("D362"));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("D625 \u2194 GoodChanged.zeb"));
    EXPECT_EQ(w->list()->text(), QStringLiteral("C4\n    D70: D105 \u2192 D102\n    D38: 'Kanal 19' \u2192 'Hall'\n"
                                                "C4 D102\n    D285: \u2192 81\n"
                                                "D9\n    D19: 204 \u2192 04\n"));
    w->close();

    dialogs.files = {QString::fromStdString(korvane::testing::fixturePath("BrokenTruncated.zeb"))};
    main().M_File_CompareFile_Click();
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_TRUE(dialogs.shown.back().text.startsWith(QStringLiteral("D377")));
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(TransferWindowTest, theBackupsListShowsEachBackupNewestFirstAndOpensComparesAndWritesOneBack) {
    const QDir folder(BackupFolder());
    QDir().mkpath(folder.path());
    // Two sound backups of different days and a damaged one between them; the port of one was noted.
    Configuration older = unitCfg;
    older.DescText[8] = "Old house";
    older.SysData[kSysChannelsInUse] = 15;
    Configuration newer = unitCfg;
    newer.DescText[8] = "New house";
    newer.SysData[kSysChannelsInUse] = 127;
    const QString olderPath = folder.filePath(QStringLiteral("07-20261201-080000.zeb"));
    const QString newerPath = folder.filePath(QStringLiteral("07-20261207-170501.zeb"));
    const QString damagedPath = folder.filePath(QStringLiteral("07-20261205-120000.zeb"));
    ASSERT_TRUE(SaveFile(older, olderPath.toStdString()).ok());
    ASSERT_TRUE(SaveFile(newer, newerPath.toStdString()).ok());
    QFile damaged(damagedPath);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\"ZEB1\"\r\n12,\"cut off\r\n");
    damaged.close();
    NoteBackupPort(newerPath, QStringLiteral("/dev/ttyUSB0 - FT232R USB UART"));
    const QByteArray damagedBefore = korvane::testing::readBytes(damagedPath.toStdString()).c_str();

    main().setFileManager(false);
    ConfigurationForSetUp(ws()) = unitCfg;
    main().M_File_Backups_Click();
    auto* w = main().findChild<FrmBackups*>();
    ASSERT_NE(w, nullptr);
    auto* list = w->findChild<QTreeWidget*>(QStringLiteral("List_Backups"));
    auto rowText = [list](int r) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(r)->text(c);
        return cells.join(QStringLiteral(" | "));
    };
    auto when = [](const char* iso) {
        return QLocale().toString(QDateTime::fromString(QLatin1String(iso), Qt::ISODate), QLocale::ShortFormat);
    };
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(rowText(0), when("2026-12-07T17:05:01") + " | /dev/ttyUSB0 - FT232R USB UART | 128 | New house");
    EXPECT_TRUE(rowText(1).startsWith(when("2026-12-05T12:00:00") + " | D629 |  | D614 ")) << rowText(1).toStdString();
    EXPECT_EQ(rowText(2), when("2026-12-01T08:00:00") + " | D629 | 16 | Old house");
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Lbl_Folder"))->text(), "D623 " + BackupFolder());
    // No file manager: no Show in folder, the chosen backup's path is there to copy.
    auto wButton = [&w](const char* name) { return w->findChild<QPushButton*>(QLatin1String(name)); };
    EXPECT_TRUE(wButton("Cmd_ShowFolder")->isHidden());
    auto* path = w->findChild<QLineEdit*>(QStringLiteral("Txt_Path"));
    EXPECT_EQ(path->text(), QDir::toNativeSeparators(newerPath));
    QTest::mouseClick(wButton("Cmd_CopyPath"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), QDir::toNativeSeparators(newerPath));

    // A damaged backup is neither opened, compared nor written; it can be deleted.
    list->setCurrentItem(list->topLevelItem(1));
    for (const char* name : {"Cmd_Open", "Cmd_CompareCurrent", "Cmd_CompareUnit", "Cmd_WriteUnit"})
        EXPECT_FALSE(wButton(name)->isEnabled()) << name;
    EXPECT_TRUE(wButton("Cmd_Delete")->isEnabled());
    dialogs.answers = {Answer::No};
    QTest::mouseClick(wButton("Cmd_Delete"), Qt::LeftButton);
    EXPECT_EQ(list->topLevelItemCount(), 3) << "No keeps it";
    EXPECT_EQ(korvane::testing::readBytes(damagedPath.toStdString()).c_str(), damagedBefore);
    dialogs.answers = {Answer::Yes};
    QTest::mouseClick(wButton("Cmd_Delete"), Qt::LeftButton);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_FALSE(QFile::exists(damagedPath));

    // Compare with the current configuration: the backup's values beside those in memory.
    list->setCurrentItem(list->topLevelItem(0));
    QTest::mouseClick(wButton("Cmd_CompareCurrent"), Qt::LeftButton);
    auto* compare = main().findChild<FrmCompare*>();
    ASSERT_NE(compare, nullptr);
    EXPECT_TRUE(compare->list()->text().contains(QLatin1String("'New house'")))
        << compare->list()->text().toStdString();
    EXPECT_EQ(compare->findChild<QTreeWidget*>()->headerItem()->text(2), QStringLiteral("D631 07-20261207-170501"));
    compare->close();
    delete compare;

    // Compare with the unit: the backup, not the configuration in memory, against what the unit holds.
    QTest::mouseClick(wButton("Cmd_CompareUnit"), Qt::LeftButton);
    ASSERT_NE(window(), nullptr);
    press();
    EXPECT_EQ(label(), QStringLiteral("D631 07-20261207-170501 \u2194 D626"));
    EXPECT_TRUE(window()->findChild<DifferenceList*>()->text().contains(QLatin1String("New house")));
    closeWith("Cmd_ok");

    // Open: the older backup as a configuration named after it, in no file: Save asks for a name, and the
    // backup stays what the unit held.
    list->setCurrentItem(list->topLevelItem(1));
    QTest::mouseClick(wButton("Cmd_Open"), Qt::LeftButton);
    EXPECT_EQ(ws().cfg.DescText[8], "Old house");
    EXPECT_EQ(ws().CurFileName, QStringLiteral("D631 07-20261201-080000"));
    EXPECT_FALSE(ws().dataChanged());
    const std::string olderBytes = korvane::testing::readBytes(olderPath.toStdString());
    ConfigurationForSetUp(ws()).DescText[8] = "Edited";
    ws().setDataChanged(true);
    dialogs.files = {std::nullopt};
    main().M_File_Save_Click();
    EXPECT_EQ(dialogs.fileDialogs.back().title, QStringLiteral("D31")) << "Save asks for a name";
    EXPECT_EQ(korvane::testing::readBytes(olderPath.toStdString()), olderBytes);

    // Write to the unit: opened (the changed configuration is asked about first), then written with the
    // usual questions.
    main().M_File_Backups_Click();
    w = main().findChild<FrmBackups*>();
    list = w->findChild<QTreeWidget*>(QStringLiteral("List_Backups"));
    list->setCurrentItem(list->topLevelItem(1));
    dialogs.answers = {Answer::Discard};
    QTest::mouseClick(wButton("Cmd_WriteUnit"), Qt::LeftButton);
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("D6"));
    press();
    EXPECT_EQ(label(), QStringLiteral("D181"));
    EXPECT_EQ(lastLink->unit().writesCompleted(), 1);
    EXPECT_EQ(ws().cfg.DescText[8], "Old house");
    closeWith("Cmd_ok");
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST(PortMenuEntries, everyDeviceOnceAndNoneAClassicPortStandsFor) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the classic ports are the system's COM1..COM4 there";
#endif
    const std::vector<FoundPort> found{{"/dev/ttyS0", "ttyS0", ""},
                                       {"/dev/ttyS1", "ttyS1", "16550A"},
                                       {"/dev/ttyUSB0", "ttyUSB0", "FT232R USB UART"},
                                       {"/dev/ttyUSB0", "ttyUSB0", "FT232R USB UART"},
                                       {"/dev/ttyS7", "ttyS7", ""}};
    QStringList beside;
    for (const FoundPort& p : PortsBesideClassic(found))
        beside << p.location;
    EXPECT_EQ(beside.join(' '), QStringLiteral("/dev/ttyUSB0 /dev/ttyS7"));
    EXPECT_EQ(ClassicPortCaption(QStringLiteral("Com 1"), 1, found), QStringLiteral("Com 1 (ttyS0)"));
    EXPECT_EQ(ClassicPortCaption(QStringLiteral("Com 2"), 2, found), QStringLiteral("Com 2 (ttyS1 - 16550A)"));
    EXPECT_EQ(ClassicPortCaption(QStringLiteral("Com 3"), 3, found), QStringLiteral("Com 3"));
}
