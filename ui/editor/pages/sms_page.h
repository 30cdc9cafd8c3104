#pragma once
// The SMS and dial-in page (Frame_SMS_Setup with Frame_DialIn): the four SMS numbers, the
// identification text, the dial-out method and response time, and the dial-in restrictions with their
// numbers and password.

#include <QPointer>

#include "ui/editor/form/editor_page.h"

namespace korvane {

class SmsPage : public EditorPage {
    Q_OBJECT
public:
    SmsPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);

    bool shows(const QString& pageKey, int) const override { return pageKey == QLatin1String("SMS_Setup"); }
    // The check boxes and the dial-out method hold 0 or 1.
    void prepare() override;
    QWidget* focusControl() override { return control("Txt_PhoneNo_0"); }
    QString caption() const override;

protected:
    QWidget* successor(const FormRow& row) override;
    void follow() override;
    void left(const FormRow& row) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool isPhone(const FormRow& row);
    QString textOf(const FormRow& row) const;

    QPointer<QWidget> returning_; // the number field the focus is being put back into
};

} // namespace korvane
