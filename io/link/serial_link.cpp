#include "io/link/serial_link.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/text_ids.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace korvane {

PortProblem PortProblemOfError(int systemError) {
    switch (systemError) {
    case 0:
        return PortProblem::None;
    case EACCES:
    case EPERM:
        return PortProblem::NoPermission;
    case EBUSY:
        return PortProblem::InUse;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return PortProblem::Missing;
    default:
        return PortProblem::Other;
    }
}

PortProblem PortProblemOfRefusal(unsigned mode, unsigned deviceGroup, const std::vector<unsigned>& userGroups) {
    constexpr unsigned kGroupReadWrite = 060;
    const bool member = std::find(userGroups.begin(), userGroups.end(), deviceGroup) != userGroups.end();
    if ((mode & kGroupReadWrite) != kGroupReadWrite || deviceGroup == 0 || member)
        return PortProblem::RootOnly;
    return PortProblem::NoPermission;
}

int PortProblemText(PortProblem problem) {
    switch (problem) {
    case PortProblem::NoPermission:
#ifdef Q_OS_LINUX
        return kTxtPortNoPermission; // what to do about it is the same on every Linux
#else
        return kTxtPortInUse; // elsewhere a refused port is one that another program holds
#endif
    case PortProblem::InUse:
        return kTxtPortInUse;
    case PortProblem::Missing:
        return kTxtPortMissing;
    case PortProblem::Lost:
        return kTxtConnectionLost;
    case PortProblem::NotSerial:
        return kTxtPortNotSerial;
    case PortProblem::RootOnly:
        return kTxtPortRootOnly;
    case PortProblem::None:
    case PortProblem::Other:
        break;
    }
    return 0;
}

QString PortFailureText(const PortFailure& failure, const std::function<QString(int)>& text) {
    const int n = PortProblemText(failure.problem);
    const QString advice = n != 0 && text ? text(n) : QString();
    QString out = failure.device.isEmpty() ? QString() : failure.device + QStringLiteral(": ");
    if (advice.isEmpty())
        return out + failure.systemReason;
    out += advice;
    if (!failure.systemReason.isEmpty())
        out += QStringLiteral(" (") + failure.systemReason + QLatin1Char(')');
    return out;
}

namespace {

// Qt tells a refused device and one another program holds apart only in words: the system says which.
PortProblem problemOfOpen(QSerialPort::SerialPortError error, const QString& device) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortProblem::Missing;
    case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
        if (::access(device.toLocal8Bit().constData(), R_OK | W_OK) != 0 && errno != EBUSY) {
            struct stat st {};
            if (errno != EACCES || ::stat(device.toLocal8Bit().constData(), &st) != 0)
                return PortProblemOfError(errno);
            // Whether the group dialout would let this user in, or the device is root's alone.
            std::vector<gid_t> groups(static_cast<std::size_t>(std::max(0, ::getgroups(0, nullptr))));
            groups.resize(
                static_cast<std::size_t>(std::max(0, ::getgroups(static_cast<int>(groups.size()), groups.data()))));
            std::vector<unsigned> userGroups(groups.begin(), groups.end());
            userGroups.push_back(::getegid());
            return PortProblemOfRefusal(st.st_mode, st.st_gid, userGroups);
        }
#else
        Q_UNUSED(device);
#endif
        return PortProblem::InUse; // opened exclusively or locked by another program
    case QSerialPort::OpenError:
        return PortProblem::InUse; // already open
    default:
        return PortProblem::Other;
    }
}

// Whether the device can be opened and is no terminal (a file, /dev/null): no serial port at all.
bool isNoTerminal(const QString& device) {
#ifdef Q_OS_UNIX
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool terminal = ::isatty(fd) != 0;
    ::close(fd);
    return !terminal;
#else
    Q_UNUSED(device);
    return false;
#endif
}

} // namespace

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
        failure_ = {PortProblem::Lost, device_, port_.errorString()};
        port_.close();
        emit failed(error_);
    });
}

bool SerialPortLink::open() {
    error_.clear();
    failure_ = {};
    port_.setPortName(device_);
    if (!port_.open(QIODevice::ReadWrite)) {
        error_ = device_ + QStringLiteral(": ") + port_.errorString();
        failure_ = {problemOfOpen(port_.error(), device_), device_, port_.errorString()};
        if (failure_.problem == PortProblem::Other && isNoTerminal(device_))
            failure_.problem = PortProblem::NotSerial;
        return false;
    }
#ifdef Q_OS_UNIX
    // A file or a device that is no terminal may open all the same and fail at the first line setting.
    if (!::isatty(static_cast<int>(port_.handle()))) {
        const QString reason = QString::fromLocal8Bit(std::strerror(ENOTTY));
        error_ = device_ + QStringLiteral(": ") + reason;
        failure_ = {PortProblem::NotSerial, device_, reason};
        port_.close();
        return false;
    }
#endif
    const bool set = port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
                     port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                     port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        error_ = device_ + QStringLiteral(": cannot set 9600,N,8,1: ") + port_.errorString();
        failure_ = {PortProblem::Other, device_, QStringLiteral("cannot set 9600,N,8,1: ") + port_.errorString()};
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
