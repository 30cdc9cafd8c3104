#include "io/config_file.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "io/atomic_file.h"
#include "model/channel_types.h"
#include "model/field_rules.h"

namespace korvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr Byte kFlagBits = kFlagCheck1 | kFlagCheck2;

void putText(std::string& out, const std::string& text) {
    out += '"';
    out += FileSafeText(text);
    out += '"';
}

void putNumber(std::string& out, Byte b, bool first) {
    if (!first)
        out += ',';
    out += std::to_string(b);
}

// ---- reading ----

struct Field {
    bool quoted = false;
    std::string text;
    int line = 0; // the physical line the field starts on
};

struct ParseError {
    int line;
    std::string reason;
};

// The line ends in a text: CR LF, a lone LF and a lone CR count one each.
int LineEnds(std::string_view text) {
    int n = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++n;
    return n;
}

// The file as a stream of records. A record is a row of fields separated by commas and ended by a
// line end (CR LF, LF or CR). A field that starts with a double quote runs to the next double quote,
// across line ends; any other field ends at a comma or a line end and loses its surrounding blanks.
// Line numbers are physical lines: the line ends inside texts count as well.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    // The next record. On an error the fields read before it stay in `fields`.
    std::optional<ParseError> next(std::vector<Field>& fields) {
        fields.clear();
        ++records_;
        while (true) {
            skipBlanks();
            Field f;
            f.line = line_;
            if (pos_ < text_.size() && text_[pos_] == '"') {
                const auto close = text_.find('"', pos_ + 1);
                if (close == std::string_view::npos)
                    return ParseError{f.line, "a text is not closed by a double quote before the end of the file"};
                f.quoted = true;
                f.text = std::string(text_.substr(pos_ + 1, close - pos_ - 1));
                line_ += LineEnds(f.text);
                pos_ = close + 1;
                skipBlanks();
                if (pos_ < text_.size() && text_[pos_] != ',' && lineEndAt(pos_) == 0)
                    return ParseError{line_, f.line == line_
                                                 ? std::string("unexpected characters after a text")
                                                 : "unexpected characters after the text that begins on line " +
                                                       std::to_string(f.line) + " (is a double quote missing?)"};
            } else {
                auto end = pos_;
                while (end < text_.size() && text_[end] != ',' && lineEndAt(end) == 0)
                    ++end;
                std::string_view raw = text_.substr(pos_, end - pos_);
                while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\t'))
                    raw.remove_suffix(1);
                f.text = std::string(raw);
                pos_ = end;
            }
            fields.push_back(std::move(f));
            if (pos_ >= text_.size())
                return std::nullopt; // the last record may lack its line end
            if (text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            pos_ += lineEndAt(pos_);
            ++line_;
            return std::nullopt;
        }
    }

    // The next record, which must hold exactly the given numbers and texts (in that order).
    std::optional<ParseError> record(int numbers, int texts, std::vector<Field>& out) {
        if (atEnd())
            return ParseError{line_, "the file ends early: " + std::to_string(kFileRecords) +
                                         " records expected, found " + std::to_string(records_)};
        const int first = line_;
        if (auto err = next(out))
            return err;
        const int expected = numbers + texts;
        if (static_cast<int>(out.size()) != expected)
            return ParseError{first, describe(numbers, texts) + " expected, found " + std::to_string(out.size()) +
                                         (out.size() == 1 ? " field" : " fields")};
        for (int i = 0; i < numbers; ++i)
            if (auto err = checkNumber(out[i], i + 1))
                return ParseError{out[i].line, *err};
        return std::nullopt;
    }

    static Byte number(const Field& f) { return static_cast<Byte>(std::stoi(f.text)); }

private:
    // The length of the line end at `at`: 2 for CR LF, 1 for a lone CR or LF, 0 for none.
    std::size_t lineEndAt(std::size_t at) const {
        if (text_[at] == '\n')
            return 1;
        if (text_[at] != '\r')
            return 0;
        return at + 1 < text_.size() && text_[at + 1] == '\n' ? 2 : 1;
    }

    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }

    static std::string describe(int numbers, int texts) {
        std::string s;
        if (numbers > 0)
            s = std::to_string(numbers) + (numbers == 1 ? " number" : " numbers");
        if (texts > 0) {
            if (!s.empty())
                s += " and ";
            s += texts == 1 ? "a text" : std::to_string(texts) + " texts";
        }
        return s;
    }

    static std::optional<std::string> checkNumber(const Field& f, int index) {
        const std::string where = "field " + std::to_string(index) + ": ";
        if (f.quoted)
            return where + "a text where a number belongs";
        if (f.text.empty())
            return where + "a number is missing";
        if (!std::all_of(f.text.begin(), f.text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            std::string shown = f.text.substr(0, 20);
            for (char& c : shown)
                if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
                    c = '?';
            return where + "\"" + shown + "\" is not a number";
        }
        const auto firstDigit = f.text.find_first_not_of('0');
        if (firstDigit != std::string::npos && f.text.size() - firstDigit > 3)
            return where + "the number " + f.text + " is above 255";
        if (std::stoi(f.text) > 255)
            return where + "the number " + f.text + " is above 255";
        return std::nullopt;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int records_ = 0;
};

std::optional<ParseError> parseInto(Reader& in, Configuration& cfg) {
    std::vector<Field> f;
    if (auto err = in.record(0, 1, f))
        return err;
    cfg.DescText[kGeneralDescription] = f[0].text;

    for (int c = 0; c < kChannels; ++c) {
        if (auto err = in.record(2 * kRowBytes, 1, f))
            return err;
        for (int k = 0; k < kRowBytes; ++k) {
            cfg.ChanSetup[c][k] = Reader::number(f[k]);
            cfg.MasterMatrix[c][k] = Reader::number(f[kRowBytes + k]);
        }
        const Byte typeByte = cfg.ChanSetup[c][kRowType];
        cfg.ChanFlags[c] = typeByte & kFlagBits;
        cfg.ChanSetup[c][kRowType] = typeByte & kTypeMask;
        cfg.SavedChanType[c] = typeByte & kTypeMask;
        cfg.ChanText[c] = f[2 * kRowBytes].text;
    }

    constexpr int kBlocksPerLine = kLogicBlocksUsed / kLogicFileLines;
    for (int g = 0; g < kLogicFileLines; ++g) {
        if (auto err = in.record(kBlocksPerLine * kLogicBytes, 1, f))
            return err;
        for (int i = 0; i < kBlocksPerLine; ++i)
            for (int k = 0; k < kLogicBytes; ++k)
                cfg.LogicBlocks[kBlocksPerLine * g + i][k] = Reader::number(f[kLogicBytes * i + k]);
        cfg.DescText[g] = f[kBlocksPerLine * kLogicBytes].text;
    }

    for (int s = 0; s < kSysFileLines; ++s) {
        if (auto err = in.record(kRowBytes, 0, f))
            return err;
        for (int k = 0; k < kRowBytes; ++k)
            cfg.SysData[kSysFileStride * s + k] = Reader::number(f[k]); // a shared byte takes the later value
    }

    for (int k = 0; k < kSmsTextsStored; ++k) {
        if (auto err = in.record(0, 1, f))
            return err;
        cfg.SmsText[k] = f[0].text;
    }
    cfg.SmsIdText = cfg.SmsText[kSmsIdFirst] + cfg.SmsText[kSmsIdSecond];

    for (int c = cfg.channelsInUse() + 1; c < kChannels; ++c) {
        cfg.ChanSetup[c][kRowType] = kTypeBlank;
        cfg.SavedChanType[c] = kTypeBlank;
        cfg.ChanText[c].clear();
    }
    return std::nullopt;
}

} // namespace

