#include "reports/site_book.h"

#include "model/channel_types.h"
#include "model/text_ids.h"
#include "reports/report_values.h"
#include "reports/reports.h"

namespace korvane {

namespace {

constexpr double kCoverTitlePoints = 20;
constexpr double kLabelPoints = 10;
constexpr double kValueColumn = 4500;
constexpr double kLinePitch = 300;

std::string filled(std::string pattern, const std::string& one, const std::string& two = {}) {
    for (const auto& [mark, value] : {std::pair{std::string("%1"), one}, std::pair{std::string("%2"), two}})
        if (const auto at = pattern.find(mark); at != std::string::npos)
            pattern.replace(at, mark.size(), value);
    return pattern;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out.emplace_back();
        } else {
            out.back() += text[i];
        }
    }
    while (out.size() > 1 && out.back().empty())
        out.pop_back();
    return out;
}

int channelsInUse(const Configuration& cfg) {
    int n = 0;
    for (int c = 0; c <= cfg.channelsInUse(); ++c)
        n += IsUnusedChannel(cfg, c) ? 0 : 1;
    return n;
}

// One page with the frame and header of the book.
bool bookPage(PrintJob& job, Canvas& c, const ReportInput& in) {
    if (!job.beginPage())
        return false;
    PrintPageHeadder(c, in, ReportTitle(in, kTxtBookTitle), in.pageText(job.pages()));
    return true;
}

bool printCover(PrintJob& job, Canvas& c, const ReportInput& in, const BookCover& cover) {
    if (!bookPage(job, c, in))
        return false;
    double y = page::kFirstRow;
    c.fitted(page::kLeftText, page::kRightEdge, y, kCoverTitlePoints, true, in.text(kTxtBookTitle));
    y += c.height(kCoverTitlePoints, true) + kLinePitch;
    // The system description whole, line by line.
    for (const std::string& line : linesOf(in.cfg.DescText[kGeneralDescription])) {
        c.fitted(page::kLeftText, page::kRightEdge, y, 12, false, line);
        y += c.height(12);
    }
    y += kLinePitch;
    const auto field = [&](int label, const std::string& value) {
        if (value.empty())
            return;
        c.fitted(page::kLeftText, kValueColumn - page::kColumnGap, y, kLabelPoints, true, in.text(label));
        c.fitted(kValueColumn, page::kRightEdge, y, kLabelPoints, false, value);
        y += c.height(kLabelPoints) + kLinePitch / 2;
    };
    field(kTxtBookDeviceNumber, std::to_string(in.cfg.SysData[kSysDeviceNo]));
    field(kTxtBookChannelsInUse,
          std::to_string(channelsInUse(in.cfg)) + " / " + std::to_string(in.cfg.channelsInUse() + 1));
    field(kTxtMenuFile, in.fileName);
    field(kTxtBookDate, GetTimeNow(in.clock, in.text));
    field(kTxtBookInstaller, cover.installer);
    field(kTxtBookCompany, cover.company);
    field(kTxtBookLastWrite, cover.lastWrite.empty() ? in.text(kTxtBookNoWrite) : cover.lastWrite);
    return true;
}

bool printContents(PrintJob& job, Canvas& c, const ReportInput& in, const std::vector<BookSection>& sections) {
    if (!bookPage(job, c, in))
        return false;
    double y = page::kColumnHeadings;
    c.text(page::kLeftText, y, 12, true, in.text(kTxtBookContents));
    y = page::kFirstRow;
    // The reports: the cover and this page need no entry.
    for (std::size_t k = 2; k < sections.size(); ++k) {
        const BookSection& s = sections[k];
        const std::string number = std::to_string(s.page);
        const double w = c.width(number, kLabelPoints);
        c.fitted(page::kLeftText, page::kRightEdge - w - 2 * page::kColumnGap, y, kLabelPoints, false, s.title);
        c.text(page::kRightEdge - w, y, kLabelPoints, false, number);
        y += page::kRowPitch;
    }
    return true;
}

