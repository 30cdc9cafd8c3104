#include "ui/transfer/port_menu.h"

#include <QAction>
#include <QMenu>
#include <QSerialPortInfo>

namespace korvane {

namespace {
const QString kDeviceSetting = QStringLiteral("ComPortDevice");
}

PortMenu::PortMenu(AppContext& ctx, QMenu* menu, const std::array<QAction*, 4>& classic)
    : QObject(menu), ctx_(ctx), menu_(menu), classic_(classic) {
    separator_ = menu_->addSeparator();
    for (QAction* a : classic_)
        connect(a, &QAction::triggered, this, [this] {
            ctx_.settings.setValue(kDeviceSetting, QString());
            refresh();
        });
    connect(menu_, &QMenu::aboutToShow, this, &PortMenu::refresh);
    refresh();
}

void PortMenu::refresh() {
    for (QAction* a : found_)
        delete a;
    found_.clear();
    const QString chosen = ctx_.settings.value(kDeviceSetting);
    auto add = [&](const QString& device, const QString& text, const QString& name) {
        auto* a = new QAction(text, menu_);
        a->setObjectName(name);
        a->setCheckable(true);
        a->setChecked(device == chosen);
        connect(a, &QAction::triggered, this, [this, device] {
            ctx_.settings.setValue(kDeviceSetting, device);
            refresh();
        });
        menu_->addAction(a);
        found_.push_back(a);
    };
    for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts())
        add(p.systemLocation(),
            p.description().isEmpty() ? p.portName() : p.portName() + QStringLiteral(" - ") + p.description(),
            QStringLiteral("M_View_Port_") + p.portName());
    add(QStringLiteral("sim"), QStringLiteral("Simulated unit"), QStringLiteral("M_View_Simulated"));
    for (int i = 0; i < 4; ++i)
        classic_[static_cast<std::size_t>(i)]->setChecked(chosen.isEmpty() && i + 1 == ctx_.ws.ComPort);
}

} // namespace korvane
