// The logic report: the 64 logic blocks in eight groups of eight, each block as an equation
// (output = input 1, operation, input 2), beside it the group's notes.

#include <algorithm>

#include "model/channel_types.h"
#include "model/logic.h"
#include "model/text_ids.h"
#include "reports/reports.h"

namespace korvane {

namespace {

using namespace report_parts;

namespace col {
constexpr double kNumber = page::kLeftText;
constexpr double kOutput = 1814.4;
constexpr double kInput1 = 2806.65; // the block columns are wide enough for their headings in every language
constexpr double kOperation = 3798.9;
constexpr double kInput2 = 4791.15;
constexpr double kNotes = 5783.4;
} // namespace col

constexpr int kGroups = kLogicBlocksUsed / 8;
constexpr double kLogicRowPitch = 0.75;
constexpr double kLinesPerPage = 27; // a group starts a new page from this line on
constexpr TextStyle kNotesStyle{9, false};
const char* const kOperators[] = {"---", "And", "Or ", "Xor"};

constexpr double kReferencePitch = 0.6; // the line of the references' descriptions under a block's row

// The descriptions of the channels a block refers to, output first, each once: "D4 Licht Flur; B2 Taster".
// Markers and channels without a description are left out.
std::string referenceWords(const Configuration& cfg, const LogicRecord& r) {
    std::string out;
    std::vector<int> seen;
    for (int k : {kLogicOutput, kLogicInput1, kLogicInput2}) {
        const int code = r[static_cast<std::size_t>(k)];
        if (code >= kChannels || std::find(seen.begin(), seen.end(), code) != seen.end())
            continue;
        seen.push_back(code);
        const std::string& d = cfg.ChanText[static_cast<std::size_t>(code)];
        if (!d.empty())
            out += (out.empty() ? "" : "; ") + Num_2_Channel(code) + " " + d;
    }
    return out;
}

int operationOf(const LogicRecord& r) {
    return (r[3] & kLogicOperationMask) / 4;
}

struct Group {
    int g = 0;
    std::vector<int> blocks; // the blocks of the group printed, 0..7
    std::vector<std::string> notes;
    int rows() const { return static_cast<int>(std::max(blocks.size(), notes.size())); }
};

// Draws rows [from, to) of a group below its heading and table headings; returns the next line.
double drawGroup(Canvas& c, const ReportInput& in, const Group& grp, int from, int to, double n) {
    constexpr double p = page::kHeadingPoints;
    const std::string heading =
        in.text(kTxtLogicBlocks) + " " + std::to_string(8 * grp.g + 1) + " - " + std::to_string(8 * grp.g + 8) + ":";
    c.fitted(page::kLeftText, page::kRightEdge, RowY(n), 10, true, heading);
    n += 1;
    const double yh = RowY(n);
    c.fitted(col::kNumber, col::kOutput - page::kColumnGap, yh, p, true, in.text(kTxtNumberShort));
    c.fitted(col::kOutput, col::kInput1 - page::kColumnGap, yh, p, true, in.text(kTxtOutput));
    c.fitted(col::kInput1, col::kOperation - page::kColumnGap, yh, p, true, in.text(kTxtInput1));
    c.fitted(col::kOperation, col::kInput2 - page::kColumnGap, yh, p, true, in.text(kTxtFunction));
    c.fitted(col::kInput2, col::kNotes - page::kColumnGap, yh, p, true, in.text(kTxtInput2));
    c.fitted(col::kNotes, page::kRightEdge, yh, p, true, in.text(kTxtNotes));
    for (int j = from; j < to; ++j) {
        n += kLogicRowPitch;
        const double y = RowY(n);
        if (j < static_cast<int>(grp.blocks.size())) {
            const int b = 8 * grp.g + grp.blocks[static_cast<std::size_t>(j)];
            const LogicRecord& r = in.cfg.LogicBlocks[b];
            const int op = operationOf(r);
            auto cell = [&](double x, double right, const std::string& s) {
                c.fitted(x, right - page::kColumnGap, y, 9, false, s);
            };
            cell(col::kNumber, col::kOutput, std::to_string(b + 1));
            if (op != 0) {
                cell(col::kOutput, col::kInput1, LogicChannel(r[kLogicOutput], r[3], 0) + " =");
                cell(col::kInput1, col::kOperation, LogicChannel(r[kLogicInput1], r[3], 1));
                cell(col::kOperation, col::kInput2, kOperators[op]);
                cell(col::kInput2, col::kNotes, LogicChannel(r[kLogicInput2], r[3], 2));
            } else {
                for (auto [x, right] : {std::pair{col::kOutput, col::kInput1},
                                        {col::kInput1, col::kOperation},
                                        {col::kOperation, col::kInput2},
                                        {col::kInput2, col::kNotes}})
                    cell(x, right, "  ---");
            }
            // Under the row, what the block's channels are.
            if (LogicBlockInUse(r)) {
                if (const std::string words = referenceWords(in.cfg, r); !words.empty()) {
                    if (j < static_cast<int>(grp.notes.size()))
                        c.surface().text(col::kNotes, y, kNotesStyle, grp.notes[static_cast<std::size_t>(j)]);
                    n += kReferencePitch;
                    c.fitted(col::kOutput, col::kNotes - page::kColumnGap, RowY(n), 8, false, words);
                    continue;
                }
            }
        }
        // An empty line of the notes still takes its row, so that the row counts where the page is measured.
        if (j < static_cast<int>(grp.notes.size()))
            c.surface().text(col::kNotes, y, kNotesStyle, grp.notes[static_cast<std::size_t>(j)]);
    }
    return n + 1;
}

// The groups as printed: all eight with all their blocks, or (in use only) the blocks that do something
// and the groups that have such a block or notes.
std::vector<Group> groupsOf(const ReportInput& in, PrintSurface& metrics) {
    std::vector<Group> out;
    for (int g = 0; g < kGroups; ++g) {
        Group grp{g, {}, WrapNotes(in.cfg.DescText[g], page::kRightEdge - col::kNotes, kNotesStyle, metrics)};
        for (int j = 0; j < 8; ++j)
            if (!in.inUseOnly || !IsEmptyLogicBlock(in.cfg, 8 * g + j))
                grp.blocks.push_back(j);
        if (grp.rows() > 0)
            out.push_back(std::move(grp));
    }
    return out;
}

} // namespace

std::vector<std::string> WrapNotes(const std::string& text, double room, TextStyle style, PrintSurface& metrics) {
    auto fits = [&](const std::string& s) {
        std::string t = s;
        while (!t.empty() && t.back() == ' ')
            t.pop_back();
        return metrics.textWidth(t, style) <= room;
    };
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i <= text.size()) {
        // One paragraph: up to CR LF, CR or LF.
        std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string::npos)
            end = text.size();
        const std::string para = text.substr(i, end - i);
        std::string line;
        std::size_t p = 0;
        bool any = false;
        while (p < para.size()) {
            // A word and the blanks after it stay together; the blanks may run past the column unseen.
            std::size_t q = para.find(' ', p);
            q = q == std::string::npos ? para.size() : para.find_first_not_of(' ', q);
            if (q == std::string::npos)
                q = para.size();
            std::string word = para.substr(p, q - p);
            p = q;
            if (fits(line + word)) {
                line += word;
                continue;
            }
            if (!line.empty()) {
                out.push_back(line);
                any = true;
                line.clear();
            }
            // A word wider than the column is broken between characters. Only the part that may still
            // fit the line is ever measured, so a word of any length takes time in proportion to it.
            std::size_t from = 0;
            for (;;) {
                std::size_t k = 1;
                while (from + k < word.size() && fits(word.substr(from, k + 1)))
                    ++k;
                if (from + k >= word.size() && fits(word.substr(from)))
                    break;
                out.push_back(word.substr(from, k));
                any = true;
                from += k;
                if (from >= word.size())
                    break;
            }
            line = word.substr(from);
        }
        if (!line.empty() || !any)
            out.push_back(line);
        if (end >= text.size())
            break;
        i = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    while (!out.empty() && out.back().empty())
        out.pop_back();
    return out;
}

