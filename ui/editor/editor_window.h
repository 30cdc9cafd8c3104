#pragma once
// The function editor window (F_options): one page at a time, chosen by the page key (the window's
// Tag) and, for channel pages, by the type of the current channel. Every page is refilled from the
// model whenever the window is filled or comes to the front.

#include <QPixmap>
#include <QWidget>

#include "app/context.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QCheckBox;
class QStackedWidget;
class QFrame;

namespace korvane {

class EditorWindow : public QWidget {
    Q_OBJECT
public:
    explicit EditorWindow(AppContext& ctx, QWidget* parent = nullptr);

    QString pageKey() const { return pageKey_; }
    void setPageKey(const QString& key) { pageKey_ = key; }
    // Hides every page, then shows and fills the one the key selects.
    void Update_Option_Form_elements();
    // How menus, the matrix and start-up open the window: set the key, show without blocking,
    // restore from the minimised state, fill, and put the focus on the named control if given.
    void openPage(const QString& key, const QString& focusControl = QString());
    void setPictures(const QPixmap& windowPicture, const QPixmap& welcomePicture);
    // The window that takes the keyboard when Ctrl or Alt is held here.
    void setMainWindow(QWidget* main) { mainWindow_ = main; }
    // The page currently shown (its objectName).
    QString currentPage() const;

signals:
    // A language change took effect on the language page.
    void languageApplied();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildWelcome();
    void buildLanguagePage();
    void buildChannelPage();
    void fillWelcome();
    void fillLanguagePage();
    void fillChannelPage();
    void showPage(QWidget* page);
    void findLanguage(int slot);
    void applyLanguage();
    void focusControl(const QString& name);

    AppContext& ctx_;
    QWidget* mainWindow_ = nullptr;
    QString pageKey_ = QStringLiteral("omkring");
    QStackedWidget* pages_ = nullptr;

    QFrame* frameWelcome_ = nullptr;
    QLabel* picture1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* programText_ = nullptr;

    QFrame* frameLanguage_ = nullptr;
    QLineEdit* tLanguage_[3] = {};
    QPushButton* cFindLang_[3] = {};
    QPushButton* cLangOk_ = nullptr;
    QLabel* lLangName_ = nullptr;

    QFrame* frameChannel_ = nullptr;
    QLabel* labelBeskriv_ = nullptr;
    QLineEdit* textBeskriv_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    bool filling_ = false;
};

} // namespace korvane
