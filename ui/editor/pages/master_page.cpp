#include "ui/editor/pages/master_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "pictures/icon_factory.h"
#include "ui/editor/form/cell_grid.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

namespace {

constexpr int kLegendIconSize = 14;
// Exchange mode shows a set bit like a target switched on and a clear bit like one not affected.
constexpr int kExchangeSet = kMasterOn;
constexpr int kExchangeClear = kMasterNotAffected;

QPixmap legendPicture(QWidget* w, int state) {
    return IconFactory::pixmap(IconFactory::kMasterGridBase + state, QSize(kLegendIconSize, kLegendIconSize),
                               w->devicePixelRatioF());
}

} // namespace

MasterPage::MasterPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_MasterFunction_Setup", parent) {
    auto* v = static_cast<QVBoxLayout*>(layout());
    v->setSpacing(3);

    // The cells grow with the window; the group letters and digits follow them.
    auto* grid = new CellGrid(8, {"1", "2", "3", "4", "5", "6", "7", "8"}, this);
    grid->setObjectName(QStringLiteral("F_MasterGrid"));
    gridArea_ = grid;
    for (int t = 0; t < kChannels; ++t) {
        auto* c = new MasterCell(t, gridArea_);
        connect(c, &MasterCell::clicked, this, &MasterPage::I_Master_Click);
        connect(c, &MasterCell::rightPressed, this, &MasterPage::I_Master_MouseDown);
        grid->addCell(c);
        cells_[static_cast<std::size_t>(t)] = c;
    }
    v->addWidget(gridArea_, 1);

    // Legend: the two pictures of the master mode, and the two that every mode uses.
    auto* legend = new QGridLayout();
    legend->setHorizontalSpacing(4);
    legend->setVerticalSpacing(0);
    for (int i = 0; i < 4; ++i) {
        legend_[static_cast<std::size_t>(i)] = new QLabel(this);
        legend_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("L_Master_%1").arg(i));
        legend_[static_cast<std::size_t>(i)]->setTextFormat(Qt::PlainText);
    }
    for (int i = 0; i < 2; ++i) {
        types_[static_cast<std::size_t>(i)] = new QLabel(this);
        types_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("I_Master_types_%1").arg(i));
        types_[static_cast<std::size_t>(i)]->setPixmap(legendPicture(this, i));
        legendPictures_[static_cast<std::size_t>(i)] = new QLabel(this);
        legendPictures_[static_cast<std::size_t>(i)]->setPixmap(legendPicture(this, i + 2));
    }
    legend->addWidget(types_[0], 0, 0);
    legend->addWidget(legend_[0], 0, 1);
    legend->addWidget(types_[1], 0, 3);
    legend->addWidget(legend_[1], 0, 4);
    legend->addWidget(legendPictures_[0], 1, 0);
    legend->addWidget(legend_[2], 1, 1);
    legend->addWidget(legendPictures_[1], 1, 3);
    legend->addWidget(legend_[3], 1, 4);
    // The legend keeps together under the grid, whatever the window's width.
    legend->setColumnMinimumWidth(2, 12);
    legend->setColumnStretch(5, 1);
    v->addLayout(legend);

    auto* rt = new QHBoxLayout();
    chkMasterRt_ = new QCheckBox(this);
    chkMasterRt_->setObjectName(QStringLiteral("Chk_masterRt"));
    SetHelpContext(chkMasterRt_, kHelpMasterRealTime, QStringLiteral("SelectRealtime"));
    cmdViewRt_ = new QPushButton(this);
    cmdViewRt_->setObjectName(QStringLiteral("Cmd_viewRt"));
    SetHelpContext(cmdViewRt_, kHelpViewRealTime, QStringLiteral("RealtimeMaster"));
    // The way back from a siren's flash pattern to the siren's page (Escape and Enter in the grid too).
    cmdBack_ = new QPushButton(this);
    cmdBack_->setObjectName(QStringLiteral("Cmd_FlashBack"));
    cmdBack_->setAutoDefault(true);
    SetHelpContext(cmdBack_, kHelpFlashPattern, QStringLiteral("IntruderFlashPattern"));
    connect(cmdBack_, &QPushButton::clicked, this, &MasterPage::leaveFlashPattern);
    rt->addWidget(chkMasterRt_, 1);
    rt->addWidget(cmdViewRt_);
    rt->addWidget(cmdBack_);
    v->addLayout(rt);
    // Enter on the button opens the view as Space does.
    cmdViewRt_->setAutoDefault(true);
    connect(cmdViewRt_, &QPushButton::clicked, this, &MasterPage::Cmd_viewRt_Click);

    auto* dummy = new GridKeys(this);
    dummy->setObjectName(QStringLiteral("T_dummy"));
    dummy->onKey = [this](int code) { T_dummy_KeyDown(code); };
    tDummy_ = dummy;
    v->addWidget(dummy);

    connect(chkMasterRt_, &QCheckBox::clicked, this, [this](bool on) {
        // The matrix shows the real-time master picture while the option is on.
        ctx_.ws.setValue(facts::kMasterRunByClock, on ? 1 : 0);
        cmdViewRt_->setVisible(on);
        // Without the option there are no trigger times to show.
        if (!on) {
            triggerViewChannel_ = -1;
            showTriggerView(false);
        }
    });
    chkMasterRt_->installEventFilter(this);
}

