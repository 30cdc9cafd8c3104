#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QWindow>
#include <algorithm>
#include <string>
#include <vector>

#include "app/access_keys.h"
#include "app/config_files.h"
#include "app/plain_text.h"
#include "app/texts.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/logic.h"
#include "model/master.h"
#include "model/matrix_navigation.h"
#include "model/text_ids.h"
#include "reports/report_catalogue.h"
#include "sim/simulated_link.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/virtual_key.h"
#include "ui/main/channel_cell.h"
#include "ui/main/matrix_selection.h"
#include "ui/main/channel_find.h"
#include "ui/main/report_printing.h"
#include "ui/transfer/port_menu.h"

namespace korvane {

namespace {

constexpr int kWidthTwips = 4410;
constexpr int kHeightTwips = 6800;
constexpr char kRoomKey[] = "MainWindow";
constexpr char kCellTextKey[] = "CellDescriptions";
constexpr char kDefaultShortcuts[12] = {'B', 'L', 'H', 'D', 'M', 'N', 'O', 'S', 'A', 'R', 'W', 'X'};
enum Shortcut {
    kScBasic,
    kScLogic,
    kScHoliday,
    kScExchange,
    kScSms,
    kScNew,
    kScOpen,
    kScSave,
    kScSaveAs,
    kScRead,
    kScWrite,
    kScExit,
    kScNone = -1
};

// The commands of the menu bar in menu order: the entry's name, its caption, its shortcut letter
// (Ctrl with the letter, Alt for Exit), and what it does: a method of the window or an editor page.
// The menus, their captions and the shortcut keys are all made from this one table.
struct Command {
    const char* menu;
    const char* name;
    int text;
    int shortcut;
    void (MainWindow::*handler)() = nullptr;
    const char* page = nullptr;
    bool separatorBefore = false;
    char fixedKey = 0; // Ctrl with this letter in every language (Undo, Redo), instead of a shortcut letter
};

const Command kCommands[] = {
    {"M_File", "M_File_New", kTxtMenuNew, kScNew, &MainWindow::M_File_New_Click},
    {"M_File", "M_File_Open", kTxtMenuOpen, kScOpen, &MainWindow::M_File_Open_Click},
    {"M_File", "M_File_Save", kTxtMenuSave, kScSave, &MainWindow::M_File_Save_Click},
    {"M_File", "M_File_SaveAs", kTxtMenuSaveAs, kScSaveAs, &MainWindow::M_File_SaveAs_Click},
    {"M_File", "M_File_Read", kTxtMenuRead, kScRead, &MainWindow::M_File_Read_Click, nullptr, true},
    {"M_File", "M_File_Write", kTxtMenuWrite, kScWrite, &MainWindow::M_File_Write_Click},
    {"M_File", "M_File_CompareFile", kTxtMenuCompareFile, kScNone, &MainWindow::M_File_CompareFile_Click},
    {"M_File", "M_File_CompareUnit", kTxtMenuCompareUnit, kScNone, &MainWindow::M_File_CompareUnit_Click},
    {"M_File", "M_File_Backups", kTxtMenuBackups, kScNone, &MainWindow::M_File_Backups_Click},
    {"M_Edit", "M_Edit_Undo", kTxtMenuUndo, kScNone, &MainWindow::M_Edit_Undo_Click, nullptr, false, 'Z'},
    {"M_Edit", "M_Edit_Redo", kTxtMenuRedo, kScNone, &MainWindow::M_Edit_Redo_Click, nullptr, false, 'Y'},
    {"M_Edit", "M_Edit_CopyChannels", kTxtMenuCopyChannels, kScNone, &MainWindow::M_Edit_CopyChannels_Click, nullptr,
     true, 'C'},
    {"M_Edit", "M_Edit_PasteChannels", kTxtMenuPasteChannels, kScNone, &MainWindow::M_Edit_PasteChannels_Click, nullptr,
     false, 'V'},
    {"M_Edit", "M_Edit_MoveChannel", kTxtMenuMoveChannel, kScNone, &MainWindow::M_Edit_MoveChannel_Click},
    {"M_Edit", "M_Edit_SwapChannel", kTxtMenuSwapChannel, kScNone, &MainWindow::M_Edit_SwapChannel_Click},
    {"M_Edit", "M_Edit_Find", kTxtMenuFind, kScNone, &MainWindow::M_Edit_Find_Click, nullptr, false, 'F'},
    {"M_Edit", "Menu_Edit_Basic_Setup", kTxtMenuBasicSetup, kScBasic, nullptr, "mainsetup", true},
    {"M_Edit", "Menu_Edit_Logic_Setup", kTxtMenuLogicSetup, kScLogic, nullptr, "logic"},
    {"M_Edit", "Menu_Edit_Holiday_setup", kTxtMenuHolidaySetup, kScHoliday, nullptr, "Holiday"},
    {"M_Edit", "Menu_Edit_ExchangeMask", kTxtMenuExchangeMask, kScExchange, nullptr, "Exchange"},
    {"M_Edit", "Menu_Edit_SMS_Setup", kTxtMenuSmsSetup, kScSms, nullptr, "SMS_Setup"},
    {"M_Help", "Mnu_generelHelp", kTxtMenuGeneralHelp, kScNone, &MainWindow::showGeneralHelp},
    {"M_Help", "M_Help_About", kTxtMenuAbout, kScNone, nullptr, "omkring"},
};

// The Edit menu's channel operations the channel-type pop-up offers too.
const char* const kPopupChannelOps[] = {"M_Edit_CopyChannels", "M_Edit_PasteChannels", "M_Edit_MoveChannel",
                                        "M_Edit_SwapChannel"};

// A window size no larger than the screen's free room.
QSize FitScreen(QSize size, const QScreen* screen) {
    return screen ? size.boundedTo(screen->availableGeometry().size()) : size;
}

} // namespace

void MainWindow::addCommands(QMenu* menu) {
    for (const Command& c : kCommands) {
        if (menu->objectName() != QLatin1String(c.menu))
            continue;
        if (c.separatorBefore)
            menu->addSeparator();
        menu->addAction(action(c.name, [this, &c] { runCommand(c.name); }));
    }
}

void MainWindow::runCommand(const char* name) {
    // Every command works on what the editor holds, also what is being typed there.
    editor_.commitPendingEdits();
    for (const Command& c : kCommands) {
        if (qstrcmp(c.name, name) != 0)
            continue;
        if (c.handler)
            (this->*c.handler)();
        else
            openEditorPage(QLatin1String(c.page));
        return;
    }
}

void MainWindow::showGeneralHelp() {
    ShowHelp(ctx_, this, kHelpGeneral, ctx_.ws.text(kTxtMenuGeneralHelp));
}

MainWindow::MainWindow(AppContext& ctx, EditorWindow& editor, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), editor_(editor), files_(ctx, this),
      simulated_(std::make_shared<SimulatedLink>(true)) {
    setObjectName(QStringLiteral("F_main"));
    files_.recentChanged = [this] { RefreshFileList(QString(), true); };
    setContextMenuPolicy(Qt::NoContextMenu);
    setFocusPolicy(Qt::StrongFocus);
    selection_ = new MatrixSelection(ctx_, this);
    buildMenus();
    buildMatrix();
    buildProblems();

    // Form_Load: top-left corner, at the first start in the window's own size; after that in the size
    // the user gave it.
    const double dpi = screen() ? screen()->logicalDotsPerInchY() : 96.0;
    const WindowRoom room = ReadWindowRoom(ctx_.settings, QLatin1String(kRoomKey),
                                           QSize(TwipsToPixels(kWidthTwips, dpi), TwipsToPixels(kHeightTwips, dpi)));
    resize(FitScreen(room.size, screen()));
    restorePlace();
    if (room.maximized)
        setWindowState(Qt::WindowMaximized);
    roomKnown_ = true;

    Workspace& ws = ctx_.ws;
    connect(selection_, &MatrixSelection::selectionChanged, this, [this] {
        for (ChannelCell* c : cells_)
            c->setSelected(selection_->contains(c->index()));
    });
    connect(selection_, &MatrixSelection::summaryReady, this,
            [this](const QString& s) { statusBar()->showMessage(s); });
    connect(&ws, &Workspace::channelChanged, this, [this](int n) {
        refreshCell(n);
        ImgTxt(n);
    });
    connect(&ws, &Workspace::currentChannelChanged, this, &MainWindow::moveBorder);
    connect(&ws, &Workspace::configurationReplaced, this, &MainWindow::Update_Form_Elements);
    connect(&ws, &Workspace::textsChanged, this, &MainWindow::Update_Form_Elements);
    connect(&editor_, &EditorWindow::matrixChanged, this, &MainWindow::refreshMatrix);
    connect(&ws, &Workspace::titleChanged, this, [this] { setWindowTitle(ctx_.ws.windowTitle()); });
    // The Edit menu follows every stored edit and every new configuration.
    connect(&ws, &Workspace::edited, this, &MainWindow::applyEditMenu);
    connect(&ws, &Workspace::configurationReplaced, this, &MainWindow::applyEditMenu);
    connect(&ws, &Workspace::undoStateChanged, this, &MainWindow::applyUndoMenu);
    applyUndoMenu();
    setWindowTitle(ws.windowTitle());
    Update_Form_Elements();
    cells_[static_cast<std::size_t>(ws.curChannel())]->setBordered(true);
}

MainWindow::~MainWindow() = default;

void MainWindow::restorePlace() {
    move(0, 0);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The size the user gives the window is kept for the next start.
    if (roomKnown_ && isVisible() && windowState() == Qt::WindowNoState)
        StoreWindowRoom(ctx_.settings, QLatin1String(kRoomKey), {size(), false});
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        scaleCaptions();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::scaleCaptions() {
    // The group letters and digits grow with the cells: the rows share the matrix's height.
    const int rowHeight = centralWidget()->height() / 17;
    const int basePx = QFontInfo(font()).pixelSize();
    const int px = std::clamp(rowHeight * 9 / 20, basePx, basePx * 2);
    if (captions_[0]->font().pixelSize() == px)
        return;
    QFont f = captions_[0]->font();
    f.setPixelSize(px);
    for (QLabel* l : captions_)
        l->setFont(f);
}

void MainWindow::setCellText(bool shown) {
    cellText_ = shown;
    cellTextAction_->setChecked(shown);
    for (ChannelCell* c : cells_)
        c->setTextShown(shown);
}

void MainWindow::setUserPicture(const QPixmap& picture) {
    if (!picture.isNull())
        setWindowIcon(QIcon(picture));
}

QAction* MainWindow::action(const char* name, const std::function<void()>& handler) {
    auto* a = new QAction(this);
    a->setObjectName(QLatin1String(name));
    connect(a, &QAction::triggered, this, handler);
    return a;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    mFile_ = bar->addMenu(QString());
    mFile_->setObjectName(QStringLiteral("M_File"));
    addCommands(mFile_);
    mFile_->addSeparator();
    for (int k = 0; k < 4; ++k) {
        recent_[k] = action(QStringLiteral("Load_fileno_%1").arg(k + 1).toLatin1().constData(),
                            [this, k] { Load_fileno_Click(k + 1); });
        mFile_->addAction(recent_[k]);
    }
    mFile_->addSeparator();
    mFile_->addAction(action("M_File_Exit", [this] { M_File_Exit_Click(); }));

    // Print: each report through the print dialog; the preview and PDF files of one report or of all; the
    // choice of channels in use only, which every one of them follows.
    printing_ = std::make_unique<ReportPrinting>(ctx_, this);
    mPrint_ = bar->addMenu(QString());
    mPrint_->setObjectName(QStringLiteral("MnuPrint"));
    // Every report prints what the editor holds, also what is being typed there.
    connect(mPrint_, &QMenu::aboutToShow, this, [this] { editor_.commitPendingEdits(); });
    for (const ReportEntry& e : ReportCatalogue())
        mPrint_->addAction(action(e.menuEntry, [this, k = e.kind] { printing_->print(k); }));
    mPrint_->addSeparator();
    QAction* inUse = action("M_Print_InUse", [] {});
    inUse->setCheckable(true);
    inUse->setChecked(printing_->inUseOnly());
    connect(inUse, &QAction::toggled, this, [this](bool on) { printing_->setInUseOnly(on); });
    mPrint_->addAction(inUse);
    mPrint_->addSeparator();
    mPrintPreview_ = mPrint_->addMenu(QString());
    mPrintPreview_->setObjectName(QStringLiteral("M_Print_Preview"));
    mPrintPdf_ = mPrint_->addMenu(QString());
    mPrintPdf_->setObjectName(QStringLiteral("M_Print_Pdf"));
    for (auto [menu, prefix, pdf] :
         {std::tuple{mPrintPreview_, "M_Print_Preview_", false}, {mPrintPdf_, "M_Print_Pdf_", true}}) {
        auto run = [this, pdf](std::vector<ReportKind> kinds) {
            if (pdf)
                printing_->saveAsPdf(kinds);
            else
                printing_->preview(kinds);
        };
        for (const ReportEntry& e : ReportCatalogue())
            menu->addAction(action((prefix + std::string(e.name)).c_str(), [run, k = e.kind] { run({k}); }));
        menu->addSeparator();
        std::vector<ReportKind> all;
        for (const ReportEntry& e : ReportCatalogue())
            all.push_back(e.kind);
        menu->addAction(action((prefix + std::string("all")).c_str(), [run, all] { run(all); }));
    }

    mEdit_ = bar->addMenu(QString());
    mEdit_->setObjectName(QStringLiteral("M_Edit"));
    addCommands(mEdit_);

    mView_ = bar->addMenu(QString());
    mView_->setObjectName(QStringLiteral("M_View"));
    mViewLanguage_ = mView_->addMenu(QString());
    mViewLanguage_->setObjectName(QStringLiteral("M_View_Language"));
    for (int i = 0; i < 3; ++i) {
        languages_[i] = action(QStringLiteral("Menu_View_Sprog_%1").arg(i).toLatin1().constData(),
                               [this, i] { Menu_View_Sprog_Click(i); });
        languages_[i]->setCheckable(true);
        mViewLanguage_->addAction(languages_[i]);
    }
    mViewLanguage_->addSeparator();
    mViewLanguage_->addAction(action("MnuSetLanguage", [this] { openEditorPage(QStringLiteral("setlanguage")); }));
    // Descriptions in the matrix's cells, where the cells have the room; remembered.
    cellTextAction_ = action("M_View_CellText", [this] {
        setCellText(!cellText_);
        ctx_.settings.setValue(QLatin1String(kCellTextKey), cellText_ ? QStringLiteral("1") : QStringLiteral("0"));
    });
    cellTextAction_->setCheckable(true);
    mView_->addAction(cellTextAction_);
    mViewComport_ = mView_->addMenu(QString());
    mViewComport_->setObjectName(QStringLiteral("M_View_Comport"));
    for (int i = 0; i < 4; ++i) {
        comPorts_[i] = action(QStringLiteral("M_View_Com%1").arg(i + 1).toLatin1().constData(), [this, i] {
            ctx_.ws.ComPort = i + 1;
            ctx_.settings.setValue(QStringLiteral("ComPortUsing"), QString::number(i + 1));
            for (int k = 0; k < 4; ++k)
                comPorts_[k]->setChecked(k == i);
            emit comPortChanged(i + 1);
        });
        comPorts_[i]->setCheckable(true);
        comPorts_[i]->setText(QStringLiteral("Com %1").arg(i + 1));
        mViewComport_->addAction(comPorts_[i]);
    }
    portMenu_ = new PortMenu(ctx_, mViewComport_, comPorts_, [this] { simulated_->resetUnit(); });

    mHelp_ = bar->addMenu(QString());
    mHelp_->setObjectName(QStringLiteral("M_Help"));
    addCommands(mHelp_);

    // The channel-type pop-up, shown at the mouse or by the context-menu key.
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopUp_ChannelTypeSelect"));
    for (const PopupEntry& e : ChannelTypePopup()) {
        if (e.type < 0) {
            popup_->addSeparator();
            continue;
        }
        QAction* a = action(QStringLiteral("PopUp_ChannelType_%1").arg(e.index).toLatin1().constData(),
                            [this, i = e.index] { PopUp_ChannelType_Click(i); });
        a->setVisible(!e.hidden);
        popupEntries_[static_cast<std::size_t>(e.index)] = a;
        popup_->addAction(a);
    }
    // The channel operations of the Edit menu, on the cell (or range) the menu was opened on.
    popup_->addSeparator();
    for (const char* name : kPopupChannelOps)
        popup_->addAction(action((std::string("PopUp_") + name).c_str(), [this, name] { runCommand(name); }));

    // The group pop-up of the editor's matrices.
    groupMenu_ = new QMenu(this);
    groupMenu_->setObjectName(QStringLiteral("M_master"));
    groupMenu_->addAction(action("M_gruppeOn", [this] { editor_.groupMenuChosen(GroupAction::On); }));
    groupMenu_->addAction(action("M_gruppeOff", [this] { editor_.groupMenuChosen(GroupAction::Off); }));
    groupMenu_->addAction(action("M_GruppeX", [this] { editor_.groupMenuChosen(GroupAction::X); }));

    // A menu shows its entries with access keys also when they changed since the captions were set
    // (recent files, ports found, an entry shown or hidden).
    for (QMenu* m : findChildren<QMenu*>())
        connect(m, &QMenu::aboutToShow, this, [this, m] { setAccessKeys(m->actions(), QString()); });
    // Keys of the menus in every language: F10 opens the menu bar, Ctrl+P the Print menu.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this, [this] { openMenu(mFile_); });
    menuKey->setObjectName(QStringLiteral("Key_MenuBar"));
    menuKey->setContext(Qt::ApplicationShortcut);
    auto* printKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this, [this] { openMenu(mPrint_); });
    printKey->setObjectName(QStringLiteral("Key_Print"));
    printKey->setContext(Qt::ApplicationShortcut);
}

void MainWindow::openMenu(QMenu* menu) {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    menuBar()->setActiveAction(menu->menuAction());
}

void MainWindow::buildMatrix() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("matrix"));
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(1);
    grid->setVerticalSpacing(1);
    QFont captionFont = font();
    captionFont.setBold(true);
    for (int i = 0; i < 24; ++i) {
        auto* l = new QLabel(central);
        l->setObjectName(QStringLiteral("L_CHG_%1").arg(i));
        l->setFont(captionFont);
        l->setAlignment(Qt::AlignCenter);
        if (i < 16) {
            l->setText(QString(QChar('A' + i)));
            grid->addWidget(l, i + 1, 0);
        } else {
            l->setText(QString::number(i - 15));
            grid->addWidget(l, 0, i - 15);
        }
        captions_[static_cast<std::size_t>(i)] = l;
    }
    for (int n = 0; n < kChannels; ++n) {
        auto* c = new ChannelCell(n, central);
        c->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(c, &ChannelCell::pressed, this, &MainWindow::Image1_MouseDown);
        connect(c, &ChannelCell::clicked, this, &MainWindow::Image1_Click);
        connect(c, &ChannelCell::dropped, selection_, &MatrixSelection::drop);
        grid->addWidget(c, n / 8 + 1, n % 8 + 1);
        cells_[static_cast<std::size_t>(n)] = c;
    }
    grid->setColumnStretch(0, 0);
    for (int col = 1; col <= 8; ++col)
        grid->setColumnStretch(col, 1);
    for (int row = 1; row <= 16; ++row)
        grid->setRowStretch(row, 1);
    // Find a channel: a bar under the matrix while it is open.
    find_ = new ChannelFind(ctx_, central);
    find_->mark = [this](const std::vector<int>& found) {
        for (ChannelCell* c : cells_)
            c->setMarked(std::find(found.begin(), found.end(), c->index()) != found.end());
    };
    find_->closed = [this] { setFocus(Qt::OtherFocusReason); };
    grid->addWidget(find_, 17, 0, 1, 9);
    setCentralWidget(central);
    central->installEventFilter(this);
    setCellText(ctx_.settings.value(QLatin1String(kCellTextKey), QStringLiteral("1")) != QLatin1String("0"));
}

