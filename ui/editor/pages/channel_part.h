#pragma once
// The part every channel page shares (F_beskrivelse): the channel's description and its two event
// options. Shown below the page of the channel's function.

#include "ui/editor/form/editor_page.h"

class QLineEdit;

namespace korvane {

class UsedByList;

class ChannelPart : public EditorPage {
    Q_OBJECT
public:
    ChannelPart(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString&, int) const override { return false; }
    void fill() override;
    QLineEdit* description() const;
    // The description is cyan while it has the focus.
    void setDescriptionFocused(bool focused);
    UsedByList* usedBy() const { return usedBy_; }

protected:
    QWidget* successor(const FormRow& row) override;
    void entered(const FormRow& row, QWidget* control, Qt::FocusReason reason) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    UsedByList* usedBy_ = nullptr;
};

} // namespace korvane
