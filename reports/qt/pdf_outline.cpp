#include "reports/qt/pdf_outline.h"

#include <exception>
#include <map>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace korvane {

namespace {

// The items of one level, linked to each other and to their parent; the number of items at and below it.
int addLevel(QPDF& q, QPDFObjectHandle parent, const std::vector<OutlineEntry>& entries,
             const std::vector<QPDFObjectHandle>& pages) {
    std::vector<QPDFObjectHandle> items;
    int count = 0;
    for (const OutlineEntry& e : entries) {
        QPDFObjectHandle item = q.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(e.title));
        item.replaceKey("/Parent", parent);
        QPDFObjectHandle dest = QPDFObjectHandle::newArray();
        dest.appendItem(pages.at(static_cast<std::size_t>(e.page - 1)));
        dest.appendItem(QPDFObjectHandle::newName("/Fit"));
        item.replaceKey("/Dest", dest);
        count += 1 + addLevel(q, item, e.children, pages);
        items.push_back(item);
    }
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0)
            items[k].replaceKey("/Prev", items[k - 1]);
        if (k + 1 < items.size())
            items[k].replaceKey("/Next", items[k + 1]);
    }
    if (!items.empty()) {
        parent.replaceKey("/First", items.front());
        parent.replaceKey("/Last", items.back());
        parent.replaceKey("/Count", QPDFObjectHandle::newInteger(count)); // every level open
    }
    return count;
}

bool validPages(const std::vector<OutlineEntry>& entries, std::size_t pages) {
    for (const OutlineEntry& e : entries)
        if (e.page < 1 || static_cast<std::size_t>(e.page) > pages || !validPages(e.children, pages))
            return false;
    return true;
}

std::vector<OutlineEntry> readLevel(std::vector<QPDFOutlineObjectHelper> items,
                                    const std::map<QPDFObjGen, int>& pageOf) {
    std::vector<OutlineEntry> out;
    for (QPDFOutlineObjectHelper& o : items) {
        OutlineEntry e;
        e.title = o.getTitle();
        QPDFObjectHandle page = o.getDestPage();
        const auto it = page.isNull() ? pageOf.end() : pageOf.find(page.getObjGen());
        e.page = it == pageOf.end() ? 0 : it->second;
        e.children = readLevel(o.getKids(), pageOf);
        out.push_back(std::move(e));
    }
    return out;
}

} // namespace

bool AddPdfOutline(std::string& pdf, const std::vector<OutlineEntry>& outline, std::string& reason) {
    try {
        QPDF q;
        q.setSuppressWarnings(true);
        q.processMemoryFile("document", pdf.data(), pdf.size());
        std::vector<QPDFObjectHandle> pages;
        for (QPDFPageObjectHelper& p : QPDFPageDocumentHelper(q).getAllPages())
            pages.push_back(p.getObjectHandle());
        if (!validPages(outline, pages.size())) {
            reason = "an outline entry names a page the document does not have";
            return false;
        }
        QPDFObjectHandle root = q.getRoot();
        QPDFObjectHandle outlines = q.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
        addLevel(q, outlines, outline, pages);
        root.replaceKey("/Outlines", outlines);
        root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
        QPDFWriter w(q);
        w.setOutputMemory();
        w.setStaticID(false);
        w.write();
        const std::shared_ptr<Buffer> b = w.getBufferSharedPointer();
        pdf.assign(reinterpret_cast<const char*>(b->getBuffer()), b->getSize());
        return true;
    } catch (const std::exception& e) {
        reason = std::string("the outline could not be added: ") + e.what();
        return false;
    }
}

std::vector<OutlineEntry> ReadPdfOutline(const std::string& pdf) {
    try {
        QPDF q;
        q.setSuppressWarnings(true);
        q.processMemoryFile("document", pdf.data(), pdf.size());
        std::map<QPDFObjGen, int> pageOf;
        int n = 0;
        for (QPDFPageObjectHelper& p : QPDFPageDocumentHelper(q).getAllPages())
            pageOf[p.getObjectHandle().getObjGen()] = ++n;
        QPDFOutlineDocumentHelper outlines(q);
        return readLevel(outlines.getTopLevelOutlines(), pageOf);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace korvane
