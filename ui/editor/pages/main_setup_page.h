#pragma once
// The main setup page (Frame_Main_Setup): the settings of the whole unit in SysData, the general
// system description, and the lists that claim bus channels for the multiplexer, the time output and
// the counter.

#include "ui/editor/form/editor_page.h"

class QLabel;

namespace korvane {

class MainSetupPage : public EditorPage {
    Q_OBJECT
public:
    MainSetupPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);

    bool shows(const QString& pageKey, int) const override { return pageKey == QLatin1String("mainsetup"); }
    void prepare() override;
    QString caption() const override;
    // The PC's time in L_ThisTime (the editor's clock).
    void setThisTime(const QString& text);

protected:
    void store(const FormRow& row, int value, EditMark mark) override;
    void stored(const FormRow& row) override;
    void follow() override;
    void entered(const FormRow& row, QWidget* control, Qt::FocusReason reason) override;

private:
    QLabel* lThisTime_ = nullptr;
};

} // namespace korvane