void MainWindow::Update_Form_Elements() {
    Workspace& ws = ctx_.ws;
    // Shortcut letters: the first character of texts 340..351, or the default letter.
    for (int k = 0; k < 12; ++k) {
        const QString t = ws.fileText(ShortcutText(k)).trimmed();
        const int letter = t.isEmpty() ? kDefaultShortcuts[k] : t.at(0).toUpper().unicode();
        // Ctrl+F finds a channel in every language: a language's letter F gives way to the command's own.
        shortcutKeys_[static_cast<std::size_t>(k)] = letter == 'F' ? kDefaultShortcuts[k] : letter;
    }
    applyShortcuts();
    const QString ctrl = ws.text(kTxtCtrlKey);
    const QString alt = ws.text(kTxtAltKey);
    auto withCtrl = [&](int text, int sc) {
        return ws.menuText(text) + QLatin1Char('\t') + ctrl + QChar(shortcutKeys_[static_cast<std::size_t>(sc)]);
    };
    auto set = [this](const char* name, const QString& caption) {
        if (auto* a = findChild<QAction*>(QLatin1String(name)))
            a->setText(caption);
    };
    for (const Command& c : kCommands) {
        const QString caption = c.fixedKey ? ws.menuText(c.text) + QLatin1Char('\t') + ctrl + QLatin1Char(c.fixedKey)
                                : c.shortcut == kScNone ? ws.menuText(c.text)
                                                        : withCtrl(c.text, c.shortcut);
        set(c.name, caption);
        set(("PopUp_" + std::string(c.name)).c_str(), caption); // the channel operations of the pop-up
    }
    mFile_->setTitle(ws.menuText(kTxtMenuFile));
    set("M_File_Exit", ws.menuText(kTxtMenuExit) + QLatin1Char('\t') + alt + QChar(shortcutKeys_[kScExit]));
    applyUndoMenu();
    find_->retranslate();
    mPrint_->setTitle(ws.menuText(kTxtMenuPrint));
    mPrintPreview_->setTitle(ws.menuText(kTxtPrintPreview));
    mPrintPdf_->setTitle(ws.menuText(kTxtSaveAsPdf));
    for (const ReportEntry& e : ReportCatalogue()) {
        set(e.menuEntry, ws.menuText(e.menuText));
        set(("M_Print_Preview_" + std::string(e.name)).c_str(), ws.menuText(e.menuText));
        set(("M_Print_Pdf_" + std::string(e.name)).c_str(), ws.menuText(e.menuText));
    }
    set("M_Print_InUse", ws.menuText(kTxtInUseOnly));
    set("M_Print_Preview_all", ws.menuText(kTxtAllReports));
    set("M_Print_Pdf_all", ws.menuText(kTxtAllReports));
    mEdit_->setTitle(ws.menuText(kTxtMenuEdit));
    mView_->setTitle(ws.menuText(kTxtMenuView));
    mViewLanguage_->setTitle(ws.menuText(kTxtMenuLanguage));
    for (int i = 0; i < 3; ++i) {
        languages_[i]->setText(EscapeAccessKeyMarks(ws.LangNames[static_cast<std::size_t>(i)]));
        languages_[i]->setChecked(i == ws.CurLanguage);
    }
    set("MnuSetLanguage", ws.menuText(kTxtMenuSetLanguage));
    set("M_View_CellText", ws.menuText(kTxtMenuCellText));
    mViewComport_->setTitle(ws.menuText(kTxtMenuComPort));
    portMenu_->refresh();
    mHelp_->setTitle(ws.menuText(kTxtMenuHelp));
    set("M_gruppeOn", ws.menuText(kTxtMenuGroupOn));
    set("M_gruppeOff", ws.menuText(kTxtMenuGroupOff));
    set("M_GruppeX", ws.menuText(kTxtMenuGroupNotAffected));
    for (const PopupEntry& e : ChannelTypePopup())
        if (e.type >= 0)
            popupEntries_[static_cast<std::size_t>(e.index)]->setText(ws.menuText(e.captionText));

    RefreshFileList(QString(), true);
    applyAccessKeys();
    refreshMatrix();
    Form_Activate();
    setWindowTitle(ws.windowTitle());
}

