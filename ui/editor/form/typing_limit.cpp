#include "ui/editor/form/typing_limit.h"

namespace korvane {

TypingLimit::TypingLimit(int maxChars, std::function<QString()> stored, std::function<bool(const QString&)> accepts,
                         QObject* parent)
    : QValidator(parent), maxChars_(maxChars), stored_(std::move(stored)), accepts_(std::move(accepts)) {}

QValidator::State TypingLimit::validate(QString& input, int&) const {
    const QString stored = stored_ ? stored_() : QString();
    // What the program shows is taken as it is; so is every deletion from it.
    if (input == stored || input.size() < stored.size())
        return Acceptable;
    const qsizetype room = maxChars_ > 0 ? std::max<qsizetype>(maxChars_, stored.size()) : input.size();
    if (input.size() > room)
        return Invalid;
    return !accepts_ || accepts_(input) ? Acceptable : Invalid;
}

} // namespace korvane
