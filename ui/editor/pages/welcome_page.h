#pragma once
// The welcome and about page (Frame_Welcome): the OEM picture, the version and the about text. It
// is also shown for a page key whose page this program does not have.

#include "ui/editor/form/editor_page.h"

class QLabel;

namespace korvane {

class WelcomePage : public EditorPage {
    Q_OBJECT
public:
    WelcomePage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString& pageKey, int) const override { return pageKey == QLatin1String("omkring"); }
    void fill() override;
    QString caption() const override;
    void setPicture(const QPixmap& picture);

private:
    QLabel* picture1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* programText_ = nullptr;
};

} // namespace korvane
