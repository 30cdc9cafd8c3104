#pragma once
// The one thing that talks to the master unit: a serial line at 9600 baud, no parity, 8 data bits,
// 1 stop bit. SerialPortLink is a real port (QSerialPort); SimulatedLink, beside the simulated unit,
// is that unit in this process.

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace korvane {

constexpr double kLineBytesPerSecond = 960.0; // 9600 baud, 10 bits per character

// Why a port failed, in terms the user can act on.
enum class PortProblem {
    None,
    NoPermission, // the system refuses the device to this user (EACCES)
    InUse,        // another program has it open or locked (EBUSY)
    Missing,      // there is no such device (ENOENT, ENODEV, ENXIO): the adapter is not plugged in
    Lost,         // the port failed or stopped sending in the middle of a transfer (line cut, unplugged)
    NotSerial,    // the device is no serial port (a file, /dev/null): it takes no line settings (ENOTTY)
    RootOnly,     // the system refuses the device, and joining its group would not help (root's alone)
    Other,
};

struct PortFailure {
    PortProblem problem = PortProblem::None;
    QString device;
    QString systemReason; // as the system puts it ("Permission denied")
};

// The problem behind the system's error number of a failed open.
PortProblem PortProblemOfError(int systemError);
// The problem behind a device the system refused to this user (EACCES), by its mode, its group and the
// groups the user's programs run in: NoPermission where joining the device's group lets the user in,
// RootOnly where it would not (the group may not read and write it, the group is root's, or the user
// is in it already).
PortProblem PortProblemOfRefusal(unsigned mode, unsigned deviceGroup, const std::vector<unsigned>& userGroups);
// The language text that says what the problem is and what to do about it; 0 when there is none
// beyond the system's own reason.
int PortProblemText(PortProblem problem);
// The failure on one line for the user: "DEVICE: what is wrong and what to do (the system's reason)".
QString PortFailureText(const PortFailure& failure, const std::function<QString(int)>& text);

class SerialLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialLink() override = default;

    // Opens the line; false with errorString() and failure() when the port is missing or in use.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString errorString() const = 0;
    // The output handshake line. Lines a port cannot set (pseudo-terminals, some adapters) are no error.
    virtual void setDataTerminalReady(bool on) = 0;
    // Drops what has arrived and not been read.
    virtual void clearInput() = 0;
    // Queues characters for sending.
    virtual void write(const QByteArray& bytes) = 0;
    // Characters queued that have not yet left the port, as far as the port can tell: a
    // pseudo-terminal or a USB adapter takes seconds of characters and reports none.
    virtual qint64 bytesToWrite() const = 0;
    // Drops every character queued and not yet sent, so that an abandoned stream stops reaching the unit.
    virtual void discardOutput() = 0;
    // Characters the line carries in a second; no character reaches the unit sooner than this allows.
    // 0: the line takes no time (the unpaced simulated unit).
    virtual double lineBytesPerSecond() const { return kLineBytesPerSecond; }
    // Everything received since the last call.
    virtual QByteArray readAll() = 0;
    // Why the last open failed, or why the port failed while open.
    const PortFailure& failure() const { return failure_; }

signals:
    void readyRead();
    void bytesWritten();
    // The port failed while open (unplugged adapter, device gone): the transfer is over.
    void failed(const QString& reason);

protected:
    PortFailure failure_;
};

class SerialPortLink : public SerialLink {
    Q_OBJECT
public:
    explicit SerialPortLink(const QString& device, QObject* parent = nullptr);

    bool open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    QString errorString() const override { return error_; }
    void setDataTerminalReady(bool on) override;
    void clearInput() override;
    void write(const QByteArray& bytes) override;
    qint64 bytesToWrite() const override;
    void discardOutput() override;
    QByteArray readAll() override { return port_.readAll(); }

private:
    QSerialPort port_;
    QString device_;
    QString error_;
};

// The device behind a port name: "com1".."com4" (any case) are the four classic ports (COM1..COM4 on
// Windows, /dev/ttyS0..3 elsewhere); anything else is taken as the device itself.
QString PortDevice(const QString& name);
// The device of the classic port number 1..4.
QString ClassicPortDevice(int number);

} // namespace korvane
