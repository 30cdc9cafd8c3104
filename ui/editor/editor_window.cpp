#include "ui/editor/editor_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/texts.h"
#include "model/channel_types.h"
#include "model/field_rules.h"

namespace korvane {

namespace {

constexpr int kLeftTwips = 4410;
constexpr int kWidthTwips = 5280;
constexpr int kHeightTwips = 6800;
constexpr int kTxtProgramName = 0;
constexpr int kTxtAbout = 172;
constexpr int kTxtBrowseLanguage = 32;
constexpr int kTxtDescription = 38;
constexpr int kTxtEventOption1 = 320;
constexpr int kTxtEventOption2 = 321;
constexpr int kTxtSmsOption1 = 322;
constexpr int kTxtSmsOption2 = 323;

QFrame* newFrame(const char* name, QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    return f;
}

} // namespace

EditorWindow::EditorWindow(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("F_options"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    pages_ = new QStackedWidget(this);
    layout->addWidget(pages_);
    buildWelcome();
    buildLanguagePage();
    buildChannelPage();

    // Form_Load: directly to the right of the main window.
    const double dpi = screen() ? screen()->logicalDotsPerInchY() : 96.0;
    resize(TwipsToPixels(kWidthTwips, dpi), TwipsToPixels(kHeightTwips, dpi));
    move(TwipsToPixels(kLeftTwips, dpi), 0);

    qApp->installEventFilter(this);
    connect(&ctx_.ws, &Workspace::configurationReplaced, this, [this] {
        if (isVisible())
            Update_Option_Form_elements();
    });
}

void EditorWindow::setPictures(const QPixmap& windowPicture, const QPixmap& welcomePicture) {
    if (!windowPicture.isNull())
        setWindowIcon(QIcon(windowPicture));
    if (!welcomePicture.isNull())
        picture1_->setPixmap(welcomePicture.scaled(QSize(320, 240), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture1_->setVisible(!welcomePicture.isNull());
}

void EditorWindow::buildWelcome() {
    frameWelcome_ = newFrame("Frame_Welcome", pages_);
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
    pages_->addWidget(frameWelcome_);
}

void EditorWindow::buildLanguagePage() {
    frameLanguage_ = newFrame("Frame_SelectLanguage", pages_);
    auto* g = new QGridLayout(frameLanguage_);
    lLangName_ = new QLabel(frameLanguage_);
    lLangName_->setObjectName(QStringLiteral("L_langname"));
    lLangName_->setWordWrap(true);
    g->addWidget(lLangName_, 0, 0, 1, 2);
    for (int i = 0; i < 3; ++i) {
        tLanguage_[i] = new QLineEdit(frameLanguage_);
        tLanguage_[i]->setObjectName(QStringLiteral("T_Language_%1").arg(i));
        tLanguage_[i]->setReadOnly(true);
        cFindLang_[i] = new QPushButton(QStringLiteral("..."), frameLanguage_);
        cFindLang_[i]->setObjectName(QStringLiteral("C_FindLang_%1").arg(i));
        cFindLang_[i]->setFixedWidth(36);
        connect(cFindLang_[i], &QPushButton::clicked, this, [this, i] { findLanguage(i); });
        g->addWidget(tLanguage_[i], i + 1, 0);
        g->addWidget(cFindLang_[i], i + 1, 1);
    }
    cLangOk_ = new QPushButton(QStringLiteral("OK"), frameLanguage_);
    cLangOk_->setObjectName(QStringLiteral("C_langOk"));
    connect(cLangOk_, &QPushButton::clicked, this, &EditorWindow::applyLanguage);
    g->addWidget(cLangOk_, 4, 0, 1, 2, Qt::AlignRight);
    g->setRowStretch(5, 1);
    pages_->addWidget(frameLanguage_);
}

void EditorWindow::buildChannelPage() {
    frameChannel_ = newFrame("F_beskrivelse", pages_);
    auto* v = new QVBoxLayout(frameChannel_);
    labelBeskriv_ = new QLabel(frameChannel_);
    labelBeskriv_->setObjectName(QStringLiteral("Label_beskriv"));
    textBeskriv_ = new QLineEdit(frameChannel_);
    textBeskriv_->setObjectName(QStringLiteral("TextBeskriv"));
    check1_ = new QCheckBox(frameChannel_);
    check1_->setObjectName(QStringLiteral("Check1"));
    check2_ = new QCheckBox(frameChannel_);
    check2_->setObjectName(QStringLiteral("Check2"));
    v->addWidget(labelBeskriv_);
    v->addWidget(textBeskriv_);
    v->addWidget(check1_);
    v->addWidget(check2_);
    v->addStretch(1);
    pages_->addWidget(frameChannel_);

    connect(textBeskriv_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int c = ctx_.ws.curChannel();
        ctx_.ws.cfg.ChanText[static_cast<std::size_t>(c)] = ToCp1252(text);
        ctx_.ws.setDataChanged(true);
        ctx_.ws.announceChannel(c);
    });
    connect(textBeskriv_, &QLineEdit::editingFinished, this, [this] {
        const int c = ctx_.ws.curChannel();
        std::string& stored = ctx_.ws.cfg.ChanText[static_cast<std::size_t>(c)];
        stored = StripQuotes(stored);
        textBeskriv_->setText(FromCp1252(stored));
        ctx_.ws.announceChannel(c);
    });
    auto flag = [this](QCheckBox* box, Byte bit) {
        connect(box, &QCheckBox::toggled, this, [this, bit](bool on) {
            if (filling_)
                return;
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

void EditorWindow::showPage(QWidget* page) {
    pages_->setCurrentWidget(page);
}

QString EditorWindow::currentPage() const {
    return pages_->currentWidget() ? pages_->currentWidget()->objectName() : QString();
}

void EditorWindow::Update_Option_Form_elements() {
    filling_ = true;
    if (pageKey_ == QLatin1String("setlanguage"))
        fillLanguagePage();
    else if (pageKey_.isEmpty())
        fillChannelPage();
    else
        fillWelcome(); // the system pages are not built yet; the about page stands in for them
    filling_ = false;
}

void EditorWindow::fillWelcome() {
    const Workspace& ws = ctx_.ws;
    label2_->setText(kRevisionLevel);
    programText_->setText(ws.text(kTxtAbout) + QStringLiteral("\nZEB1 / M52xx07 ") + kRevisionLevel +
                          QStringLiteral("\n\nKorvane"));
    setWindowTitle(ws.text(kTxtProgramName) + QStringLiteral(" ZEB1"));
    showPage(frameWelcome_);
}

void EditorWindow::fillLanguagePage() {
    const Workspace& ws = ctx_.ws;
    lLangName_->setText(ws.text(15));
    for (int i = 0; i < 3; ++i)
        tLanguage_[i]->setText(ws.LangNames[static_cast<std::size_t>(i)]);
    showPage(frameLanguage_);
}

void EditorWindow::fillChannelPage() {
    const Workspace& ws = ctx_.ws;
    const int c = ws.curChannel();
    const int t = ws.typeOf(c);
    setWindowTitle(QString::fromStdString(Num_2_Channel(c)) + QStringLiteral("   ") + ws.text(kTypeNameText + t));
    textBeskriv_->setText(FromCp1252(ws.cfg.ChanText[static_cast<std::size_t>(c)]));
    const bool sms = ws.cfg.SysData[kSysEventSms] != 0;
    check1_->setText(ws.text(sms ? kTxtSmsOption1 : kTxtEventOption1));
    check2_->setText(ws.text(sms ? kTxtSmsOption2 : kTxtEventOption2));
    const Byte flags = ws.cfg.ChanFlags[static_cast<std::size_t>(c)];
    check1_->setChecked(flags & kFlagCheck1);
    check2_->setChecked(flags & kFlagCheck2);
    const bool eventsShown = ws.cfg.SysData[kSysEventOff] != 1 && t != kTypeRoller && t != kTypeRollerMaster;
    check1_->setVisible(eventsShown);
    check2_->setVisible(eventsShown);
    labelBeskriv_->setText(ws.text(kTxtDescription));
    showPage(frameChannel_);
}

void EditorWindow::openPage(const QString& key, const QString& focusName) {
    pageKey_ = key;
    show();
    if (isMinimized())
        showNormal();
    Update_Option_Form_elements();
    raise();
    if (!focusName.isEmpty())
        focusControl(focusName);
}

void EditorWindow::focusControl(const QString& name) {
    if (auto* w = findChild<QWidget*>(name))
        w->setFocus();
}

void EditorWindow::findLanguage(int slot) {
    Workspace& ws = ctx_.ws;
    const std::optional<FileChoice> choice =
        ctx_.dialogs.openFile(this, ws.text(kTxtBrowseLanguage), kLanguageFilter, ws.LangFiles[0]);
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
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Update_Option_Form_elements();
    QWidget::changeEvent(event);
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    // Key preview: the window sees each key once, before the focused control does.
    if (!w || w->window() != this || (w != QApplication::focusWidget() && w != this))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1) {
        ShowHelp(ctx_, this, ctx_.ws.FocusHelpId, ctx_.ws.FocusTag);
        return true;
    }
    if ((key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && mainWindow_) {
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
    }
    return false;
}

} // namespace korvane
