#pragma once
// The site book: every report that has something to print in one document, for the customer at
// handover. A cover (system description, device number, channels in use, file, date, installer and
// company, the last write to the unit), a contents page with the page each report starts on, then the
// reports (channels in use only), every page numbered "Page n of m" through the whole book.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "reports/report_catalogue.h"

namespace korvane {

// The last check of the unit in words, for the customer: a read-back after a write or a comparison
// with the unit, when, through which port, what it found and every difference (8-bit texts).
struct HandoverRecord {
    std::vector<std::pair<int, std::string>> fields; // a label (language text number) and its value
    std::string verdict;                             // what the check found, as the window said it
    std::vector<std::string> lines;                  // the differences: a group's heading, its lines indented by blanks
    std::string linesHeading;                        // over the lines; empty: "Details"
};

// What the cover says beyond the configuration (8-bit texts; empty ones are left out), and the
// check of the unit that closes the book when there is one.
struct BookCover {
    std::string installer;
    std::string company;
    std::string lastWrite; // the last write of this configuration in words (date, port, verdict)
    std::optional<HandoverRecord> record;
};

// A part of the book and the page it starts on; the channel list's groups (A..P) below it.
struct BookSection {
    std::string title; // 8-bit
    int page = 1;
    std::vector<BookSection> parts;
    bool operator==(const BookSection&) const = default;
};

struct BookPlan {
    std::vector<BookSection> sections; // cover, contents, then each report
    int pages = 0;
};

// The sections and pages the book takes, by a dry run with the metrics of the surface.
BookPlan PlanSiteBook(PrintSurface& metrics, const ReportInput& in, const BookCover& cover);

// Prints the book; its plan (the same as PlanSiteBook's) in `plan` when given.
ReportOutcome PrintSiteBook(PrintJob& job, const ReportInput& in, const BookCover& cover, BookPlan* plan = nullptr);

// The record of a check of the unit on pages of their own ("ZEB1 Handover record"), every line whole:
// long values and differences wrap onto further lines.
ReportOutcome PrintHandoverRecord(PrintJob& job, const ReportInput& in, const HandoverRecord& record);

} // namespace korvane