bool IsAcceptedSignature(std::string_view field) {
    return field == kFileSignature || field == "M52xx07" || field == "Korvane";
}

std::string FileSafeText(std::string text) {
    StripQuotes(text);
    return text;
}

std::string FileResult::message() const {
    std::string m = file;
    if (line > 0)
        m += ":" + std::to_string(line);
    if (!reason.empty())
        m += (m.empty() ? "" : ": ") + reason;
    return m;
}

void PrepareForSave(Configuration& cfg) {
    for (int c = cfg.channelsInUse() + 1; c < kChannels; ++c) {
        cfg.ChanSetup[c] = UnusedRow();
        cfg.ChanText[c].clear();
    }
    if (cfg.SysData[kSysEventOff] == 1)
        cfg.ChanFlags.fill(0);
    cfg.SmsText[kSmsIdFirst] = cfg.SmsIdText.substr(0, std::min<std::size_t>(kSmsEntryChars, cfg.SmsIdText.size()));
    cfg.SmsText[kSmsIdSecond] = cfg.SmsIdText.size() > kSmsEntryChars ? cfg.SmsIdText.substr(kSmsEntryChars) : "";
}

std::string ConfigFileText(const Configuration& configuration) {
    Configuration cfg = configuration;
    PrepareForSave(cfg);
    std::string out;
    out.reserve(40000);

    putText(out, std::string(kFileSignature));
    out += ',';
    putText(out, std::string(kFileVersion));
    out += kCrLf;
    putText(out, cfg.DescText[kGeneralDescription]);
    out += kCrLf;

    for (int c = 0; c < kChannels; ++c) {
        const Row& row = cfg.ChanSetup[c];
        // The type is below 64 and the flags use the two high bits only, so OR is the sum.
        putNumber(out, static_cast<Byte>((row[kRowType] & kTypeMask) | (cfg.ChanFlags[c] & kFlagBits)), true);
        for (int k = 1; k < kRowBytes; ++k)
            putNumber(out, row[k], false);
        for (int k = 0; k < kRowBytes; ++k)
            putNumber(out, cfg.MasterMatrix[c][k], false);
        out += ',';
        putText(out, cfg.ChanText[c]);
        out += kCrLf;
    }

    constexpr int kBlocksPerLine = kLogicBlocksUsed / kLogicFileLines;
    for (int g = 0; g < kLogicFileLines; ++g) {
        for (int i = 0; i < kBlocksPerLine; ++i)
            for (int k = 0; k < kLogicBytes; ++k)
                putNumber(out, cfg.LogicBlocks[kBlocksPerLine * g + i][k], i == 0 && k == 0);
        out += ',';
        putText(out, cfg.DescText[g]);
        out += kCrLf;
    }

    for (int s = 0; s < kSysFileLines; ++s) {
        for (int k = 0; k < kRowBytes; ++k)
            putNumber(out, cfg.SysData[kSysFileStride * s + k], k == 0);
        out += kCrLf;
    }

    for (int k = 0; k < kSmsTextsStored; ++k) {
        putText(out, cfg.SmsText[k]);
        out += kCrLf;
    }
    return out;
}

