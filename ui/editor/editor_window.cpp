#include "ui/editor/editor_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/texts.h"
#include "model/channel_types.h"
#include "model/logic.h"
#include "model/text_ids.h"
#include "model/vocabulary.h"
#include "ui/editor/pages/channel_part.h"
#include "ui/editor/pages/main_setup_page.h"
#include "ui/editor/pages/master_page.h"
#include "ui/editor/pages/page_list.h"
#include "ui/editor/pages/welcome_page.h"

namespace korvane {

namespace {

constexpr int kLeftTwips = 4410;
constexpr int kWidthTwips = 5280;
constexpr int kHeightTwips = 6800;
constexpr int kTimerMs = 1000;
constexpr char kRoomKey[] = "EditorWindow";

template <class T> T* pageOfKind(const std::vector<EditorPage*>& pages) {
    for (EditorPage* p : pages)
        if (auto* t = qobject_cast<T*>(p))
            return t;
    return nullptr;
}

} // namespace

EditorWindow::EditorWindow(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx), focus_(ctx.ws) {
    setObjectName(QStringLiteral("F_options"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("L_Caption"));
    caption_->setWordWrap(true);
    caption_->setTextFormat(Qt::PlainText);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    caption_->setHidden(isWindow());
    layout->addWidget(caption_);
    pages_ = MakeEditorPages(ctx_, *this, focus_, this);
    welcome_ = pageOfKind<WelcomePage>(pages_);
    mainSetup_ = pageOfKind<MainSetupPage>(pages_);
    masterPage_ = pageOfKind<MasterPage>(pages_);
    for (EditorPage* p : pages_) {
        p->hide();
        layout->addWidget(p, 1);
    }
    channelPart_ = new ChannelPart(ctx_, *this, focus_, this);
    layout->addWidget(channelPart_);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    connect(timer1_, &QTimer::timeout, this, &EditorWindow::Timer1_Timer);
    timer1_->start(kTimerMs);

    Form_Load();
    qApp->installEventFilter(this);
    connect(&ctx_.ws, &Workspace::configurationReplaced, this, [this] {
        if (isVisible())
            Update_Option_Form_elements();
    });
    // A channel page follows the matrix: another current channel, or a new type of the shown one.
    connect(&ctx_.ws, &Workspace::currentChannelChanged, this, [this](int, int current) { followChannel(current); });
    connect(&ctx_.ws, &Workspace::channelChanged, this, &EditorWindow::followChannel);
}

EditorWindow::~EditorWindow() {
    qApp->removeEventFilter(this);
}

void EditorWindow::setCaptionShown(bool shown) {
    caption_->setVisible(shown);
}

int EditorWindow::captionHeight() const {
    return caption_->sizeHint().height() + layout()->spacing();
}

void EditorWindow::setMenuBar(QMenuBar* bar) {
    layout()->setMenuBar(bar);
}

void EditorWindow::keyPressEvent(QKeyEvent* event) {
    // A key no control of the editor took ends here: it never reaches the matrix beside it.
    event->accept();
}

void EditorWindow::Form_Load() {
    if (!isWindow())
        return;
    // Directly to the right of the main window: at the first start in the window's own size, after
    // that in the size the user gave it; never beyond the screen's right edge.
    const double dpi = screen() ? screen()->logicalDotsPerInchY() : 96.0;
    const WindowRoom room = ReadWindowRoom(ctx_.settings, QLatin1String(kRoomKey),
                                           QSize(TwipsToPixels(kWidthTwips, dpi), TwipsToPixels(kHeightTwips, dpi)));
    placing_ = true;
    if (windowState() != Qt::WindowNoState)
        setWindowState(Qt::WindowNoState);
    const QSize size = room.size.boundedTo(screen() ? screen()->availableGeometry().size() : room.size);
    resize(size);
    int left = TwipsToPixels(kLeftTwips, dpi);
    if (mainWindow_) {
        const QWidget* main = mainWindow_->widget();
        left = main->isVisible() ? main->frameGeometry().right() + 1 : main->x() + main->width();
    }
    if (screen())
        left = std::max(0, std::min(left, screen()->availableGeometry().right() + 1 - frameGeometry().width()));
    move(left, 0);
    if (room.maximized)
        setWindowState(Qt::WindowMaximized);
    placing_ = false;
}

void EditorWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The size the user gives the window is kept for the next start.
    if (!placing_ && isWindow() && isVisible() && windowState() == Qt::WindowNoState)
        StoreWindowRoom(ctx_.settings, QLatin1String(kRoomKey), {size(), false});
}

void EditorWindow::setPictures(const QPixmap& windowPicture, const QPixmap& welcomePicture) {
    if (!windowPicture.isNull())
        setWindowIcon(QIcon(windowPicture));
    welcome_->setPicture(welcomePicture);
}

EditorPage* EditorWindow::pageFor(const QString& key, int type) const {
    for (EditorPage* p : pages_)
        if (p->shows(key, type))
            return p;
    return nullptr;
}

void EditorWindow::showPage(EditorPage* page, bool channelPart) {
    // Pages that stay on show are not hidden first, so the focused control keeps the focus. A page
    // change never resizes the window: a page shown before its layout caught up may ask for more room
    // for a moment.
    const QSize before = size();
    EditorPage* companion = page ? page->companion() : nullptr;
    for (EditorPage* p : pages_)
        if (p != page && p != companion)
            p->hide();
    if (page)
        page->show();
    if (companion)
        companion->show();
    channelPart_->setVisible(channelPart);
    if (isVisible() && size() != before && windowState() == Qt::WindowNoState)
        resize(before);
}

QString EditorWindow::currentPage() const {
    for (EditorPage* p : pages_)
        if (!p->isHidden())
            return p->objectName();
    return channelPart_->isHidden() ? QString() : channelPart_->objectName();
}

void EditorWindow::Update_Option_Form_elements() {
    Workspace& ws = ctx_.ws;
    const bool channelPage = pageKey_.isEmpty();
    const int c = ws.curChannel();
    const int t = ws.typeOf(c);
    EditorPage* page = nullptr;
    masterPage_->setPageKey(pageKey_);
    // The flash pattern belongs to a siren: a channel that is no longer one closes it.
    if (channelPage && t != kTypeIntruderSiren)
        flashPatternShown_ = false;
    if (channelPage && t == kTypeIntruderSiren && flashPatternShown_)
        page = masterPage_;
    else
        page = pageFor(pageKey_, t);
    // A page key whose page this program does not have shows the about page.
    if (!page && !channelPage)
        page = welcome_;
    if (page) {
        page->prepare();
        page->fill();
    }
    if (channelPage) {
        shownChannel_ = c;
        shownType_ = t;
        setWindowTitle(QString::fromStdString(Num_2_Channel(c)) + QStringLiteral("   ") + ws.text(TypeNameText(t)));
    } else if (page && !page->caption().isEmpty()) {
        setWindowTitle(page->caption());
    }
    if (page == mainSetup_)
        Timer1_Timer();
    // The previous page goes first, then the common part is filled, then the page shows: the window
    // never has to grow to hold two pages at once. A page's companion stays on show with it.
    EditorPage* companion = page ? page->companion() : nullptr;
    for (EditorPage* p : pages_)
        if (p != page && p != companion)
            p->hide();
    if (channelPage) {
        channelPart_->fill();
        // The common part's size follows its event options at once, before the page shows.
        for (QWidget* w : channelPart_->findChildren<QWidget*>())
            w->updateGeometry();
        channelPart_->updateGeometry();
    }
    showPage(page, channelPage);
    pageFocus_ = page ? page->focusControl() : nullptr;
}

void EditorWindow::followChannel(int channel) {
    const Workspace& ws = ctx_.ws;
    if (!isVisible() || !pageKey_.isEmpty() || channel != ws.curChannel())
        return;
    if (channel != shownChannel_ || ws.typeOf(channel) != shownType_)
        Update_Option_Form_elements();
}

void EditorWindow::openFlashPattern() {
    pageKey_.clear();
    flashPatternShown_ = true;
    Update_Option_Form_elements();
    masterPage_->keyField()->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::closeFlashPattern() {
    if (!flashPatternShown_)
        return;
    flashPatternShown_ = false;
    Update_Option_Form_elements();
}

void EditorWindow::openPage(const QString& key, const QString& focusName) {
    pageKey_ = key;
    flashPatternShown_ = false;
    show();
    if (isMinimized())
        showNormal();
    Update_Option_Form_elements();
    raise();
    // A page that puts the focus on one of its controls takes the keyboard from the matrix.
    QWidget* target = focusName.isEmpty() ? pageFocus_ : findChild<QWidget*>(focusName);
    if (target) {
        activateWindow();
        target->setFocus(Qt::OtherFocusReason);
    }
}

void EditorWindow::showProblem(const Problem& problem) {
    const ProblemJump jump = JumpOf(problem);
    if (jump.channel >= 0)
        ctx_.ws.setCurChannel(jump.channel);
    if (jump.logicPage >= 0)
        ctx_.ws.edit.CurLogicBlock = jump.logicPage;
    openPage(QLatin1String(jump.page));
    QWidget* field = nullptr;
    for (EditorPage* p : pages_)
        if (!field && p->isVisibleTo(this))
            field = p->controlOf(problem.fact, problem.textFact);
    if (!field && channelPart_->isVisibleTo(this))
        field = channelPart_->controlOf(problem.fact, problem.textFact);
    if (field && field->isVisibleTo(this) && field->isEnabled()) {
        activateWindow();
        field->setFocus(Qt::OtherFocusReason);
    }
}

void EditorWindow::groupMenuChosen(GroupAction action) {
    if (!masterPage_->isHidden())
        masterPage_->groupAction(action);
}

void EditorWindow::commitPendingEdits() {
    for (EditorPage* p : pages_)
        if (!p->isHidden())
            p->commitPendingEdits();
    channelPart_->commitPendingEdits();
}

void EditorWindow::focusMainWindow() {
    channelPart_->setDescriptionFocused(false);
    if (!mainWindow_)
        return;
    // The matrix pane takes the keyboard, in the main window (brought back from a detached editor).
    QWidget* main = mainWindow_->widget();
    if (main->isMinimized())
        main->showNormal();
    main->activateWindow();
    if (isWindow())
        QApplication::setActiveWindow(main);
    main->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::redrawMatrix() {
    emit matrixChanged();
}

void EditorWindow::showGroupMenu(const QPoint& globalPos, bool offOffered) {
    if (mainWindow_)
        mainWindow_->popupGroupMenu(globalPos, offOffered);
}

void EditorWindow::openPageOf(const QString& pageKey, int channel) {
    if (pageKey.isEmpty())
        ctx_.ws.setCurChannel(channel);
    openPage(pageKey);
}

void EditorWindow::showStep(const std::optional<Difference>& step, const QString& typedInto) {
    if (!step)
        return;
    QString key;
    if (step->channel < 0) {
        // A system value: the page its area is edited on.
        const ValueFact* f = step->fact;
        if (f == &facts::kExchangeChannel)
            key = QStringLiteral("Exchange");
        else if (step->area == kTxtLogicBlock || step->area == kTxtLogicBlocks) {
            key = QStringLiteral("logic");
            ctx_.ws.edit.CurLogicBlock = ClampLogicPage((step->areaNumber - 1) / kLogicRowsPerPage);
        } else if (step->area == kTxtHolidayPeriod)
            key = QStringLiteral("Holiday");
        else if (step->area == kTxtMenuSmsSetup)
            key = QStringLiteral("SMS_Setup");
        else if (step->area == kTxtMenuBasicSetup)
            key = QStringLiteral("mainsetup");
        // The alarm times are edited on the alarm channels' pages: the channel the step was made on.
    }
    if (!isVisible() || pageKey_ != key || !key.isEmpty())
        openPage(key);
    else
        Update_Option_Form_elements();
    // The field typed into, else the field of the value, on the page shown or the channel part.
    std::vector<EditorPage*> shown(pages_.begin(), pages_.end());
    shown.push_back(channelPart_);
    if (!typedInto.isEmpty())
        for (EditorPage* p : shown)
            if (QWidget* field = p->isHidden() ? nullptr : p->findChild<QWidget*>(typedInto);
                field && field->isVisibleTo(this) && field->isEnabled()) {
                activateWindow();
                field->setFocus(Qt::OtherFocusReason);
                return;
            }
    for (EditorPage* p : shown) {
        if (p->isHidden())
            continue;
        for (const FormRow& row : p->rows()) {
            const bool same =
                (step->fact && row.fact == step->fact) || (step->textFact && row.textFact == step->textFact);
            QWidget* field = same ? p->control(row.control) : nullptr;
            if (field && field->isVisibleTo(this) && field->isEnabled()) {
                activateWindow();
                field->setFocus(Qt::OtherFocusReason);
                return;
            }
        }
    }
}

QWidget* EditorWindow::descriptionField() {
    return channelPart_->description();
}

void EditorWindow::languageApplied() {
    pageKey_ = QStringLiteral("omkring");
    ctx_.ws.announceTexts();
    Update_Option_Form_elements();
    emit languageChanged();
}

void EditorWindow::Timer1_Timer() {
    // GetTimeNow: the weekday's name counted from Sunday, whatever day the system starts its weeks with.
    const QDateTime t = QDateTime::currentDateTime();
    const DeviceClock clock{t.date().year(),   t.date().month(),  t.date().day(),      t.time().hour(),
                            t.time().minute(), t.time().second(), t.date().dayOfWeek()};
    const Workspace& ws = ctx_.ws;
    mainSetup_->setThisTime(FromCp1252(GetTimeNow(clock, [&ws](int n) { return ToCp1252(ws.text(n)); })));
}

void EditorWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange)
        caption_->setText(windowTitle());
    if (event->type() == QEvent::WindowStateChange && isWindow() && !placing_ && !(windowState() & Qt::WindowMinimized))
        StoreWindowRoom(
            ctx_.settings, QLatin1String(kRoomKey),
            {normalGeometry().isValid() ? normalGeometry().size() : size(), bool(windowState() & Qt::WindowMaximized)});
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Form_Activate: the page shows the model as it is now.
        Update_Option_Form_elements();
        channelPart_->setDescriptionFocused(descriptionField()->hasFocus());
        // The welcome page gives the keyboard back to the matrix.
        if (pageKey_ == QLatin1String("omkring") && mainWindow_) {
            if (isWindow())
                mainWindow_->widget()->activateWindow();
            else if (!QApplication::focusWidget() || isAncestorOf(QApplication::focusWidget()))
                mainWindow_->widget()->setFocus(Qt::OtherFocusReason);
        }
    }
    QWidget::changeEvent(event);
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    // Closing the editor's own window puts it back beside the matrix; the editor lives as long as the
    // program.
    event->ignore();
    emit closeRequested();
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::FocusIn && type != QEvent::ShortcutOverride)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || (w != this && !isAncestorOf(w)))
        return false;

    if (type == QEvent::ShortcutOverride) {
        // The keys arrive here, so this is the window the user works in, also where the system left no
        // window active (a dialog closed without a window manager): the menu commands' keys then find
        // their window as they do anywhere else.
        if (!QApplication::activeWindow() && !QApplication::activeModalWidget()) {
            QApplication::setActiveWindow(window());
            activateWindow();
        }
        return false;
    }

    if (type == QEvent::FocusIn) {
        // Object_focus: every control of the window sets the help context and FirstKey when it gets the
        // focus. A free text coming back with the window (from a dialog, a menu or the other window) is
        // no new visit: it keeps its cursor, so the next letter does not replace what was typed.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const auto* line = qobject_cast<QLineEdit*>(w);
        const bool freeText = (line && !line->isReadOnly()) || qobject_cast<QPlainTextEdit*>(w);
        const bool back = reason == Qt::ActiveWindowFocusReason || reason == Qt::MenuBarFocusReason;
        if (reason != Qt::PopupFocusReason && !(back && freeText))
            focus_.Object_focus(w);
        return false;
    }

    // Key preview: the window sees each key once, before the focused control does.
    if (w != QApplication::focusWidget() && w != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1) {
        ShowHelp(ctx_, this, ctx_.ws.FocusHelpId, ctx_.ws.FocusTag);
        return true;
    }
    // Ctrl and Alt stay here: the menu commands are application-wide shortcuts that work from this
    // window without moving the keyboard, and the focused field keeps its own editing keys.
    return false;
}

} // namespace korvane