void MainWindow::applyShortcuts() {
    // Application-wide keys: a command answers its key in the editor window too, and the keyboard stays
    // where it is. Inside a field the field's own editing keys win (select all, copy, a text's own undo):
    // the focused field claims them before any shortcut. A key already given to a command earlier in
    // the table is not given again: the language's letters come first, then Undo's and Redo's own keys.
    std::vector<QKeySequence> taken;
    auto give = [&](const char* name, const QList<QKeySequence>& keys) {
        QList<QKeySequence> free;
        for (const QKeySequence& k : keys)
            if (std::find(taken.begin(), taken.end(), k) == taken.end())
                free << k;
        taken.insert(taken.end(), free.begin(), free.end());
        if (auto* a = findChild<QAction*>(QLatin1String(name))) {
            a->setShortcutContext(Qt::ApplicationShortcut);
            a->setShortcuts(free);
        }
    };
    auto ctrl = [](int key, Qt::KeyboardModifiers more = {}) {
        return QKeySequence(QKeyCombination(Qt::ControlModifier | more, static_cast<Qt::Key>(key)));
    };
    for (const Command& c : kCommands)
        if (c.shortcut != kScNone)
            give(c.name, {ctrl(shortcutKeys_[static_cast<std::size_t>(c.shortcut)])});
    give("M_Edit_Redo", {ctrl('Y'), ctrl('Z', Qt::ShiftModifier)});
    give("M_Edit_Undo", {ctrl('Z')});
    give("M_Edit_Find", {ctrl('F')});
    give("M_File_Exit", {QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(shortcutKeys_[kScExit])))});
}

