#include "ui/editor/pages/roller_page.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "model/channel_types.h"
#include "model/facts_device.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "pictures/icon_factory.h"
#include "ui/editor/form/cell_grid.h"
#include "ui/editor/form/grid_cell.h"
#include "ui/editor/virtual_key.h"

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
     .label = "Label8"},
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
     .label = "L_rmoperation"},
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

constexpr int kLegendIconSize = 14;
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

int RollerPage::shownValue(const FormRow& row) const {
    // Any direction byte other than 0 reads as down.
    if (row.fact == &facts::kRollerDirection)
        return EditorPage::shownValue(row) != 0 ? 255 : 0;
    return EditorPage::shownValue(row);
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
    auto* grid = new CellGrid(kCellsPerGroup, pairs, this);
    grid->setObjectName(QStringLiteral("F_RmGrid"));
    grid->setWidthFollowsHeight(true);
    for (int i = 0; i < kRmCells; ++i) {
        auto* c = new MasterCell(i, grid);
        c->setObjectName(QStringLiteral("IRm_%1").arg(i));
        connect(c, &MasterCell::clicked, this, &RollerMasterPage::IRm_Click);
        grid->addCell(c);
        cells_[static_cast<std::size_t>(i)] = c;
    }

    // Legend: selected, a blind not selected, not usable.
    auto* legend = new QGridLayout();
    legend->setHorizontalSpacing(4);
    const char* const names[] = {"L_rmselect", "L_rmenable", "L_rmnotuse"};
    const int pictures[] = {IconFactory::kRollerGridSelected, IconFactory::kRollerGridEnabled,
                            IconFactory::kRollerGridOff};
    for (int k = 0; k < 3; ++k) {
        auto* pic = new QLabel(this);
        pic->setPixmap(IconFactory::pixmap(pictures[k], QSize(kLegendIconSize, kLegendIconSize), devicePixelRatioF()));
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(names[k]));
        l->setTextFormat(Qt::PlainText);
        legend_[static_cast<std::size_t>(k)] = l;
        legend->addWidget(pic, k, 0);
        legend->addWidget(l, k, 1);
    }
    legend->setColumnStretch(1, 1);

    auto* keys = new GridKeys(this);
    keys->setObjectName(QStringLiteral("TdumRM"));
    SetHelpContext(keys, kHelpRollerMasterMatrix, QStringLiteral("TdumRM"));
    keys->onKey = [this](int code) { TdumRM_KeyDown(code); };
    tdum_ = keys;

    // The page's own lines (the mode and the times) come first in its layout: they move beside the grid.
    auto* v = static_cast<QVBoxLayout*>(layout());
    // The grid takes the room below the lines, not the stretch at the page's end.
    if (QLayoutItem* end = v->itemAt(v->count() - 1); end && end->spacerItem())
        delete v->takeAt(v->count() - 1);
    QWidget* lines = v->itemAt(0)->widget();
    v->removeWidget(lines);
    auto* side = new QVBoxLayout();
    side->addWidget(lines);
    side->addSpacing(6);
    side->addLayout(legend);
    side->addStretch(1);
    auto* beside = new QHBoxLayout();
    beside->setSpacing(10);
    beside->addWidget(grid);
    beside->addLayout(side);
    beside->addStretch(1);
    v->insertLayout(0, beside, 1);
    v->insertWidget(1, keys);
}

bool RollerMasterPage::shows(const QString& pageKey, int type) const {
    return pageKey.isEmpty() && type == kTypeRollerMaster;
}

void RollerMasterPage::fill() {
    EditorPage::fill();
    Update_Rollermaster();
}

int RollerMasterPage::shownValue(const FormRow& row) const {
    // Any mode byte other than 0 reads as sequential.
    if (row.fact == &facts::kRollerMasterMode)
        return EditorPage::shownValue(row) != 0 ? 255 : 0;
    return EditorPage::shownValue(row);
}

int RollerMasterPage::pictureOf(int cell) const {
    const Workspace& ws = ctx_.ws;
    switch (GetRmSt(ws.cfg, ws.curChannel(), cell)) {
    case kRmSelected:
        return IconFactory::kRollerGridSelected;
    case kRmEnabled:
        return IconFactory::kRollerGridEnabled;
    default:
        return IconFactory::kRollerGridOff;
    }
}

