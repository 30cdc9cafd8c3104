#include "io/channel_csv.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "io/config_words.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/text_codec.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string settingsText(const ChannelWords& ch) {
    std::string out;
    const auto add = [&out](const std::string& part) { out += (out.empty() ? "" : "; ") + part; };
    for (const SettingWords& s : ch.settings)
        add(s.caption + ": " + s.value + (s.unit.empty() ? "" : " " + s.unit));
    for (const CellWords& c : ch.cells)
        add(c.item + " " + c.value);
    return Cp1252ToUtf8(out);
}

// A record of the file: its fields and the line it starts on, and why it cannot be read.
struct Record {
    int line = 0;
    std::vector<std::string> fields;
    bool notClosed = false;
    bool afterQuote = false;
};

std::vector<Record> records(std::string_view s, char sep) {
    std::vector<Record> out;
    std::size_t i = 0;
    int line = 1;
    while (i < s.size()) {
        Record r;
        r.line = line;
        std::string field;
        bool endOfRecord = false;
        while (!endOfRecord) {
            bool wasQuoted = false;
            if (i < s.size() && s[i] == '"') {
                wasQuoted = true;
                ++i;
                bool closed = false;
                while (i < s.size()) {
                    if (s[i] == '"') {
                        if (i + 1 < s.size() && s[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (s[i] == '\n')
                        ++line;
                    field += s[i++];
                }
                if (!closed) {
                    r.notClosed = true;
                    r.fields.push_back(field);
                    out.push_back(r);
                    return out;
                }
            }
            // Unquoted text up to the separator or the line end.
            if (wasQuoted && i < s.size() && s[i] != sep && s[i] != '\n' && s[i] != '\r')
                r.afterQuote = true;
            while (i < s.size() && s[i] != sep && s[i] != '\n' && s[i] != '\r')
                field += s[i++];
            r.fields.push_back(field);
            field.clear();
            if (i < s.size() && s[i] == sep) {
                ++i;
                continue;
            }
            // The line end: CR LF, LF or CR.
            if (i < s.size() && s[i] == '\r')
                ++i;
            if (i < s.size() && s[i] == '\n')
                ++i;
            ++line;
            endOfRecord = true;
        }
        const bool empty = r.fields.size() == 1 && r.fields[0].find_first_not_of(" \t") == std::string::npos;
        if (!empty || r.afterQuote)
            out.push_back(r);
    }
    return out;
}

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0 || i + static_cast<std::size_t>(n) >= s.size() + (n == 0 ? 1 : 0))
            return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 2)
                return false;
        i += static_cast<std::size_t>(n) + 1;
    }
    return true;
}

char separatorOf(std::string_view s) {
    bool quoted = false;
    for (char c : s) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == ';' || c == ',' || c == '\t'))
            return c;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
    }
    return ',';
}

std::string trimmed(const std::string& s) {
    const auto a = s.find_first_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(" \t") + 1 - a);
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

int channelOf(const std::string& name) {
    const std::string n = trimmed(name);
    if (n.size() != 2)
        return -1;
    const char g = static_cast<char>(std::toupper(static_cast<unsigned char>(n[0])));
    if (g < 'A' || g > 'P' || n[1] < '1' || n[1] > '8')
        return -1;
    return (g - 'A') * 8 + (n[1] - '1');
}

std::string fill(std::string pattern, const std::vector<std::string>& args) {
    for (std::size_t k = args.size(); k-- > 0;) {
        const std::string mark = "%" + std::to_string(k + 1);
        for (auto at = pattern.find(mark); at != std::string::npos; at = pattern.find(mark, at + args[k].size()))
            pattern.replace(at, mark.size(), args[k]);
    }
    return pattern;
}

} // namespace

