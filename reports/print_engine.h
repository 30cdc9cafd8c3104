#pragma once
// The print engine every report draws with: the fixed page geometry, the page header, texts that keep
// inside their column, the pictures, the day boxes and the page sequence of a print job. Positions are
// twips from the top-left corner of the printable area of a portrait page.

#include <functional>
#include <string>

#include "model/configuration.h"
#include "model/vocabulary.h"
#include "reports/print_surface.h"

namespace korvane {

namespace page {
constexpr double kLeftText = 1247.4;   // left margin of the texts
constexpr double kRightEdge = 11056.5; // right edge of right-aligned texts and of the rules
constexpr double kRuleLeft = 1077.3;   // the vertical rule and the left end of the horizontal ones
constexpr double kVerticalRuleRight = 1097.3;
constexpr double kFrameBottom = 15309; // lower end of the vertical rule: nothing is printed below it
constexpr double kHeaderRuleTop = 1134;
constexpr double kHeaderRuleBottom = 1166;
constexpr double kHeaderLine1 = 0;
constexpr double kHeaderLine2 = 453.6;
constexpr double kHeaderLine3 = 793.8;
constexpr double kColumnHeadings = 1360.8;
constexpr double kFirstRow = 1984.5;
constexpr double kRowPitch = 396.9;
constexpr double kRuleThickness = 32;
constexpr double kPictureSize = 225; // the natural size of every picture
constexpr double kTypeIcon = 2097.9; // the type icon of a channel row, clear of the widest range name
constexpr double kDescription = 2948.4;
constexpr double kDayBoxPitch = 340;  // day boxes and their headings, far enough apart to read
constexpr double kGridPitch = 255;    // the cells of a master grid
constexpr double kColumnGap = 85;     // what a text keeps free before the next column
constexpr double kSmallestPoints = 8; // a text that does not fit shrinks to this size, then is cut or wrapped
constexpr double kHeadingPoints = 9;  // column headings of every table
constexpr int kDayBoxes = 8;          // Monday..Sunday and the holiday box
} // namespace page

// The y of line n of a report.
constexpr double RowY(double n) {
    return page::kFirstRow + page::kRowPitch * n;
}

// What every report reads: the configuration, the texts of the report language, the name of the
// configuration file and the moment of printing.
struct ReportInput {
    const Configuration& cfg;
    TextLookup text;        // language text n, 8-bit
    std::string fileName;   // CurFileName, 8-bit
    DeviceClock clock;      // date and time in the page header
    bool inUseOnly = false; // leave out unused channels and empty logic blocks
    // Within a book of several reports: the page text of a header from the page's number in the whole
    // job (instead of the report's own "Page: n"), and where each channel row of the channel list went.
    std::function<std::string(int jobPage)> pageText = {};
    std::function<void(int channel, int jobPage)> channelPrinted = {};
};

// The pages of one print job: one or more reports, one page after the other.
class PrintJob {
public:
    explicit PrintJob(PrintSurface& surface) : surface_(surface) {}
    PrintSurface& surface() { return surface_; }
    // The first page is the one the device opened; each later one is asked for. False when refused.
    bool beginPage();
    int pages() const { return pages_; }
    bool failed() const { return failed_; }

private:
    PrintSurface& surface_;
    int pages_ = 0;
    bool failed_ = false;
};

// The drawing routines on one surface.
class Canvas {
public:
    explicit Canvas(PrintSurface& surface) : s_(surface) {}
    PrintSurface& surface() { return s_; }

    double width(const std::string& text, double points, bool bold = false);
    double height(double points, bool bold = false);
    // How far a text of the size is lowered in a row that carries pictures, so that its bottom lines up
    // with theirs.
    double rowOffset(double points);

    // A text with its top-left corner at (x, top).
    void text(double x, double top, double points, bool bold, const std::string& text);
    // A text that must end before `right`: shrunk to fit down to the smallest size, then cut with "…".
    // A shrunk text keeps its baseline.
    void fitted(double x, double right, double top, double points, bool bold, const std::string& text);
    // A text that ends at `right` and starts no further left than `left`, shrunk and cut like fitted().
    void rightAligned(double right, double left, double top, double points, bool bold, const std::string& text);
    // How much lower the top of a text of `smaller` points lies than that of a text of `points` on the
    // same baseline.
    double baselineDrop(double points, double smaller, bool bold = false);
    // A picture of the picture table at its natural size; other numbers paint nothing.
    void picture(double x, double y, int number);
    // A horizontal rule across the page.
    void rule(double y);
    // Eight day boxes 255 twips apart, ticked where the mask has the bit (128 for the first box).
    void daysOfWeek(int mask, double x, double y);

    // The size and text that fit `room`: the text at the asked size, a smaller size, or a cut text at
    // the smallest size.
    struct Fit {
        double points;
        std::string text;
    };
    Fit fit(const std::string& text, double room, double points, bool bold);

private:
    PrintSurface& s_;
};

// True for the numbers of the picture table: Image2 0..63 and 65..78, Image3 entries 0 and 7.
bool IsPrintablePicture(int number);

// "ZEB1 " and the report's title text.
std::string ReportTitle(const ReportInput& in, int titleText);
// The frame and the three header lines of a page.
void PrintPageHeadder(Canvas& c, const ReportInput& in, const std::string& title, const std::string& right);

// The pages of one report: its own page numbers, the header and the column headings of every page.
class ReportPages {
public:
    using Headings = std::function<void(Canvas&)>;
    ReportPages(PrintJob& job, const ReportInput& in, int titleText, Headings headings = {});
    // Begins the report's next page. False when the device refused it.
    bool next();
    int page() const { return page_; }
    Canvas& canvas() { return canvas_; }
    PrintJob& job() { return job_; }

private:
    PrintJob& job_;
    const ReportInput& in_;
    Canvas canvas_;
    std::string title_;
    Headings headings_;
    int page_ = 0;
};

// How far down a drawing reaches, measured by a dry run with the metrics of the real surface.
double MeasureBottom(PrintSurface& metrics, const std::function<void(Canvas&)>& draw);

} // namespace korvane
