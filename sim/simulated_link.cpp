#include "sim/simulated_link.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace korvane {

namespace {
constexpr int kPacedStepMs = 2;
constexpr double kIdleBurst = 8; // characters an idle line saves up, no more
const QString kDevice = QStringLiteral("sim");
} // namespace

const int SimulatedLink::kOpenErrorInUse = EBUSY;

SimulatedLink::SimulatedLink(bool paced, UnitFault fault, QObject* parent) : SerialLink(parent), unit_(fault) {
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, &SimulatedLink::move);
    setPace(paced ? kLineBytesPerSecond : 0);
}

void SimulatedLink::setPace(double bytesPerSecond) {
    pace_ = std::max(0.0, bytesPerSecond);
    clock_.setInterval(pace_ > 0 ? kPacedStepMs : 0);
}

bool SimulatedLink::open() {
    if (openError_ != 0) {
        failure_ = {PortProblemOfError(openError_), kDevice, QString::fromLocal8Bit(std::strerror(openError_))};
        error_ = kDevice + QStringLiteral(": ") + failure_.systemReason;
        return false;
    }
    open_ = true;
    error_.clear();
    failure_ = {};
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
    failure_ = {PortProblem::Lost, kDevice, QStringLiteral("the device has been removed")};
    error_ = kDevice + QStringLiteral(": ") + failure_.systemReason;
    emit failed(error_);
}

void SimulatedLink::write(const QByteArray& bytes) {
    // Characters written to an idle line go out at the line rate from now on, however late the
    // line's next step comes: it saves up no more than a short burst while it has nothing to carry.
    if (toUnit_.isEmpty() && open_)
        allowance(movedOut_, false);
    toUnit_ += bytes;
    taken_ = taken_ || holdsOutput_;
}

qint64 SimulatedLink::lineBacklog() const {
    if (pace_ <= 0 || !open_)
        return 0;
    const double due = static_cast<double>(since_.nsecsElapsed()) * 1e-9 * pace_ - movedOut_;
    return std::max<qint64>(0, toUnit_.size() - static_cast<qint64>(std::max(0.0, due)));
}

QByteArray SimulatedLink::readAll() {
    QByteArray out;
    out.swap(received_);
    return out;
}

qint64 SimulatedLink::allowance(double& moved, bool busy) {
    if (pace_ <= 0)
        return std::numeric_limits<qint64>::max();
    // A busy line catches up on a late step in full; an idle one saves up no more than a short burst.
    const double due = static_cast<double>(since_.nsecsElapsed()) * 1e-9 * pace_ - moved;
    if (!busy && due > kIdleBurst)
        moved += due - kIdleBurst;
    return static_cast<qint64>(busy ? due : std::min(due, kIdleBurst));
}

void SimulatedLink::move() {
    const bool sending = !toUnit_.isEmpty() && !stuck_;
    const qint64 out = std::min<qint64>(allowance(movedOut_, sending), sending ? toUnit_.size() : 0);
    if (out > 0) {
        movedOut_ += static_cast<double>(out);
        unit_.receive(std::string_view(toUnit_.constData(), static_cast<std::size_t>(out)));
        toUnit_.remove(0, out);
    }
    // A port that holds its output has taken the characters when they were written.
    if (taken_ || (out > 0 && !holdsOutput_)) {
        taken_ = false;
        emit bytesWritten();
    }
    if (!open_)
        return;
    const std::string answer = unit_.takeOutput();
    if (fromUnit_.isEmpty() && !answer.empty())
        allowance(movedIn_, false); // the answer starts on an idle line
    fromUnit_.append(answer.data(), static_cast<qsizetype>(answer.size()));
    const qint64 in = std::min<qint64>(allowance(movedIn_, !fromUnit_.isEmpty()), fromUnit_.size());
    if (in > 0) {
        movedIn_ += static_cast<double>(in);
        received_ += fromUnit_.left(in);
        fromUnit_.remove(0, in);
        emit readyRead();
    }
}

} // namespace korvane
