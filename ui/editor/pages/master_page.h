#pragma once
// The 128-cell grid of the editor (Frame_MasterFunction_Setup) in its three modes: the targets of a
// master function ("EditMask"), the flash pattern of an intruder siren ("IntruderFlashPattern") and
// the data exchange mask ("Data Exchange"). T_dummy holds the keyboard for the grid; its Tag tells
// the mode.

#include <memory>

#include "model/master.h"
#include "ui/editor/form/cell_grid.h"
#include "ui/editor/form/companion_view.h"
#include "ui/editor/form/editor_page.h"

class QPushButton;

namespace korvane {

class MasterPage : public EditorPage {
    Q_OBJECT
public:
    MasterPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);

    bool shows(const QString& pageKey, int type) const override;
    // The grid of the page key it was opened for: the exchange mask, or CurChannel's master function
    // or siren's flash pattern (by its type).
    void fill() override;
    QWidget* focusControl() override { return tDummy_; }
    void setPageKey(const QString& key) { pageKeyShown_ = key; }

    // The group menu entries for group CurGroup.
    void groupAction(GroupAction action);
    QWidget* keyField() const { return tDummy_; }
    MasterCell* cell(int t) const { return grid_->cell(t); }
    GridLegend* legend() const { return legend_; }
    // Whether the trigger times of a master function run by the clock are shown in place of the grid.
    bool triggerViewShown() const { return trigger_->shown(); }
    // The real-time page beside this one, which shows the trigger times.
    EditorPage* triggerView() const { return trigger_->view(); }
    EditorPage* companion() const override;

protected:
    void stored(const FormRow& row) override;
    QWidget* successor(const FormRow& row) override;

private:
    enum class Mode { Master, FlashPattern, Exchange }; // in this order: the grid's help

    // Whether the channel shown is a master function run by the clock (which has trigger times).
    bool runByClock() const;
    // Back from a siren's flash pattern to the siren's page (Back, Escape, Enter in the grid).
    void leaveFlashPattern();
    // The state of cell t in the current mode (its picture): a target's, or a bit of the mask as one.
    int stateOf(int t) const;
    // The legend's words for a state in the current mode.
    int stateText(int state) const;
    // The line under the legend that counts the targets.
    void showCount();
    void setTarget(int t, int state);
    // A click: the next state of the target (on and off in turn in the mask).
    void cycle(int t);
    void setByKey(int t, CellGrid::SetKey key);

    Mode mode_ = Mode::Master;
    QString pageKeyShown_;
    CellGrid* grid_ = nullptr;
    GridLegend* legend_ = nullptr;
    QPushButton* cmdViewRt_ = nullptr;
    QPushButton* cmdBack_ = nullptr; // Cmd_FlashBack, shown with a siren's flash pattern
    QWidget* tDummy_ = nullptr;
    std::unique_ptr<CompanionView> trigger_;
};

} // namespace korvane
