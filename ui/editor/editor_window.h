#pragma once
// The function editor window (F_options): one page at a time, chosen by the page key (the window's
// Tag) and, for channel pages, by the type of the current channel. Every page is refilled from the
// model whenever the window is filled or comes to the front.

#include <QPixmap>
#include <QWidget>

#include "app/context.h"
#include "model/master.h"
#include "ui/editor/locked_field.h"
#include "ui/editor/pages/page_host.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QCheckBox;
class QFrame;
class QTimer;

namespace korvane {

class MainSetupPage;
class MasterPage;

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
    // The flash pattern of the intruder siren on CurChannel in the grid (the siren page's button).
    void openFlashPattern();
    void setPictures(const QPixmap& windowPicture, const QPixmap& welcomePicture);
    // The window that takes the keyboard when Ctrl or Alt is held here.
    void setMainWindow(QWidget* main) { mainWindow_ = main; }
    // The page currently shown (its objectName); F_beskrivelse for a channel with no page of its own.
    QString currentPage() const;
    // The entries of the main window's group menu M_master, for the grid on show.
    void groupMenuChosen(GroupAction action);

    MasterPage* masterPage() const { return masterPage_; }
    FieldFocus& fieldFocus() { return focus_; }

    // PageHost
    QAction* mainAction(const char* name) override;
    void focusMainWindow() override;
    void redrawMatrix() override;
    void showGroupMenu(const QPoint& globalPos, bool offOffered) override;
    QWidget* descriptionField() override;

signals:
    // A language change took effect on the language page.
    void languageApplied();
    // Channels were claimed or given back, or the number of channels changed: redraw the matrix.
    void matrixChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public:
    // Places the window directly to the right of the main window, at its size.
    void Form_Load();

private:
    void buildWelcome();
    void buildLanguagePage();
    void buildBasicPage();
    void buildChannelPart();
    void fillWelcome();
    void fillLanguagePage();
    void fillChannelPage();
    void followChannel(int channel);
    void fillBasicPage(int type);
    void showPage(QFrame* page, bool channelPart);
    void focusPage();
    void findLanguage(int slot);
    void applyLanguage();
    void setDescriptionFocused(bool focused);
    void Timer1_Timer();

    AppContext& ctx_;
    FieldFocus focus_;
    FieldKit kit_;
    QWidget* mainWindow_ = nullptr;
    QString pageKey_ = QStringLiteral("omkring");
    bool closed_ = false;
    bool flashPatternShown_ = false; // the siren's flash pattern is open in the grid
    std::vector<QFrame*> frames_;
    QWidget* pageFocus_ = nullptr; // the control the shown page puts the focus on, if any

    QFrame* frameWelcome_ = nullptr;
    QLabel* picture1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* programText_ = nullptr;

    QFrame* frameLanguage_ = nullptr;
    QLineEdit* tLanguage_[3] = {};
    QPushButton* cFindLang_[3] = {};
    QPushButton* cLangOk_ = nullptr;
    QLabel* lLangName_ = nullptr;

    MainSetupPage* mainSetup_ = nullptr;
    MasterPage* masterPage_ = nullptr;

    QFrame* frameBasic_ = nullptr;
    QLabel* lGrundfunk_ = nullptr;
    QCheckBox* chkInvertMono_ = nullptr;
    QCheckBox* chkGrundUseThief_ = nullptr;

    QFrame* frameChannel_ = nullptr;
    QLabel* labelBeskriv_ = nullptr;
    QLineEdit* textBeskriv_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QTimer* timer1_ = nullptr;
    bool filling_ = false;
    int shownChannel_ = -1; // the channel and type the channel page shows
    int shownType_ = -1;
};

} // namespace korvane
