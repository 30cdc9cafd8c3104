#pragma once
// The label sheet: for every channel in use a label with its name and its description, two lines cut
// with "…" where they do not fit, on a grid of labels of a sheet. Positions are twips from the top-left
// corner of the sheet itself (not of a printable area): labels must land on the die-cut labels.

#include <optional>
#include <string>
#include <vector>

#include "reports/print_engine.h"
#include "reports/reports.h"

namespace korvane {

// A sheet of labels in millimetres: the paper, the label, the grid and where it lies on the paper.
struct LabelSheet {
    std::string name; // as the choice lists it, e.g. "70 × 25.4 mm, 3 × 11, A4" (UTF-8); empty: given in mm
    double paperWidth = 210;
    double paperHeight = 297;
    double labelWidth = 70;
    double labelHeight = 25.4;
    int columns = 3;
    int rows = 11;
    double left = 0;  // from the paper's left edge to the first column
    double top = 8.8; // from the paper's top edge to the first row
    double gapX = 0;  // between two columns
    double gapY = 0;  // between two rows
    bool operator==(const LabelSheet&) const = default;
};

// The common sheets, the first the default.
const std::vector<LabelSheet>& CommonLabelSheets();

// Why a sheet given in millimetres cannot be used; empty when it can: every size positive, at least one
// label, and the grid inside the paper.
std::string LabelSheetFault(const LabelSheet& sheet);

// The sheet as one line ("70,25.4,3,11,0,8.8,0,0,210,297": label width and height, columns, rows, left
// and top margin, gaps across and down, paper width and height) for the settings, and back: nothing when
// the text is no usable sheet; a common sheet keeps its name.
std::string LabelSheetText(const LabelSheet& sheet);
std::optional<LabelSheet> ParseLabelSheet(const std::string& text);

// Where label k (from 0, row by row) lies: its page (from 1) and its top-left corner in twips.
struct LabelPlace {
    int page = 1;
    double x = 0;
    double y = 0;
    bool operator==(const LabelPlace&) const = default;
};
LabelPlace LabelAt(const LabelSheet& sheet, int k);

// The labels: one per row of the channel list of the channels in use (a pair or a claimed range once).
struct LabelText {
    std::string name;
    std::string description; // line breaks become blanks
};
std::vector<LabelText> LabelTexts(const ReportInput& in);

// Prints the labels; NothingToPrint when no channel is in use.
ReportOutcome PrintLabels(PrintJob& job, const ReportInput& in, const LabelSheet& sheet);

} // namespace korvane
