#include "io/link/simulated_link.h"

#include <algorithm>

namespace korvane {

namespace {
constexpr int kPacedStepMs = 2;
constexpr double kMaxBurst = 8; // characters a late step may catch up; idle time is not saved up
} // namespace

SimulatedLink::SimulatedLink(bool paced, UnitFault fault, QObject* parent)
    : SerialLink(parent), unit_(fault), paced_(paced) {
    clock_.setTimerType(Qt::PreciseTimer);
    clock_.setInterval(paced ? kPacedStepMs : 0);
    connect(&clock_, &QTimer::timeout, this, &SimulatedLink::move);
}

bool SimulatedLink::open() {
    if (openFails_) {
        error_ = QStringLiteral("sim: the port is in use");
        return false;
    }
    open_ = true;
    error_.clear();
    since_.start();
    movedOut_ = movedIn_ = 0;
    clock_.start();
    return true;
}

void SimulatedLink::close() {
    open_ = false;
    clock_.stop();
    toUnit_.clear();
    fromUnit_.clear();
    received_.clear();
}

void SimulatedLink::unplug() {
    if (!open_)
        return;
    close();
    error_ = QStringLiteral("sim: the device has been removed");
    emit failed(error_);
}

QByteArray SimulatedLink::readAll() {
    QByteArray out;
    out.swap(received_);
    return out;
}

qint64 SimulatedLink::allowance(double& moved) {
    if (!paced_)
        return std::numeric_limits<qint64>::max();
    const double due = static_cast<double>(since_.nsecsElapsed()) * 1e-9 * kLineBytesPerSecond - moved;
    if (due > kMaxBurst)
        moved += due - kMaxBurst;
    return static_cast<qint64>(std::min(due, kMaxBurst));
}

void SimulatedLink::move() {
    // Idle directions do not save up line time.
    if (toUnit_.isEmpty())
        allowance(movedOut_);
    if (fromUnit_.isEmpty())
        allowance(movedIn_);

    const qint64 out = std::min<qint64>(allowance(movedOut_), toUnit_.size());
    if (out > 0) {
        movedOut_ += static_cast<double>(out);
        unit_.receive(std::string_view(toUnit_.constData(), static_cast<std::size_t>(out)));
        toUnit_.remove(0, out);
        emit bytesWritten();
    }
    if (!open_)
        return;
    const std::string answer = unit_.takeOutput();
    fromUnit_.append(answer.data(), static_cast<qsizetype>(answer.size()));
    const qint64 in = std::min<qint64>(allowance(movedIn_), fromUnit_.size());
    if (in > 0) {
        movedIn_ += static_cast<double>(in);
        received_ += fromUnit_.left(in);
        fromUnit_.remove(0, in);
        emit readyRead();
    }
}

} // namespace korvane
