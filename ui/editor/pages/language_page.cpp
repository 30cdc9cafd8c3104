#include "ui/editor/pages/language_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/texts.h"
#include "model/text_ids.h"

namespace korvane {

LanguagePage::LanguagePage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_SelectLanguage", parent) {
    QGridLayout* g = gridOf(this);
    lLangName_ = new QLabel(this);
    lLangName_->setObjectName(QStringLiteral("L_langname"));
    lLangName_->setTextFormat(Qt::PlainText);
    lLangName_->setWordWrap(true);
    g->addWidget(lLangName_, 0, 0, 1, 2);
    for (int i = 0; i < 3; ++i) {
        tLanguage_[i] = new QLineEdit(this);
        tLanguage_[i]->setObjectName(QStringLiteral("T_Language_%1").arg(i));
        tLanguage_[i]->setReadOnly(true);
        SetHelpContextText(tLanguage_[i], kHelpLanguageName, kTxtMenuSetLanguage);
        cFindLang_[i] = new QPushButton(QStringLiteral("..."), this);
        cFindLang_[i]->setObjectName(QStringLiteral("C_FindLang_%1").arg(i));
        cFindLang_[i]->setFixedWidth(36);
        SetHelpContextText(cFindLang_[i], kHelpLanguageBrowse, kTxtMenuSetLanguage);
        connect(cFindLang_[i], &QPushButton::clicked, this, [this, i] { findLanguage(i); });
        g->addWidget(tLanguage_[i], i + 1, 0);
        g->addWidget(cFindLang_[i], i + 1, 1);
    }
    cLangOk_ = new QPushButton(QStringLiteral("OK"), this);
    cLangOk_->setObjectName(QStringLiteral("C_langOk"));
    SetHelpContextText(cLangOk_, kHelpLanguageOk, kTxtMenuSetLanguage);
    connect(cLangOk_, &QPushButton::clicked, this, &LanguagePage::applyLanguage);
    g->addWidget(cLangOk_, 4, 0, 1, 2, Qt::AlignRight);
    static_cast<QVBoxLayout*>(layout())->addStretch(1);
}

void LanguagePage::fill() {
    const Workspace& ws = ctx_.ws;
    lLangName_->setText(ws.text(kTxtMenuSetLanguage));
    for (int i = 0; i < 3; ++i)
        tLanguage_[i]->setText(ws.LangNames[static_cast<std::size_t>(i)]);
}

void LanguagePage::findLanguage(int slot) {
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
    fill();
}

void LanguagePage::applyLanguage() {
    Workspace& ws = ctx_.ws;
    LoadTexts(ctx_, this, ws.CurLanguage, TextKind::Language);
    LoadTexts(ctx_, this, ws.CurLanguage, TextKind::Help);
    host_.languageApplied();
}

} // namespace korvane
