#pragma once
// A one-line label for a long path: it keeps the whole text (text(), the tooltip) and shows as much as
// its width allows, eliding in the middle so that the start of the folder and the file's name stay.

#include <QLabel>

namespace korvane {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);
    // The whole text, also as the tooltip.
    void setFullText(const QString& text);
    // The text as it is shown now ("/home/…/backups/04-20261207-101500.zeb").
    QString shownText() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvane
