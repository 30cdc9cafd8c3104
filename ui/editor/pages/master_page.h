#pragma once
// The 128-cell grid of the editor (Frame_MasterFunction_Setup) in its three modes: the targets of a
// master function ("EditMask"), the flash pattern of an intruder siren ("IntruderFlashPattern") and
// the data exchange mask ("Data Exchange"). T_dummy holds the keyboard for the grid; its Tag tells
// the mode.

#include <array>

#include "model/master.h"
#include "ui/editor/form/editor_page.h"
#include "ui/editor/form/grid_cell.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace korvane {

class MasterPage : public EditorPage {
    Q_OBJECT
public:
    enum class Mode { Master, FlashPattern, Exchange };

    MasterPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);

    bool shows(const QString& pageKey, int type) const override;
    // The grid of the page key it was opened for: the exchange mask, or CurChannel's function.
    void fill() override;
    QWidget* focusControl() override { return tDummy_; }
    void setPageKey(const QString& key) { pageKeyShown_ = key; }

    // Fills the grid for the master function or the flash pattern of CurChannel (by its type).
    void Update_Master_Matrix();
    // Fills the grid in exchange mode.
    void Update_exchangeData();
    // The group menu entries for group CurGroup.
    void groupAction(GroupAction action);

    void I_Master_Click(int t);
    void I_Master_MouseDown(int t, const QPoint& globalPos);
    Mode mode() const { return mode_; }
    QWidget* keyField() const { return tDummy_; }
    // Cmd_viewRt: shows or hides the trigger times of a master function run by the clock in place of
    // the grid. The view stays open for the channel while the window is refilled.
    void Cmd_viewRt_Click();
    bool triggerViewShown() const;
    // The real-time page beside this one, which shows the trigger times.
    EditorPage* triggerView() const;
    EditorPage* companion() const override;
    MasterCell* cell(int t) const { return cells_[static_cast<std::size_t>(t)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void T_dummy_KeyDown(int keyCode);
    // Back from a siren's flash pattern to the siren's page (Back, Escape, Enter in the grid).
    void leaveFlashPattern();
    // The picture of cell t in the current mode.
    int pictureOf(int t) const;
    void drawCell(int t, bool cursor);
    void setTarget(int t, int state);
    void fillCells();
    void showMasterControls(bool shown);
    // The grid and its legend, or the trigger times in their place.
    void showTriggerView(bool shown);

    Mode mode_ = Mode::Master;
    QString pageKeyShown_;
    std::array<MasterCell*, kChannels> cells_{};
    std::array<QLabel*, 2> types_{}; // I_Master_types 0 and 1, the legend pictures
    std::array<QLabel*, 4> legend_{};
    std::array<QLabel*, 2> legendPictures_{}; // pictures beside L_Master 2 and 3
    QCheckBox* chkMasterRt_ = nullptr;
    QPushButton* cmdViewRt_ = nullptr;
    QPushButton* cmdBack_ = nullptr; // Cmd_FlashBack, shown with a siren's flash pattern
    QWidget* tDummy_ = nullptr;
    QWidget* gridArea_ = nullptr;
    bool triggerShown_ = false;
    int triggerViewChannel_ = -1; // the channel whose trigger times are shown, or -1
};

} // namespace korvane