void MainWindow::applyAccessKeys() {
    // The menu bar leaves the Alt letter of Exit alone: Alt with it ends the program.
    setAccessKeys(menuBar()->actions(), QString(QChar(shortcutKeys_[kScExit])));
    for (QMenu* m : findChildren<QMenu*>())
        setAccessKeys(m->actions(), QString());
}

void MainWindow::setAccessKeys(const QList<QAction*>& actions, const QString& reserved) {
    QList<QAction*> entries;
    QStringList captions;
    for (QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        entries << a;
        captions << a->text();
    }
    const QStringList marked = WithAccessKeys(captions, reserved);
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries[i]->text() != marked[i])
            entries[i]->setText(marked[i]);
}

void MainWindow::refreshMatrix() {
    // A load, a read or fewer channels may leave the border on a hidden cell; it moves to a visible one.
    ctx_.ws.setCurChannel(NearestVisibleChannel(ctx_.ws.cfg, ctx_.ws.curChannel()));
    for (int n = 0; n < kChannels; ++n) {
        refreshCell(n);
        ImgTxt(n);
    }
}

void MainWindow::refreshCell(int n) {
    const Configuration& cfg = ctx_.ws.cfg;
    const int t = cfg.channelType(n) & kTypeMask;
    ChannelCell* c = cells_[static_cast<std::size_t>(n)];
    const bool alternative = ChannelPicture(cfg, n) != t;
    c->setPicture(t, alternative);
    c->setVisible(n <= cfg.channelsInUse() && !IsSecondChannel(t));
    c->setBordered(n == ctx_.ws.curChannel());
}

