#include "ui/editor/pages/roller_page.h"

#include <QVBoxLayout>

#include "model/channel_types.h"
#include "model/facts_device.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "pictures/icon_factory.h"
#include "ui/editor/form/cell_grid.h"

namespace korvane {

namespace {

// Enter runs down the page; from the box with slats to the chosen direction, then the priority channel.
constexpr FormRow kRollerRows[] = {
    {.control = "T_RollUpTime",
     .kind = ControlKind::Field,
     .fact = &facts::kRollerRunTime,
     .help = kHelpRollerRunTime,
     .enter = "T_RollReverse",
     .label = "L_RollUp_0",
     .unitLabel = "L_sekund_14"},
    {.control = "T_RollReverse",
     .kind = ControlKind::Field,
     .fact = &facts::kRollerReverse,
     .help = kHelpRollerReverse,
     .enter = "Chk_MitLamel",
     .label = "L_RollUp_1",
     .unitLabel = "L_sekund_15",
     .ownStore = true},
    {.control = "Chk_MitLamel", .kind = ControlKind::Check, .fact = &facts::kRollerSlats, .help = kHelpRollerSlats},
    {.control = "Option",
     .kind = ControlKind::Option,
     .fact = &facts::kRollerDirection,
     .help = kHelpRollerDirection,
     .enter = "T_Vorrang",
     .label = "Label8",
     .pair = true},
    {.control = "T_Vorrang",
     .kind = ControlKind::Field,
     .fact = &facts::kRollerPriority,
     .help = kHelpRollerPriority,
     .caption = kTxtChannel,
     .enter = kToDescription,
     .label = "Label11"},
};

constexpr FormRow kMasterRows[] = {
    {.control = "O_rmMode",
     .kind = ControlKind::Option,
     .fact = &facts::kRollerMasterMode,
     .help = kHelpRollerMasterMode,
     .enter = "Txt_Rm_RollTime",
     .label = "L_rmoperation",
     .pair = true,
     .keysChoose = true},
    {.control = "Txt_Rm_RollTime",
     .kind = ControlKind::Field,
     .fact = &facts::kRollerMasterRunTime,
     .help = kHelpRollerMasterRunTime,
     .enter = "Txt_RM_RevTim",
     .label = "Label6",
     .unitLabel = "L_sekund_19"},
    {.control = "Txt_RM_RevTim",
     .kind = ControlKind::Field,
     .fact = &facts::kRollerMasterReverse,
     .help = kHelpRollerMasterReverse,
     .enter = kToDescription,
     .label = "Label7",
     .unitLabel = "L_sekund_20"},
};

constexpr int kCellsPerGroup = 4;

} // namespace

// ---- Roller blind ----

RollerPage::RollerPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_RollerBlind_Setup", parent) {
    build(kRollerRows);
}

bool RollerPage::shows(const QString& pageKey, int type) const {
    return pageKey.isEmpty() && type == kTypeRoller;
}

void RollerPage::prepare() {
    Workspace& ws = ctx_.ws;
    const int c = ws.curChannel();
    if (ws.typeOf(c) != kTypeRoller)
        return;
    ws.change(
        [c](Configuration& cfg) {
            // A reverse time below the minimum becomes the default, with the bus cycles that go with it.
            Row& row = cfg.ChanSetup[static_cast<std::size_t>(c)];
            if (RollerReverseTime(row) < kRollReverseMin)
                SettleRollerReverse(row, cfg.SysData[kSysChannelsInUse]);
        },
        EditMark::Never);
}

void RollerPage::fill() {
    filledChannel_ = ctx_.ws.curChannel();
    EditorPage::fill();
}

void RollerPage::store(const FormRow& row, int value, EditMark mark) {
    if (row.fact != &facts::kRollerReverse) {
        EditorPage::store(row, value, mark);
        return;
    }
    // The reverse time and its bus cycles go together.
    const int c = ctx_.ws.curChannel();
    ctx_.ws.change(
        [c, value](Configuration& cfg) {
            Row& r = cfg.ChanSetup[static_cast<std::size_t>(c)];
            SetRollerReverseTime(r, value);
            r[kRollReverseCycles] = RollerReverseCycles(value, cfg.SysData[kSysChannelsInUse]);
        },
        mark);
}

void RollerPage::left(const FormRow& row) {
    // Leaving the reverse time settles it: below 500 it becomes 1000, and the bus cycles follow. Only
    // the row the page shows is touched, and only while that channel is still a roller blind.
    if (row.fact != &facts::kRollerReverse || filledChannel_ < 0 || ctx_.ws.typeOf(filledChannel_) != kTypeRoller)
        return;
    const int c = filledChannel_;
    ctx_.ws.change([c](Configuration& cfg) {
        SettleRollerReverse(cfg.ChanSetup[static_cast<std::size_t>(c)], cfg.SysData[kSysChannelsInUse]);
    });
    if (c == ctx_.ws.curChannel())
        showRow(row);
}

// ---- Roller master ----

