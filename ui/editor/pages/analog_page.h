#pragma once
// The analogue sensor page (Frame_Analink_Setup): the sensor kind, its option bits and channels, the
// measuring range and two limit pairs in signed tenths. The range and limit fields are typed as text
// and taken on Enter; a value they refuse stores nothing and leaves the field red with the focus.

#include "ui/editor/form/editor_page.h"

namespace korvane {

class AnalogPage : public EditorPage {
    Q_OBJECT
public:
    AnalogPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString& pageKey, int type) const override;
    QWidget* focusControl() override;

protected:
    void store(const FormRow& row, int value, EditMark mark) override;
    void stored(const FormRow& row) override;
    QWidget* successor(const FormRow& row) override;
    void follow() override;
    void left(const FormRow& row) override;
    NumberTaken takeNumber(const FormRow& row, const QString& text) override;

private:
    bool optionSet(Byte bit) const;
    // Whether the stored range maximum is below the stored minimum.
    bool rangeBackwards() const;
};

} // namespace korvane
