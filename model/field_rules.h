#pragma once
// The input rules of the editor's locked fields. Each rule takes the stored value and the key and
// gives the new value; the field shows exactly what is stored. FirstKey is set when a field gets
// the focus: the first digit then replaces the value, later digits are appended.

#include <optional>
#include <string>

#include "model/configuration.h"

namespace korvane {

// Virtual key codes the rules understand.
namespace vk {
constexpr int kBackspace = 8;
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kDelete = 46;
constexpr int k0 = 48;
constexpr int k1 = 49;
constexpr int k8 = 56;
constexpr int k9 = 57;
constexpr int kA = 65;
constexpr int kP = 80;
constexpr int kW = 87;
constexpr int kX = 88;
constexpr int kY = 89;
constexpr int kZ = 90;
constexpr int kApps = 93; // the context-menu key
constexpr int kPad0 = 96;
constexpr int kPad1 = 97;
constexpr int kPad8 = 104;
constexpr int kPad9 = 105;
constexpr int kPadMultiply = 106;
constexpr int kPadAdd = 107;
constexpr int kPadSubtract = 109;
constexpr int kPadDivide = 111;
constexpr int kF1 = 112;
constexpr int kPlus = 187;
constexpr int kMinus = 189;
constexpr int kOem102 = 226; // the key left of Z on European keyboards
} // namespace vk

// The digit of a main-keyboard or keypad digit key, or -1.
int DigitOfKey(int keyCode);

// Packed two-digit decimal entry (calendar fields). Minimum and maximum are packed values.
int Object_NumIn(int old, int minimum, int maximum, int digit, bool& firstKey);
// Decimal entry of the last three digits typed; a value above the maximum restarts with the digit.
int Object_NumInDec(int old, int maximum, int digit, bool& firstKey);
// Decimal entry of the last four digits typed (a roller blind's reverse time): the digit is appended
// to the last three digits of the old value; a value above the maximum restarts with the digit.
int FourDigitEntry(int old, int maximum, int digit, bool& firstKey);
// Decimal entry straight from a key code; nothing when the key is not a digit.
std::optional<int> Object_NummaxRangeIn(int stored, int keyCode, int maximum, bool& firstKey);
// Channel reference entry: letters choose the group (A..P, and X, Y, Z, W), digits 1..8 the number,
// minus or Delete clear it to "no channel". Other keys keep the value.
int Object_DisableChannelInput(int stored, int keyCode);
// The same with the groups A..P only.
int Object_ChannelIn(int stored, int keyCode);

// "A1".."P8", "X1".."W8", "-----" for no channel.
std::string ChannelRefText(int value);
// "05" style texts: at least the given number of digits.
std::string DecimalText(long value, int digits);
// Two hexadecimal digits: the two decimal digits of a packed value.
std::string PackedText(int value);

// A duration of three bytes at columns c + 1..c + 3 (least significant first), split for the
// three TimerTid fields.
struct DurationParts {
    long hours = 0;
    int minutes = 0;
    int seconds = 0;
};
DurationParts SekToTimer(const Row& row, int c);

// Signed tenths in three bytes at column..column + 2 (sign-magnitude, most significant first).
long Byte3ToTenths(const Row& row, int column);
std::string Byte3toStr(const Row& row, int column);
// Tenths as Byte3toStr shows them: one decimal, a minus sign for values below zero ("-12.3", "0.0").
std::string TenthsText(long tenths);
// Stores a value in tenths; it is rounded half to even and held within the 23 bits the bytes carry.
// Returns true when the stored bytes changed (the edit then counts as a change).
bool ValueToByte3(Row& row, double tenths, int column);
constexpr long kMaxTenths = 0x7FFFFF;

// Double quotes become apostrophes, position by position; texts must never hold a double quote.
std::string StripQuotes(std::string& text);

} // namespace korvane
