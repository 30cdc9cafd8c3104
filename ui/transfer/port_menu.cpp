#include "ui/transfer/port_menu.h"

#include <QAction>
#include <QMenu>
#include <QSerialPortInfo>

#include "model/text_ids.h"

namespace korvane {

namespace {
const QString kSimulated = QStringLiteral("sim");
} // namespace

PortMenu::PortMenu(AppContext& ctx, QMenu* menu, const std::array<QAction*, 4>& classic,
                   std::function<void()> resetSimulated)
    : QObject(menu), ctx_(ctx), menu_(menu), classic_(classic), resetSimulated_(std::move(resetSimulated)) {
    for (QAction* a : classic_)
        connect(a, &QAction::triggered, this, [this] { choose(QString()); });
    connect(menu_, &QMenu::aboutToShow, this, &PortMenu::refresh);
    refresh();
}

void PortMenu::choose(const QString& device) {
    ctx_.settings.setValue(kDeviceSetting, device);
    refresh();
}

void PortMenu::chooseOtherPort() {
    const QString chosen = ctx_.settings.value(kDeviceSetting);
    QString caption = ctx_.ws.text(kTxtOtherPort);
    while (caption.endsWith(QLatin1Char('.')))
        caption.chop(1);
    const bool classicOrSimulated = chosen.isEmpty() || chosen == kSimulated;
    const std::optional<QString> path =
        ctx_.dialogs.askText(menu_->parentWidget(), ctx_.ws.text(kTxtOtherPortPrompt), caption,
                             classicOrSimulated ? QStringLiteral("/dev/") : chosen);
    if (!path || path->trimmed().isEmpty() || path->trimmed() == QLatin1String("/dev/"))
        return; // cancelled or nothing typed: the port stays as it was
    choose(path->trimmed());
}

void PortMenu::refresh() {
    // The entries are made anew each time; one being triggered goes only once its signal is over.
    for (QAction* a : entries_) {
        menu_->removeAction(a);
        a->setObjectName(QString());
        a->deleteLater();
    }
    entries_.clear();
    const QString chosen = ctx_.settings.value(kDeviceSetting);
    bool listed = chosen.isEmpty() || chosen == kSimulated;
    auto add = [&](const QString& text, const QString& name, const std::function<void()>& run) {
        auto* a = new QAction(text, menu_);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, run);
        menu_->addAction(a);
        entries_.push_back(a);
        return a;
    };
    auto addDevice = [&](const QString& device, const QString& text, const QString& name) {
        QAction* a = add(text, name, [this, device] { choose(device); });
        a->setCheckable(true);
        a->setChecked(device == chosen);
        listed = listed || device == chosen;
    };
    entries_.push_back(menu_->addSeparator());
    for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts())
        addDevice(p.systemLocation(),
                  p.description().isEmpty() ? p.portName() : p.portName() + QStringLiteral(" - ") + p.description(),
                  QStringLiteral("M_View_Port_") + p.portName());
    // A device given by its path stays in the menu, checked, for as long as it is the choice.
    if (!listed)
        addDevice(chosen, chosen, QStringLiteral("M_View_Port_Chosen"));
    add(ctx_.ws.text(kTxtOtherPort), QStringLiteral("M_View_OtherPort"), [this] { chooseOtherPort(); });
    entries_.push_back(menu_->addSeparator());
    addDevice(kSimulated, ctx_.ws.text(kTxtSimulatedUnit), QStringLiteral("M_View_Simulated"));
    add(ctx_.ws.text(kTxtResetSimulatedUnit), QStringLiteral("M_View_ResetSimulated"), [this] {
        if (resetSimulated_)
            resetSimulated_();
    });
    for (int i = 0; i < 4; ++i)
        classic_[static_cast<std::size_t>(i)]->setChecked(chosen.isEmpty() && i + 1 == ctx_.ws.ComPort);
}

} // namespace korvane
