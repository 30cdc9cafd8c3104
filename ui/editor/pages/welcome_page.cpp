#include "ui/editor/pages/welcome_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/texts.h"
#include "model/text_ids.h"

namespace korvane {

namespace {
// The same in every language.
const QString kProgramName = QStringLiteral("Korvane");
} // namespace

WelcomePage::WelcomePage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_Welcome", parent) {
    auto* v = static_cast<QVBoxLayout*>(layout());
    picture1_ = new QLabel(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setAlignment(Qt::AlignCenter);
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setTextFormat(Qt::PlainText);
    label2_->setAlignment(Qt::AlignCenter);
    programText_ = new QLabel(this);
    programText_->setObjectName(QStringLiteral("L_programbeskriv"));
    programText_->setTextFormat(Qt::PlainText);
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
    // What the program is, the unit it is made for, its name, licence and address. The program has no
    // company, no telephone, fax or e-mail of its own: the page names none.
    const Workspace& ws = ctx_.ws;
    programText_->setText(ws.text(kTxtAboutText) + QLatin1Char('\n') + ws.text(kTxtAboutProduct) +
                          QStringLiteral("\n\n") + kProgramName + QLatin1Char('\n') + ws.text(kTxtAboutLicence));
}

} // namespace korvane
