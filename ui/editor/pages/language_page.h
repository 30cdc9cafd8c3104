#pragma once
// The language page (Frame_SelectLanguage): the three language slots, a file for each, and OK,
// which loads the texts of the current language again.

#include "ui/editor/form/editor_page.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

class LanguagePage : public EditorPage {
    Q_OBJECT
public:
    LanguagePage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString& pageKey, int) const override { return pageKey == QLatin1String("setlanguage"); }
    void fill() override;

private:
    void findLanguage(int slot);
    void applyLanguage();

    QLineEdit* tLanguage_[3] = {};
    QPushButton* cFindLang_[3] = {};
    QPushButton* cLangOk_ = nullptr;
    QLabel* lLangName_ = nullptr;
};

} // namespace korvane