void MainWindow::ImgTxt(int n) {
    const Workspace& ws = ctx_.ws;
    const int t = ws.typeOf(n) & kTypeMask;
    QString text = ws.text(TypeNameText(t));
    const QString description = FromCp1252(ws.cfg.ChanText[static_cast<std::size_t>(n)]);
    if (!description.isEmpty())
        text += QStringLiteral(" >> ") + description;
    const bool driven = LogicMarks(ws.cfg)[static_cast<std::size_t>(n)];
    const QString marks = driven ? QStringLiteral("!! ") : QString();
    cells_[static_cast<std::size_t>(n)]->setLabel(description, driven);
    cells_[static_cast<std::size_t>(n)]->setToolTip(
        PlainToolTip(marks + QString::fromStdString(Num_2_Channel(n)) + QStringLiteral(": ") + text));
}

void MainWindow::moveBorder(int from, int to) {
    if (from >= 0 && from < kChannels)
        cells_[static_cast<std::size_t>(from)]->setBordered(false);
    if (to >= 0 && to < kChannels)
        cells_[static_cast<std::size_t>(to)]->setBordered(true);
}

bool MainWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    if (e->type() == QEvent::Resize || e->type() == QEvent::WindowStateChange) {
        // Form_Resize: back in the normal state, the window returns to its place, in the size the user
        // gave it; whether it is maximised is kept for the next start.
        if (e->type() == QEvent::WindowStateChange) {
            if (windowState() == Qt::WindowNoState)
                restorePlace();
            if (roomKnown_ && !(windowState() & Qt::WindowMinimized))
                StoreWindowRoom(ctx_.settings, QLatin1String(kRoomKey),
                                {normalGeometry().isValid() ? normalGeometry().size() : size(),
                                 bool(windowState() & Qt::WindowMaximized)});
        }
    }
    return QMainWindow::event(e);
}

