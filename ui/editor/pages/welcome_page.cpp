#include "ui/editor/pages/welcome_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/texts.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// Our own lines of the about page, after the product line: name, company form, an empty line,
// telephone, fax and e-mail.
const char* const kOemLines[] = {"Korvane", "Free software project", "", "Tel.: -", "Fax: -", "E-mail: -"};

} // namespace

WelcomePage::WelcomePage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_Welcome", parent) {
    auto* v = static_cast<QVBoxLayout*>(layout());
    picture1_ = new QLabel(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setAlignment(Qt::AlignCenter);
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setAlignment(Qt::AlignCenter);
    programText_ = new QLabel(this);
    programText_->setObjectName(QStringLiteral("L_programbeskriv"));
    programText_->setWordWrap(true);
    programText_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    v->addWidget(picture1_);
    v->addWidget(label2_);
    v->addWidget(programText_, 1);
}

void WelcomePage::setPicture(const QPixmap& picture) {
    if (!picture.isNull())
        picture1_->setPixmap(picture.scaled(QSize(320, 240), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture1_->setVisible(!picture.isNull());
}

QString WelcomePage::caption() const {
    return ctx_.ws.text(kTxtAbout) + QStringLiteral(" ZEB1");
}

void WelcomePage::fill() {
    label2_->setText(kRevisionLevel);
    QString about = ctx_.ws.text(kTxtAboutText) + QLatin1Char('\n');
    about += QStringLiteral("ZEB1 / M52xx07, unit firmware 3.00 or later\n");
    for (const char* line : kOemLines)
        about += QLatin1String(line) + QLatin1Char('\n');
    programText_->setText(about);
}

} // namespace korvane
