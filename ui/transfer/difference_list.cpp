#include "ui/transfer/difference_list.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

#include "model/text_ids.h"
#include "model/channel_types.h"
#include "model/logic.h"

namespace korvane {

namespace {

// System settings with a caption of their own in the language texts.
int systemByteText(int index) {
    static const std::map<int, int> texts{
        {kSysUsePcClock, kTxtUsePcClock},
        {kSysChannelsInUse, kTxtNumberOfChannels},
        {kSysAutoSummerTime, kTxtAutoSummerTime},
        {kSysEventSms, kTxtEventOutput},
        {kSysDialOutMethod, kTxtDialOutMethod},
        {kSysMuxCount, kTxtMuxCount},
        {kSysMuxDelay, kTxtMuxDelay},
        {kSysTimeOutput, kTxtTimeOutput},
        {kSysDeviceNo, kTxtDeviceNumber},
        {kSysCounter, kTxtCounter},
        {kSysDialInPassword, kTxtPasswordProtection},
        {kSysDialInSafety, kTxtKnownNumbersOnly},
        {kSysSmsResponseTime, kTxtResponseTime},
    };
    const auto it = texts.find(index);
    return it == texts.end() ? -1 : it->second;
}

QString systemByteName(const Workspace& ws, int index) {
    const QString byte = ws.text(kTxtByte) + QLatin1Char(' ') + QString::number(index);
    if (const int t = systemByteText(index); t >= 0)
        return ws.text(t) + QStringLiteral(" (") + byte + QLatin1Char(')');
    if (index >= kSysExchangeMask && index < kSysExchangeMask + 16)
        return ws.text(kTxtExchangeMaskCaption) + QLatin1Char(' ') + QChar('A' + index - kSysExchangeMask) +
               QStringLiteral(" (") + byte + QLatin1Char(')');
    if (index >= kSysHolidays && index < kSysHolidays + 4 * kSysHolidayCount)
        return ws.text(kTxtMenuHolidaySetup) + QLatin1Char(' ') + QString::number((index - kSysHolidays) / 4 + 1) +
               QStringLiteral(" (") + byte + QLatin1Char(')');
    return byte;
}

QString typeName(const Workspace& ws, int type) {
    const QString name = type >= 0 && type < 64 ? ws.text(TypeNameText(type)) : QString();
    return name.isEmpty() ? QString::number(type) : name;
}

QString flagsName(const Workspace& ws, int flags) {
    QStringList parts;
    if (flags & kFlagCheck1)
        parts << ws.text(kTxtEventOnReport);
    if (flags & kFlagCheck2)
        parts << ws.text(kTxtEventOffReport);
    return parts.isEmpty() ? QStringLiteral("-") : parts.join(QStringLiteral(" + "));
}

QString label(const Workspace& ws, const Difference& d) {
    switch (d.item) {
    case DiffItem::Function:
        return ws.text(kTxtChannelFunction);
    case DiffItem::Options:
        return ws.text(kTxtEventOutput);
    case DiffItem::SetupByte:
        return ws.text(kTxtSetupByte) + QLatin1Char(' ') + QString::number(d.index);
    case DiffItem::MasterByte:
        return ws.text(kTxtMasterByte) + QLatin1Char(' ') + QString::number(d.index);
    case DiffItem::ChannelText:
    case DiffItem::LogicDescription:
        return ws.text(kTxtDescription);
    case DiffItem::LogicByte: {
        constexpr int kByteTexts[kLogicBytes] = {kTxtOutput, kTxtInput1, kTxtInput2, kTxtFunction};
        return d.index >= 0 && d.index < kLogicBytes ? ws.text(kByteTexts[d.index]) : QString::number(d.index);
    }
    case DiffItem::GeneralDescription:
        return ws.text(kTxtSystemDescription);
    case DiffItem::SystemByte:
        return systemByteName(ws, d.index);
    case DiffItem::SmsText:
        return ws.text(kTxtSmsEntry) + QLatin1Char(' ') + QString::number(d.index);
    case DiffItem::SmsIdentification:
        return ws.text(kTxtSmsIdentification);
    }
    return QString();
}

QString value(const Workspace& ws, const Difference& d, bool before) {
    const int v = before ? d.beforeValue : d.afterValue;
    if (d.item == DiffItem::Function)
        return typeName(ws, v);
    if (d.item == DiffItem::Options)
        return flagsName(ws, v);
    return QString::fromStdString(before ? d.before : d.after);
}

} // namespace

QString DifferenceGroup(const Workspace& ws, const Difference& d) {
    if (d.channel >= 0)
        return QString::fromStdString(Num_2_Channel(d.channel));
    switch (d.item) {
    case DiffItem::LogicByte:
    case DiffItem::LogicDescription:
        return ws.text(kTxtLogicBlocks) + QLatin1Char(' ') + QString::number(d.block);
    case DiffItem::SmsText:
    case DiffItem::SmsIdentification:
        return ws.text(kTxtMenuSmsSetup);
    default:
        return ws.text(kTxtMenuBasicSetup);
    }
}

QString DifferenceLine(const Workspace& ws, const Difference& d, DiffSides sides) {
    const QString before = value(ws, d, true);
    const QString after = value(ws, d, false);
    if (sides == DiffSides::UnitWritten)
        return label(ws, d) + QStringLiteral(": ") + ws.text(kTxtUnitValue) + QLatin1Char(' ') + before +
               QStringLiteral(", ") + ws.text(kTxtWrittenValue) + QLatin1Char(' ') + after;
    return label(ws, d) + QStringLiteral(": ") + before + QStringLiteral(" -> ") + after;
}

QString CompareHeading(const Workspace& ws, const QString& otherName) {
    return ws.text(kTxtInMemory) + QStringLiteral(" -> ") + otherName;
}

DifferenceList::DifferenceList(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("DifferenceList"));
    List_Differences = new QTreeWidget(this);
    List_Differences->setObjectName(QStringLiteral("List_Differences"));
    List_Differences->setHeaderHidden(true);
    List_Differences->setColumnCount(1);
    List_Differences->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List_Differences->setMinimumSize(480, 220);
    Cmd_copy = new QPushButton(this);
    Cmd_copy->setObjectName(QStringLiteral("Cmd_copy"));
    auto* copyKey = new QShortcut(QKeySequence::Copy, List_Differences);
    copyKey->setContext(Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, this, [this] { copy(true); });
    connect(Cmd_copy, &QPushButton::clicked, this, [this] { copy(false); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cmd_copy);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(List_Differences);
    layout->addLayout(buttons);
    retranslate();
}

void DifferenceList::retranslate() {
    Cmd_copy->setText(ctx_.ws.text(kTxtCopy));
    setDifferences(std::vector<Difference>(diffs_), sides_);
}

void DifferenceList::setDifferences(const std::vector<Difference>& diffs, DiffSides sides) {
    diffs_ = diffs;
    sides_ = sides;
    List_Differences->clear();
    std::map<QString, QTreeWidgetItem*> groups;
    for (const Difference& d : diffs_) {
        const QString group = DifferenceGroup(ctx_.ws, d);
        QTreeWidgetItem*& parent = groups[group];
        if (!parent) {
            parent = new QTreeWidgetItem(List_Differences, QStringList{group});
            parent->setExpanded(true);
        }
        new QTreeWidgetItem(parent, QStringList{DifferenceLine(ctx_.ws, d, sides_)});
    }
    Cmd_copy->setEnabled(!diffs_.empty());
}

namespace {

QString groupText(const QTreeWidgetItem* group, bool selectedOnly) {
    QString out;
    const bool whole = !selectedOnly || group->isSelected();
    for (int i = 0; i < group->childCount(); ++i) {
        const QTreeWidgetItem* line = group->child(i);
        if (whole || line->isSelected())
            out += QStringLiteral("    ") + line->text(0) + QLatin1Char('\n');
    }
    return out.isEmpty() ? out : group->text(0) + QLatin1Char('\n') + out;
}

} // namespace

QString DifferenceList::text() const {
    QString out;
    for (int g = 0; g < List_Differences->topLevelItemCount(); ++g)
        out += groupText(List_Differences->topLevelItem(g), false);
    return out;
}

QString DifferenceList::selectedText() const {
    QString out;
    for (int g = 0; g < List_Differences->topLevelItemCount(); ++g)
        out += groupText(List_Differences->topLevelItem(g), true);
    return out;
}

void DifferenceList::copy(bool selectedOnly) const {
    const QString text = selectedOnly ? selectedText() : this->text();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

FrmCompare::FrmCompare(AppContext& ctx, const QString& otherName, const std::vector<Difference>& diffs, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FrmCompare"));
    QString title = ctx.ws.text(kTxtMenuCompareFile);
    while (title.endsWith(QLatin1Char('.')))
        title.chop(1);
    setWindowTitle(title);
    auto* heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setWordWrap(true);
    heading->setText(diffs.empty() ? ctx.ws.text(kTxtNoDifferences) : CompareHeading(ctx.ws, otherName));
    list_ = new DifferenceList(ctx, this);
    list_->setDifferences(diffs, DiffSides::Compare);
    list_->setVisible(!diffs.empty());
    auto* ok = new QPushButton(QLatin1Char('&') + ctx.ws.text(kTxtButtonOk), this);
    ok->setObjectName(QStringLiteral("Cmd_ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
}

} // namespace korvane
