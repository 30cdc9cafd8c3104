#pragma once
// The simulated master unit of sim/ behind the SerialLink interface, in this process. Paced, it moves
// 960 characters a second each way, as the 9600 baud line does, so that progress and time-outs
// behave as with a real unit; unpaced, characters move at once (tests).

#include <QElapsedTimer>
#include <QTimer>

#include "io/link/serial_link.h"
#include "sim/unit_simulator.h"

namespace korvane {

constexpr double kLineBytesPerSecond = 960.0; // 9600 baud, 10 bits per character

class SimulatedLink : public SerialLink {
    Q_OBJECT
public:
    explicit SimulatedLink(bool paced, UnitFault fault = UnitFault::None, QObject* parent = nullptr);

    UnitSimulator& unit() { return unit_; }
    // The next open() fails as a port in use does.
    void setOpenFails(bool fails) { openFails_ = fails; }
    // The port vanishes as an unplugged adapter does.
    void unplug();
    // The port vanishes while a transfer sets it up (when the input is cleared).
    void setUnplugOnClearInput(bool on) { unplugOnClear_ = on; }

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
    void write(const QByteArray& bytes) override { toUnit_ += bytes; }
    qint64 bytesToWrite() const override { return toUnit_.size(); }
    QByteArray readAll() override;

private:
    void move();
    qint64 allowance(double& moved);

    UnitSimulator unit_;
    bool paced_;
    bool open_ = false;
    bool openFails_ = false;
    bool unplugOnClear_ = false;
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
