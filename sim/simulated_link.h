#pragma once
// The simulated master unit behind the SerialLink interface, in this process. Paced, it moves
// 960 characters a second each way, as the 9600 baud line does, so that progress and time-outs
// behave as with a real unit; unpaced, characters move at once (tests). A port that holds its output
// (a pseudo-terminal, a USB adapter) can be played too: it reports nothing waiting while the line
// still carries every character written.

#include <QElapsedTimer>
#include <QTimer>

#include "io/link/serial_link.h"
#include "sim/unit_simulator.h"

namespace korvane {

class SimulatedLink : public SerialLink {
    Q_OBJECT
public:
    explicit SimulatedLink(bool paced, UnitFault fault = UnitFault::None, QObject* parent = nullptr);

    UnitSimulator& unit() { return unit_; }
    // The unit as it comes new: empty memory, its firmware version, no fault.
    void resetUnit() { unit_ = UnitSimulator(); }
    // Characters the line moves in a second each way; 0 moves them at once. Set before open().
    void setPace(double bytesPerSecond);
    // The port takes every character at once and reports none waiting, as a pseudo-terminal does.
    void setHoldsOutput(bool holds) { holdsOutput_ = holds; }
    // The next open() fails as a port in use does.
    void setOpenFails(bool fails) { openError_ = fails ? kOpenErrorInUse : 0; }
    // open() fails with this system error number (EACCES, EBUSY, ENOENT ...); 0 opens.
    void setOpenError(int systemError) { openError_ = systemError; }
    // The port vanishes as an unplugged adapter does.
    void unplug();
    // The port vanishes while a transfer sets it up (when the input is cleared).
    void setUnplugOnClearInput(bool on) { unplugOnClear_ = on; }
    // The port takes no more characters, as a stuck adapter does; what is queued stays queued.
    void setStuck(bool stuck) { stuck_ = stuck; }
    // Characters the unit will send without being asked, as a unit still answering an earlier
    // transfer does; they go out when the port is open.
    void queueFromUnit(const QByteArray& bytes) { fromUnit_ += bytes; }
    // Characters written and not yet carried to the unit, whatever the port reports.
    qint64 onTheLine() const { return toUnit_.size(); }
    // Of those, the characters the line cannot have carried yet by its clock (the simulation's own
    // steps may lag behind it).
    qint64 lineBacklog() const;

    bool open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    QString errorString() const override { return error_; }
    void setDataTerminalReady(bool on) override { dtr_ = on; }
    bool dataTerminalReady() const { return dtr_; }
    void clearInput() override {
        if (unplugOnClear_)
            unplug();
        received_.clear();
    }
    void write(const QByteArray& bytes) override;
    qint64 bytesToWrite() const override { return holdsOutput_ ? 0 : toUnit_.size(); }
    void discardOutput() override { toUnit_.clear(); }
    double lineBytesPerSecond() const override { return pace_; }
    QByteArray readAll() override;

private:
    void move();
    qint64 allowance(double& moved, bool busy);

    UnitSimulator unit_;
    double pace_ = 0;
    static const int kOpenErrorInUse;
    bool open_ = false;
    int openError_ = 0;
    bool unplugOnClear_ = false;
    bool holdsOutput_ = false;
    bool stuck_ = false;
    bool taken_ = false; // characters taken since the last step (a port that holds its output)
    bool dtr_ = false;
    QString error_;
    QByteArray toUnit_;   // written, not yet on the line
    QByteArray fromUnit_; // the unit's answer, not yet on the line
    QByteArray received_; // arrived, not yet read
    QTimer clock_;
    QElapsedTimer since_;
    double movedOut_ = 0;
    double movedIn_ = 0;
};

} // namespace korvane
