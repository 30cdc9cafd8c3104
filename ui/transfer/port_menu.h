#pragma once
// The lower part of View > COM port: the serial ports the system finds (USB adapters with their
// description), a device given by its path ("Other port...", for an adapter under an unusual name or
// the terminal of korvane-unitsim --pty) and the simulated unit, below the four classic ports. A
// chosen device is kept in the setting "ComPortDevice" ("sim": the simulated unit); choosing a classic
// port clears it.

#include <QObject>
#include <array>
#include <functional>

#include "app/context.h"

class QAction;
class QMenu;

namespace korvane {

// The setting that keeps the chosen device (empty: one of the four classic ports).
inline const QString kDeviceSetting = QStringLiteral("ComPortDevice");

class PortMenu : public QObject {
    Q_OBJECT
public:
    // resetSimulated empties the program's simulated unit (View > COM port > Reset).
    PortMenu(AppContext& ctx, QMenu* menu, const std::array<QAction*, 4>& classic,
             std::function<void()> resetSimulated);
    // Lists the ports found now, sets every caption from the language texts and every check mark from
    // the settings.
    void refresh();
    // Asks for the path of a serial device and chooses it (View > COM port > Other port...).
    void chooseOtherPort();

private:
    void choose(const QString& device);

    AppContext& ctx_;
    QMenu* menu_;
    std::array<QAction*, 4> classic_;
    std::function<void()> resetSimulated_;
    std::vector<QAction*> entries_;
};

} // namespace korvane
