#include "ui/transfer/elided_label.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace korvane {

namespace {
constexpr int kWidestHint = 360; // the label asks for no more room than this; the window may give more
constexpr int kNarrowest = 120;
} // namespace

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text) {
    setText(text);
    setToolTip(text);
}

QString ElidedLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width() - 2 * std::max(0, indent()));
}

QSize ElidedLabel::sizeHint() const {
    QSize s = QLabel::sizeHint();
    s.setWidth(std::min(s.width(), kWidestHint));
    return s;
}

QSize ElidedLabel::minimumSizeHint() const {
    QSize s = QLabel::minimumSizeHint();
    s.setWidth(std::min(s.width(), kNarrowest));
    return s;
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect r = contentsRect();
    r.adjust(std::max(0, indent()), 0, -std::max(0, indent()), 0);
    style()->drawItemText(&p, r, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), shownText(),
                          foregroundRole());
}

} // namespace korvane