bool MasterPage::shows(const QString& pageKey, int type) const {
    return pageKey == QLatin1String("Exchange") || (pageKey.isEmpty() && type == kTypeMaster);
}

void MasterPage::fill() {
    if (pageKeyShown_ == QLatin1String("Exchange"))
        Update_exchangeData();
    else
        Update_Master_Matrix();
}

int MasterPage::pictureOf(int t) const {
    const Workspace& ws = ctx_.ws;
    if (mode_ == Mode::Exchange)
        return IconFactory::kMasterGridBase + (GetExchBit(ws.cfg, t) ? kExchangeSet : kExchangeClear);
    return IconFactory::kMasterGridBase + GetMaster(ws.cfg, t, ws.curChannel());
}

void MasterPage::drawCell(int t, bool cursor) {
    if (t >= 0 && t < kChannels)
        cells_[static_cast<std::size_t>(t)]->setPicture(pictureOf(t), cursor);
}

void MasterPage::fillCells() {
    Workspace& ws = ctx_.ws;
    ws.edit.MatrixCursor = 0;
    const int last = ws.cfg.channelsInUse();
    for (int t = 0; t < kChannels; ++t) {
        drawCell(t, t == 0);
        cells_[static_cast<std::size_t>(t)]->setVisible(t <= last);
    }
}

void MasterPage::showMasterControls(bool shown) {
    types_[0]->setVisible(shown);
    types_[1]->setVisible(shown);
    legend_[0]->setVisible(shown);
    legend_[1]->setVisible(shown);
    chkMasterRt_->setVisible(shown);
    cmdViewRt_->setVisible(shown);
}

void MasterPage::Update_Master_Matrix() {
    Workspace& ws = ctx_.ws;
    const int c = ws.curChannel();
    mode_ = ws.typeOf(c) == kTypeIntruderSiren ? Mode::FlashPattern : Mode::Master;
    showMasterControls(true);
    legend_[0]->setText(ws.text(kTxtLegendNotDrivable));
    legend_[1]->setText(ws.text(kTxtLegendOff));
    legend_[2]->setText(ws.text(kTxtLegendOn));
    legend_[3]->setText(ws.text(kTxtLegendNotAffected));
    chkMasterRt_->setText(ws.text(kTxtMasterRealTime));
    cmdViewRt_->setText(ws.text(kTxtViewRealTime));
    // The real-time option belongs to master functions only; its button shows while the option is on.
    const bool master = mode_ == Mode::Master;
    const bool byClock = MasterSwitchedByClock(ws.cfg.ChanSetup[static_cast<std::size_t>(c)]);
    chkMasterRt_->setVisible(master);
    chkMasterRt_->setChecked(byClock);
    cmdBack_->setText(ws.text(kTxtBack));
    cmdBack_->setVisible(mode_ == Mode::FlashPattern);
    cmdViewRt_->setVisible(master && byClock);
    fillCells();
    // The trigger times stay open for the channel they were opened for.
    showTriggerView(master && byClock && triggerViewChannel_ == c);
    if (master)
        SetHelpContext(tDummy_, kHelpMasterMatrix, QStringLiteral("EditMask"));
    else
        SetHelpContext(tDummy_, kHelpFlashPattern, QStringLiteral("IntruderFlashPattern"));
}

