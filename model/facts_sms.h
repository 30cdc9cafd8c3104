#pragma once
// The values of the SMS and dial-in page.

#include <array>

#include "model/sms.h"
#include "model/value_facts.h"

namespace korvane::facts {

constexpr std::array<TextFact, kSmsPhoneNumbers> PhoneNumberFacts() {
    std::array<TextFact, kSmsPhoneNumbers> numbers{};
    for (int i = 0; i < kSmsPhoneNumbers; ++i)
        numbers[static_cast<std::size_t>(i)] = TextFact{i < kSmsFirstDialIn ? "SMS number" : "dial-in number",
                                                        TextArea::Sms,
                                                        i,
                                                        kSmsEntryChars,
                                                        false,
                                                        i < kSmsFirstDialIn ? kTxtSmsNumbers : kTxtDialInNumbers,
                                                        (i < kSmsFirstDialIn ? i : i - kSmsFirstDialIn) + 1};
    return numbers;
}
inline constexpr auto kPhoneNumbers = PhoneNumberFacts();
inline constexpr TextFact kDialInPassword{"dial-in password", TextArea::Sms, kSmsPassword,
                                          kSmsPasswordChars,  false,         kTxtDialInPassword};
inline constexpr TextFact kSmsIdentification{"SMS identification", TextArea::SmsId, 0,
                                             kSmsIdTextMax,        false,           kTxtSmsIdentification};

inline constexpr Choice kDialOutChoices[] = {{0, kTxtDialOutSmsOnly}, {1, kTxtDialOutConfirmed}};

inline constexpr ValueFact kDialOutMethod =
    ValueFact{"dial-out method", ValueArea::Sys, kSysDialOutMethod, ValueEntry::None, 0, 1, ValueFormat::Plain}
        .words(kTxtDialOutMethod)
        .choosing(kDialOutChoices);
inline constexpr ValueFact kSmsResponseTime =
    ValueFact{"SMS response time", ValueArea::Sys,      kSysSmsResponseTime, ValueEntry::Decimal,
              kSmsResponseMinimum, kSmsResponseMaximum, ValueFormat::Digits2}
        .words(kTxtResponseTime, kTxtUnitMin);
inline constexpr ValueFact kDialInSafety =
    ValueFact{
        "dial-in from known numbers only", ValueArea::Sys, kSysDialInSafety, ValueEntry::None, 0, 1, ValueFormat::Flag}
        .words(kTxtKnownNumbersOnly);
inline constexpr ValueFact kPasswordSafety =
    ValueFact{"dial-in password check", ValueArea::Sys, kSysDialInPassword, ValueEntry::None, 0, 1, ValueFormat::Flag}
        .words(kTxtPasswordProtection);

} // namespace korvane::facts
