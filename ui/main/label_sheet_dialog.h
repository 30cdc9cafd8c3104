#pragma once
// Print > Labels: the choice of the label sheet, from the common sheets or in millimetres.

#include <QDialog>
#include <optional>

#include "app/context.h"
#include "reports/labels.h"

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace korvane {

class LabelSheetDialog : public QDialog {
    Q_OBJECT
public:
    LabelSheetDialog(AppContext& ctx, const LabelSheet& current, QWidget* parent);
    LabelSheet sheet() const;

    // Asks with the dialog; nothing when cancelled.
    static std::optional<LabelSheet> ask(AppContext& ctx, const LabelSheet& current, QWidget* parent);

protected:
    // F1 tells about the sheets and the millimetres.
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppContext& ctx_;
    void showSheet(const LabelSheet& s);
    QComboBox* Combo_LabelSheet;
    QDoubleSpinBox* width_;
    QDoubleSpinBox* height_;
    QSpinBox* columns_;
    QSpinBox* rows_;
    QDoubleSpinBox* left_;
    QDoubleSpinBox* top_;
    QDoubleSpinBox* gapX_;
    QDoubleSpinBox* gapY_;
    double paperWidth_ = 210;
    double paperHeight_ = 297;
};

} // namespace korvane
