// The logic report: the 64 logic blocks in eight groups of eight, each block as an equation
// (output = input 1, operation, input 2), beside it the group's notes.

#include <algorithm>

#include "model/logic.h"
#include "model/text_ids.h"
#include "reports/reports.h"

namespace korvane {

namespace {

using namespace report_parts;

namespace col {
constexpr double kOutput = page::kLeftText;
constexpr double kInput1 = 2097.9;
constexpr double kOperation = 2835;
constexpr double kInput2 = 3685.5;
constexpr double kNotes = 4819.5;
} // namespace col

constexpr int kGroups = kLogicBlocksUsed / 8;
constexpr double kLogicRowPitch = 0.75;
constexpr double kLinesPerPage = 27; // a group starts a new page from this line on
constexpr TextStyle kNotesStyle{9, false};
const char* const kOperators[] = {"---", "And", "Or ", "Xor"};

struct Group {
    int g = 0;
    std::vector<std::string> notes;
    int rows() const { return std::max<int>(8, static_cast<int>(notes.size())); }
};

// Draws rows [from, to) of a group below its heading and table headings; returns the next line.
double drawGroup(Canvas& c, const ReportInput& in, const Group& grp, int from, int to, double n) {
    const std::string heading =
        in.text(kTxtLogicBlocks) + " " + std::to_string(8 * grp.g + 1) + " - " + std::to_string(8 * grp.g + 8) + ":";
    c.fitted(page::kLeftText, page::kRightEdge, RowY(n), 10, true, heading);
    n += 1;
    const double yh = RowY(n);
    c.fitted(col::kOutput, col::kInput1 - page::kColumnGap, yh, 9, true, in.text(kTxtOutput));
    c.fitted(col::kInput1, col::kOperation - page::kColumnGap, yh, 9, true, in.text(kTxtInput1));
    c.fitted(col::kOperation, col::kInput2 - page::kColumnGap, yh, 9, true, in.text(kTxtFunction));
    c.fitted(col::kInput2, col::kNotes - page::kColumnGap, yh, 9, true, in.text(kTxtInput2));
    c.fitted(col::kNotes, page::kRightEdge, yh, 9, true, in.text(kTxtNotes));
    for (int j = from; j < to; ++j) {
        n += kLogicRowPitch;
        const double y = RowY(n);
        if (j < 8) {
            const LogicRecord& r = in.cfg.LogicBlocks[8 * grp.g + j];
            const int op = (r[3] & kLogicOperationMask) / 4;
            auto cell = [&](double x, double right, const std::string& s) {
                c.fitted(x, right - page::kColumnGap, y, 9, false, s);
            };
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
        }
        // An empty line of the notes still takes its row, so that the row counts where the page is measured.
        if (j < static_cast<int>(grp.notes.size()))
            c.surface().text(col::kNotes, y, kNotesStyle, grp.notes[static_cast<std::size_t>(j)]);
    }
    return n + 1;
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
            // A word wider than the column is broken between characters.
            while (!fits(word)) {
                std::size_t k = 1;
                while (k < word.size() && fits(word.substr(0, k + 1)))
                    ++k;
                out.push_back(word.substr(0, k));
                any = true;
                word.erase(0, k);
            }
            line = word;
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

bool HasLogicBlocks(const Configuration& cfg) {
    for (int b = 0; b < kLogicBlocksUsed; ++b)
        if (cfg.LogicBlocks[b][3] != 0)
            return true;
    return false;
}

ReportOutcome PrintLogicReport(PrintJob& job, const ReportInput& in) {
    if (!HasLogicBlocks(in.cfg))
        return ReportOutcome::NothingToPrint;
    ReportPages pages(job, in, kTxtMenuLogicSetup);
    BlockPlacer placer(pages);
    for (int g = 0; g < kGroups; ++g) {
        Group grp{g, WrapNotes(in.cfg.DescText[g], page::kRightEdge - col::kNotes, kNotesStyle, job.surface())};
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
