#include "ui/main/label_sheet_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/texts.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

QDoubleSpinBox* millimetres(const char* name, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, 500);
    box->setDecimals(2);
    box->setSingleStep(0.5);
    return box;
}

QSpinBox* count(const char* name, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(1, 40);
    return box;
}

} // namespace

LabelSheetDialog::LabelSheetDialog(AppContext& ctx, const LabelSheet& current, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    const Workspace& ws = ctx_.ws;
    setObjectName(QStringLiteral("LabelSheetDialog"));
    QString title = ws.text(kTxtMenuLabels);
    while (title.endsWith(QLatin1Char('.')))
        title.chop(1);
    setWindowTitle(title);
    Combo_LabelSheet = new QComboBox(this);
    Combo_LabelSheet->setObjectName(QStringLiteral("Combo_LabelSheet"));
    for (const LabelSheet& s : CommonLabelSheets())
        Combo_LabelSheet->addItem(QString::fromStdString(s.name));
    Combo_LabelSheet->addItem(ws.text(kTxtLabelCustom));
    width_ = millimetres("T_LabelWidth", this);
    height_ = millimetres("T_LabelHeight", this);
    columns_ = count("T_LabelColumns", this);
    rows_ = count("T_LabelRows", this);
    left_ = millimetres("T_LabelLeft", this);
    top_ = millimetres("T_LabelTop", this);
    gapX_ = millimetres("T_LabelGapX", this);
    gapY_ = millimetres("T_LabelGapY", this);

    // Millimetres in the window language's notation (a decimal comma in German and Danish).
    const QString language = QtLanguageOf(ws);
    const QLocale locale = language.isEmpty() ? QLocale() : QLocale(language);
    for (QDoubleSpinBox* box : {width_, height_, left_, top_, gapX_, gapY_})
        box->setLocale(locale);

    auto* form = new QFormLayout;
    form->addRow(ws.text(kTxtLabelSheet), Combo_LabelSheet);
    form->addRow(ws.text(kTxtLabelWidth), width_);
    form->addRow(ws.text(kTxtLabelHeight), height_);
    form->addRow(ws.text(kTxtLabelColumns), columns_);
    form->addRow(ws.text(kTxtLabelRows), rows_);
    form->addRow(ws.text(kTxtLabelLeft), left_);
    form->addRow(ws.text(kTxtLabelTop), top_);
    form->addRow(ws.text(kTxtLabelGapX), gapX_);
    form->addRow(ws.text(kTxtLabelGapY), gapY_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    showSheet(current);
    connect(Combo_LabelSheet, &QComboBox::activated, this, [this](int k) {
        if (k < static_cast<int>(CommonLabelSheets().size()))
            showSheet(CommonLabelSheets()[static_cast<std::size_t>(k)]);
    });
    // A size typed in is a sheet of its own; OK only for a grid that fits its paper.
    const auto edited = [this, buttons] {
        const LabelSheet s = sheet();
        int k = static_cast<int>(CommonLabelSheets().size());
        for (std::size_t i = 0; i < CommonLabelSheets().size(); ++i)
            if (CommonLabelSheets()[i] == s)
                k = static_cast<int>(i);
        Combo_LabelSheet->setCurrentIndex(k);
        buttons->button(QDialogButtonBox::Ok)->setEnabled(LabelSheetFault(s).empty());
    };
    for (QDoubleSpinBox* box : {width_, height_, left_, top_, gapX_, gapY_})
        connect(box, &QDoubleSpinBox::valueChanged, this, edited);
    for (QSpinBox* box : {columns_, rows_})
        connect(box, &QSpinBox::valueChanged, this, edited);
    edited();
}

void LabelSheetDialog::showSheet(const LabelSheet& s) {
    paperWidth_ = s.paperWidth;
    paperHeight_ = s.paperHeight;
    for (auto [box, value] :
         {std::pair{width_, s.labelWidth}, std::pair{height_, s.labelHeight}, std::pair{left_, s.left},
          std::pair{top_, s.top}, std::pair{gapX_, s.gapX}, std::pair{gapY_, s.gapY}}) {
        const QSignalBlocker quiet(box);
        box->setValue(value);
    }
    for (auto [box, value] : {std::pair{columns_, s.columns}, std::pair{rows_, s.rows}}) {
        const QSignalBlocker quiet(box);
        box->setValue(value);
    }
}

LabelSheet LabelSheetDialog::sheet() const {
    LabelSheet s{{},
                 paperWidth_,
                 paperHeight_,
                 width_->value(),
                 height_->value(),
                 columns_->value(),
                 rows_->value(),
                 left_->value(),
                 top_->value(),
                 gapX_->value(),
                 gapY_->value()};
    for (const LabelSheet& common : CommonLabelSheets()) {
        LabelSheet named = s;
        named.name = common.name;
        if (named == common)
            return common;
    }
    return s;
}

std::optional<LabelSheet> LabelSheetDialog::ask(AppContext& ctx, const LabelSheet& current, QWidget* parent) {
    LabelSheetDialog dialog(ctx, current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.sheet();
}

void LabelSheetDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_F1) {
        QDialog::keyPressEvent(event);
        return;
    }
    ShowHelp(ctx_, this, kHelpLabelSheet, windowTitle());
    event->accept();
}

} // namespace korvane
