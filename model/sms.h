#pragma once
// The SMS and dial-in settings: what a telephone number and an SMS text may hold.

#include <string>

#include "model/configuration.h"

namespace korvane {

constexpr int kSmsPhoneNumbers = 8;    // SmsText 0..3 receive SMS, 4..7 may dial in
constexpr int kSmsFirstDialIn = 4;     // the first of the numbers allowed to dial in
constexpr int kSmsPassword = 8;        // SmsText 8: the dial-in password
constexpr int kSmsPasswordChars = 4;   // the password field takes four characters
constexpr int kSmsIdReachesUnit = 32;  // SmsIdText travels in two SMS entries of 16 characters
constexpr int kSmsResponseMinimum = 1; // SysData byte 55: 1..30 minutes
constexpr int kSmsResponseMaximum = 30;

// A telephone number is empty, or digits with an optional leading "+", 16 characters at most.
bool ValidPhoneNumber(const std::string& number);
// Whether a number being typed can still become valid: "", "+", "+4", "45" ... within 16 characters.
bool PhoneNumberTyping(const std::string& number);
// Whether an SMS text holds only characters that survive the file and the unit: no double quote (the
// file's text delimiter) and no control character.
bool SmsTextAcceptable(const std::string& text);

} // namespace korvane
