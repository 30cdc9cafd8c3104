#include "reports/labels.h"

#include <cstdio>
#include <sstream>

namespace korvane {

namespace {

constexpr double kTwipsPerMm = 1440 / 25.4;
constexpr double kPadding = 2 * kTwipsPerMm; // what a text keeps free of the label's edges
constexpr double kNamePoints = 10;
constexpr double kDescriptionPoints = 9;

std::string oneLine(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

const std::vector<LabelSheet>& CommonLabelSheets() {
    // Paper, label, grid, margins as the makers give them (mm).
    static const std::vector<LabelSheet> sheets{
        {"70 \u00D7 25.4 mm, 3 \u00D7 11, A4", 210, 297, 70, 25.4, 3, 11, 0, 8.8, 0, 0},
        {"70 \u00D7 37 mm, 3 \u00D7 8, A4", 210, 297, 70, 37, 3, 8, 0, 0.5, 0, 0},
        {"63.5 \u00D7 38.1 mm, 3 \u00D7 7, A4", 210, 297, 63.5, 38.1, 3, 7, 7.2, 15.15, 2.5, 0},
        {"99.1 \u00D7 38.1 mm, 2 \u00D7 7, A4", 210, 297, 99.1, 38.1, 2, 7, 4.65, 15.15, 2.5, 0},
        {"66.7 \u00D7 25.4 mm, 3 \u00D7 10, Letter", 215.9, 279.4, 66.7, 25.4, 3, 10, 4.8, 12.7, 3.2, 0},
    };
    return sheets;
}

std::string LabelSheetFault(const LabelSheet& s) {
    if (s.labelWidth <= 0 || s.labelHeight <= 0 || s.paperWidth <= 0 || s.paperHeight <= 0)
        return "a size is not above 0";
    if (s.columns < 1 || s.rows < 1)
        return "no label fits";
    if (s.left < 0 || s.top < 0 || s.gapX < 0 || s.gapY < 0)
        return "a margin or gap is below 0";
    constexpr double kSlack = 0.05; // what makers' rounding leaves over
    if (s.left + s.columns * s.labelWidth + (s.columns - 1) * s.gapX > s.paperWidth + kSlack)
        return "the labels are wider than the paper";
    if (s.top + s.rows * s.labelHeight + (s.rows - 1) * s.gapY > s.paperHeight + kSlack)
        return "the labels are higher than the paper";
    return {};
}

std::string LabelSheetText(const LabelSheet& s) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << s.labelWidth << ',' << s.labelHeight << ',' << s.columns << ',' << s.rows << ',' << s.left << ',' << s.top
        << ',' << s.gapX << ',' << s.gapY << ',' << s.paperWidth << ',' << s.paperHeight;
    return out.str();
}

std::optional<LabelSheet> ParseLabelSheet(const std::string& text) {
    LabelSheet s;
    s.name.clear();
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    char sep[9] = {};
    in >> s.labelWidth >> sep[0] >> s.labelHeight >> sep[1] >> s.columns >> sep[2] >> s.rows >> sep[3] >> s.left >>
        sep[4] >> s.top >> sep[5] >> s.gapX >> sep[6] >> s.gapY >> sep[7] >> s.paperWidth >> sep[8] >> s.paperHeight;
    if (in.fail() || !(in >> std::ws).eof() || std::string(sep, 9) != std::string(9, ',') ||
        !LabelSheetFault(s).empty())
        return std::nullopt;
    for (const LabelSheet& common : CommonLabelSheets()) {
        LabelSheet named = s;
        named.name = common.name;
        if (named == common)
            return common;
    }
    return s;
}

LabelPlace LabelAt(const LabelSheet& s, int k) {
    const int perPage = s.columns * s.rows;
    const int onPage = k % perPage;
    const int row = onPage / s.columns, column = onPage % s.columns;
    return {k / perPage + 1, (s.left + column * (s.labelWidth + s.gapX)) * kTwipsPerMm,
            (s.top + row * (s.labelHeight + s.gapY)) * kTwipsPerMm};
}

std::vector<LabelText> LabelTexts(const ReportInput& in) {
    ReportInput inUse = in;
    inUse.inUseOnly = true;
    std::vector<LabelText> out;
    for (const ChannelEntry& e : ChannelListEntries(inUse))
        out.push_back({e.name, oneLine(e.description)});
    return out;
}

ReportOutcome PrintLabels(PrintJob& job, const ReportInput& in, const LabelSheet& sheet) {
    const std::vector<LabelText> labels = LabelTexts(in);
    if (labels.empty() || !LabelSheetFault(sheet).empty())
        return ReportOutcome::NothingToPrint;
    Canvas c(job.surface());
    const double width = sheet.labelWidth * kTwipsPerMm, height = sheet.labelHeight * kTwipsPerMm;
    // The two lines stand in the middle of the label's height.
    const double nameHeight = c.height(kNamePoints, true), descriptionHeight = c.height(kDescriptionPoints);
    const double firstLine = std::max(kPadding / 2, (height - nameHeight - descriptionHeight) / 2);
    int page = 0;
    for (std::size_t k = 0; k < labels.size(); ++k) {
        const LabelPlace at = LabelAt(sheet, static_cast<int>(k));
        if (at.page != page) {
            if (!job.beginPage())
                return ReportOutcome::Failed;
            page = at.page;
        }
        const double left = at.x + kPadding, right = at.x + width - kPadding;
        c.fitted(left, right, at.y + firstLine, kNamePoints, true, labels[k].name);
        c.fitted(left, right, at.y + firstLine + nameHeight, kDescriptionPoints, false, labels[k].description);
    }
    return ReportOutcome::Printed;
}

} // namespace korvane