std::string CsvField(const std::string& utf8, char separator) {
    if (utf8.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos)
        return utf8;
    std::string out = "\"";
    for (char c : utf8)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string ChannelListCsv(const Configuration& cfg, const TextLookup& text, char separator) {
    std::string out(kBom);
    const auto row = [&](const std::vector<std::string>& fields) {
        for (std::size_t k = 0; k < fields.size(); ++k)
            out += (k ? std::string(1, separator) : std::string()) + CsvField(fields[k], separator);
        out += "\r\n";
    };
    row({Cp1252ToUtf8(text(kTxtChannel)), Cp1252ToUtf8(text(kTxtCsvFunction)), Cp1252ToUtf8(text(kTxtDescription)),
         Cp1252ToUtf8(text(kTxtSettings))});
    for (const ChannelWords& ch : WordsOf(cfg, text).channels)
        row({Num_2_Channel(ch.channel), Cp1252ToUtf8(ch.function), Cp1252ToUtf8(ch.description), settingsText(ch)});
    return out;
}

DescriptionImport ReadDescriptionsCsv(std::string_view bytes, const Configuration& cfg, const TextLookup& text) {
    DescriptionImport in;
    const bool bom = bytes.starts_with(kBom);
    if (bom)
        bytes.remove_prefix(kBom.size());
    const bool utf8 = bom || validUtf8(bytes);
    in.separator = separatorOf(bytes);
    const std::vector<Record> recs = records(bytes, in.separator);
    // What a field holds, in the model's 8-bit characters.
    const auto local = [utf8](const std::string& s) { return utf8 ? Utf8ToCp1252(s) : s; };

    std::size_t channelColumn = 0, descriptionColumn = 2, first = 0;
    if (!recs.empty() && channelOf(recs[0].fields[0]) < 0) {
        // A heading row: find the columns by their words; the file's own layout where they are not there.
        const std::string channelWord = lower(text(kTxtChannel));
        const std::string descriptionWord = lower(text(kTxtDescription));
        for (std::size_t k = 0; k < recs[0].fields.size(); ++k) {
            const std::string h = lower(trimmed(local(recs[0].fields[k])));
            if (!channelWord.empty() && h == channelWord)
                channelColumn = k;
            else if (!descriptionWord.empty() && h == descriptionWord)
                descriptionColumn = k;
        }
        first = recs[0].notClosed || recs[0].afterQuote ? 0 : 1;
    }
    std::map<int, int> seen; // channel -> line
    for (std::size_t r = first; r < recs.size(); ++r) {
        const Record& rec = recs[r];
        if (rec.notClosed) {
            in.faults.push_back({rec.line, CsvFault::NotClosed, {}, 0});
            continue;
        }
        if (rec.afterQuote) {
            in.faults.push_back({rec.line, CsvFault::AfterQuote, {}, 0});
            continue;
        }
        const std::string name = channelColumn < rec.fields.size() ? trimmed(rec.fields[channelColumn]) : "";
        const int c = channelOf(name);
        const std::string shown = utf8 ? name : Cp1252ToUtf8(name);
        if (c < 0) {
            in.faults.push_back({rec.line, CsvFault::NoChannel, shown, 0});
            continue;
        }
        if (descriptionColumn >= rec.fields.size()) {
            in.faults.push_back({rec.line, CsvFault::NoDescription, Num_2_Channel(c), 0});
            continue;
        }
        if (const auto it = seen.find(c); it != seen.end()) {
            in.faults.push_back({rec.line, CsvFault::Twice, Num_2_Channel(c), it->second});
            continue;
        }
        seen[c] = rec.line;
        if (c > cfg.channelsInUse()) {
            in.faults.push_back({rec.line, CsvFault::NotInUse, Num_2_Channel(c), 0});
            continue;
        }
        std::string description = local(rec.fields[descriptionColumn]);
        StripQuotes(description);
        in.descriptions.push_back({c, description, rec.line});
    }
    return in;
}

std::string CsvFaultWords(const CsvLineFault& f, const TextLookup& text) {
    std::string why;
    switch (f.fault) {
    case CsvFault::NotClosed:
        why = text(kTxtCsvNotClosed);
        break;
    case CsvFault::AfterQuote:
        why = text(kTxtCsvAfterQuote);
        break;
    case CsvFault::NoChannel:
        why = fill(text(kTxtCsvNoChannel), {Utf8ToCp1252(f.item)});
        break;
    case CsvFault::NoDescription:
        why = fill(text(kTxtCsvNoDescription), {f.item});
        break;
    case CsvFault::Twice:
        why = fill(text(kTxtCsvTwice), {f.item, std::to_string(f.other)});
        break;
    case CsvFault::NotInUse:
        why = fill(text(kTxtRefusedNotInUse), {f.item});
        break;
    }
    return Cp1252ToUtf8(fill(text(kTxtCsvLine), {std::to_string(f.line), why}));
}

int DescriptionsLongerThanKept(const std::vector<CsvDescription>& descriptions) {
    return static_cast<int>(std::count_if(descriptions.begin(), descriptions.end(), [](const CsvDescription& d) {
        return d.description.size() > static_cast<std::size_t>(kChannelTextKept);
    }));
}

std::vector<int> ApplyDescriptions(Configuration& cfg, const std::vector<CsvDescription>& descriptions) {
    std::vector<int> changed;
    for (const CsvDescription& d : descriptions) {
        std::string& t = cfg.ChanText[static_cast<std::size_t>(d.channel)];
        if (t != d.description) {
            t = d.description;
            changed.push_back(d.channel);
        }
    }
    return changed;
}

} // namespace korvane
