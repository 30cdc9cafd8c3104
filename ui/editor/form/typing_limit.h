#pragma once
// What a free-text field lets the user type or paste: at most its limit of characters, and only
// characters its rule accepts. The limit applies to typing only: a longer text set by the program
// (from a file or the unit) is shown whole and may be shortened, never cut.

#include <QValidator>
#include <functional>

namespace korvane {

class TypingLimit : public QValidator {
    Q_OBJECT
public:
    // stored: the text the field stands for now (what the model holds); accepts: whether a text the
    // user made may be stored (nullptr: any text within the limit).
    TypingLimit(int maxChars, std::function<QString()> stored, std::function<bool(const QString&)> accepts,
                QObject* parent);

    State validate(QString& input, int& pos) const override;

private:
    int maxChars_;
    std::function<QString()> stored_;
    std::function<bool(const QString&)> accepts_;
};

} // namespace korvane
