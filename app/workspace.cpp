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

void Workspace::changeChannelType(int n, int type) {
    const std::vector<int> redraw = SetChannelType(cfg, n, type);
    if (redraw.empty())
        return;
    setDataChanged(true);
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
