#pragma once
// The lower part of View > COM port: the serial ports the system finds (USB adapters with their
// description), a device given by its path ("Other port...", for an adapter under an unusual name or
// the terminal of korvane-unitsim --pty) and the simulated unit, below the four classic ports. A
// chosen device is kept in the setting "ComPortDevice" ("sim": the simulated unit); choosing a classic
// port clears it.

#include <QObject>
#include <array>
#include <functional>
#include <vector>

#include "app/context.h"

class QAction;
class QMenu;

namespace korvane {

// The setting that keeps the chosen device (empty: one of the four classic ports).
inline const QString kDeviceSetting = QStringLiteral("ComPortDevice");

// A serial port the system reports: its device, its short name and the adapter's description.
struct FoundPort {
    QString location; // "/dev/ttyUSB0", "COM3"
    QString name;     // "ttyUSB0"
    QString description;
};
std::vector<FoundPort> ScanPorts();

// The found ports as the menu lists them below the four classic ports: each device once, and none that
// a classic port already stands for (Com 1 is /dev/ttyS0 on Linux, COM1 on Windows).
std::vector<FoundPort> PortsBesideClassic(const std::vector<FoundPort>& found);
// The caption of classic port n (1..4): "Com 1" and, where the system knows it, the device it stands
// for and its adapter: "Com 1 (ttyS0)".
QString ClassicPortCaption(const QString& base, int number, const std::vector<FoundPort>& found);

// The port the transfers go to, as the user knows it: "Simulated unit", "/dev/ttyUSB0 - FT232R USB
// UART", "COM1 (/dev/ttyS0)".
QString ShownPortName(AppContext& ctx);

class PortMenu : public QObject {
    Q_OBJECT
public:
    // resetSimulated empties the program's simulated unit (View > COM port > Reset).
    PortMenu(AppContext& ctx, QMenu* menu, const std::array<QAction*, 4>& classic,
             std::function<void()> resetSimulated);
    // Sets every caption from the language texts and every check mark from the settings; `scan` lists
    // the ports found now (done when the menu opens, not at start: a scan is slow where there are many
    // terminals).
    void refresh(bool scan = false);
    // Where the ports come from (tests).
    void setScanner(std::function<std::vector<FoundPort>()> scan) { scan_ = std::move(scan); }
    // Asks for the path of a serial device and chooses it (View > COM port > Other port...).
    void chooseOtherPort();

private:
    void choose(const QString& device);

    AppContext& ctx_;
    QMenu* menu_;
    std::array<QAction*, 4> classic_;
    std::function<void()> resetSimulated_;
    std::vector<QAction*> entries_;
    std::vector<FoundPort> found_;
    std::array<QString, 4> classicBase_; // the classic captions as the menu set them
    std::function<std::vector<FoundPort>()> scan_ = ScanPorts;
};

} // namespace korvane
