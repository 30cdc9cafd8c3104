// The program's menus: the menu bar, the channel-type and group pop-ups, their captions, access keys
// and shortcut keys, all made from the one command table.

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/access_keys.h"
#include "app/config_files.h"
#include "app/texts.h"
#include "model/channel_types.h"
#include "model/text_ids.h"
#include "reports/report_catalogue.h"
#include "sim/simulated_link.h"
#include "ui/editor/editor_window.h"
#include "ui/main/channel_find.h"
#include "ui/main/main_menus.h"
#include "ui/main/main_window.h"
#include "ui/main/matrix_selection.h"
#include "ui/main/report_printing.h"
#include "ui/transfer/port_menu.h"

namespace korvane {

namespace {

constexpr char kDefaultShortcuts[12] = {'B', 'L', 'H', 'D', 'M', 'N', 'O', 'S', 'A', 'R', 'W', 'X'};
// The menus, their captions and the shortcut keys are all made from this one table.
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

} // namespace

std::span<const Command> MenuCommands() {
    return kCommands;
}

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
    // The editor in a window of its own, for a second screen, and back beside the matrix.
    detachAction_ = action("M_View_DetachEditor", [this] { setEditorDetached(!editorDetached_); });
    detachAction_->setCheckable(true);
    mView_->addAction(detachAction_);
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

void MainWindow::retranslateMenus() {
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
    set("M_View_DetachEditor", ws.menuText(kTxtMenuDetachEditor));
    RefreshFileList(QString(), true);
    applyAccessKeys();
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

bool MainWindow::commandKey(int key, Qt::KeyboardModifiers mods) {
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
            return true;
        }
        // Undo and Redo keep Ctrl+Z and Ctrl+Y in every language; Ctrl+Shift+Z redoes too.
        const char* fixed = key == 'Z' && (mods & Qt::ShiftModifier) ? "M_Edit_Redo" : nullptr;
        for (const Command& c : kCommands)
            if (!fixed && c.fixedKey && key == c.fixedKey)
                fixed = c.name;
        if (fixed && enabled(fixed))
            runCommand(fixed);
        return fixed != nullptr;
    }
    if ((mods & Qt::AltModifier) && key == shortcutKeys_[kScExit]) {
        M_File_Exit_Click();
        return true;
    }
    return false;
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

void MainWindow::M_Edit_Find_Click() {
    find_->start();
}

// Undo and Redo show what they changed: the channel, the page of the value and its field.
void MainWindow::M_Edit_Undo_Click() {
    ctx_.ws.undo();
    editor_.showStep(ctx_.ws.stepShown(), ctx_.ws.stepField());
}

void MainWindow::M_Edit_Redo_Click() {
    ctx_.ws.redo();
    editor_.showStep(ctx_.ws.stepShown(), ctx_.ws.stepField());
}

void MainWindow::popupGroupMenu(const QPoint& globalPos, bool offOffered) {
    if (QAction* off = findChild<QAction*>(QStringLiteral("M_gruppeOff")))
        off->setVisible(offOffered);
    groupMenu_->popup(globalPos);
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

} // namespace korvane