void MasterPage::Update_exchangeData() {
    Workspace& ws = ctx_.ws;
    mode_ = Mode::Exchange;
    window()->setWindowTitle(ws.text(kTxtExchangeMaskCaption));
    showMasterControls(false);
    cmdBack_->hide();
    showTriggerView(false);
    legend_[2]->setText(ws.text(kTxtSelected));
    legend_[3]->setText(ws.text(kTxtNotSelected));
    fillCells();
    SetHelpContext(tDummy_, kHelpExchangeMask, QStringLiteral("Data Exchange"));
}

EditorPage* MasterPage::triggerView() const {
    // The real-time page beside this one in the window shows the trigger times.
    return parentWidget() ? parentWidget()->findChild<EditorPage*>(QStringLiteral("Frame_RealTime_Setup"),
                                                                   Qt::FindDirectChildrenOnly)
                          : nullptr;
}

EditorPage* MasterPage::companion() const {
    return triggerShown_ ? triggerView() : nullptr;
}

bool MasterPage::triggerViewShown() const {
    return triggerShown_;
}

void MasterPage::showTriggerView(bool shown) {
    EditorPage* view = triggerView();
    if (shown && view) {
        gridArea_->hide();
        for (QLabel* l : {legend_[2], legend_[3], legendPictures_[0], legendPictures_[1], types_[0], types_[1],
                          legend_[0], legend_[1]})
            l->hide();
        // The window takes the times in the grid's room: it must not grow for a moment when both count.
        layout()->activate();
        if (QLayout* outer = window()->layout())
            outer->activate();
        // The settings stay at the top, the times right under them.
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
        triggerShown_ = true;
        view->fill();
        view->show();
        return;
    }
    // The times go first, then the grid and its legend come back in their room.
    const bool wasShown = triggerShown_;
    triggerShown_ = false;
    if (wasShown && view)
        view->hide();
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    gridArea_->show();
    for (QLabel* l : {legend_[2], legend_[3], legendPictures_[0], legendPictures_[1]})
        l->show();
    if (wasShown) {
        const bool master = mode_ != Mode::Exchange;
        for (QLabel* l : {types_[0], types_[1], legend_[0], legend_[1]})
            l->setVisible(master);
    }
}

void MasterPage::Cmd_viewRt_Click() {
    const int c = ctx_.ws.curChannel();
    if (mode_ != Mode::Master || !MasterSwitchedByClock(ctx_.ws.cfg.ChanSetup[static_cast<std::size_t>(c)]))
        return;
    if (triggerViewShown()) {
        triggerViewChannel_ = -1;
        showTriggerView(false);
        return;
    }
    triggerViewChannel_ = c;
    showTriggerView(true);
    if (triggerShown_)
        triggerView()->focusControl()->setFocus(Qt::OtherFocusReason);
}

void MasterPage::setTarget(int t, int state) {
    Workspace& ws = ctx_.ws;
    const int c = ws.curChannel();
    const bool exchange = mode_ == Mode::Exchange;
    ws.change(
        [&](Configuration& cfg) {
            if (exchange)
                PutExchBit(cfg, t, state == kMasterOn ? 1 : 0);
            else
                PutMaster(cfg, c, t, state);
        },
        EditMark::Always);
    drawCell(t, true);
}

