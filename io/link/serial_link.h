#pragma once
// The one thing that talks to the master unit: a serial line at 9600 baud, no parity, 8 data bits,
// 1 stop bit. SerialPortLink is a real port (QSerialPort); SimulatedLink (simulated_link.h) is the
// simulated unit in this process.

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <memory>

namespace korvane {

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
    // Characters queued that have not yet left the port.
    virtual qint64 bytesToWrite() const = 0;
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