FileResult ReadConfigText(std::string_view text, Configuration& cfg, const std::string& name) {
    FileResult result;
    result.file = name;
    if (text.empty()) {
        result.status = FileStatus::Bad;
        result.reason = "the file is empty";
        return result;
    }
    Reader in(text);
    std::vector<Field> first;
    const auto splitError = in.next(first);
    if (first.empty() || !IsAcceptedSignature(first[0].text)) {
        result.status = FileStatus::WrongSignature;
        result.line = 1;
        result.reason = "not a configuration file (unknown signature)";
        return result;
    }
    if (splitError) {
        result.status = FileStatus::Bad;
        result.line = splitError->line;
        result.reason = splitError->reason;
        return result;
    }
    if (first.size() != 2) {
        result.status = FileStatus::Bad;
        result.line = 1;
        result.reason = "2 texts expected (signature and version), found " + std::to_string(first.size()) +
                        (first.size() == 1 ? " field" : " fields");
        return result;
    }

    Configuration scratch = cfg;
    if (auto err = parseInto(in, scratch)) {
        result.status = FileStatus::Bad;
        result.line = err->line;
        result.reason = err->reason;
        return result;
    }
    cfg = std::move(scratch);
    return result;
}

FileResult SaveFile(const Configuration& cfg, const std::string& path) {
    const WriteOutcome w = WriteFileAtomically(path, ConfigFileText(cfg));
    if (!w.ok)
        return {FileStatus::CannotWrite, path, 0, w.reason};
    return {FileStatus::Ok, path, 0, {}};
}

FileResult LoadFile(Configuration& cfg, const std::string& path) {
    // A configuration file is about 25 KB; anything far larger is not one and is not read in whole,
    // whatever kind of file it is (a device or a pipe may never end).
    std::string bytes;
    const ReadOutcome read = ReadBoundedFile(path, kConfigFileLimit, bytes);
    if (read.tooLarge)
        return {FileStatus::Bad, path, 0, "the file is too large to be a configuration file"};
    if (!read.ok)
        return {FileStatus::CannotOpen, path, 0, read.reason};
    return ReadConfigText(bytes, cfg, path);
}

} // namespace korvane
