#pragma once
// korvane-cli print: reports as a PDF file, without a window.

#include <string>
#include <vector>

#include "cli/command_table.h"
#include "io/hex_records.h"
#include "reports/report_catalogue.h"

namespace korvane::cli {

struct PrintRequest {
    std::string fileName; // the configuration's file name as the page header shows it (8-bit)
    std::vector<ReportKind> kinds;
    bool all = false; // every report that has something to print
    std::string out;  // the PDF file
    TextLookup text;
    DeviceClock clock;
    bool letter = false;    // US Letter instead of A4
    bool inUseOnly = false; // leave out unused channels and empty logic blocks
};

// Writes the PDF; the exit code of the command (0 written, 1 not written, 8 nothing to print). A line
// on stderr tells what went wrong.
int PrintToPdf(const Configuration& cfg, const PrintRequest& request);

} // namespace korvane::cli
