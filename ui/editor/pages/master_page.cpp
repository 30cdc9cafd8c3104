#include "ui/editor/pages/master_page.h"

#include <QCheckBox>
#include <QLayout>
#include <QPushButton>
#include <algorithm>

#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "pictures/icon_factory.h"

namespace korvane {

namespace {

// Under the grid: whether the master function is run by the clock, with the button that shows its
// trigger times (Enter on the box goes to it while the option is on).
constexpr FormRow kRows[] = {
    {.control = "Chk_masterRt",
     .kind = ControlKind::Check,
     .fact = &facts::kMasterRunByClock,
     .help = kHelpMasterRealTime,
     .tag = "SelectRealtime"},
};

} // namespace

MasterPage::MasterPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_MasterFunction_Setup", parent) {
    layout()->setSpacing(3);

    // The cells grow with the window; the group letters and digits follow them.
    grid_ = new CellGrid(ctx, host, 8, {"1", "2", "3", "4", "5", "6", "7", "8"}, kChannels, "I_Master_", this);
    grid_->setObjectName(QStringLiteral("F_MasterGrid"));
    grid_->setRules({.picture = [this](int t) { return IconFactory::kMasterGridBase + stateOf(t); },
                     .last = [this] { return ctx_.ws.cfg.channelsInUse(); },
                     .set = [this](int t, CellGrid::SetKey key) { setByKey(t, key); },
                     .click = [this](int t) { cycle(t); },
                     // A siren's flash pattern returns to the siren's page; the other grids end their chain here.
                     .enter = [this] { mode_ == Mode::FlashPattern ? leaveFlashPattern() : host_.focusMainWindow(); },
                     .escape = [this] { leaveFlashPattern(); },
                     .groupMenuWithOff = [this] { return mode_ == Mode::Master; },
                     .channel = [](int t) { return t; },
                     .stateWords = [this](int t) { return ctx_.ws.text(stateText(stateOf(t))); }});

    // The two pictures of the master mode, and the two that every mode uses.
    legend_ = new GridLegend(2, 0, this);
    for (int i = 0; i < 4; ++i)
        legend_->add(IconFactory::kMasterGridBase + i, QStringLiteral("L_Master_%1").arg(i),
                     i < 2 ? QStringLiteral("I_Master_types_%1").arg(i) : QString());

    build(kRows);
    setLinesUnder(grid_, legend_);
    cmdViewRt_ = addButton("Cmd_viewRt", kHelpViewRealTime, "RealtimeMaster", kTxtViewRealTime, "Chk_masterRt");
    connect(cmdViewRt_, &QPushButton::clicked, this, [this] { trigger_->toggle(); });
    // The way back from a siren's flash pattern to the siren's page (Escape and Enter in the grid too).
    cmdBack_ = addButton("Cmd_FlashBack", kHelpFlashPattern, "IntruderFlashPattern", kTxtBack, "Chk_masterRt");
    connect(cmdBack_, &QPushButton::clicked, this, &MasterPage::leaveFlashPattern);
    setEscapeButton(cmdBack_);

    tDummy_ = grid_->makeKeyField("T_dummy");
    layout()->addWidget(tDummy_);
    // The trigger times of a master function run by the clock show in the grid's room, for its channel.
    trigger_ =
        std::make_unique<CompanionView>(this, "Frame_RealTime_Setup", std::initializer_list<QWidget*>{grid_, legend_},
                                        [this] { return runByClock() ? ctx_.ws.curChannel() : -1; });
}

bool MasterPage::shows(const QString& pageKey, int type) const {
    return pageKey == QLatin1String("Exchange") || (pageKey.isEmpty() && type == kTypeMaster);
}

void MasterPage::fill() {
    const Workspace& ws = ctx_.ws;
    const bool exchange = pageKeyShown_ == QLatin1String("Exchange");
    const int c = ws.curChannel();
    mode_ = exchange ? Mode::Exchange : ws.typeOf(c) == kTypeIntruderSiren ? Mode::FlashPattern : Mode::Master;
    // The editor's caption (the editor pane's heading, or its own window's title).
    if (exchange)
        parentWidget()->setWindowTitle(ws.text(kTxtExchangeMaskCaption));
    // The mask has no targets that cannot be driven or are off: a bit is selected or not.
    legend_->setEntryVisible(0, !exchange);
    legend_->setEntryVisible(1, !exchange);
    legend_->setTexts(ws, {kTxtLegendNotDrivable, kTxtLegendOff, exchange ? kTxtSelected : kTxtLegendOn,
                           exchange ? kTxtNotSelected : kTxtLegendNotAffected});
    EditorPage::fill();
    // The real-time option belongs to master functions only; its button shows while the option is on.
    control("Chk_masterRt")->setVisible(mode_ == Mode::Master);
    cmdViewRt_->setVisible(runByClock());
    cmdBack_->setVisible(mode_ == Mode::FlashPattern);
    grid_->fill();
    showCount();
    // The trigger times stay open for the channel they were opened for.
    trigger_->refill();
    static const std::pair<int, const char*> kHelp[] = {{kHelpMasterMatrix, "EditMask"},
                                                        {kHelpFlashPattern, "IntruderFlashPattern"},
                                                        {kHelpExchangeMask, "Data Exchange"}};
    const auto& [help, tag] = kHelp[static_cast<int>(mode_)];
    SetHelpContext(tDummy_, help, QLatin1String(tag));
}