void MasterPage::I_Master_Click(int t) {
    Workspace& ws = ctx_.ws;
    tDummy_->setFocus(Qt::MouseFocusReason);
    ws.edit.CurGroup = t / 8;
    drawCell(ws.edit.MatrixCursor, false);
    ws.edit.MatrixCursor = t;
    if (mode_ == Mode::Exchange) {
        setTarget(t, GetExchBit(ws.cfg, t) ? kMasterNotAffected : kMasterOn);
        return;
    }
    const int old = GetMaster(ws.cfg, t, ws.curChannel());
    const int next = NextMasterState(old, mode_ == Mode::FlashPattern);
    if (next == old) {
        // A target that cannot be driven keeps its picture and nothing is stored.
        drawCell(t, true);
        return;
    }
    setTarget(t, next);
}

void MasterPage::I_Master_MouseDown(int t, const QPoint& globalPos) {
    ctx_.ws.edit.CurGroup = t / 8;
    host_.showGroupMenu(globalPos, mode_ == Mode::Master);
}

void MasterPage::groupAction(GroupAction action) {
    Workspace& ws = ctx_.ws;
    const int g = ws.edit.CurGroup;
    if (mode_ == Mode::Exchange) {
        if (action == GroupAction::Off)
            return; // not offered for the exchange mask
        ws.change([&](Configuration& cfg) { ExchangeGroup(cfg, g, action); }, EditMark::Always);
        Update_exchangeData();
    } else {
        if (action == GroupAction::Off && mode_ != Mode::Master)
            return;
        const int c = ws.curChannel();
        ws.change([&](Configuration& cfg) { MasterGroup(cfg, c, g, action); }, EditMark::Always);
        Update_Master_Matrix();
    }
}

bool MasterPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == chkMasterRt_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            QWidget* next = chkMasterRt_->isChecked() ? static_cast<QWidget*>(cmdViewRt_) : host_.descriptionField();
            if (next)
                next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
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

void MasterPage::keyPressEvent(QKeyEvent* event) {
    // Escape on the Back button, or any control of the flash pattern, leaves it.
    if (event->key() == Qt::Key_Escape && mode_ == Mode::FlashPattern && event->modifiers() == Qt::NoModifier) {
        leaveFlashPattern();
        event->accept();
        return;
    }
    EditorPage::keyPressEvent(event);
}

void MasterPage::T_dummy_KeyDown(int code) {
    Workspace& ws = ctx_.ws;
    int& cur = ws.edit.MatrixCursor;
    const int last = ws.cfg.channelsInUse();
    auto move = [&](bool impossible, int step) {
        if (impossible)
            ctx_.dialogs.beep();
        else
            cur += step;
        drawCell(cur, true);
    };
    drawCell(cur, false);
    switch (code) {
    case vk::kUp:
        return move(cur < 8, -8);
    case vk::kDown:
        return move(cur >= last - 7, 8);
    case vk::kLeft:
        return move(cur == 0, -1);
    case vk::kRight:
        return move(cur >= last, 1);
    case vk::kEnter:
        drawCell(cur, true);
        // A siren's flash pattern returns to the siren's page; the other grids end their chain here.
        if (mode_ == Mode::FlashPattern)
            leaveFlashPattern();
        else
            host_.focusMainWindow();
        return;
    case vk::kEscape:
        drawCell(cur, true);
        if (mode_ == Mode::FlashPattern)
            leaveFlashPattern();
        return;
    default:
        break;
    }
    drawCell(cur, true);
    int state = -1;
    if (code == vk::k1 || code == vk::kPad1)
        state = kMasterOn;
    else if ((code == vk::k0 || code == vk::kPad0) && mode_ == Mode::Master)
        state = kMasterOff;
    else if (code == vk::kX)
        state = kMasterNotAffected;
    if (state < 0)
        return;
    if (mode_ != Mode::Exchange && state != kMasterNotAffected &&
        GetMaster(ws.cfg, cur, ws.curChannel()) == kMasterNotDrivable) {
        // A target that cannot be driven is never switched on or off, from the keyboard neither.
        ctx_.dialogs.beep();
        return;
    }
    setTarget(cur, state);
}

} // namespace korvane
