#include "reports/qt/book_output.h"

#include <QPdfWriter>

#include "model/text_codec.h"

namespace korvane {

std::vector<OutlineEntry> BookOutline(const std::vector<BookSection>& sections) {
    std::vector<OutlineEntry> out;
    for (const BookSection& s : sections)
        out.push_back({Cp1252ToUtf8(s.title), s.page, BookOutline(s.parts)});
    return out;
}

OutputOutcome DrawSiteBook(QPagedPaintDevice& device, const ReportInput& in, const BookCover& cover,
                           QPointF originTwips, const PageSelection& selection) {
    return DrawJob(device, originTwips, selection, [&](PrintJob& job) { return PrintSiteBook(job, in, cover); });
}

OutputOutcome WriteSiteBookPdf(const QString& path, const ReportInput& in, const BookCover& cover,
                               const QPageSize& size, const QString& title) {
    BookPlan plan;
    const auto draw = [&](QPdfWriter& writer) {
        return DrawJob(writer, CentredOrigin(size), {},
                       [&](PrintJob& job) { return PrintSiteBook(job, in, cover, &plan); });
    };
    const auto outline = [&plan](QByteArray& document, QString& reason) {
        std::string pdf(document.constData(), static_cast<std::size_t>(document.size()));
        std::string why;
        if (!AddPdfOutline(pdf, BookOutline(plan.sections), why)) {
            reason = QString::fromStdString(why);
            return false;
        }
        document = QByteArray(pdf.data(), static_cast<qsizetype>(pdf.size()));
        return true;
    };
    return WritePdf(path, size, title, draw, outline);
}

OutputOutcome WriteHandoverPdf(const QString& path, const ReportInput& in, const HandoverRecord& record,
                               const QPageSize& size, const QString& title) {
    return WritePdf(path, size, title, [&](QPdfWriter& writer) {
        return DrawJob(writer, CentredOrigin(size), {},
                       [&](PrintJob& job) { return PrintHandoverRecord(job, in, record); });
    });
}

} // namespace korvane
