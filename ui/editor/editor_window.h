#pragma once
// The function editor (F_options): one page at a time, chosen by the page key (the Tag) and, for
// channel pages, by the type of the current channel. It stands as a pane beside the matrix in the
// main window, or in a window of its own (the main window decides). It routes to its pages, previews
// keys (F1) and runs the clock; every page is refilled from the model whenever the editor is filled
// or its window comes to the front.

#include <QPixmap>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/context.h"
#include "model/differences.h"
#include "model/master.h"
#include "model/problems.h"
#include "ui/editor/form/page_host.h"
#include "ui/editor/locked_field.h"

class QLabel;
class QMenuBar;
class QTimer;

namespace korvane {

class ChannelPart;
class EditorPage;
class MainSetupPage;
class MasterPage;
class WelcomePage;

class EditorWindow : public QWidget, public PageHost {
    Q_OBJECT
public:
    explicit EditorWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~EditorWindow() override;

    QString pageKey() const { return pageKey_; }
    void setPageKey(const QString& key) { pageKey_ = key; }
    // Hides every page, then shows and fills the one the key selects.
    void Update_Option_Form_elements();
    // How menus, the matrix and start-up open the window: set the key, show without blocking,
    // restore from the minimised state, fill, put the focus where the page wants it, or on the named
    // control if one is given.
    void openPage(const QString& key, const QString& focusControl = QString());
    // Where a problem of the problems list is: its channel's page, the logic page of its block, the
    // holiday, main setup or SMS page, with the focus on the field concerned where the page has it.
    void showProblem(const Problem& problem);
    // The flash pattern of the intruder siren on CurChannel in the grid (the siren page's button).
    void openFlashPattern() override;
    // Whether the siren's flash pattern is open in the grid.
    bool flashPatternShown() const override { return flashPatternShown_; }
    // Closes the flash pattern grid and shows the siren's own page again.
    void closeFlashPattern() override;
    void setPictures(const QPixmap& windowPicture, const QPixmap& welcomePicture);
    // The main window: Enter at a chain's end hands it the keyboard, and it holds the group menu.
    void setMainWindow(MainWindowPort* main) { mainWindow_ = main; }
    // The page currently shown (its objectName); F_beskrivelse for a channel with no page of its own.
    QString currentPage() const;
    // The entries of the main window's group menu M_master, for the grid on show.
    void groupMenuChosen(GroupAction action);
    // Runs the leaving rules of the focused field (the reset minimums, the quotes of a description)
    // before the main window saves, writes or prints.
    void commitPendingEdits();

    MasterPage* masterPage() const { return masterPage_; }
    FieldFocus& fieldFocus() { return focus_; }
    const std::vector<EditorPage*>& pages() const { return pages_; }
    // The page shown for a page key and a channel type, or nullptr for the common part alone.
    EditorPage* pageFor(const QString& key, int type) const;

    // PageHost
    void focusMainWindow() override;
    void redrawMatrix() override;
    void showGroupMenu(const QPoint& globalPos, bool offOffered) override;
    QWidget* descriptionField() override;
    void openPageOf(const QString& pageKey, int channel) override;
    // Shows what an Undo or Redo changed: the page of its channel or system area, with the focus on
    // the field the step was typed into, else the field of the value where the page has one.
    void showStep(const std::optional<Difference>& step, const QString& typedInto = QString());
    void languageApplied() override;

    // The page's caption (the window title of a detached editor) above the page, while it is a pane.
    void setCaptionShown(bool shown);
    int captionHeight() const;
    // The menu bar of the detached editor's own window (nullptr: none).
    void setMenuBar(QMenuBar* bar);

signals:
    // The user closed the editor's own window.
    void closeRequested();
    // A language change took effect on the language page.
    void languageChanged();
    // Channels were claimed or given back, or the number of channels changed: redraw the matrix.
    void matrixChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public:
    // In its own window: places it directly to the right of the main window, in its size or the size
    // the user gave it. As a pane: nothing.
    void Form_Load();

private:
    void showPage(EditorPage* page, bool channelPart);
    void followChannel(int channel);
    void Timer1_Timer();

    AppContext& ctx_;
    FieldFocus focus_;
    MainWindowPort* mainWindow_ = nullptr;
    QString pageKey_ = QStringLiteral("omkring");
    QLabel* caption_ = nullptr;
    bool placing_ = false; // Form_Load sets the size: not the user's
    bool flashPatternShown_ = false;
    std::vector<EditorPage*> pages_;
    QWidget* pageFocus_ = nullptr; // the control the shown page puts the focus on, if any

    WelcomePage* welcome_ = nullptr;
    MainSetupPage* mainSetup_ = nullptr;
    MasterPage* masterPage_ = nullptr;
    ChannelPart* channelPart_ = nullptr;
    QTimer* timer1_ = nullptr;
    int shownChannel_ = -1; // the channel and type the channel page shows
    int shownType_ = -1;
};

} // namespace korvane
