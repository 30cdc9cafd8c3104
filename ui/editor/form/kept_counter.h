#pragma once
// What the unit keeps of a free text, shown at its field: a counter beside it ("34 / 31") that turns
// red once the text is longer, and the characters past the limit drawn in red on pink in the field.
// The text itself stays as typed: a file keeps it whole and the channel list prints it in full.

#include <QLabel>
#include <functional>

class QLineEdit;
class QPlainTextEdit;

namespace korvane {

class KeptCounter : public QLabel {
    Q_OBJECT
public:
    // length: the characters of the field's text as they are stored (a line break counts two).
    KeptCounter(QLineEdit* field, int kept, QWidget* parent);
    KeptCounter(QPlainTextEdit* field, int kept, std::function<int()> length, QWidget* parent);

    int kept() const { return kept_; }
    // Whether the text is longer than the unit keeps.
    bool over() const { return over_; }
    // The tooltip's words (language text 446 with the number), set again when the language changes.
    void setWords(const QString& tooltip);

private:
    void follow();
    void markLine();
    void markBox();

    QLineEdit* line_ = nullptr;
    QPlainTextEdit* box_ = nullptr;
    std::function<int()> length_;
    int kept_;
    bool over_ = false;
};

} // namespace korvane
