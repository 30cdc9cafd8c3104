#pragma once
// The reports of the Print menu. Each draws onto a print job and tells how it went; none changes the
// configuration.

#include <functional>
#include <string>
#include <vector>

#include "reports/print_engine.h"

namespace korvane {

enum class ReportOutcome {
    Printed,
    NothingToPrint, // the report has nothing to show; no page was begun
    Failed          // the device refused a page
};

// ---- The channel list ----

// One settings line of a channel: the label, the value right-aligned at the value edge with its unit
// after that edge, and a second value right-aligned at the right edge (analogue sensors).
struct ParamLine {
    std::string label;
    std::string value;
    std::string unit;
    std::string second;
    bool operator==(const ParamLine&) const = default;
};

// One row of the channel list: a channel, or the channels of one function printed once.
struct ChannelEntry {
    int channel = 0;
    int step = 1; // the channels the row covers
    std::string name;
    int typePicture = -1;
    int optionPicture = -1; // -1: none
    std::string description;
    std::string function; // the function in words; empty where the description already names it
    std::vector<ParamLine> lines;
};

// True when a channel up to the highest in use is not an unused one.
bool HasChannelsInUse(const Configuration& cfg);

// The rows of the channel list in order, every channel from 0 to the highest in use exactly once; with
// `in.inUseOnly` without the unused channels.
std::vector<ChannelEntry> ChannelListEntries(const ReportInput& in);
ReportOutcome PrintChannelList(PrintJob& job, const ReportInput& in);

// ---- The real-time and master reports ----
bool HasRealTimeChannels(const Configuration& cfg);
ReportOutcome PrintRealTimeReport(PrintJob& job, const ReportInput& in);
bool HasMasterChannels(const Configuration& cfg);
ReportOutcome PrintMasterReport(PrintJob& job, const ReportInput& in);

// ---- The logic report ----
bool HasLogicBlocks(const Configuration& cfg);
// A block not in use (LogicBlockInUse): left out of the in-use listing.
bool IsEmptyLogicBlock(const Configuration& cfg, int block);
// True when the in-use listing of the logic report has something: a block that does something, or notes.
bool HasLogicInUse(const Configuration& cfg);
// A group's notes as printed: split at CR LF, CR or LF and wrapped at word boundaries to `room`
// twips in the given style; every character of the text is kept.
std::vector<std::string> WrapNotes(const std::string& text, double room, TextStyle style, PrintSurface& metrics);
ReportOutcome PrintLogicReport(PrintJob& job, const ReportInput& in);

// ---- The SMS report ----
bool HasSmsSettings(const Configuration& cfg);
ReportOutcome PrintSmsReport(PrintJob& job, const ReportInput& in);

// The drawing shared by the real-time and the master report.
namespace report_parts {
// Line 1 of a block: name, type icon, description (up to `descriptionRight`, shrunk no further than the
// smallest size, then cut).
void ChannelHeading(Canvas& c, const ReportInput& in, int channel, const std::string& name, int picture, double y,
                    double descriptionRight);
// The day-set headings of a real-time table at y: the two time columns and the eight day boxes.
void DaySetHeadings(Canvas& c, const ReportInput& in, double y, double xOn, int onText, double xOff, int offText,
                    double xDays);
// One day set k (0..3) of the row at y.
void DaySet(Canvas& c, const Row& row, int k, double y, double xOn, double xOff, double xDays);

// Places blocks one below the other; a block that would reach below the frame starts a new page.
class BlockPlacer {
public:
    // Draws a block whose first line is line n and returns the line after it.
    using Block = std::function<double(Canvas&, double n)>;
    explicit BlockPlacer(ReportPages& pages) : pages_(pages) {}
    // False when the device refused a page.
    bool place(const Block& block);
    // True when the block fits below line n of the current page.
    bool fits(const Block& block, double n);
    // Begins the next page; the next block starts at line 0.
    bool newPage();
    double line() const { return n_; }
    bool begun() const { return begun_; }

private:
    ReportPages& pages_;
    double n_ = 0;
    bool begun_ = false;
};
} // namespace report_parts

} // namespace korvane
