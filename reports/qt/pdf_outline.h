#pragma once
// The outline (bookmarks) of a PDF document, added to a finished document and read back, through
// libqpdf: the pages are drawn by Qt, the outline is written by a PDF library rather than by hand.

#include <string>
#include <vector>

namespace korvane {

struct OutlineEntry {
    std::string title; // UTF-8
    int page = 1;      // the target page, from 1
    std::vector<OutlineEntry> children;
    bool operator==(const OutlineEntry&) const = default;
};

// Adds the outline to the document (replacing one it has) and makes viewers open with it shown. False
// with the reason when the document cannot be read or a target page does not exist; the document is
// then unchanged.
bool AddPdfOutline(std::string& pdf, const std::vector<OutlineEntry>& outline, std::string& reason);

// The outline of a document with the page numbers of its targets (0 where an entry targets no page);
// empty when it has none or cannot be read.
std::vector<OutlineEntry> ReadPdfOutline(const std::string& pdf);

} // namespace korvane
