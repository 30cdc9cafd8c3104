#pragma once
// The one thing that talks to the master unit: a serial line at 9600 baud, no parity, 8 data bits,
// 1 stop bit. SerialPortLink is a real port (QSerialPort); SimulatedLink, beside the simulated unit,
// is that unit in this process.

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <memory>

namespace korvane {

constexpr double kLineBytesPerSecond = 960.0; // 9600 baud, 10 bits per character

class SerialLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialLink() override = default;

    // Opens the line; false with errorString() when the port is missing or in use.
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

signals:
    void readyRead();
    void bytesWritten();
    // The port failed while open (unplugged adapter, device gone): the transfer is over.
    void failed(const QString& reason);
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