void MainWindow::Form_Activate() {
    Workspace& ws = ctx_.ws;
    ws.FocusTag = QStringLiteral("Main_Form");
    ws.FocusHelpId = kHelpMainWindow;
    applyEditMenu();
}

void MainWindow::applyEditMenu() {
    const EditMenuState state = ctx_.ws.editMenu();
    findChild<QAction*>(QStringLiteral("Menu_Edit_SMS_Setup"))->setEnabled(state.sms);
    findChild<QAction*>(QStringLiteral("Menu_Edit_ExchangeMask"))->setEnabled(state.exchangeMask);
}

void MainWindow::applyUndoMenu() {
    // Undo and Redo name the step they take: "Undo B1 Roller blind: Reverse time 1500 ms".
    const Workspace& ws = ctx_.ws;
    auto name = [&](const char* action, int text, const QString& step, char key, bool can) {
        QAction* a = findChild<QAction*>(QLatin1String(action));
        const QString words = step.isEmpty() ? ws.text(text) : ws.text(text) + QLatin1Char(' ') + step;
        a->setText(
            (step.isEmpty() ? ws.menuText(text) : ws.menuText(text) + QLatin1Char(' ') + EscapeAccessKeyMarks(step)) +
            QLatin1Char('\t') + ws.text(kTxtCtrlKey) + QLatin1Char(key));
        a->setToolTip(words);
        a->setStatusTip(words);
        a->setEnabled(can);
    };
    name("M_Edit_Undo", kTxtMenuUndo, ws.undoName(), 'Z', ws.canUndo());
    name("M_Edit_Redo", kTxtMenuRedo, ws.redoName(), 'Y', ws.canRedo());
}

