#pragma once
// The real-time page (Frame_RealTime_Setup): four day sets, each an on and an off time and eight day
// boxes (Monday to Sunday and holidays). A real-time channel shows it as its page; a master function
// run by the clock shows it under its settings in trigger mode, both times of a set being trigger
// times.

#include "ui/editor/form/editor_page.h"

namespace korvane {

class RealTimePage : public EditorPage {
    Q_OBJECT
public:
    enum class Mode { RealTime, Trigger };

    RealTimePage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);

    // The page of a real-time channel; the master page shows it for a master function.
    bool shows(const QString& pageKey, int type) const override;
    // Update_Realtime: the day sets of CurChannel, with the captions and help of its mode (trigger
    // mode for a master function).
    void fill() override;
    QWidget* focusControl() override { return control("HourOn_0"); }
    Mode mode() const { return mode_; }

protected:
    bool keyed(const FormRow& row, int keyCode) override;
    QString fieldText(const FormRow& row) const override;
    QWidget* successor(const FormRow& row) override;
    void follow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The day set (0..3) and the part of the set (kDayMaskPart .. kOffMinutePart) a row edits.
    static int setOf(const FormRow& row);
    static int partOf(const FormRow& row);

    Mode mode_ = Mode::RealTime;
};

} // namespace korvane
