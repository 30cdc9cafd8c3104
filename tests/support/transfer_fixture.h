#pragma once
// The transfer window against simulated units that hold Good.zeb: each transfer gets a fresh unit with
// the next scripted fault; the per-user data location, and so the backups, lie in the test's own folder.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>

#include "sim/simulated_link.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"
#include "ui/transfer/difference_list.h"
#include "ui/transfer/frm_serial_io.h"

namespace korvane::test {

class TransferFixture : public StartedProgramFixture {
protected:
    void SetUp() override {
        StartedProgramFixture::SetUp();
        unitCfg = korvane::testing::loadedConfiguration("Good.zeb");
        unitCfg.SysData[kSysFirmwareHigh] = 3;
        unitCfg.SysData[kSysFirmwareLow] = 0;
        // Good.zeb has problems: the question before a write is answered "Write anyway"; other save
        // questions take the script's answers.
        dialogs.saveQuestion = [this](const SaveChoiceTexts& b) {
            if (b.discard == ws().text(kTxtWriteAnyway))
                return Answer::Discard;
            if (dialogs.answers.empty())
                return Answer::Cancel;
            const Answer a = dialogs.answers.front();
            dialogs.answers.pop_front();
            return a;
        };
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", tempPath(QStringLiteral("data")).toLocal8Bit());
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
    FrmSerialIO* window() { return main().findChild<FrmSerialIO*>(); }
    template <class W = QWidget> W* in(const char* name) { return window()->findChild<W*>(QLatin1String(name)); }
    QPushButton* button(const char* name) { return in<QPushButton>(name); }
    QString label() { return in<QLabel>("Label1")->text(); }
    // The record of the window's last check says what the window shows: the kind of check and what was
    // checked, the port, the verdict the status line ends with, and the list of differences line for line
    // (the arrow of a change as "->"); a comparison's verdict is its count, which its test checks.
    void expectRecordAsShown(bool readBack, const QString& subject) {
        ASSERT_TRUE(ws().LastCheck);
        EXPECT_EQ(ws().LastCheck->readBack, readBack);
        EXPECT_EQ(ws().LastCheck->subject, subject);
        const HandoverRecord r = HandoverRecordOf(ws(), *ws().LastCheck);
        QStringList shown = window()->findChild<DifferenceList*>()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        shown.replaceInStrings(QStringLiteral("\u2192"), QStringLiteral("->"));
        QStringList recorded;
        for (const std::string& line : r.lines)
            recorded << FromCp1252(line);
        EXPECT_EQ(recorded, shown);
        // A comparison says which side its lines give first.
        EXPECT_EQ(FromCp1252(r.linesHeading),
                  readBack ? QString() : QStringLiteral("D706: ") + subject + QStringLiteral(" -> D626"));
        if (readBack) {
            EXPECT_TRUE(label().endsWith(FromCp1252(r.verdict))) << r.verdict << " / " << label().toStdString();
        }
        const auto port =
            std::find_if(r.fields.begin(), r.fields.end(), [](const auto& f) { return f.first == kTxtRecordPort; });
        ASSERT_NE(port, r.fields.end());
        EXPECT_TRUE(in<QLabel>("Lbl_Port")->text().endsWith(FromCp1252(port->second)));
        EXPECT_TRUE(button("Cmd_SaveRecord")->isVisibleTo(window()));
    }
    QStringList backups() { return QDir(BackupFolder()).entryList({QStringLiteral("*.zeb")}, QDir::Files); }
    // Presses a button on the fast tick; press() then waits (bounded) until OK can be pressed again:
    // the window's work has ended.
    void start(const char* name = "Cmd_ok") {
        window()->setTickInterval(10);
        QTest::mouseClick(button(name), Qt::LeftButton);
    }
    void press(const char* name = "Cmd_ok") {
        start(name);
        EXPECT_TRUE(QTest::qWaitFor([this] { return button("Cmd_ok")->isEnabled(); }, 15000));
    }
    // The user's choices of a backup read before each write and a verify after it.
    void chooseBackupAndVerify(bool backup, bool verify) {
        settings().setValue(QStringLiteral("BackupBeforeWrite"), backup ? QStringLiteral("1") : QStringLiteral("0"));
        settings().setValue(QStringLiteral("VerifyAfterWrite"), verify ? QStringLiteral("1") : QStringLiteral("0"));
    }
    // Presses a button that closes the window (or closes it) and waits until it is gone.
    void closeWith(const char* name = nullptr) {
        if (name)
            QTest::mouseClick(button(name), Qt::LeftButton);
        else
            window()->close();
        ASSERT_TRUE(QTest::qWaitFor([this] { return window() == nullptr; }, 2000));
    }
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

    Configuration unitCfg;
    std::vector<UnitFault> faults;
    std::shared_ptr<SimulatedLink> lastLink;
    double pace = 0;   // characters a second on the line of the next transfers; 0: at once
    int openError = 0; // the system error opening the port gives
    QByteArray savedDataHome_;
};

} // namespace korvane::test
