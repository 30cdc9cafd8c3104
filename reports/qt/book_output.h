#pragma once
// The site book as one PDF file with an outline (bookmarks): the cover, the contents, every report and,
// under the channel list, its groups A..P.

#include <QPageSize>
#include <QString>

#include "reports/qt/pdf_outline.h"
#include "reports/qt/report_output.h"
#include "reports/site_book.h"

namespace korvane {

// The outline of a planned book: one entry per section, the channel list's groups below it.
std::vector<OutlineEntry> BookOutline(const std::vector<BookSection>& sections);

// Draws the book on a paged device (a printer); no outline there.
OutputOutcome DrawSiteBook(QPagedPaintDevice& device, const ReportInput& in, const BookCover& cover,
                           QPointF originTwips = {}, const PageSelection& selection = {});

// Writes the book as a PDF file with its outline, as every report file is written.
OutputOutcome WriteSiteBookPdf(const QString& path, const ReportInput& in, const BookCover& cover,
                               const QPageSize& size = QPageSize(QPageSize::A4), const QString& title = QString());

// Writes the record of a check of the unit alone as a PDF file.
OutputOutcome WriteHandoverPdf(const QString& path, const ReportInput& in, const HandoverRecord& record,
                               const QPageSize& size = QPageSize(QPageSize::A4), const QString& title = QString());

} // namespace korvane
