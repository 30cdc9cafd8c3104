#pragma once
// The values of the SMS and dial-in page.

#include <array>

#include "model/sms.h"
#include "model/value_facts.h"

namespace korvane::facts {

constexpr std::array<TextFact, kSmsPhoneNumbers> PhoneNumberFacts() {
    std::array<TextFact, kSmsPhoneNumbers> numbers{};
    for (int i = 0; i < kSmsPhoneNumbers; ++i)
        numbers[static_cast<std::size_t>(i)] =
            TextFact{i < kSmsFirstDialIn ? "SMS number" : "dial-in number", TextArea::Sms, i, kSmsEntryChars};
    return numbers;
}
inline constexpr auto kPhoneNumbers = PhoneNumberFacts();
inline constexpr TextFact kDialInPassword{"dial-in password", TextArea::Sms, kSmsPassword, kSmsPasswordChars};
inline constexpr TextFact kSmsIdentification{"SMS identification", TextArea::SmsId, 0, kSmsIdTextMax};

inline constexpr ValueFact kDialOutMethod{"dial-out method", ValueArea::Sys, kSysDialOutMethod, ValueEntry::None, 0, 1,
                                          ValueFormat::Plain};
inline constexpr ValueFact kSmsResponseTime{"SMS response time", ValueArea::Sys,      kSysSmsResponseTime,
                                            ValueEntry::Decimal, kSmsResponseMinimum, kSmsResponseMaximum,
                                            ValueFormat::Digits2};
inline constexpr ValueFact kDialInSafety{
    "dial-in from known numbers only", ValueArea::Sys, kSysDialInSafety, ValueEntry::None, 0, 1, ValueFormat::Flag};
inline constexpr ValueFact kPasswordSafety{
    "dial-in password check", ValueArea::Sys, kSysDialInPassword, ValueEntry::None, 0, 1, ValueFormat::Flag};

} // namespace korvane::facts
