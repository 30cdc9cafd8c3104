#pragma once
// The lower part of View > COM port: the serial ports the system finds (USB adapters with their
// description) and the simulated unit, below the four classic ports. A chosen device is kept in the
// setting "ComPortDevice"; choosing a classic port clears it.

#include <QObject>
#include <array>

#include "app/context.h"

class QAction;
class QMenu;

namespace korvane {

class PortMenu : public QObject {
    Q_OBJECT
public:
    PortMenu(AppContext& ctx, QMenu* menu, const std::array<QAction*, 4>& classic);
    // Lists the ports found now and sets every check mark from the settings.
    void refresh();

private:
    AppContext& ctx_;
    QMenu* menu_;
    std::array<QAction*, 4> classic_;
    QAction* separator_ = nullptr;
    std::vector<QAction*> found_;
};

} // namespace korvane
