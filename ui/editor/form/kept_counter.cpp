#include "ui/editor/form/kept_counter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "app/plain_text.h"

namespace korvane {

namespace {

QTextCharFormat pastLimit() {
    QTextCharFormat f;
    f.setForeground(QColor(0xB0, 0x00, 0x00));
    f.setBackground(QColor(0xFF, 0xD8, 0xD8));
    return f;
}

} // namespace

KeptCounter::KeptCounter(QLineEdit* field, int kept, QWidget* parent)
    : QLabel(parent), line_(field), length_([field] { return static_cast<int>(field->text().size()); }), kept_(kept) {
    connect(field, &QLineEdit::textChanged, this, &KeptCounter::follow);
    // The marks stand relative to the cursor: they move with it.
    connect(field, &QLineEdit::cursorPositionChanged, this, &KeptCounter::markLine);
    follow();
}

KeptCounter::KeptCounter(QPlainTextEdit* field, int kept, std::function<int()> length, QWidget* parent)
    : QLabel(parent), box_(field), length_(std::move(length)), kept_(kept) {
    connect(field, &QPlainTextEdit::textChanged, this, &KeptCounter::follow);
    follow();
}

void KeptCounter::setWords(const QString& tooltip) {
    setToolTip(PlainToolTip(tooltip)); // words of a language file: shown as they stand
    if (line_)
        line_->setProperty("keptChars", kept_);
}

void KeptCounter::follow() {
    const int n = length_();
    over_ = n > kept_;
    setText(QStringLiteral("%1 / %2").arg(n).arg(kept_));
    QPalette p = palette();
    p.setColor(QPalette::WindowText,
               over_ ? QColor(0xB0, 0x00, 0x00) : QApplication::palette().color(QPalette::WindowText));
    setPalette(p);
    QFont f = font();
    f.setBold(over_);
    setFont(f);
    setProperty("over", over_);
    if (line_)
        markLine();
    else
        markBox();
}

void KeptCounter::markLine() {
    // A line edit draws formats handed to it as an input method's attributes (start relative to the
    // cursor); an empty preedit and commit change neither the text nor the selection.
    QList<QInputMethodEvent::Attribute> formats;
    const int length = static_cast<int>(line_->text().size());
    if (length > kept_)
        formats.append(QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, kept_ - line_->cursorPosition(),
                                                    length - kept_, pastLimit()));
    QInputMethodEvent event(QString(), formats);
    QCoreApplication::sendEvent(line_, &event);
}

void KeptCounter::markBox() {
    // The characters past the limit, counted as stored (a line break is two).
    QList<QTextEdit::ExtraSelection> marks;
    if (over_) {
        const QString text = box_->toPlainText();
        int stored = 0, i = 0;
        for (; i < text.size() && stored < kept_; ++i)
            stored += text[i] == QLatin1Char('\n') ? 2 : 1;
        QTextEdit::ExtraSelection past;
        past.cursor = QTextCursor(box_->document());
        past.cursor.setPosition(i);
        past.cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        past.format = pastLimit();
        marks.append(past);
    }
    box_->setExtraSelections(marks);
}

} // namespace korvane
