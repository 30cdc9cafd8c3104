#pragma once
// The channel list as a spreadsheet file, and descriptions read back from one.
//
// The file is UTF-8 with a byte order mark (spreadsheet programs then read umlauts right), CR LF line
// ends and RFC 4180 quoting: a field holding the separator, a double quote or a line end is quoted,
// its double quotes doubled. The separator is ';' where the language writes a decimal comma (a
// spreadsheet program of that language splits at ';'), else ','. Columns: channel, function,
// description, settings; the words are those of the channel's page (the configuration in words).

#include <string>
#include <string_view>
#include <vector>

#include "model/configuration.h"
#include "model/vocabulary.h"

namespace korvane {

// The separator of a language that writes its decimals with a comma (true) or a point.
constexpr char CsvSeparator(bool decimalComma) {
    return decimalComma ? ';' : ',';
}

// One field as the file holds it: quoted where it must be.
std::string CsvField(const std::string& utf8, char separator);

// The channels in use (as the configuration in words lists them) with a heading row.
std::string ChannelListCsv(const Configuration& cfg, const TextLookup& text, char separator);

// ---- Reading descriptions back ----

// Why a line of a spreadsheet file is not taken.
enum class CsvFault {
    NotClosed,     // a quoted field runs to the end of the file
    AfterQuote,    // text after a closing quote
    NoChannel,     // the channel column names no channel (`item`: what it holds)
    NoDescription, // the line has no description column
    Twice,         // the channel was given on an earlier line already (`other`: that line)
    NotInUse       // the channel lies above the channels in use
};

struct CsvLineFault {
    int line = 0; // 1-based, the first line of the record
    CsvFault fault = CsvFault::NoChannel;
    std::string item; // UTF-8
    int other = 0;
    bool operator==(const CsvLineFault&) const = default;
};

struct CsvDescription {
    int channel = 0;
    std::string description; // Windows-1252, double quotes taken out as a description field does
    int line = 0;
    bool operator==(const CsvDescription&) const = default;
};

struct DescriptionImport {
    std::vector<CsvDescription> descriptions; // in the order of the file
    std::vector<CsvLineFault> faults;         // in the order of the file
    char separator = ',';
};

// Reads the descriptions of a spreadsheet file by its channel column. The columns are found by the
// heading row (the language's words for channel and description, any case), else the file's own
// layout (channel first, description third) is taken; other columns are ignored. UTF-8 with or without
// a byte order mark; a file that is not UTF-8 is read as Windows-1252. The separator is the first of
// ';', ',' and tab in the first line outside quotes. Empty lines are skipped.
DescriptionImport ReadDescriptionsCsv(std::string_view bytes, const Configuration& cfg, const TextLookup& text);

// "Line 4: XY is no channel (A1..P8)" in UTF-8.
std::string CsvFaultWords(const CsvLineFault& fault, const TextLookup& text);

// How many of the descriptions are longer than the unit keeps of a channel's description.
int DescriptionsLongerThanKept(const std::vector<CsvDescription>& descriptions);

// Puts the descriptions into the configuration; the channels whose description changed.
std::vector<int> ApplyDescriptions(Configuration& cfg, const std::vector<CsvDescription>& descriptions);

} // namespace korvane