void RollerMasterPage::drawCell(int cell, bool cursor) {
    if (cell >= 0 && cell < kRmCells)
        cells_[static_cast<std::size_t>(cell)]->setPicture(pictureOf(cell), cursor);
}

void RollerMasterPage::Update_Rollermaster() {
    Workspace& ws = ctx_.ws;
    legend_[0]->setText(ws.text(kTxtSelected));
    legend_[1]->setText(ws.text(kTxtNotSelected));
    legend_[2]->setText(ws.text(kTxtLegendNotDrivable));
    ws.edit.MatrixCursor = 0;
    const int last = RmLastCell(ws.cfg);
    for (int i = 0; i < kRmCells; ++i) {
        drawCell(i, i == 0);
        cells_[static_cast<std::size_t>(i)]->setVisible(i <= last);
    }
}

void RollerMasterPage::putCell(int cell, int value) {
    const int m = ctx_.ws.curChannel();
    ctx_.ws.change([&](Configuration& cfg) { PutRmSt(cfg, m, cell, value); }, EditMark::Always);
}

void RollerMasterPage::moveRight() {
    int& cur = ctx_.ws.edit.MatrixCursor;
    if (const std::optional<int> next = RmCursorMove(ctx_.ws.cfg, cur, vk::kRight))
        cur = *next;
    else
        ctx_.dialogs.beep();
}

QWidget* RollerMasterPage::selectedMode() const {
    return control(ctx_.ws.value(facts::kRollerMasterMode) != 0 ? "O_rmSEQ" : "O_rmSIM");
}

void RollerMasterPage::IRm_Click(int cell) {
    Workspace& ws = ctx_.ws;
    tdum_->setFocus(Qt::MouseFocusReason);
    drawCell(ws.edit.MatrixCursor, false);
    ws.edit.MatrixCursor = cell;
    const int m = ws.curChannel();
    switch (GetRmSt(ws.cfg, m, cell)) {
    case kRmEnabled:
        putCell(cell, 1);
        break;
    case kRmSelected:
        putCell(cell, 0);
        break;
    default:
        // Not a blind: it cannot be chosen, but a choice left behind by a former blind is cleared.
        if (RmCellMarked(ws.cfg, m, cell))
            putCell(cell, 0);
        break;
    }
    drawCell(cell, true);
}

void RollerMasterPage::TdumRM_KeyDown(int code) {
    Workspace& ws = ctx_.ws;
    int& cur = ws.edit.MatrixCursor;
    const int m = ws.curChannel();
    drawCell(cur, false);
    switch (code) {
    case vk::kUp:
    case vk::kDown:
    case vk::kLeft:
    case vk::kRight:
        if (const std::optional<int> next = RmCursorMove(ws.cfg, cur, code))
            cur = *next;
        else
            ctx_.dialogs.beep();
        break;
    case vk::k1:
    case vk::kPad1:
        if (GetRmSt(ws.cfg, m, cur) != kRmNotUsable)
            putCell(cur, 1);
        else
            ctx_.dialogs.beep();
        drawCell(cur, false);
        moveRight();
        break;
    case vk::k0:
    case vk::kPad0:
    case vk::kX:
        // A former blind's choice can be cleared too; only a cell with nothing to clear beeps.
        if (GetRmSt(ws.cfg, m, cur) != kRmNotUsable || RmCellMarked(ws.cfg, m, cur))
            putCell(cur, 0);
        else
            ctx_.dialogs.beep();
        drawCell(cur, false);
        moveRight();
        break;
    case vk::kEnter:
        drawCell(cur, true);
        if (QWidget* mode = selectedMode())
            mode->setFocus(Qt::TabFocusReason);
        return;
    default:
        break;
    }
    drawCell(cur, true);
}

bool RollerMasterPage::eventFilter(QObject* watched, QEvent* event) {
    // On a mode option any key but Enter, Tab and the arrows (which choose) chooses the other option:
    // the focus and the choice never part, as with the arrows.
    if (event->type() == QEvent::KeyPress && (watched == control("O_rmSIM") || watched == control("O_rmSEQ"))) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Space:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_F1:
            break;
        default:
            if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                auto* other = control<QAbstractButton>(watched == control("O_rmSIM") ? "O_rmSEQ" : "O_rmSIM");
                other->setFocus(Qt::TabFocusReason);
                other->click();
                return true;
            }
            break;
        }
    }
    return EditorPage::eventFilter(watched, event);
}

} // namespace korvane
