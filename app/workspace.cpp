#include "app/workspace.h"

#include "model/channel_types.h"

namespace korvane {

Workspace::Workspace(QObject* parent) : QObject(parent) {
    ClearConfiguration(cfg, edit);
}

QString Workspace::text(int n) const {
    if (n < 0 || n > kLanguageTextCount)
        return QString();
    return LangText[static_cast<std::size_t>(n)];
}

void Workspace::setCurChannel(int n) {
    if (n < 0 || n >= kChannels || n == edit.CurChannel)
        return;
    const int previous = edit.CurChannel;
    edit.CurChannel = n;
    emit currentChannelChanged(previous, n);
}

void Workspace::setDataChanged(bool changed) {
    if (edit.DataChanged == changed)
        return;
    edit.DataChanged = changed;
    emit dataChangedChanged(changed);
}

void Workspace::setCurFileName(const QString& name) {
    if (CurFileName == name)
        return;
    CurFileName = name;
    emit titleChanged();
}

bool Workspace::change(const std::function<void(Configuration&)>& apply, EditMark mark) {
    const Configuration before = cfg;
    apply(cfg);
    const bool changed = !(cfg == before);
    if (!changed && mark != EditMark::Always)
        return false;
    if (mark != EditMark::Never)
        setDataChanged(true);
    for (int c = 0; c < kChannels; ++c) {
        const auto i = static_cast<std::size_t>(c);
        if (cfg.ChanSetup[i] != before.ChanSetup[i] || cfg.MasterMatrix[i] != before.MasterMatrix[i] ||
            cfg.ChanText[i] != before.ChanText[i] || cfg.ChanFlags[i] != before.ChanFlags[i] ||
            cfg.LogicMarks[i] != before.LogicMarks[i])
            emit channelChanged(c);
    }
    emit edited();
    return changed;
}

int Workspace::ownerOf(const ValueFact& fact) const {
    return fact.area == ValueArea::Logic ? edit.CurLogicBlock : edit.CurChannel;
}

int Workspace::ownerOf(const TextFact& fact) const {
    return fact.area == TextArea::LogicNote ? edit.CurLogicBlock : edit.CurChannel;
}

bool Workspace::setValue(const ValueFact& fact, int value, EditMark mark) {
    const int c = ownerOf(fact);
    return this->change([&](Configuration& config) { StoreValue(fact, config, c, value); }, mark);
}

void Workspace::changeChannelType(int n, int type) {
    std::vector<int> redraw;
    change([&](Configuration& config) { redraw = SetChannelType(config, n, type); });
    // A cell whose picture depends on a neighbour is redrawn although its own row kept its bytes.
    for (int c : redraw)
        emit channelChanged(c);
}

void Workspace::clear() {
    const bool wasChanged = edit.DataChanged;
    ClearConfiguration(cfg, edit);
    if (wasChanged)
        emit dataChangedChanged(false);
    emit configurationReplaced();
}

} // namespace korvane
