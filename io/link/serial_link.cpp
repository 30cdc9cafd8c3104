#include "io/link/serial_link.h"

#ifdef Q_OS_LINUX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace korvane {

SerialPortLink::SerialPortLink(const QString& device, QObject* parent) : SerialLink(parent), device_(device) {
    connect(&port_, &QSerialPort::readyRead, this, &SerialLink::readyRead);
    connect(&port_, &QSerialPort::bytesWritten, this, &SerialLink::bytesWritten);
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        // A vanished device shows as a resource error; reading or writing errors on an open port
        // mean the same for a transfer. Handshake lines a port cannot set are no reason to stop.
        if (!port_.isOpen() || e == QSerialPort::NoError || e == QSerialPort::UnsupportedOperationError ||
            e == QSerialPort::TimeoutError)
            return;
        error_ = device_ + QStringLiteral(": ") + port_.errorString();
        port_.close();
        emit failed(error_);
    });
}

bool SerialPortLink::open() {
    error_.clear();
    port_.setPortName(device_);
    if (!port_.open(QIODevice::ReadWrite)) {
        error_ = device_ + QStringLiteral(": ") + port_.errorString();
        return false;
    }
    const bool set = port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
                     port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                     port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        error_ = device_ + QStringLiteral(": cannot set 9600,N,8,1: ") + port_.errorString();
        port_.close();
        return false;
    }
    return true;
}

void SerialPortLink::close() {
    if (port_.isOpen())
        port_.close();
}

void SerialPortLink::setDataTerminalReady(bool on) {
    if (!port_.setDataTerminalReady(on))
        port_.clearError();
}

void SerialPortLink::clearInput() {
    port_.clear(QSerialPort::Input);
    port_.readAll();
}

void SerialPortLink::write(const QByteArray& bytes) {
    port_.write(bytes);
}

void SerialPortLink::discardOutput() {
    if (port_.isOpen() && !port_.clear(QSerialPort::Output))
        port_.clearError();
}

qint64 SerialPortLink::bytesToWrite() const {
    qint64 queued = port_.bytesToWrite();
#ifdef Q_OS_LINUX
    // What the driver still holds has not left the port either (a UART or USB adapter keeps up to a
    // few kilobytes, seconds at 9600 baud).
    int inDriver = 0;
    if (port_.isOpen() && ::ioctl(static_cast<int>(port_.handle()), TIOCOUTQ, &inDriver) == 0 && inDriver > 0)
        queued += inDriver;
#endif
    return queued;
}

QString ClassicPortDevice(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

QString PortDevice(const QString& name) {
    const QString lower = name.toLower();
    if (lower.size() == 4 && lower.startsWith(QLatin1String("com")) && lower[3] >= QLatin1Char('1') &&
        lower[3] <= QLatin1Char('4'))
        return ClassicPortDevice(lower[3].digitValue());
    return name;
}

} // namespace korvane
