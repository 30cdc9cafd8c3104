#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <map>

#include "io/config_file.h"
#include "io/link/transfers.h"
#include "io/link/unit_job.h"
#include "io/verify.h"
#include "model/text_ids.h"
#include "sim/simulated_link.h"
#include "sim/unit_simulator.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

constexpr int kFastTickMs = 10;

// A unit fault and a transfer's outcome as the tables in tests/data name them.
UnitFault faultNamed(const std::string& name) {
    const auto fault = UnitFaultFromName(name);
    EXPECT_TRUE(fault.has_value()) << name;
    return fault.value_or(UnitFault::None);
}

TransferOutcome outcomeNamed(const std::string& name) {
    const std::map<std::string, TransferOutcome> outcomes{{"Done", TransferOutcome::Done},
                                                          {"NoAnswer", TransferOutcome::NoAnswer},
                                                          {"Refused", TransferOutcome::Refused},
                                                          {"Declined", TransferOutcome::Declined}};
    return outcomes.at(name);
}

// Runs the transfer's event loop until it finishes; bounded so that a fault never hangs the suite.
void runToEnd(Transfer& t) {
    if (t.outcome() == TransferOutcome::Running) {
        QEventLoop loop;
        QObject::connect(&t, &Transfer::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ASSERT_NE(t.outcome(), TransferOutcome::Running) << "the transfer did not end";
}

// Starts a read or a write on the fast tick and runs it to its end.
template <class T> T& run(T& transfer) {
    transfer.setTickInterval(kFastTickMs);
    transfer.start();
    runToEnd(transfer);
    return transfer;
}

// Runs the events until the condition holds (bounded).
void waitFor(const std::function<bool()>& condition) {
    QElapsedTimer since;
    since.start();
    while (!condition() && since.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

TEST(ReadTransfer, everyFaultOfTheUnitHasItsOutcomeAndOnlyASoundImageIsTaken) {
    const Configuration good = loadedConfiguration("Good.zeb");
    const auto cases = dataTable("link_reads.txt", 7);
    EXPECT_EQ(cases.size(), 9u);
    for (const auto& row : cases) {
        SCOPED_TRACE(row[0] + " limit " + row[2]);
        const UnitFault fault = faultNamed(row[0]);
        const TransferOutcome outcome = outcomeNamed(row[6]);
        UnitSimulator unit(fault);
        unit.setMemory(UnitSimulator::ImageOf(good, noText));
        unit.receive(kReadRequest);
        MemMapReceiver rx;
        rx.feed(unit.takeOutput());
        EXPECT_EQ(rx.result().complete, row[3] == "yes");
        EXPECT_EQ(rx.result().error, std::stoi(row[4]));
        EXPECT_EQ(UnitFirmwareVersion(rx.image()), std::stoi(row[5], nullptr, 16));

        SimulatedLink link(false, fault);
        link.unit().setMemory(UnitSimulator::ImageOf(good, noText));
        Configuration target = blankConfiguration();
        const Configuration before = target;
        int asked = 0;
        ReadTransfer read(link, target, [&](int version) {
            ++asked;
            EXPECT_EQ(version, 0x0301);
            // The question is modal: events and several time-out ticks pass while the user reads it.
            QEventLoop question;
            QTimer::singleShot(6 * kFastTickMs, &question, &QEventLoop::quit);
            question.exec();
            return row[1] == "yes";
        });
        if (const qint64 limit = std::stoll(row[2]); limit > 0)
            read.setCharacterLimit(limit);
        run(read);
        EXPECT_EQ(read.outcome(), outcome);
        const bool taken = outcome == TransferOutcome::Done;
        EXPECT_EQ(read.statusText(), taken ? kTxtDataReceived : kTxtNoAnswer);
        EXPECT_EQ(asked, fault == UnitFault::Firmware0301 ? 1 : 0);
        if (taken) {
            for (int ch = 0; ch < kChannels; ++ch) // as the unit holds them: at most 31 characters each
                EXPECT_EQ(target.ChanText[ch], good.ChanText[ch].substr(0, kRecordTextMax)) << ch;
            EXPECT_EQ(target.LogicBlocks, good.LogicBlocks);
            // An older unit knows no counter: its read clears the byte.
            EXPECT_EQ(target.SysData[kSysCounter], fault == UnitFault::Firmware02FF ? 0 : good.SysData[kSysCounter]);
        } else {
            EXPECT_TRUE(target == before);
        }
        EXPECT_FALSE(link.isOpen());
    }
}

TEST(Verdict, lastDigitWinsAndTooLittleIsNoAnswer) {
    for (const auto& c : dataTable("link_verdicts.txt", 3)) {
        const UnitAnswer a = ParseVerdict(c[0]);
        EXPECT_EQ(a.verdict, static_cast<Verdict>(c[1].at(0))) << c[0];
        EXPECT_EQ(a.bells, std::stoi(c[2])) << c[0];
    }
}

// A port whose count of characters still to send lags behind the line, as an adapter's may: it goes
// on reporting the end record as waiting while the unit has long had it and answered.
class LaggingCount : public SimulatedLink {
public:
    explicit LaggingCount(UnitFault fault) : SimulatedLink(false, fault) {}
    void write(const QByteArray& bytes) override {
        endWritten_ = endWritten_ || bytes.contains(QByteArray(kEndRecord.data(), 11));
        SimulatedLink::write(bytes);
    }
    qint64 bytesToWrite() const override { return endWritten_ && lagging ? 1000 : SimulatedLink::bytesToWrite(); }
    bool lagging = false;

private:
    bool endWritten_ = false;
};

TEST(WriteTransfer, verdictsEarlyAnswerAndChannelsInUse) {
    const std::map<TransferOutcome, int> statusOf{{TransferOutcome::Done, kTxtWriteAccepted},
                                                  {TransferOutcome::Refused, kTxtWriteRefused},
                                                  {TransferOutcome::NoAnswer, kTxtNoAnswer}};
    const auto cases = dataTable("link_writes.txt", 4);
    EXPECT_EQ(cases.size(), 10u);
    for (const auto& row : cases) {
        SCOPED_TRACE(row[0] + " port " + row[1]);
        const UnitFault fault = faultNamed(row[0]);
        const TransferOutcome outcome = outcomeNamed(row[2]);
        Configuration cfg = loadedConfiguration("Good.zeb");
        cfg.SysData[kSysChannelsInUse] = 15;
        LaggingCount link(fault);
        link.lagging = row[1] == "lagging";
        if (row[1] == "paced") {
            link.setPace(48000);
            link.setHoldsOutput(true);
        }
        WriteTransfer write(link, cfg, DeviceClock{}, noText);
        qint64 backlogAtWait = -1;
        QObject::connect(&write, &Transfer::statusChanged, [&](int text) {
            if (text == kTxtWaitingForAnswer)
                backlogAtWait = link.lineBacklog();
        });
        run(write);
        EXPECT_EQ(write.outcome(), outcome);
        // Characters during the stream and no verdict: one wording, and the unit may hold part of the write.
        const bool interrupted = row[0] == "stray-mid-stream";
        EXPECT_EQ(write.statusText(), interrupted ? kTxtAnsweredDuringWrite : statusOf.at(outcome));
        EXPECT_EQ(write.mayHoldPart(), interrupted);
        EXPECT_EQ(write.bells(), std::stoi(row[3]));
        EXPECT_TRUE(link.dataTerminalReady());
        EXPECT_EQ(link.unit().writesCompleted(), 1);
        // Nothing is left that the line's clock owes when the wait starts. Without an answer the wait
        // is always shown; an answer may come before it.
        EXPECT_LT(backlogAtWait, 16);
        if (fault == UnitFault::Silence) {
            EXPECT_GE(backlogAtWait, 0);
        }
        const std::string sent = write.sent().toStdString();
        const bool early = fault == UnitFault::AnswerMidStream;
        EXPECT_EQ(write.answeredEarly(), early);
        EXPECT_EQ(write.answeredBeforeEnd(), early);
        if (outcome == TransferOutcome::Done) {
            EXPECT_EQ(write.charactersDone(), write.charactersExpected());
        }
        // Channel 15 is the last one sent: its text slot goes out, channel 16's master row and text do not.
        EXPECT_EQ(sent.find(":20120000"), std::string::npos);
        EXPECT_EQ(sent.find(":20220000"), std::string::npos);
        EXPECT_EQ(sent.find(":2021E000") == std::string::npos, early);
        EXPECT_EQ(sent.substr(sent.size() - kEndRecord.size()), kEndRecord);
        EXPECT_NE(sent.find(":203A0000"), std::string::npos) << "the system data is always sent";
        // After an early answer the checked steps stop (no logic records), the rest still goes out.
        EXPECT_EQ(sent.find(":04390000") == std::string::npos, early);
        if (!early) {
            EXPECT_EQ(link.unit().memory()[kAddrChannelText], static_cast<Byte>(cfg.ChanText[0][0]));
        }
    }
}

TEST(Transfers, aPortThatCannotBeOpenedOrIsLostSaysWhyAndTakesNothing) {
    struct Case {
        int openError; // 0: the port opens and the line is cut during the read
        PortProblem problem;
        const char* shown; // with text n shown as "T<n>"
    };
    const Case cases[]{
        {EACCES, PortProblem::NoPermission, "sim: T390 (Permission denied)"},
        {EBUSY, PortProblem::InUse, "sim: T391 (Device or resource busy)"},
        {ENOENT, PortProblem::Missing, "sim: T392 (No such file or directory)"},
        {EIO, PortProblem::Other, "sim: Input/output error"},
        {0, PortProblem::Lost, "sim: T163 (the device has been removed)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        SimulatedLink link(true);
        link.setOpenError(c.openError);
        Configuration target = blankConfiguration();
        const Configuration before = target;
        ReadTransfer read(link, target, nullptr);
        read.setTickInterval(kFastTickMs);
        read.start();
        if (c.openError == 0) {
            waitFor([&] { return read.progress() >= 2; });
            link.unplug();
        }
        runToEnd(read);
        EXPECT_EQ(read.outcome(), TransferOutcome::PortError);
        EXPECT_EQ(read.statusText(), c.openError == 0 ? kTxtConnectionLost : kTxtPortError);
        EXPECT_EQ(read.portFailure().problem, c.problem);
        EXPECT_EQ(PortFailureText(read.portFailure(), [](int n) { return QStringLiteral("T%1").arg(n); }),
                  QLatin1String(c.shown));
        EXPECT_TRUE(target == before);
    }
    // A refused device: the group dialout is advised only where joining the device's group lets the
    // user in; a device of root's alone says so.
    struct Refusal {
        unsigned mode;
        unsigned group;
        std::vector<unsigned> userGroups;
        PortProblem problem;
    };
    constexpr unsigned kDialout = 20;
    const Refusal refusals[]{
        {020660, kDialout, {1000}, PortProblem::NoPermission},
        {020660, kDialout, {1000, kDialout}, PortProblem::RootOnly}, // in the group already
        {020600, kDialout, {1000}, PortProblem::RootOnly},           // the group may not use it
        {020640, kDialout, {1000}, PortProblem::RootOnly},
        {020660, 0, {1000}, PortProblem::RootOnly}, // root's group
    };
    for (const Refusal& r : refusals) {
        EXPECT_EQ(PortProblemOfRefusal(r.mode, r.group, r.userGroups), r.problem)
            << std::oct << r.mode << " " << r.group;
    }
    EXPECT_EQ(
        PortFailureText({PortProblem::RootOnly, QStringLiteral("/dev/ttyS0"), QStringLiteral("Permission denied")},
                        [](int n) { return QStringLiteral("T%1").arg(n); }),
        QStringLiteral("/dev/ttyS0: T561 (Permission denied)"));
    // The port fails while the transfer sets it up: the failure stands and nothing more is sent.
    SimulatedLink link(false);
    link.setUnplugOnClearInput(true);
    Configuration cfg = loadedConfiguration("Good.zeb");
    ReadTransfer read(link, cfg, nullptr);
    WriteTransfer write(link, cfg, DeviceClock{}, noText);
    read.start();
    EXPECT_EQ(link.bytesToWrite(), 0) << "no read request after the failure";
    write.start();
    EXPECT_EQ(read.statusText(), kTxtConnectionLost);
    EXPECT_EQ(write.statusText(), kTxtConnectionLost);
}

TEST(Transfers, writingThenReadingBackGivesNoDifferenceInCompareOrVerify) {
    // The test files and generated full configurations, one after the other into the same simulated
    // unit, which keeps what the writes before left.
    std::vector<std::pair<std::string, Configuration>> configs;
    for (const char* f : {"Good.zeb", "GoodChanged.zeb", "MultiLineDescriptions.zeb", "SignatureM52.x07"})
        configs.emplace_back(f, loadedConfiguration(f));
    for (int seed = 0; seed < 3; ++seed)
        configs.emplace_back("full " + std::to_string(seed), fullConfiguration(seed));
    const TextLookup english = shippedTexts("English.dat");
    const DeviceClock clock{2026, 12, 6, 18, 33, 7, 7};
    SimulatedLink link(false);
    for (const auto& [name, cfg] : configs) {
        SCOPED_TRACE(name);
        WriteTransfer write(link, cfg, clock, english);
        ASSERT_EQ(run(write).outcome(), TransferOutcome::Done);
        Configuration back = cfg; // File > Read takes the image into the configuration in memory
        ReadTransfer read(link, back, nullptr);
        ASSERT_EQ(run(read).outcome(), TransferOutcome::Done);
        std::vector<std::string> lines = verifyLines(cfg, read.image(), english);
        for (const Difference& d : CompareWithUnit(cfg, read.image()))
            lines.push_back(CompareLine(WordDifference(d, english)));
        // File > Compare with file after the read: only what the unit cannot hold (texts beyond their slot).
        for (const Difference& d : CompareFacts(AsUnitHoldsIt(cfg), back, CompareScope::File))
            lines.push_back(CompareLine(WordDifference(d, english)));
        EXPECT_EQ(lines, std::vector<std::string>{});
        EXPECT_EQ(back.DescText, cfg.DescText) << "the descriptions keep their line breaks";
        // The unit keeps its own version and holds the system settings with the clock the write set.
        EXPECT_EQ(UnitFirmwareVersion(link.unit().memory()), kUnitVersion);
        const Configuration sent = AsSent(cfg, clock, english);
        EXPECT_EQ(std::vector<Byte>(back.SysData.begin() + 2, back.SysData.begin() + 128),
                  std::vector<Byte>(sent.SysData.begin() + 2, sent.SysData.begin() + 128));
    }
}

TEST(WriteTransfer, aLateVerdictOfAnEarlierWriteNeverAcceptsTheNextOne) {
    // The unit answers the first write only while the retry's records come in: the first write has
    // no verdict in time, and the "0" during the retry's stream is no acceptance of the retry.
    Configuration cfg = loadedConfiguration("Good.zeb");
    SimulatedLink link(false, UnitFault::LateVerdict);
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        WriteTransfer write(link, cfg, DeviceClock{}, noText);
        EXPECT_EQ(run(write).outcome(), TransferOutcome::NoAnswer);
        EXPECT_EQ(write.answeredBeforeEnd(), attempt == 1);
        // The retry was cut short by the characters during its stream: the unit may hold part of it.
        EXPECT_EQ(write.statusText(), attempt == 1 ? kTxtAnsweredDuringWrite : kTxtNoAnswer);
        EXPECT_EQ(write.mayHoldPart(), attempt == 1);
        if (attempt == 1) {
            EXPECT_TRUE(write.answeredEarly()) << "the checked steps stop at the early answer";
            EXPECT_TRUE(write.reason().contains(QStringLiteral("while the configuration was still being sent")));
        }
    }
}

TEST(SimulatedLink, charactersWrittenToAnIdleLineGoOutAtTheLineRateFromThen) {
    // However late the line's step comes after it ran dry, what is written afterwards reaches the unit
    // no faster than the line rate allows from the moment it was written (and a short burst).
    constexpr double kRate = 9600;
    SimulatedLink link(false);
    link.setPace(kRate);
    ASSERT_TRUE(link.open());
    for (int round = 0; round < 3; ++round) {
        QThread::msleep(60); // the program is held up while the line is idle
        const int before = link.unit().recordsStored();
        QElapsedTimer since;
        since.start();
        QByteArray records;
        for (int i = 0; i < 20; ++i)
            records += QByteArray::fromStdString(DataRecord(32 * i, std::vector<Byte>(32, 0x41)));
        link.write(records);
        while (link.onTheLine() > 0 && since.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            const qint64 carried = records.size() - link.onTheLine();
            const double allowed = 8 + kRate * static_cast<double>(since.nsecsElapsed()) * 1e-9;
            ASSERT_LE(static_cast<double>(carried), allowed + 1) << "round " << round;
        }
        EXPECT_EQ(link.unit().recordsStored() - before, 20);
    }
}

TEST(Transfers, aPortThatStopsTakingOrACancelDropsWhatIsStillQueued) {
    for (const bool stuck : {true, false}) {
        SCOPED_TRACE(stuck ? "stuck" : "cancelled");
        Configuration cfg = loadedConfiguration("Good.zeb");
        SimulatedLink link(true);
        link.setHoldsOutput(!stuck);
        link.setStuck(stuck);
        WriteTransfer write(link, cfg, DeviceClock{}, noText);
        write.setTickInterval(kFastTickMs);
        write.setStuckTicks(5);
        write.start();
        if (!stuck) {
            waitFor([&] { return link.unit().recordsStored() >= 3; });
            ASSERT_GT(link.onTheLine(), 0);
            write.abort();
        }
        runToEnd(write);
        EXPECT_EQ(write.outcome(), stuck ? TransferOutcome::PortError : TransferOutcome::Aborted);
        if (stuck) {
            EXPECT_EQ(write.reason(), QStringLiteral("the port does not send"));
            EXPECT_EQ(write.statusText(), kTxtConnectionLost);
            EXPECT_EQ(write.portFailure().problem, PortProblem::Lost);
        }
        EXPECT_EQ(link.onTheLine(), 0) << "the rest of the stream still reaches the unit";
        EXPECT_EQ(link.unit().writesCompleted(), 0);
        EXPECT_FALSE(link.isOpen());
    }
}

TEST(Transfers, aTransferStartsOnlyOnAQuietLine) {
    const Configuration good = loadedConfiguration("Good.zeb");
    for (const auto& c : dataTable("link_quiet_line.txt", 4)) {
        SCOPED_TRACE(c[0]);
        const bool writes = c[1] == "write";
        const qint64 stale = std::stoll(c[2]);
        const TransferOutcome outcome = outcomeNamed(c[3]);
        SimulatedLink link(false);
        link.setPace(48000); // 50 times the line rate: the stale stream lasts longer than the quiet ticks
        link.unit().setMemory(UnitSimulator::ImageOf(good, noText));
        UnitSimulator earlier;
        earlier.setMemory(link.unit().memory());
        earlier.receive(kReadRequest);
        QByteArray arriving = writes ? QByteArray("0\r\n\a") : QByteArray::fromStdString(earlier.takeOutput());
        while (arriving.size() < stale)
            arriving += arriving;
        link.queueFromUnit(arriving.left(stale));
        Configuration target = blankConfiguration();
        WriteTransfer write(link, target, DeviceClock{}, noText);
        ReadTransfer read(link, target, nullptr);
        Transfer& t = writes ? static_cast<Transfer&>(run(write)) : run(read);
        EXPECT_EQ(t.outcome(), outcome) << t.reason().toStdString();
        if (outcome == TransferOutcome::Done) {
            EXPECT_EQ(t.discarded(), stale);
        } else {
            EXPECT_EQ(t.reason(), QStringLiteral("the line does not fall silent"));
        }
    }
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST(UnitJob, everyPhaseEndsInEachWayAndTheJobTellsWhereWithOneOutcome) {
    const std::map<std::string, int> openErrors{{"0", 0}, {"EBUSY", EBUSY}, {"ENOENT", ENOENT}};
    Configuration held = loadedConfiguration("Good.zeb");
    held.SysData[kSysFirmwareHigh] = 3;
    held.SysData[kSysFirmwareLow] = 0;
    Configuration sent = held;
    sent.ChanText[0] = "Door";
    const TextLookup noTexts = [](int) { return std::string(); };
    for (const auto& row : dataTable("job_phases.txt", 8)) {
        SCOPED_TRACE(row[0] + " | " + row[1] + " | " + row[3] + " | " + row[5]);
        SimulatedLink link(false, faultNamed(row[1]));
        link.unit().setMemory(UnitSimulator::ImageOf(held, noTexts));
        link.setOpenError(openErrors.at(row[2]));
        std::vector<JobPhase> phases;
        for (const std::string& p : splitOn(row[0], ' '))
            phases.push_back(p == "B" ? JobPhase::Backup : p == "W" ? JobPhase::Write : JobPhase::Verify);
        UnitJob job(link, phases);
        job.setConfiguration(sent);
        job.setTexts(noTexts);
        job.setTickInterval(kFastTickMs);
        std::vector<Configuration> kept;
        job.setBackupKeeper([&](const Configuration& c, std::string& where) {
            where = row[4] == "1" ? "kept" : "the folder cannot be made";
            if (row[4] == "1")
                kept.push_back(c);
            return row[4] == "1";
        });
        // Cancel as the named phase starts: the transfer has begun and nothing of it is through yet.
        QObject::connect(&job, &UnitJob::phaseStarted, &job, [&](int index) {
            if (PhaseName(job.phases()[static_cast<std::size_t>(index)]) == row[3])
                QTimer::singleShot(0, &job, [&job] { job.cancel(); });
        });
        std::vector<int> permille;
        QObject::connect(&job, &UnitJob::progressChanged, &job, [&] { permille.push_back(job.permille()); });
        QEventLoop loop;
        QObject::connect(&job, &UnitJob::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        job.start();
        loop.exec();
        EXPECT_EQ(OutcomeName(job.outcome()), row[5]);
        EXPECT_EQ(std::to_string(link.unit().writesCompleted()), row[6]);
        EXPECT_FALSE(link.isOpen());
        EXPECT_EQ(link.onTheLine(), 0) << "what the port still held is dropped";
        // The backup is what the unit held, and it is kept before anything is written.
        const bool backupRead = phases[0] == JobPhase::Backup && row[3] != "backup" && row[2] == "0" &&
                                row[1] != "silence" && row[1] != "bad-checksum";
        EXPECT_EQ(kept.size(), backupRead && row[4] == "1" ? 1u : 0u);
        if (!kept.empty()) {
            EXPECT_EQ(kept[0].ChanText[0], held.ChanText[0].substr(0, kRecordTextMax));
        }
        EXPECT_TRUE(std::is_sorted(permille.begin(), permille.end())) << "one progress over the whole job";
        if (row[5] == "done") {
            EXPECT_EQ(job.permille(), 1000);
        }
        if (row[5] == "differences") {
            EXPECT_FALSE(job.verdict().differences.empty());
        }
    }
}
