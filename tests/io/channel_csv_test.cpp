// The channel list as a spreadsheet file: each file of tests/data/io_csv_lines.txt read for its
// descriptions, and every fixture exported and read back into a blank configuration in English and German.

#include <gtest/gtest.h>

#include "io/channel_csv.h"
#include "io/config_words.h"
#include "model/channel_types.h"
#include "model/text_codec.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

std::string faultName(CsvFault f) {
    switch (f) {
    case CsvFault::NotClosed:
        return "NotClosed";
    case CsvFault::AfterQuote:
        return "AfterQuote";
    case CsvFault::NoChannel:
        return "NoChannel";
    case CsvFault::NoDescription:
        return "NoDescription";
    case CsvFault::Twice:
        return "Twice";
    case CsvFault::NotInUse:
        return "NotInUse";
    }
    return "?";
}

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "~") + p;
    return out;
}

// The records of a file as the rows of the data table write them.
std::vector<std::string> csvRecords(const std::string& csv) {
    std::vector<std::string> out;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        if (csv[i] == '"')
            quoted = !quoted;
        if (!quoted && csv.compare(i, 2, "\r\n") == 0) {
            out.push_back(field);
            field.clear();
            ++i;
        } else {
            field += csv[i];
        }
    }
    return out;
}

} // namespace

TEST(ChannelCsv, readsDescriptionsByTheChannelColumnAndNamesTheLinesItCannotRead) {
    const TextLookup english = shippedTexts("English.dat");
    Configuration cfg = blankConfiguration();
    cfg.SysData[kSysChannelsInUse] = 15;
    for (const auto& row : dataTable("io_csv_lines.txt", 4)) {
        SCOPED_TRACE(row[0]);
        const DescriptionImport in = ReadDescriptionsCsv(row[1], cfg, english);
        std::vector<std::string> taken, faults;
        for (const CsvDescription& d : in.descriptions)
            taken.push_back(std::to_string(d.line) + " " + Num_2_Channel(d.channel) + "=" + d.description);
        for (const CsvLineFault& f : in.faults) {
            std::string words = std::to_string(f.line) + " " + faultName(f.fault);
            if (!f.item.empty())
                words += " " + f.item;
            if (f.other)
                words += " " + std::to_string(f.other);
            faults.push_back(words);
            EXPECT_TRUE(CsvFaultWords(f, english).starts_with("Line " + std::to_string(f.line) + ": "));
        }
        EXPECT_EQ(joined(taken), row[2]);
        EXPECT_EQ(joined(faults), row[3]);
    }
}

TEST(ChannelCsv, quotesOnlyWhatMust) {
    const struct {
        const char* text;
        char separator;
        const char* field;
    } cases[] = {
        {"Door", ';', "Door"},
        {"Hall, ground floor", ';', "Hall, ground floor"},
        {"Hall, ground floor", ',', "\"Hall, ground floor\""},
        {"Hall; ground floor", ';', "\"Hall; ground floor\""},
        {"say \"hi\"", ',', "\"say \"\"hi\"\"\""},
        {"one\r\ntwo", ',', "\"one\r\ntwo\""},
        {"one\ntwo", ';', "\"one\ntwo\""},
        {"", ';', ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvField(c.text, c.separator), c.field) << c.text;
}

TEST(ChannelCsv, exportedListReadBackIntoABlankGivesTheSameDescriptions) {
    for (const char* language : {"English.dat", "Deutsch.dat"}) {
        const TextLookup text = shippedTexts(language);
        const char separator = CsvSeparator(std::string(language) == "Deutsch.dat");
        for (const char* fixture : {"Good.zeb", "MultiLineDescriptions.zeb", "TwelveInUse.zeb"}) {
            SCOPED_TRACE(std::string(language) + " " + fixture);
            Configuration cfg = loadedConfiguration(fixture);
            // Umlauts, both separators and a line break in one description.
            cfg.ChanText[1] = "K\xFC"
                              "che; Flur, EG\r\nzweite Zeile";
            const std::string csv = ChannelListCsv(cfg, text, separator);
            ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF"));
            const ConfigurationWords words = WordsOf(cfg, text);
            const std::vector<std::string> records = csvRecords(csv.substr(3));
            ASSERT_EQ(records.size(), words.channels.size() + 1);
            const std::string s(1, separator);
            EXPECT_EQ(records[0], Cp1252ToUtf8(text(kTxtChannel) + s + text(kTxtCsvFunction) + s +
                                               text(kTxtDescription) + s + text(kTxtSettings)));
            for (std::size_t k = 0; k < words.channels.size(); ++k)
                EXPECT_TRUE(records[k + 1].starts_with(Num_2_Channel(words.channels[k].channel) + s +
                                                       CsvField(Cp1252ToUtf8(words.channels[k].function), separator) +
                                                       s))
                    << records[k + 1];

            Configuration blank = blankConfiguration();
            const DescriptionImport in = ReadDescriptionsCsv(csv, blank, text);
            EXPECT_TRUE(in.faults.empty());
            EXPECT_EQ(in.separator, separator);
            ApplyDescriptions(blank, in.descriptions);
            for (std::size_t c = 0; c < cfg.ChanText.size(); ++c)
                EXPECT_EQ(blank.ChanText[c], cfg.ChanText[c]) << Num_2_Channel(static_cast<int>(c));
        }
    }
}