bool IsEmptyLogicBlock(const Configuration& cfg, int block) {
    return !LogicBlockInUse(cfg.LogicBlocks[block]);
}

bool HasLogicInUse(const Configuration& cfg) {
    if (!HasLogicBlocks(cfg))
        return false;
    for (int b = 0; b < kLogicBlocksUsed; ++b)
        if (!IsEmptyLogicBlock(cfg, b))
            return true;
    for (int g = 0; g < kGroups; ++g)
        if (cfg.DescText[g].find_first_not_of(" \t\r\n") != std::string::npos)
            return true;
    return false;
}

bool HasLogicBlocks(const Configuration& cfg) {
    for (int b = 0; b < kLogicBlocksUsed; ++b)
        if (LogicBlockInUse(cfg.LogicBlocks[b]))
            return true;
    return false;
}

ReportOutcome PrintLogicReport(PrintJob& job, const ReportInput& in) {
    if (!HasLogicBlocks(in.cfg))
        return ReportOutcome::NothingToPrint;
    const std::vector<Group> groups = groupsOf(in, job.surface());
    if (groups.empty())
        return ReportOutcome::NothingToPrint;
    ReportPages pages(job, in, kTxtMenuLogicSetup);
    BlockPlacer placer(pages);
    for (const Group& grp : groups) {
        const int rows = grp.rows();
        auto whole = [&](Canvas& c, double n) { return drawGroup(c, in, grp, 0, rows, n); };
        // A group stays on one page; it moves to the next page when it does not fit below the last one.
        if (!placer.begun() || placer.line() >= kLinesPerPage || !placer.fits(whole, placer.line())) {
            if (!placer.newPage())
                return ReportOutcome::Failed;
        }
        if (placer.fits(whole, placer.line())) {
            if (!placer.place(whole))
                return ReportOutcome::Failed;
            continue;
        }
        // Notes longer than a page: the group goes on over the following pages, headings repeated.
        int from = 0;
        while (from < rows) {
            int to = from + 1;
            while (to < rows && placer.fits([&](Canvas& c, double n) { return drawGroup(c, in, grp, from, to + 1, n); },
                                            placer.line()))
                ++to;
            const int a = from, b = to;
            if (!placer.place([&](Canvas& c, double n) { return drawGroup(c, in, grp, a, b, n); }))
                return ReportOutcome::Failed;
            from = to;
            if (from < rows && !placer.newPage())
                return ReportOutcome::Failed;
        }
    }
    return ReportOutcome::Printed;
}

} // namespace korvane
