#pragma once
// What the pages of the intruder, smoke, water and ISA alarms share: an option array that chooses
// the channel's function within its alarm, offers the single-use functions only where the rules
// allow, shows the sub-frame of the chosen function and sends Enter on to its first field.

#include <span>

#include "model/alarms.h"
#include "ui/editor/form/editor_page.h"

namespace korvane {

// Where a function of the alarm is set up: its sub-frame and the field Enter on its option goes to
// (nullptr: the page decides), and the F1 title of its option where it has its own.
struct AlarmFunctionPlace {
    int code;
    const char* frame;
    const char* field;
    const char* tag = nullptr;
};

struct AlarmPageSpec {
    const char* page; // the page frame
    const AlarmFamily* family;
    std::span<const FormRow> rows;              // the first row is the option array
    std::span<const AlarmFunctionPlace> places; // one per function code
};

class AlarmPage : public EditorPage {
    Q_OBJECT
public:
    AlarmPage(AppContext& ctx, PageHost& host, FieldFocus& focus, const AlarmPageSpec& spec, QWidget* parent = nullptr);

    bool shows(const QString& pageKey, int type) const override;
    // The option of the channel's function.
    QWidget* focusControl() override;
    // The option button of a function code.
    QWidget* option(int code) const;

protected:
    int function() const { return ctx_.ws.typeOf(ctx_.ws.curChannel()); }
    bool isOptionRow(const FormRow& row) const { return &row == &spec_.rows.front(); }
    const AlarmFunctionPlace* placeOf(int code) const;

    void store(const FormRow& row, int value, EditMark mark) override;
    void stored(const FormRow& row) override;
    QWidget* successor(const FormRow& row) override;
    void follow() override;

    const AlarmPageSpec& spec_;
};

} // namespace korvane
