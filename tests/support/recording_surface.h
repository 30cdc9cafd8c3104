#pragma once
// A print surface that records what a report draws, with a simple fixed text metric: a character is
// half an em wide (10 twips per point; bold 10 % wider), a line is 20 twips per point high.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "reports/print_engine.h"
#include "reports/print_surface.h"
#include "reports/reports.h"
#include "tests/support/io_test_support.h"

namespace korvane::testing {

struct Drawn {
    enum Kind { Text, Picture, Rect } kind = Text;
    int page = 1;
    double x = 0, y = 0, right = 0, bottom = 0;
    double points = 0;
    bool bold = false;
    std::string text;
    int picture = -1;
};

class RecordingSurface : public PrintSurface {
public:
    double textWidth(std::string_view text, TextStyle style) override {
        return static_cast<double>(text.size()) * style.points * 10 * (style.bold ? 1.1 : 1.0);
    }
    double textHeight(TextStyle style) override { return style.points * 20; }
    void text(double x, double top, TextStyle style, std::string_view text) override {
        items.push_back({Drawn::Text, page, x, top, x + textWidth(text, style), top + textHeight(style), style.points,
                         style.bold, std::string(text), -1});
    }
    void picture(double x, double y, double size, int number) override {
        items.push_back({Drawn::Picture, page, x, y, x + size, y + size, 0, false, {}, number});
    }
    void fillRect(double x1, double y1, double x2, double y2) override {
        items.push_back({Drawn::Rect, page, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), 0,
                         false, std::string(), -1});
    }
    bool newPage() override {
        if (refuseFromPage > 0 && page + 1 >= refuseFromPage)
            return false;
        ++page;
        return true;
    }

    // What was drawn as text, in drawing order.
    std::vector<Drawn> texts() const {
        std::vector<Drawn> out;
        std::copy_if(items.begin(), items.end(), std::back_inserter(out),
                     [](const Drawn& d) { return d.kind == Drawn::Text; });
        return out;
    }

    std::vector<Drawn> items;
    int page = 1;
    int refuseFromPage = 0; // newPage() fails for this page and later ones (0: never)
};

// Language text n reads "Tn": the tests see which text stands where.
inline std::string NumberedText(int n) {
    return "T" + std::to_string(n);
}

// A blank configuration as New leaves it, with channelsByte as its channels-in-use byte.
inline Configuration ReportBlank(int channelsByte = 127) {
    Configuration cfg = blankConfiguration();
    cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(channelsByte);
    return cfg;
}

// What a report of the configuration is given in a test: the texts, a file name and a fixed time.
inline ReportInput ReportInputOf(const Configuration& cfg, TextLookup text = NumberedText) {
    return ReportInput{cfg, std::move(text), "Test.zeb", {2026, 3, 6, 9, 41, 0, 5}};
}

// Every text and picture lies inside the frame: right of the vertical rule, left of the right edge,
// above the frame's bottom.
inline void ExpectInsideFrame(const std::vector<Drawn>& items) {
    for (const Drawn& d : items) {
        if (d.kind == Drawn::Rect)
            continue;
        EXPECT_GE(d.x, page::kVerticalRuleRight) << d.text << " p" << d.page;
        EXPECT_LE(d.right, page::kRightEdge + 0.01) << d.text << " p" << d.page;
        EXPECT_LE(d.bottom, page::kFrameBottom + 0.01) << d.text << " picture " << d.picture << " p" << d.page;
        EXPECT_GE(d.y, -0.01) << d.text;
    }
}

// No text is smaller than the smallest size a reader is given.
inline void ExpectNoTextBelow(const std::vector<Drawn>& items, double points) {
    for (const Drawn& d : items)
        if (d.kind == Drawn::Text) {
            EXPECT_GE(d.points, points) << "'" << d.text << "' p" << d.page;
        }
}

// What was drawn as text, one line per item in drawing order: page, kind, position, size and content.
// Texts are 8-bit: bytes outside printable ASCII are written \xNN, so the listing is plain ASCII.
inline std::string TextListing(const std::vector<Drawn>& items) {
    auto num = [](double v) {
        char b[32];
        std::snprintf(b, sizeof b, "%.1f", v);
        return std::string(b);
    };
    std::string out;
    for (const Drawn& d : items) {
        out += "p" + std::to_string(d.page) + " ";
        switch (d.kind) {
        case Drawn::Text: {
            std::string t;
            for (unsigned char ch : d.text) {
                if (ch >= 0x20 && ch < 0x7F && ch != '\\') {
                    t += static_cast<char>(ch);
                } else {
                    char b[8];
                    std::snprintf(b, sizeof b, "\\x%02X", ch);
                    t += b;
                }
            }
            out += "text " + num(d.x) + " " + num(d.y) + " " + num(d.points) + (d.bold ? "b" : "") + " \"" + t + "\"";
            break;
        }
        case Drawn::Picture:
            out += "picture " + num(d.x) + " " + num(d.y) + " #" + std::to_string(d.picture);
            break;
        case Drawn::Rect:
            out += "rect " + num(d.x) + " " + num(d.y) + " " + num(d.right) + " " + num(d.bottom);
            break;
        }
        out += "\n";
    }
    return out;
}

// Compares a listing with its golden file in tests/reports/golden, or writes the file anew when
// KORVANE_UPDATE_GOLDEN is set (a change on purpose: look at the PDF pages, read the difference in the commit).
inline void ExpectGoldenListing(const std::string& name, const std::string& listing) {
    const std::string path = std::string(KORVANE_SOURCE_DIR) + "/tests/reports/golden/" + name;
    if (std::getenv("KORVANE_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << listing;
        return;
    }
    std::ifstream golden(path, std::ios::binary);
    ASSERT_TRUE(golden.is_open()) << path << " is missing: write it with KORVANE_UPDATE_GOLDEN=1";
    // The first line that differs, so that a change of layout reads as one line.
    std::istringstream printed(listing);
    std::string want, got;
    for (int line = 1; golden || printed; ++line) {
        if (!std::getline(golden, want))
            want = "(end)";
        if (!std::getline(printed, got))
            got = "(end)";
        if (want != got) {
            ADD_FAILURE() << path << " line " << line << "\n  golden:  " << want << "\n  printed: " << got
                          << "\nWhen the change is meant, write the listings anew with KORVANE_UPDATE_GOLDEN=1.";
            return;
        }
    }
}

// No two texts or pictures of a page overlap: nothing is overprinted.
inline void ExpectNoOverlaps(const std::vector<Drawn>& items) {
    std::vector<const Drawn*> shown;
    for (const Drawn& d : items)
        if (d.kind != Drawn::Rect && (d.kind == Drawn::Picture || !d.text.empty()))
            shown.push_back(&d);
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            const Drawn& a = *shown[i];
            const Drawn& b = *shown[j];
            if (a.page != b.page)
                continue;
            const double h = std::min(a.bottom, b.bottom) - std::max(a.y, b.y);
            const double w = std::min(a.right, b.right) - std::max(a.x, b.x);
            EXPECT_FALSE(h > 0.5 && w > 0.5)
                << "'" << a.text << "' (" << a.picture << ") at " << a.x << "," << a.y << " and '" << b.text << "' ("
                << b.picture << ") at " << b.x << "," << b.y << " on page " << a.page;
        }
}

} // namespace korvane::testing
