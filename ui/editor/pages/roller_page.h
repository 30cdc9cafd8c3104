#pragma once
// The roller blind page (Frame_RollerBlind_Setup) and the roller master page (F_RollMaster) with its
// grid of 64 blind pairs (IRm), whose keyboard is held by the hidden field TdumRM.

#include "ui/editor/form/cell_grid.h"
#include "ui/editor/form/editor_page.h"

namespace korvane {

class RollerPage : public EditorPage {
    Q_OBJECT
public:
    RollerPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString& pageKey, int type) const override;
    // A reverse time below 500 is taken as 1000 when the page opens.
    void prepare() override;
    void fill() override;
    QWidget* focusControl() override { return control("T_RollUpTime"); }

protected:
    void store(const FormRow& row, int value, EditMark mark) override;
    void left(const FormRow& row) override;

private:
    int filledChannel_ = -1; // the channel whose row the page shows
};

class RollerMasterPage : public EditorPage {
    Q_OBJECT
public:
    RollerMasterPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString& pageKey, int type) const override;
    void fill() override;
    QWidget* focusControl() override { return grid_->keyField(); }

    MasterCell* cell(int i) const { return grid_->cell(i); }
    QWidget* keyField() const { return grid_->keyField(); }

private:
    int pictureOf(int cell) const;
    // Selects (value 1) or clears (0) a cell of the master's row.
    void putCell(int cell, int value);
    // The line under the legend that counts the blinds commanded.
    void showCount();
    bool selectable(int cell) const;
    bool clearable(int cell) const;
    // A click: a blind selected or not in turn.
    void toggle(int cell);
    void setByKey(int cell, CellGrid::SetKey key);

    CellGrid* grid_ = nullptr;
    GridLegend* legend_ = nullptr;
};

} // namespace korvane
