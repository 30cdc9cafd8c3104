#pragma once
// Texts of files, device records and the model are 8-bit Windows-1252 characters. The windows work
// in Unicode; these convert at that boundary. A character the 8-bit set cannot hold becomes '?'.

#include <string>
#include <string_view>

namespace korvane {

// The Unicode code point of an 8-bit character. The five unassigned codes (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control of the same number, so every byte round-trips.
char32_t Cp1252ToUnicode(unsigned char c);

// The 8-bit character of a code point, or '?' when the set has none.
unsigned char UnicodeToCp1252(char32_t u);

// Whether an 8-bit character is a control that a terminal or a window acts on rather than shows: the
// C0 controls, DEL and the five unassigned codes (C1 controls once converted).
constexpr bool IsControlByte(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// Whole texts: 8-bit <-> UTF-8. Malformed UTF-8 sequences become '?'.
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view utf8);

} // namespace korvane
