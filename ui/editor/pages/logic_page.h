#pragma once
// The logic page (Frame_Logic_Setup): eight pages of eight logic blocks, each block a row of output,
// input 1, operation and input 2, and the page's notes. Every stored key rebuilds the logic marks, so
// the matrix shows at once which channels logic drives.

#include <array>

#include "ui/editor/form/editor_page.h"

class QPushButton;

namespace korvane {

class LogicPage : public EditorPage {
    Q_OBJECT
public:
    LogicPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);

    bool shows(const QString& pageKey, int) const override { return pageKey == QLatin1String("logic"); }
    // Update_Logic_block: the captions, the page buttons and the blocks of CurLogicBlock.
    void fill() override;
    QWidget* focusControl() override { return control("T_LogicOut_0"); }
    QString caption() const override;

    // Shows logic page p (0..7) and puts the focus on its first output.
    void C_LogBlok_Click(int p);
    QPushButton* pageButton(int p) const { return pageButtons_[static_cast<std::size_t>(p)]; }

protected:
    bool keyed(const FormRow& row, int keyCode) override;
    QString fieldText(const FormRow& row) const override;
    void follow() override;
    void entered(const FormRow& row, QWidget* control, Qt::FocusReason reason) override;
    void left(const FormRow& row) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The block of a field's row and its byte (output, input 1, operation, input 2).
    int blockOf(const FormRow& row) const;
    static int byteOf(const FormRow& row);
    // The descriptions of the channels each block drives and reads, beside it.
    void showWords();

    std::array<QPushButton*, 8> pageButtons_{};
};

} // namespace korvane
