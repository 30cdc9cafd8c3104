#include "model/sms.h"

#include <algorithm>

namespace korvane {

namespace {

bool digitsAfterPlus(const std::string& number) {
    const std::size_t start = !number.empty() && number[0] == '+' ? 1 : 0;
    return number.size() <= static_cast<std::size_t>(kSmsEntryChars) &&
           std::all_of(number.begin() + static_cast<std::ptrdiff_t>(start), number.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

bool ValidPhoneNumber(const std::string& number) {
    if (number.empty())
        return true;
    return number != "+" && digitsAfterPlus(number);
}

bool PhoneNumberTyping(const std::string& number) {
    return digitsAfterPlus(number);
}

bool SmsTextAcceptable(const std::string& text) {
    return std::none_of(text.begin(), text.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c == '"' || c < 32 || c == 127;
    });
}

} // namespace korvane
