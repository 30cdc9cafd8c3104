#pragma once
// The holiday page (Frame_Holiday_Setup): sixteen periods of first and last day, each given as month
// and day of month. A period is completed when its first month is left (or its edit committed), and
// an odd period (31 February, or one that runs over New Year) is kept as typed with a warning.

#include "ui/editor/form/editor_page.h"

namespace korvane {

class HolidayPage : public EditorPage {
    Q_OBJECT
public:
    HolidayPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);

    bool shows(const QString& pageKey, int) const override { return pageKey == QLatin1String("Holiday"); }
    // UpdateCalender: periods whose first month is no month are shown free and held as four zeros.
    void prepare() override;
    void fill() override;
    QWidget* focusControl() override { return control("T_MonthStart_0"); }
    QString caption() const override;

protected:
    bool keyed(const FormRow& row, int keyCode) override;
    QString fieldText(const FormRow& row) const override;
    QWidget* successor(const FormRow& row) override;
    void follow() override;
    void left(const FormRow& row) override;

private:
    static int periodOf(const FormRow& row);
    static int partOf(const FormRow& row);
    QWidget* field(int period, int part) const;

    int typed_ = 0; // the digits typed into the focused field since it got the focus
};

} // namespace korvane