int MasterPage::stateText(int state) const {
    if (mode_ == Mode::Exchange)
        return state == kMasterOn ? kTxtSelected : kTxtNotSelected;
    static constexpr int kTexts[] = {kTxtLegendNotDrivable, kTxtLegendOff, kTxtLegendOn, kTxtLegendNotAffected};
    return kTexts[std::clamp(state, 0, 3)];
}

void MasterPage::showCount() {
    const Workspace& ws = ctx_.ws;
    int on = 0, off = 0;
    for (int t = 0; t <= ws.cfg.channelsInUse(); ++t) {
        const int state = stateOf(t);
        on += state == kMasterOn;
        off += state == kMasterOff;
    }
    legend_->setSummary(mode_ == Mode::Master         ? ws.text(kTxtTargetCount).arg(on).arg(off)
                        : mode_ == Mode::FlashPattern ? ws.text(kTxtFlashCount).arg(on)
                                                      : ws.text(kTxtExchangeCount).arg(on));
}

int MasterPage::stateOf(int t) const {
    const Workspace& ws = ctx_.ws;
    // A set bit of the mask counts as a target switched on, a clear one as a target not affected.
    if (mode_ == Mode::Exchange)
        return GetExchBit(ws.cfg, t) ? kMasterOn : kMasterNotAffected;
    return GetMaster(ws.cfg, t, ws.curChannel());
}

EditorPage* MasterPage::companion() const {
    return trigger_->shown() ? trigger_->view() : nullptr;
}

void MasterPage::setTarget(int t, int state) {
    const int c = ctx_.ws.curChannel();
    const bool exchange = mode_ == Mode::Exchange;
    ctx_.ws.change(
        [&](Configuration& cfg) {
            exchange ? PutExchBit(cfg, t, state == kMasterOn ? 1 : 0) : PutMaster(cfg, c, t, state);
        },
        EditMark::Always);
    showCount();
}

void MasterPage::cycle(int t) {
    ctx_.ws.edit.CurGroup = t / 8;
    // The mask and a flash pattern toggle a cell. A target that cannot be driven keeps its picture and
    // nothing is stored.
    const int old = stateOf(t);
    if (const int next = NextMasterState(old, mode_ != Mode::Master); next != old)
        setTarget(t, next);
}

void MasterPage::setByKey(int t, CellGrid::SetKey key) {
    // 0 switches a target off in a master function only; a flash pattern or the mask has no "off".
    const int state = key == CellGrid::SetKey::One ? kMasterOn
                      : key == CellGrid::SetKey::X ? kMasterNotAffected
                      : mode_ == Mode::Master      ? kMasterOff
                                                   : -1;
    if (state < 0)
        return;
    if (state != kMasterNotAffected && stateOf(t) == kMasterNotDrivable) {
        // A target that cannot be driven is never switched on or off, from the keyboard neither.
        ctx_.dialogs.beep();
        return;
    }
    setTarget(t, state);
}

void MasterPage::groupAction(GroupAction action) {
    // "Off" belongs to a master function's menu only.
    if (action == GroupAction::Off && mode_ != Mode::Master)
        return;
    Workspace& ws = ctx_.ws;
    const int g = ws.edit.CurGroup;
    const int c = ws.curChannel();
    const bool exchange = mode_ == Mode::Exchange;
    ws.change([&](Configuration& cfg) { exchange ? ExchangeGroup(cfg, g, action) : MasterGroup(cfg, c, g, action); },
              EditMark::Always);
    fill();
}

bool MasterPage::runByClock() const {
    return mode_ == Mode::Master && ctx_.ws.value(facts::kMasterRunByClock) != 0;
}

void MasterPage::stored(const FormRow& /*row*/) {
    // The button shows while the option is on; without it there are no trigger times to show.
    cmdViewRt_->setVisible(runByClock());
    if (!runByClock())
        trigger_->close();
}

QWidget* MasterPage::successor(const FormRow& /*row*/) {
    return runByClock() ? cmdViewRt_ : host_.descriptionField();
}

void MasterPage::leaveFlashPattern() {
    if (mode_ != Mode::FlashPattern)
        return;
    host_.closeFlashPattern();
    // Back where the pattern was opened: the siren's page, on the button that opens it again.
    QWidget* opener = window()->findChild<QWidget*>(QStringLiteral("Cmd_Tyv_BlinkSet"));
    if (opener && opener->isVisibleTo(window()))
        opener->setFocus(Qt::OtherFocusReason);
}

} // namespace korvane
