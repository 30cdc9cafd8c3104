#pragma once
// The timer page (Frame_Timer_Setup) for the on/off delay, pulse and single-pulse timers, and the
// motion detector page (F_motion), whose hold time is a timer's time 1. Each time is typed as hours,
// minutes and seconds (TimerTid); the fields show the stored total.

#include "ui/editor/form/editor_page.h"

namespace korvane {

class TimerPage : public EditorPage {
    Q_OBJECT
public:
    TimerPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString& pageKey, int type) const override;
    QWidget* focusControl() override;

protected:
    int shownValue(const FormRow& row) const override;
    void store(const FormRow& row, int value, EditMark mark) override;
    void keyRefused(const FormRow& row, int keyCode) override;
    void follow() override;
};

class MotionPage : public EditorPage {
    Q_OBJECT
public:
    MotionPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString& pageKey, int type) const override;
    void fill() override;
    QWidget* focusControl() override { return control("Chk_MotionInAlarm"); }

protected:
    int shownValue(const FormRow& row) const override;
    void store(const FormRow& row, int value, EditMark mark) override;
    void stored(const FormRow& row) override;
    void keyRefused(const FormRow& row, int keyCode) override;
    void left(const FormRow& row) override;
    void follow() override;

private:
    int filledChannel_ = -1; // the channel whose row the page shows
};

} // namespace korvane
