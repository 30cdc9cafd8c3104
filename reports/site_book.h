#pragma once
// The site book: every report that has something to print in one document, for the customer at
// handover. A cover (system description, device number, channels in use, file, date, installer and
// company, the last write to the unit), a contents page with the page each report starts on, then the
// reports (channels in use only), every page numbered "Page n of m" through the whole book.

#include <string>
#include <vector>

#include "reports/report_catalogue.h"

namespace korvane {

// What the cover says beyond the configuration (8-bit texts; empty ones are left out).
struct BookCover {
    std::string installer;
    std::string company;
    std::string lastWrite; // the last write of this configuration in words (date, port, verdict)
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

} // namespace korvane
