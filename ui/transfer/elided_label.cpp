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
    const QFontMetrics fm = fontMetrics();
    const int room = contentsRect().width() - 2 * std::max(0, indent());
    const QString whole = text();
    if (fm.horizontalAdvance(whole) <= room)
        return whole;
    // The file's name stays whole as long as it fits; the folder gives way in its middle.
    const qsizetype cut = std::max(whole.lastIndexOf(QLatin1Char('/')), whole.lastIndexOf(QLatin1Char('\\')));
    if (cut > 0) {
        const QString name = whole.mid(cut);
        const int left = room - fm.horizontalAdvance(name);
        if (left > fm.horizontalAdvance(QStringLiteral("/…/")))
            return fm.elidedText(whole.left(cut), Qt::ElideMiddle, left) + name;
    }
    return fm.elidedText(whole, Qt::ElideMiddle, room);
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