RollerMasterPage::RollerMasterPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "F_RollMaster", parent) {
    build(kMasterRows);
    joinLine({"O_rmSIM", "O_rmSEQ"});

    // The grid of channel pairs, four per group, takes the page's height; the rows and the legend
    // stand beside it. Its cells are at least as large as those of the master grid.
    QStringList pairs;
    for (int p = 0; p < kCellsPerGroup; ++p)
        pairs << QStringLiteral("%1-%2").arg(2 * p + 1).arg(2 * p + 2);
    grid_ = new CellGrid(ctx, host, kCellsPerGroup, pairs, kRmCells, "IRm_", this);
    grid_->setObjectName(QStringLiteral("F_RmGrid"));
    grid_->setWidthFollowsHeight(true);
    grid_->setRules({.picture = [this](int cell) { return pictureOf(cell); },
                     .last = [this] { return RmLastCell(ctx_.ws.cfg); },
                     .move = [this](int cursor, int key) { return RmCursorMove(ctx_.ws.cfg, cursor, key); },
                     .set = [this](int cell, CellGrid::SetKey key) { setByKey(cell, key); },
                     .click = [this](int cell) { toggle(cell); },
                     // Enter goes to the mode chosen.
                     .enter =
                         [this] {
                             control(ctx_.ws.value(facts::kRollerMasterMode) != 0 ? "O_rmSEQ" : "O_rmSIM")
                                 ->setFocus(Qt::TabFocusReason);
                         },
                     .advance = true,
                     .channel = [](int cell) { return 2 * cell; },
                     .stateWords =
                         [this](int cell) {
                             const int state = GetRmSt(ctx_.ws.cfg, ctx_.ws.curChannel(), cell);
                             return ctx_.ws.text(state == kRmSelected  ? kTxtSelected
                                                 : state == kRmEnabled ? kTxtNotSelected
                                                                       : kTxtLegendNotDrivable);
                         }});

    // Legend: selected, a blind not selected, not usable.
    legend_ = new GridLegend(1, -1, this);
    legend_->add(IconFactory::kRollerGridSelected, QStringLiteral("L_rmselect"));
    legend_->add(IconFactory::kRollerGridEnabled, QStringLiteral("L_rmenable"));
    legend_->add(IconFactory::kRollerGridOff, QStringLiteral("L_rmnotuse"));

    QWidget* keys = grid_->makeKeyField("TdumRM");
    SetHelpContext(keys, kHelpRollerMasterMatrix, QStringLiteral("TdumRM"));
    // The mode and the times stand beside the grid, the legend under them; the keys under it all.
    setLinesBeside(grid_, legend_);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, keys);
}

bool RollerMasterPage::shows(const QString& pageKey, int type) const {
    return pageKey.isEmpty() && type == kTypeRollerMaster;
}

void RollerMasterPage::fill() {
    EditorPage::fill();
    legend_->setTexts(ctx_.ws, {kTxtSelected, kTxtNotSelected, kTxtLegendNotDrivable});
    grid_->fill();
    showCount();
}

int RollerMasterPage::pictureOf(int cell) const {
    switch (GetRmSt(ctx_.ws.cfg, ctx_.ws.curChannel(), cell)) {
    case kRmSelected:
        return IconFactory::kRollerGridSelected;
    case kRmEnabled:
        return IconFactory::kRollerGridEnabled;
    default:
        return IconFactory::kRollerGridOff;
    }
}

void RollerMasterPage::putCell(int cell, int value) {
    const int m = ctx_.ws.curChannel();
    ctx_.ws.change([&](Configuration& cfg) { PutRmSt(cfg, m, cell, value); }, EditMark::Always);
    showCount();
}

void RollerMasterPage::showCount() {
    int selected = 0;
    for (int cell = 0; cell <= RmLastCell(ctx_.ws.cfg); ++cell)
        selected += GetRmSt(ctx_.ws.cfg, ctx_.ws.curChannel(), cell) == kRmSelected;
    legend_->setSummary(ctx_.ws.text(kTxtBlindCount).arg(selected));
}

bool RollerMasterPage::selectable(int cell) const {
    return GetRmSt(ctx_.ws.cfg, ctx_.ws.curChannel(), cell) != kRmNotUsable;
}

bool RollerMasterPage::clearable(int cell) const {
    // A choice left behind by a former blind can be cleared too, never made.
    return selectable(cell) || RmCellMarked(ctx_.ws.cfg, ctx_.ws.curChannel(), cell);
}

void RollerMasterPage::toggle(int cell) {
    if (GetRmSt(ctx_.ws.cfg, ctx_.ws.curChannel(), cell) == kRmEnabled)
        putCell(cell, 1);
    else if (clearable(cell))
        putCell(cell, 0);
}

void RollerMasterPage::setByKey(int cell, CellGrid::SetKey key) {
    // 1 selects a blind, 0 and X clear; a cell with nothing to select or clear beeps.
    const bool select = key == CellGrid::SetKey::One;
    if (select ? selectable(cell) : clearable(cell))
        putCell(cell, select ? 1 : 0);
    else
        ctx_.dialogs.beep();
}

} // namespace korvane
