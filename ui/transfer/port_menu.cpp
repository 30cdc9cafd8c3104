#include "ui/transfer/port_menu.h"

#include <QAction>
#include <QMenu>
#include <QSerialPortInfo>

#include "io/link/serial_link.h"
#include "model/text_ids.h"

namespace korvane {

namespace {
const QString kSimulated = QStringLiteral("sim");

const FoundPort* findPort(const std::vector<FoundPort>& found, const QString& location) {
    for (const FoundPort& p : found)
        if (p.location == location)
            return &p;
    return nullptr;
}
} // namespace

std::vector<FoundPort> ScanPorts() {
    std::vector<FoundPort> out;
    for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts())
        out.push_back(FoundPort{p.systemLocation(), p.portName(), p.description()});
    return out;
}

std::vector<FoundPort> PortsBesideClassic(const std::vector<FoundPort>& found) {
    std::vector<FoundPort> out;
    for (const FoundPort& p : found) {
        bool classic = false;
        for (int n = 1; n <= 4; ++n)
            classic = classic || p.location == ClassicPortDevice(n);
        if (!classic && !findPort(out, p.location))
            out.push_back(p);
    }
    return out;
}

QString ClassicPortCaption(const QString& base, int number, const std::vector<FoundPort>& found) {
    const FoundPort* p = findPort(found, ClassicPortDevice(number));
    if (!p || p->name.compare(base, Qt::CaseInsensitive) == 0 ||
        p->name.compare(QString(base).remove(QLatin1Char(' ')), Qt::CaseInsensitive) == 0)
        return base;
    return base + QStringLiteral(" (") + p->name +
           (p->description.isEmpty() ? QString() : QStringLiteral(" - ") + p->description) + QLatin1Char(')');
}

QString ShownPortName(AppContext& ctx) {
    const QString device = ctx.settings.value(kDeviceSetting);
    if (device == kSimulated)
        return ctx.ws.text(kTxtSimulatedUnit);
    const QString location = device.isEmpty() ? ClassicPortDevice(ctx.ws.ComPort) : PortDevice(device);
    QString shown = device.isEmpty() && location != QStringLiteral("COM%1").arg(ctx.ws.ComPort)
                        ? QStringLiteral("COM%1 (%2)").arg(ctx.ws.ComPort).arg(location)
                        : location;
    const std::vector<FoundPort> found = ScanPorts();
    if (const FoundPort* p = findPort(found, location); p && !p->description.isEmpty())
        shown += QStringLiteral(" - ") + p->description;
    return shown;
}

PortMenu::PortMenu(AppContext& ctx, QMenu* menu, const std::array<QAction*, 4>& classic,
                   std::function<void()> resetSimulated)
    : QObject(menu), ctx_(ctx), menu_(menu), classic_(classic), resetSimulated_(std::move(resetSimulated)) {
    for (QAction* a : classic_)
        connect(a, &QAction::triggered, this, [this] { choose(QString()); });
    for (std::size_t i = 0; i < classic_.size(); ++i)
        classicBase_[i] = classic_[i]->text();
    connect(menu_, &QMenu::aboutToShow, this, [this] { refresh(true); });
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

void PortMenu::refresh(bool scan) {
    if (scan)
        found_ = scan_ ? scan_() : std::vector<FoundPort>{};
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
    for (const FoundPort& p : PortsBesideClassic(found_))
        addDevice(p.location, p.description.isEmpty() ? p.name : p.name + QStringLiteral(" - ") + p.description,
                  QStringLiteral("M_View_Port_") + p.name);
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
    for (int i = 0; i < 4; ++i) {
        QAction* a = classic_[static_cast<std::size_t>(i)];
        a->setChecked(chosen.isEmpty() && i + 1 == ctx_.ws.ComPort);
        a->setText(ClassicPortCaption(classicBase_[static_cast<std::size_t>(i)], i + 1, found_));
    }
}

} // namespace korvane
