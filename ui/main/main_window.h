#pragma once
// The main window (F_main): the matrix pane with the 128 channel cells and the editor pane side by
// side in one window, under the program's one menu bar (the menus: main_menus.cpp). The editor pane
// can be detached into a window of its own and put back.

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/context.h"
#include "app/file_commands.h"
#include "ui/editor/form/page_host.h"
#include "ui/transfer/frm_serial_io.h"

class QAction;
class QDialog;
class QDockWidget;
class QLabel;
class QMenu;
class QMenuBar;
class QSplitter;

namespace korvane {

class ChannelCell;
class MatrixSelection;
class ChannelFind;
class EditorWindow;
class ProblemsCount;
class ProblemsPane;
class PortMenu;
class ReportPrinting;
class SimulatedLink;

class MainWindow : public QMainWindow, public MainWindowPort {
    Q_OBJECT
public:
    MainWindow(AppContext& ctx, EditorWindow& editor, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Every caption from the language texts, the recent-file items and the whole matrix.
    void Update_Form_Elements();
    void ImgTxt(int n);
    void RefreshFileList(const QString& name, bool showOnly);
    // The exit questions; true when the program may end.
    bool Afslutprogram();
    void setUserPicture(const QPixmap& picture);
    // The title as the window shows it: "ZEB1 [name]", with "*" after it while there are unsaved changes.
    QString shownTitle() const;

    // A further pane (the problems list, say): below the matrix and the editor (Qt::Vertical) or beside
    // them, right of the editor (Qt::Horizontal). The window owns it; its share of the room is
    // remembered with the others.
    void addSidePane(QWidget* pane, Qt::Orientation placement = Qt::Vertical);
    // The editor in its own window (for a second screen) or as the pane beside the matrix (View menu);
    // the page, the channel and the focus stay. The choice is remembered.
    void setEditorDetached(bool detached);
    bool editorDetached() const { return editorDetached_; }
    // The matrix pane (the cells and their captions); the keyboard is in it while the window itself
    // has the focus.
    QWidget* matrixPane() const { return matrix_; }

    // Menu commands (also reached by the shortcut keys).
    void M_File_New_Click();
    void M_File_Open_Click();
    void M_File_Save_Click();
    void M_File_SaveAs_Click();
    void Load_fileno_Click(int item); // 1..4
    void M_File_Exit_Click();
    // A file given from outside (the command line, a later start): the window comes to the front and
    // the file is opened as File > Open opens the chosen one.
    void openFromOutside(const QString& path);
    void M_File_Read_Click();
    void showGeneralHelp();
    // Runs the command of the menu entry with that name, as choosing the entry does.
    void runCommand(const char* name);
    void M_File_Write_Click();
    // Edit > Copy channels (Ctrl+C), Paste channels (Ctrl+V), Move channel to..., Swap with...: the
    // matrix's selection (matrix_selection.h) does the work.
    void M_Edit_CopyChannels_Click();
    void M_Edit_PasteChannels_Click();
    void M_Edit_MoveChannel_Click();
    void M_Edit_SwapChannel_Click();
    MatrixSelection& selection() { return *selection_; }
    // Edit > Undo and Redo (Ctrl+Z; Ctrl+Y or Ctrl+Shift+Z).
    void M_Edit_Undo_Click();
    void M_Edit_Redo_Click();
    void M_Edit_Find_Click();
    // File > Compare with file, Compare with unit and Backups of the unit (main_window_compare.cpp).
    void M_File_CompareFile_Click();
    void M_File_CompareUnit_Click();
    void M_File_Backups_Click();
    void M_File_ExportCsv_Click();
    void M_File_ImportDescriptions_Click();
    // Whether a file manager can show the backups' folder (tests set it; unset: asked of the system).
    void setFileManager(std::optional<bool> exists) { fileManager_ = exists; }
    // The links of File > Read and Write (tests hand in the simulated unit).
    void setLinkFactory(LinkFactory links) { links_ = std::move(links); }
    // The simulated unit of View > COM port: one for the whole run, so that it keeps what was written
    // from one transfer window to the next (tests take its pace away).
    SimulatedLink& simulatedUnit() { return *simulated_; }
    // The Print menu's printing, preview and PDF files (tests hand in a fake printing system).
    ReportPrinting& reportPrinting() { return *printing_; }
    void Menu_View_Sprog_Click(int slot);
    void Image1_Click(int n);
    void Image1_MouseDown(int n, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    void PopUp_ChannelType_Click(int index);

    // The shortcut letter codes (entries 0..11) of the current language.
    const std::array<int, 12>& shortcutKeys() const { return shortcutKeys_; }
    QMenu* channelTypePopup() const { return popup_; }
    // The group pop-up of the editor's grids (M_master).
    QMenu* groupMenu() const { return groupMenu_; }
    ChannelCell* cell(int n) const { return cells_[static_cast<std::size_t>(n)]; }
    // View > Problems (main_window_problems.cpp): the list beside the matrix, shown or hidden.
    ProblemsPane* problemsPane() const { return problems_; }
    void showProblems(bool shown);
    ChannelFind* finder() const { return find_; }

    // MainWindowPort
    QWidget* widget() override { return this; }
    void popupGroupMenu(const QPoint& globalPos, bool offOffered) override;

signals:
    // The user confirmed the end of the program.
    void exitRequested();
    // The settings' COM port changed (1..4).
    void comPortChanged(int port);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMatrix();
    // The splitter of the panes, with the editor docked or in its own window as last chosen.
    void buildPanes();
    // The panes' shares of the window, kept for the next start.
    void storeSplit();
    void restoreSplit();
    void buildProblems();
    void retranslateProblems();
    void showProblemMarks();
    // Before File > Write: with problems more than notes, Show problems / Write anyway / Cancel; true
    // when the write goes ahead.
    bool askBeforeWrite();
    void buildMenus();
    // Every menu caption and shortcut key from the language texts.
    void retranslateMenus();
    // The menu commands' keys as the matrix sees them (Ctrl with a shortcut letter, Alt with Exit's);
    // true when the key was one of them.
    bool commandKey(int key, Qt::KeyboardModifiers mods);
    // Access keys for the menu bar and every menu, without two alike in one menu.
    void applyAccessKeys();
    void setAccessKeys(const QList<QAction*>& actions, const QString& reserved);
    // Opens a menu of the menu bar as its access key does (F10, Ctrl+P).
    void openMenu(QMenu* menu);
    // The entries of the command table that belong in the menu (by its name).
    void addCommands(QMenu* menu);
    void Form_Activate();
    // Edit > SMS and Edit > Exchange mask as the configuration allows them.
    void applyEditMenu();
    // Edit > Undo and Redo as the workspace's history allows them.
    void applyUndoMenu();
    // The menu commands' keys (the language's shortcut letters, Undo, Redo, Exit) as application-wide
    // shortcuts.
    void applyShortcuts();
    void refreshCell(int n);
    void refreshMatrix();
    void moveBorder(int from, int to);
    void openEditorOnChannel();
    void openEditorPage(const QString& key, const QString& focus = QString());
    void showPopupAt(const QPoint& globalPos);
    void applyPopupState();
    bool SaveDialog();
    bool askSaveFirst(int questionText);
    void loadChosenFile();
    void restorePlace();
    void applyTitle();
    // The group letters and digits in a font that follows the cells' size.
    void scaleCaptions();
    // Descriptions in the cells on or off (View > Descriptions in cells).
    void setCellText(bool shown);
    void showTransferWindow(QDialog* w);
    // Shows a dialog of the window centred over it, inside the screen.
    void showCentred(QWidget* w);
    // The links of the transfer windows: the test's, or the port chosen under View > COM port.
    const LinkFactory& links();
    QAction* action(const char* name, const std::function<void()>& handler);

    AppContext& ctx_;
    EditorWindow& editor_;
    std::array<ChannelCell*, 128> cells_{};
    QWidget* matrix_ = nullptr;
    QSplitter* panes_ = nullptr;    // the matrix and editor above, further panes below
    QSplitter* split_ = nullptr;    // the matrix, the editor (while docked) and panes beside them
    QMenuBar* editorBar_ = nullptr; // the menu bar of the detached editor: the same menus
    QAction* detachAction_ = nullptr;
    bool editorDetached_ = false;
    std::array<QLabel*, 24> captions_{};
    ChannelFind* find_ = nullptr;
    std::array<int, 12> shortcutKeys_{};
    FileCommands files_;
    bool exitConfirmed_ = false;
    bool roomKnown_ = false; // the window has its first size: later sizes are the user's
    bool cellText_ = true;
    QAction* cellTextAction_ = nullptr;
    LinkFactory links_;
    std::optional<bool> fileManager_;
    std::shared_ptr<SimulatedLink> simulated_;
    PortMenu* portMenu_ = nullptr;
    std::unique_ptr<ReportPrinting> printing_;
    MatrixSelection* selection_ = nullptr;

    QMenu* mFile_ = nullptr;
    QMenu* mPrint_ = nullptr;
    QMenu* mPrintPreview_ = nullptr;
    QMenu* mPrintPdf_ = nullptr;
    QMenu* mEdit_ = nullptr;
    QMenu* mView_ = nullptr;
    QMenu* mViewLanguage_ = nullptr;
    QMenu* mViewComport_ = nullptr;
    QMenu* mHelp_ = nullptr;
    QMenu* popup_ = nullptr;
    QMenu* groupMenu_ = nullptr;
    std::array<QAction*, 4> recent_{};
    std::array<QAction*, 3> languages_{};
    std::array<QAction*, 4> comPorts_{};
    std::array<QAction*, 32> popupEntries_{};
    ProblemsPane* problems_ = nullptr;
    QDockWidget* problemsDock_ = nullptr;
    QAction* problemsAction_ = nullptr;
    ProblemsCount* problemsCount_ = nullptr;
};

} // namespace korvane
