#pragma once
// The reports the Print menu and the command line offer: their kind, menu entry, title and drawing.

#include <string_view>
#include <vector>

#include "reports/reports.h"

namespace korvane {

enum class ReportKind { ChannelList, Master, RealTime, Logic, Sms };

struct ReportEntry {
    ReportKind kind;
    const char* name;      // the command line's name: channels, master, realtime, logic, sms
    const char* menuEntry; // object name of the Print menu entry
    int menuText;          // caption of the menu entry
    int titleText;         // the page header's title after "ZEB1 "
    bool (*hasContent)(const Configuration&);
    ReportOutcome (*print)(PrintJob&, const ReportInput&);
};

// Every report in the order of the Print menu.
const std::vector<ReportEntry>& ReportCatalogue();
const ReportEntry& FindReport(ReportKind kind);
// The entry of a command-line name; nullptr when there is none.
const ReportEntry* FindReport(std::string_view name);

// True when the report has something to print: its content as the entry says, and with `in.inUseOnly`
// something left after the unused channels and empty logic blocks are left out.
bool HasContent(ReportKind kind, const ReportInput& in);

// Prints the reports one after the other into one job, each with its own page numbers. Reports with
// nothing to print are left out; NothingToPrint when none had anything.
ReportOutcome PrintReports(PrintJob& job, const ReportInput& in, const std::vector<ReportKind>& kinds);
// The kinds that have something to print, in catalogue order.
std::vector<ReportKind> ReportsWithContent(const Configuration& cfg);
std::vector<ReportKind> ReportsWithContent(const ReportInput& in);

} // namespace korvane