// The whole book on the job; the sections as they were printed.
ReportOutcome printBook(PrintJob& job, const ReportInput& given, const BookCover& cover,
                        const std::vector<BookSection>& contents, int total, std::vector<BookSection>& sections) {
    ReportInput in = given;
    in.inUseOnly = true;
    in.pageText = [&in, total](int page) {
        return filled(in.text(kTxtBookPageOf), std::to_string(page), std::to_string(total));
    };
    Canvas c(job.surface());
    sections.clear();
    sections.push_back({in.text(kTxtBookTitle), 1, {}});
    if (!printCover(job, c, in, cover))
        return ReportOutcome::Failed;
    sections.push_back({in.text(kTxtBookContents), job.pages() + 1, {}});
    if (!printContents(job, c, in, contents))
        return ReportOutcome::Failed;
    for (ReportKind k : ReportsWithContent(in)) {
        const ReportEntry& e = FindReport(k);
        BookSection section{in.text(e.titleText), job.pages() + 1, {}};
        int group = -1;
        in.channelPrinted = [&](int channel, int page) {
            if (channel / 8 != group) {
                group = channel / 8;
                section.parts.push_back(
                    {filled(in.text(kTxtBookGroup), std::string(1, static_cast<char>('A' + group))), page, {}});
            }
        };
        const ReportOutcome o = e.print(job, in);
        in.channelPrinted = {};
        if (o == ReportOutcome::Failed)
            return o;
        if (o == ReportOutcome::Printed)
            sections.push_back(std::move(section));
    }
    if (cover.record) {
        sections.push_back({in.text(kTxtRecordTitle), job.pages() + 1, {}});
        if (PrintHandoverRecord(job, in, *cover.record) == ReportOutcome::Failed)
            return ReportOutcome::Failed;
    }
    return ReportOutcome::Printed;
}

} // namespace

ReportOutcome PrintHandoverRecord(PrintJob& job, const ReportInput& in, const HandoverRecord& record) {
    ReportPages pages(job, in, kTxtRecordTitle);
    if (!pages.next())
        return ReportOutcome::Failed;
    Canvas& c = pages.canvas();
    const double pitch = c.height(kLabelPoints);
    double y = page::kFirstRow;
    // One line at y, on the next page when this one is full.
    const auto room = [&]() {
        if (y + pitch <= page::kFrameBottom)
            return true;
        if (!pages.next())
            return false;
        y = page::kFirstRow;
        return true;
    };
    // A text wrapped to the room between x and the right edge, every character kept.
    const auto wrapped = [&](double x, bool bold, const std::string& text) {
        for (const std::string& line : WrapNotes(text, page::kRightEdge - x, {kLabelPoints, bold}, c.surface())) {
            if (!room())
                return false;
            c.text(x, y, kLabelPoints, bold, line);
            y += pitch;
        }
        return true;
    };
    const auto field = [&](const std::string& label, const std::string& value) {
        if (!room())
            return false;
        c.fitted(page::kLeftText, kValueColumn - page::kColumnGap, y, kLabelPoints, true, label);
        return wrapped(kValueColumn, false, value);
    };
    for (const auto& [label, value] : record.fields)
        if (!value.empty() && !field(in.text(label), value))
            return ReportOutcome::Failed;
    if (!field(in.text(kTxtRecordVerdict), record.verdict))
        return ReportOutcome::Failed;
    if (!record.lines.empty()) {
        y += kLinePitch;
        if (!wrapped(page::kLeftText, true,
                     record.linesHeading.empty() ? in.text(kTxtRecordDetails) : record.linesHeading))
            return ReportOutcome::Failed;
        for (const std::string& line : record.lines) {
            // A group's heading at the margin, its lines indented below it.
            const std::size_t blanks = line.find_first_not_of(' ');
            const bool inner = blanks != std::string::npos && blanks > 0;
            const std::string text = inner ? line.substr(blanks) : line;
            if (!wrapped(inner ? page::kLeftText + kLinePitch : page::kLeftText, !inner, text))
                return ReportOutcome::Failed;
        }
    }
    return ReportOutcome::Printed;
}

BookPlan PlanSiteBook(PrintSurface& metrics, const ReportInput& in, const BookCover& cover) {
    // Twice: the contents page is one page whatever it lists, so the second run has every number right.
    BookPlan plan;
    for (int run = 0; run < 2; ++run) {
        MeasuringSurface dry(metrics);
        PrintJob job(dry);
        std::vector<BookSection> sections;
        printBook(job, in, cover, plan.sections, plan.pages, sections);
        plan.sections = std::move(sections);
        plan.pages = job.pages();
    }
    return plan;
}

ReportOutcome PrintSiteBook(PrintJob& job, const ReportInput& in, const BookCover& cover, BookPlan* plan) {
    const BookPlan planned = PlanSiteBook(job.surface(), in, cover);
    std::vector<BookSection> sections;
    const ReportOutcome o = printBook(job, in, cover, planned.sections, planned.pages, sections);
    if (plan) {
        plan->sections = std::move(sections);
        plan->pages = job.pages();
    }
    return o;
}

} // namespace korvane