void MainWindow::M_Edit_CopyChannels_Click() {
    selection_->copy();
}

void MainWindow::M_Edit_PasteChannels_Click() {
    selection_->paste();
}

void MainWindow::M_Edit_MoveChannel_Click() {
    selection_->moveTo();
}

void MainWindow::M_Edit_SwapChannel_Click() {
    selection_->swapWith();
}

void MainWindow::M_Edit_Undo_Click() {
    ctx_.ws.undo();
}

void MainWindow::M_Edit_Find_Click() {
    find_->start();
}

void MainWindow::M_Edit_Redo_Click() {
    ctx_.ws.redo();
}

void MainWindow::popupGroupMenu(const QPoint& globalPos, bool offOffered) {
    if (QAction* off = findChild<QAction*>(QStringLiteral("M_gruppeOff")))
        off->setVisible(offOffered);
    groupMenu_->popup(globalPos);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    Workspace& ws = ctx_.ws;
    const int key = virtualKey(*event);
    const Qt::KeyboardModifiers mods = event->modifiers();
    auto enabled = [this](const char* name) {
        auto* a = findChild<QAction*>(QLatin1String(name));
        return a && a->isEnabled();
    };
    if (mods & Qt::ControlModifier) {
        for (const Command& c : kCommands) {
            if (c.shortcut == kScNone || key != shortcutKeys_[static_cast<std::size_t>(c.shortcut)])
                continue;
            // A shortcut does what its menu entry does, and only while that entry can be chosen.
            if (enabled(c.name))
                runCommand(c.name);
            event->accept();
            return;
        }
        // Undo and Redo keep Ctrl+Z and Ctrl+Y in every language; Ctrl+Shift+Z redoes too.
        const char* fixed = key == 'Z' && (mods & Qt::ShiftModifier) ? "M_Edit_Redo" : nullptr;
        for (const Command& c : kCommands)
            if (!fixed && c.fixedKey && key == c.fixedKey)
                fixed = c.name;
        if (fixed) {
            if (enabled(fixed))
                runCommand(fixed);
            event->accept();
        }
        return;
    }
    if (mods & Qt::AltModifier) {
        if (key == shortcutKeys_[kScExit]) {
            M_File_Exit_Click();
            event->accept();
        }
        return;
    }

    const int cur = ws.curChannel();
    const int t = ws.typeOf(cur);
    const bool locked = IsLockedChannel(ws.cfg, cur);
    auto move = [&](MatrixKey k) {
        const CursorMove m = MoveCursor(ws.cfg, ws.curChannel(), k);
        if (m.beep)
            ctx_.dialogs.beep();
        // Shift with a cursor key selects the range from where it started; a plain key ends it.
        if (mods & Qt::ShiftModifier)
            return selection_->extendTo(m.channel);
        selection_->collapse();
        ws.setCurChannel(m.channel);
    };
    switch (key) {
    case vk::kF1:
        ShowHelp(ctx_, this, ws.FocusHelpId + t, ws.text(TypeNameText(t)));
        return;
    case vk::kEnter:
        openEditorOnChannel();
        return;
    case vk::kUp:
        return move(MatrixKey::Up);
    case vk::kDown:
        return move(MatrixKey::Down);
    case vk::kLeft:
        return move(MatrixKey::Left);
    case vk::kRight:
        return move(MatrixKey::Right);
    case vk::kHome:
        return move(MatrixKey::Home);
    case vk::kEnd:
        return move(MatrixKey::End);
    case vk::kApps:
        if (!locked) {
            const QRect r = cells_[static_cast<std::size_t>(cur)]->rect();
            showPopupAt(cells_[static_cast<std::size_t>(cur)]->mapToGlobal(r.center()));
        }
        return;
    default:
        break;
    }
    if (const std::optional<int> type = TypeOfMatrixKey(key)) {
        if (!locked)
            ws.changeChannelType(cur, *type);
        move(MatrixKey::Right);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::applyPopupState() {
    const PopupState s = Manage_popup_ChtypeSel(ctx_.ws.cfg, ctx_.ws.curChannel());
    for (std::size_t i = 0; i < popupEntries_.size(); ++i)
        if (popupEntries_[i])
            popupEntries_[i]->setEnabled(s.enabled[i]);
}

void MainWindow::showPopupAt(const QPoint& globalPos) {
    applyPopupState();
    popup_->popup(globalPos);
}

void MainWindow::Image1_MouseDown(int n, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos) {
    // Shift with the left button selects the range from the current channel to this one.
    if (modifiers == Qt::ShiftModifier && button == Qt::LeftButton)
        return selection_->extendTo(n);
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
        ctx_.dialogs.message(this, QStringLiteral("Shift clik"));
        return;
    }
    if (!selection_->contains(n))
        selection_->collapse();
    ctx_.ws.setCurChannel(n);
    const bool even = n % 2 == 0;
    popupEntries_[30]->setEnabled(even);
    popupEntries_[31]->setEnabled(even);
    if (button == Qt::RightButton && !IsLockedChannel(ctx_.ws.cfg, n))
        showPopupAt(globalPos);
}

void MainWindow::Image1_Click(int n) {
    ctx_.ws.setCurChannel(n);
    switch (ctx_.ws.typeOf(n)) {
    case kTypeCounterClaim:
        openEditorPage(QStringLiteral("mainsetup"), QStringLiteral("Combo_Counter"));
        break;
    case kTypeTimeOutputClaim:
        openEditorPage(QStringLiteral("mainsetup"), QStringLiteral("ComboDupUr"));
        break;
    case kTypeMuxClaim:
        openEditorPage(QStringLiteral("mainsetup"), QStringLiteral("Combo_MuxCount"));
        break;
    default:
        openEditorPage(QString());
        break;
    }
}

void MainWindow::PopUp_ChannelType_Click(int index) {
    for (const PopupEntry& e : ChannelTypePopup()) {
        if (e.index != index || e.type < 0)
            continue;
        const int n = ctx_.ws.curChannel();
        ctx_.ws.changeChannelType(n, e.type);
        Image1_Click(n);
        return;
    }
}

void MainWindow::openEditorOnChannel() {
    // Enter opens the editor exactly as a click does, claimed channels on the list that claimed them.
    Image1_Click(ctx_.ws.curChannel());
}

void MainWindow::openEditorPage(const QString& key, const QString& focus) {
    editor_.openPage(key, focus);
}

// ---- File menu ----

bool MainWindow::askSaveFirst(int questionText) {
    return files_.askSaveFirst(questionText);
}

bool MainWindow::SaveDialog() {
    return files_.saveDialog();
}

void MainWindow::M_File_New_Click() {
    if (!files_.newConfiguration())
        return;
    restorePlace();
    Update_Form_Elements();
    editor_.Form_Load();
    openEditorPage(QStringLiteral("mainsetup"));
    ctx_.ws.setDataChanged(false);
}

void MainWindow::M_File_Open_Click() {
    if (files_.open())
        openEditorPage(QStringLiteral("mainsetup"));
}

// ---- File > Read and Write: the transfer window, modal without blocking ----

// The transfer window blocks both windows: the model must not change while it is sent or read.
void MainWindow::showTransferWindow(QDialog* w) {
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
}

const LinkFactory& MainWindow::links() {
    if (!links_)
        links_ = SettingsLinkFactory(ctx_, simulated_);
    return links_;
}

void MainWindow::openFromOutside(const QString& path) {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    if (files_.openPath(path))
        openEditorPage(QStringLiteral("mainsetup"));
}

void MainWindow::M_File_Read_Click() {
    // A cancelled save abandons the read: the changes are not overwritten unsaved.
    if (!askSaveFirst(kTxtAskSaveBeforeOpen))
        return;
    auto* w = new FrmSerialIO(ctx_, FrmSerialIO::Tag::Read, links(), this);
    showTransferWindow(w);
}

void MainWindow::M_File_Write_Click() {
    if (!askBeforeWrite())
        return;
    auto* w = new FrmSerialIO(ctx_, FrmSerialIO::Tag::Write, links(), this);
    showTransferWindow(w);
}

void MainWindow::M_File_Save_Click() {
    files_.save();
}

void MainWindow::M_File_SaveAs_Click() {
    files_.saveDialog();
}

void MainWindow::Load_fileno_Click(int item) {
    editor_.commitPendingEdits();
    if (files_.openRecent(item))
        openEditorPage(QStringLiteral("mainsetup"));
}

void MainWindow::RefreshFileList(const QString& name, bool showOnly) {
    if (!showOnly)
        files_.rememberRecent(name); // the entries follow through recentChanged
    const auto& f = ctx_.ws.RecentFiles;
    for (int k = 0; k < 4; ++k) {
        const QString& entry = f[static_cast<std::size_t>(k)];
        const qsizetype cut = LastSeparator(entry);
        const bool usable = cut >= 0 && entry.size() > 3;
        recent_[k]->setEnabled(usable);
        recent_[k]->setText(QStringLiteral("%1 ").arg(k + 1) +
                            EscapeAccessKeyMarks(usable ? entry.mid(cut + 1) : entry));
    }
}

bool MainWindow::Afslutprogram() {
    editor_.commitPendingEdits();
    return files_.Afslutprogram();
}

void MainWindow::M_File_Exit_Click() {
    if (!Afslutprogram())
        return;
    exitConfirmed_ = true;
    emit exitRequested();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (exitConfirmed_ || Afslutprogram()) {
        exitConfirmed_ = true;
        event->accept();
        emit exitRequested();
        return;
    }
    event->ignore();
}

void MainWindow::Menu_View_Sprog_Click(int slot) {
    ChooseLanguage(ctx_, this, slot);
    Update_Form_Elements();
    editor_.Update_Option_Form_elements();
}

} // namespace korvane
