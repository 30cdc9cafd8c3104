#include "ui/editor/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include "app/texts.h"
#include "io/text_ids.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "ui/editor/pages/main_setup_page.h"
#include "ui/editor/pages/master_page.h"

namespace korvane {

namespace {

constexpr int kLeftTwips = 4410;
constexpr int kWidthTwips = 5280;
constexpr int kHeightTwips = 6800;
constexpr int kTimerMs = 1000;

// Our own lines of the about page, after the product line: name, company form, an empty line,
// telephone, fax and e-mail.
const char* const kOemLines[] = {"Korvane", "Free software project", "", "Tel.: -", "Fax: -", "E-mail: -"};

QFrame* newFrame(const char* name, QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    return f;
}

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

EditorWindow::EditorWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), focus_(ctx.ws), kit_(ctx.ws, focus_) {
    setObjectName(QStringLiteral("F_options"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    buildWelcome();
    buildLanguagePage();
    mainSetup_ = new MainSetupPage(ctx_, *this, kit_, this);
    frames_.push_back(mainSetup_);
    masterPage_ = new MasterPage(ctx_, *this, focus_, this);
    frames_.push_back(masterPage_);
    buildBasicPage();
    for (QFrame* f : frames_) {
        f->hide();
        layout->addWidget(f, 1);
    }
    buildChannelPart();
    layout->addWidget(frameChannel_);

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

void EditorWindow::Form_Load() {
    // Directly to the right of the main window.
    const double dpi = screen() ? screen()->logicalDotsPerInchY() : 96.0;
    resize(TwipsToPixels(kWidthTwips, dpi), TwipsToPixels(kHeightTwips, dpi));
    move(TwipsToPixels(kLeftTwips, dpi), 0);
}

void EditorWindow::setPictures(const QPixmap& windowPicture, const QPixmap& welcomePicture) {
    if (!windowPicture.isNull())
        setWindowIcon(QIcon(windowPicture));
    if (!welcomePicture.isNull())
        picture1_->setPixmap(welcomePicture.scaled(QSize(320, 240), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture1_->setVisible(!welcomePicture.isNull());
}

void EditorWindow::buildWelcome() {
    frameWelcome_ = newFrame("Frame_Welcome", this);
    auto* v = new QVBoxLayout(frameWelcome_);
    picture1_ = new QLabel(frameWelcome_);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setAlignment(Qt::AlignCenter);
    label2_ = new QLabel(frameWelcome_);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setAlignment(Qt::AlignCenter);
    programText_ = new QLabel(frameWelcome_);
    programText_->setObjectName(QStringLiteral("L_programbeskriv"));
    programText_->setWordWrap(true);
    programText_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    v->addWidget(picture1_);
    v->addWidget(label2_);
    v->addWidget(programText_, 1);
    frames_.push_back(frameWelcome_);
}

void EditorWindow::buildLanguagePage() {
    frameLanguage_ = newFrame("Frame_SelectLanguage", this);
    auto* g = new QGridLayout(frameLanguage_);
    lLangName_ = new QLabel(frameLanguage_);
    lLangName_->setObjectName(QStringLiteral("L_langname"));
    lLangName_->setWordWrap(true);
    g->addWidget(lLangName_, 0, 0, 1, 2);
    for (int i = 0; i < 3; ++i) {
        tLanguage_[i] = new QLineEdit(frameLanguage_);
        tLanguage_[i]->setObjectName(QStringLiteral("T_Language_%1").arg(i));
        tLanguage_[i]->setReadOnly(true);
        SetHelpContextText(tLanguage_[i], kHelpLanguageName, kTxtMenuSetLanguage);
        cFindLang_[i] = new QPushButton(QStringLiteral("..."), frameLanguage_);
        cFindLang_[i]->setObjectName(QStringLiteral("C_FindLang_%1").arg(i));
        cFindLang_[i]->setFixedWidth(36);
        SetHelpContextText(cFindLang_[i], kHelpLanguageBrowse, kTxtMenuSetLanguage);
        connect(cFindLang_[i], &QPushButton::clicked, this, [this, i] { findLanguage(i); });
        g->addWidget(tLanguage_[i], i + 1, 0);
        g->addWidget(cFindLang_[i], i + 1, 1);
    }
    cLangOk_ = new QPushButton(QStringLiteral("OK"), frameLanguage_);
    cLangOk_->setObjectName(QStringLiteral("C_langOk"));
    SetHelpContextText(cLangOk_, kHelpLanguageOk, kTxtMenuSetLanguage);
    connect(cLangOk_, &QPushButton::clicked, this, &EditorWindow::applyLanguage);
    g->addWidget(cLangOk_, 4, 0, 1, 2, Qt::AlignRight);
    g->setRowStretch(5, 1);
    frames_.push_back(frameLanguage_);
}

void EditorWindow::buildBasicPage() {
    frameBasic_ = newFrame("Frame_BasicChtype_Setup", this);
    auto* v = new QVBoxLayout(frameBasic_);
    v->setContentsMargins(0, 0, 0, 0);
    lGrundfunk_ = new QLabel(frameBasic_);
    lGrundfunk_->setObjectName(QStringLiteral("L_GRUNDFUNK"));
    chkInvertMono_ = new QCheckBox(frameBasic_);
    chkInvertMono_->setObjectName(QStringLiteral("Chk_InvertMono"));
    SetHelpContextText(chkInvertMono_, kHelpInvertMono, kTxtInvertMono);
    chkGrundUseThief_ = new QCheckBox(frameBasic_);
    chkGrundUseThief_->setObjectName(QStringLiteral("Chk_grundUseThief"));
    SetHelpContextText(chkGrundUseThief_, kHelpFlipFlopIntruder, kTxtPartOfIntruderAlarm);
    v->addWidget(lGrundfunk_);
    v->addWidget(chkInvertMono_);
    v->addWidget(chkGrundUseThief_);
    v->addStretch(1);
    frames_.push_back(frameBasic_);

    // Both boxes store 0 or 1 in byte 1 of the channel's row; the matrix shows an inverted mono
    // channel with its own picture.
    for (QCheckBox* box : {chkInvertMono_, chkGrundUseThief_}) {
        connect(box, &QCheckBox::clicked, this, [this](bool on) {
            Workspace& ws = ctx_.ws;
            const int c = ws.curChannel();
            Byte& b = ws.cfg.ChanSetup[static_cast<std::size_t>(c)][kBasicOptions];
            if (b == (on ? 1 : 0))
                return;
            b = on ? 1 : 0;
            ws.setDataChanged(true);
            ws.announceChannel(c);
        });
    }
}

void EditorWindow::buildChannelPart() {
    frameChannel_ = newFrame("F_beskrivelse", this);
    auto* g = new QGridLayout(frameChannel_);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(2);
    labelBeskriv_ = new QLabel(frameChannel_);
    labelBeskriv_->setObjectName(QStringLiteral("Label_beskriv"));
    textBeskriv_ = new QLineEdit(frameChannel_);
    textBeskriv_->setObjectName(QStringLiteral("TextBeskriv"));
    textBeskriv_->setAutoFillBackground(true);
    SetHelpContextText(textBeskriv_, kHelpChannelDescription, kTxtDescription);
    check1_ = new QCheckBox(frameChannel_);
    check1_->setObjectName(QStringLiteral("Check1"));
    SetHelpContext(check1_, kHelpEventOn, QStringLiteral("Check1"));
    check2_ = new QCheckBox(frameChannel_);
    check2_->setObjectName(QStringLiteral("Check2"));
    SetHelpContext(check2_, kHelpEventOff, QStringLiteral("Check2"));
    g->addWidget(labelBeskriv_, 0, 0, 1, 2);
    g->addWidget(textBeskriv_, 1, 0, 1, 2);
    g->addWidget(check1_, 2, 0);
    g->addWidget(check2_, 2, 1);
    textBeskriv_->installEventFilter(this);

    connect(textBeskriv_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int c = ctx_.ws.curChannel();
        ctx_.ws.cfg.ChanText[static_cast<std::size_t>(c)] = ToCp1252(text);
        ctx_.ws.setDataChanged(true);
        ctx_.ws.announceChannel(c);
    });
    auto flag = [this](QCheckBox* box, Byte bit) {
        connect(box, &QCheckBox::clicked, this, [this, bit](bool on) {
            Byte& flags = ctx_.ws.cfg.ChanFlags[static_cast<std::size_t>(ctx_.ws.curChannel())];
            const Byte updated = on ? static_cast<Byte>(flags | bit) : static_cast<Byte>(flags & ~bit);
            if (updated != flags) {
                flags = updated;
                ctx_.ws.setDataChanged(true);
            }
        });
    };
    flag(check1_, kFlagCheck1);
    flag(check2_, kFlagCheck2);
}

void EditorWindow::setDescriptionFocused(bool focused) {
    QPalette p = textBeskriv_->palette();
    p.setColor(QPalette::Base, focused ? QColor(0x00, 0xFF, 0xFF) : palette().color(QPalette::Base));
    textBeskriv_->setPalette(p);
}

void EditorWindow::showPage(QFrame* page, bool channelPart) {
    // Frames that stay on show are not hidden first, so the focused control keeps the focus.
    for (QFrame* f : frames_)
        if (f != page)
            f->hide();
    if (page)
        page->show();
    frameChannel_->setVisible(channelPart);
}

QString EditorWindow::currentPage() const {
    for (QFrame* f : frames_)
        if (!f->isHidden())
            return f->objectName();
    return frameChannel_->isHidden() ? QString() : frameChannel_->objectName();
}

void EditorWindow::Update_Option_Form_elements() {
    filling_ = true;
    pageFocus_ = nullptr;
    if (pageKey_ == QLatin1String("setlanguage")) {
        fillLanguagePage();
    } else if (pageKey_ == QLatin1String("mainsetup")) {
        setWindowTitle(ctx_.ws.text(kTxtMenuBasicSetup));
        mainSetup_->fill();
        mainSetup_->setThisTime(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
        showPage(mainSetup_, false);
    } else if (pageKey_ == QLatin1String("Exchange")) {
        masterPage_->Update_exchangeData();
        showPage(masterPage_, false);
        pageFocus_ = masterPage_->keyField();
    } else if (pageKey_.isEmpty()) {
        fillChannelPage();
    } else {
        // "omkring", and the logic, holiday and SMS pages until they exist.
        fillWelcome();
    }
    filling_ = false;
}

void EditorWindow::fillWelcome() {
    const Workspace& ws = ctx_.ws;
    label2_->setText(kRevisionLevel);
    QString about = ws.text(kTxtAboutText) + QLatin1Char('\n');
    about += QStringLiteral("ZEB1 / M52xx07, unit firmware 3.00 or later\n");
    for (const char* line : kOemLines)
        about += QLatin1String(line) + QLatin1Char('\n');
    programText_->setText(about);
    setWindowTitle(ws.text(kTxtAbout) + QStringLiteral(" ZEB1"));
    showPage(frameWelcome_, false);
}

void EditorWindow::fillLanguagePage() {
    const Workspace& ws = ctx_.ws;
    lLangName_->setText(ws.text(kTxtMenuSetLanguage));
    for (int i = 0; i < 3; ++i)
        tLanguage_[i]->setText(ws.LangNames[static_cast<std::size_t>(i)]);
    showPage(frameLanguage_, false);
}

void EditorWindow::fillBasicPage(int type) {
    const Workspace& ws = ctx_.ws;
    const Byte options = ws.cfg.ChanSetup[static_cast<std::size_t>(ws.curChannel())][kBasicOptions];
    lGrundfunk_->setText(ws.text(kTxtBasicFunction));
    chkInvertMono_->setText(ws.text(kTxtInvertMono));
    chkGrundUseThief_->setText(ws.text(kTxtPartOfIntruderAlarm));
    chkInvertMono_->setVisible(type == kTypeMono);
    chkGrundUseThief_->setVisible(type == kTypeFlipFlop);
    chkInvertMono_->setChecked(type == kTypeMono && options == 1);
    chkGrundUseThief_->setChecked(type == kTypeFlipFlop && options == 1);
}

void EditorWindow::followChannel(int channel) {
    const Workspace& ws = ctx_.ws;
    if (!isVisible() || !pageKey_.isEmpty() || channel != ws.curChannel())
        return;
    if (channel != shownChannel_ || ws.typeOf(channel) != shownType_)
        Update_Option_Form_elements();
}

void EditorWindow::fillChannelPage() {
    const Workspace& ws = ctx_.ws;
    const int c = ws.curChannel();
    const int t = ws.typeOf(c);
    shownChannel_ = c;
    shownType_ = t;
    setWindowTitle(QString::fromStdString(Num_2_Channel(c)) + QStringLiteral("   ") + ws.text(TypeNameText(t)));
    textBeskriv_->setText(FromCp1252(ws.cfg.ChanText[static_cast<std::size_t>(c)]));
    const bool sms = ws.cfg.SysData[kSysEventSms] != 0;
    check1_->setText(ws.text(sms ? kTxtEventOnSms : kTxtEventOnReport));
    check2_->setText(ws.text(sms ? kTxtEventOffSms : kTxtEventOffReport));
    const Byte flags = ws.cfg.ChanFlags[static_cast<std::size_t>(c)];
    check1_->setChecked(flags & kFlagCheck1);
    check2_->setChecked(flags & kFlagCheck2);
    const bool eventsShown = ws.cfg.SysData[kSysEventOff] != 1 && t != kTypeRoller && t != kTypeRollerMaster;
    check1_->setVisible(eventsShown);
    check2_->setVisible(eventsShown);
    labelBeskriv_->setText(ws.text(kTxtDescription));

    switch (t) {
    case kTypeMono:
    case kTypeBlank:
    case kTypeFlipFlop:
        fillBasicPage(t);
        showPage(frameBasic_, true);
        break;
    case kTypeMaster:
        masterPage_->Update_Master_Matrix();
        showPage(masterPage_, true);
        pageFocus_ = masterPage_->keyField();
        break;
    case kTypeIntruderSiren:
        if (flashPatternShown_) {
            masterPage_->Update_Master_Matrix();
            showPage(masterPage_, true);
            break;
        }
        [[fallthrough]];
    default:
        // The pages of the other functions come later; their channels show the common part.
        showPage(nullptr, true);
        break;
    }
}

void EditorWindow::openFlashPattern() {
    pageKey_.clear();
    flashPatternShown_ = true;
    Update_Option_Form_elements();
    masterPage_->keyField()->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::openPage(const QString& key, const QString& focusName) {
    if (closed_) {
        // The window was closed: it is made again, in its place.
        closed_ = false;
        Form_Load();
    }
    pageKey_ = key;
    flashPatternShown_ = false;
    show();
    if (isMinimized())
        showNormal();
    Update_Option_Form_elements();
    raise();
    // A page that puts the focus on one of its controls takes the keyboard from the main window.
    QWidget* target = focusName.isEmpty() ? pageFocus_ : findChild<QWidget*>(focusName);
    if (target) {
        activateWindow();
        target->setFocus(Qt::OtherFocusReason);
    }
}

void EditorWindow::groupMenuChosen(GroupAction action) {
    if (!masterPage_->isHidden())
        masterPage_->groupAction(action);
}

QAction* EditorWindow::mainAction(const char* name) {
    return mainWindow_ ? mainWindow_->findChild<QAction*>(QLatin1String(name)) : nullptr;
}

void EditorWindow::focusMainWindow() {
    setDescriptionFocused(false);
    if (!mainWindow_)
        return;
    if (mainWindow_->isMinimized())
        mainWindow_->showNormal();
    mainWindow_->activateWindow();
    mainWindow_->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::redrawMatrix() {
    emit matrixChanged();
}

void EditorWindow::showGroupMenu(const QPoint& globalPos, bool offOffered) {
    if (!mainWindow_)
        return;
    auto* menu = mainWindow_->findChild<QMenu*>(QStringLiteral("M_master"));
    if (!menu)
        return;
    if (QAction* off = mainAction("M_gruppeOff"))
        off->setVisible(offOffered);
    menu->popup(globalPos);
}

QWidget* EditorWindow::descriptionField() {
    return textBeskriv_;
}

void EditorWindow::Timer1_Timer() {
    mainSetup_->setThisTime(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

void EditorWindow::findLanguage(int slot) {
    Workspace& ws = ctx_.ws;
    const std::optional<FileChoice> choice =
        ctx_.dialogs.openFile(this, ws.text(kTxtOpenDialogTitle), kLanguageFilter, ws.LangFiles[0]);
    if (!choice)
        return;
    if (!CheckLanguageFile(ctx_, this, choice->path, slot))
        return;
    for (int i = 0; i < 3; ++i)
        ctx_.settings.setValue(QStringLiteral("LanguageFile#%1").arg(i), ws.LangFiles[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 3; ++i)
        ctx_.settings.setValue(QStringLiteral("Language%1").arg(i), ws.LangNames[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 3; ++i)
        tLanguage_[i]->setText(ws.LangNames[static_cast<std::size_t>(i)]);
}

void EditorWindow::applyLanguage() {
    Workspace& ws = ctx_.ws;
    LoadTexts(ctx_, this, ws.CurLanguage, TextKind::Language);
    LoadTexts(ctx_, this, ws.CurLanguage, TextKind::Help);
    pageKey_ = QStringLiteral("omkring");
    ws.announceTexts();
    Update_Option_Form_elements();
    emit languageApplied();
}

void EditorWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Form_Activate: the page shows the model as it is now.
        Update_Option_Form_elements();
        setDescriptionFocused(textBeskriv_->hasFocus());
        if (pageKey_ == QLatin1String("omkring") && mainWindow_)
            mainWindow_->activateWindow();
    }
    QWidget::changeEvent(event);
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    closed_ = true;
    QWidget::closeEvent(event);
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::FocusIn && type != QEvent::FocusOut)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this)
        return false;

    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (type == QEvent::FocusIn && reason != Qt::PopupFocusReason)
            focus_.Object_focus(w);
        if (w == textBeskriv_ && reason != Qt::PopupFocusReason) {
            setDescriptionFocused(type == QEvent::FocusIn);
            if (type == QEvent::FocusOut) {
                // Leaving the description: the stored text loses its double quotes.
                const int c = ctx_.ws.curChannel();
                std::string& stored = ctx_.ws.cfg.ChanText[static_cast<std::size_t>(c)];
                StripQuotes(stored);
                textBeskriv_->setText(FromCp1252(stored));
                ctx_.ws.announceChannel(c);
            }
        }
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
    // While a transfer window is open nothing may reach the main window's commands.
    if ((key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && mainWindow_ &&
        !QApplication::activeModalWidget()) {
        // Ctrl or Alt hands the keyboard to the main window, so its shortcuts work from here too.
        mainWindow_->activateWindow();
        mainWindow_->setFocus();
        const bool bareModifier = key->key() == Qt::Key_Control || key->key() == Qt::Key_Alt;
        if (!bareModifier) {
            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->nativeScanCode(), key->nativeVirtualKey(),
                           key->nativeModifiers(), key->text());
            QCoreApplication::sendEvent(mainWindow_, &copy);
            return true;
        }
        return false;
    }
    if (w == textBeskriv_ && isEnter(key)) {
        if (check1_->isVisible())
            check1_->setFocus(Qt::TabFocusReason);
        else
            focusMainWindow();
        return true;
    }
    return false;
}

} // namespace korvane
