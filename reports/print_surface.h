#pragma once
// What a report draws on: a page measured in twips (1/1440 inch) from the top-left corner of the
// printable area, x to the right, y downwards. Texts are 8-bit Windows-1252 characters like every
// text of the model. A surface is a printer, a PDF file, an image, or a recording in a test.

#include <functional>
#include <string_view>
#include <utility>

namespace korvane {

struct TextStyle {
    double points = 10;
    bool bold = false;
};

class PrintSurface {
public:
    static constexpr double kDefaultAscent = 0.8; // of the line height, for a surface that does not say
    virtual ~PrintSurface() = default;

    // The width of a text in twips, in the style.
    virtual double textWidth(std::string_view text, TextStyle style) = 0;
    // The height of a line of text in twips (ascent and descent of "Hg").
    virtual double textHeight(TextStyle style) = 0;
    // How far the baseline lies below the top of a line: texts of different sizes share a baseline when
    // their tops differ by the difference of their ascents.
    virtual double textAscent(TextStyle style) { return textHeight(style) * kDefaultAscent; }
    // A text with the top-left corner of its line at (x, top).
    virtual void text(double x, double top, TextStyle style, std::string_view text) = 0;
    // Picture number n (the numbers of the picture table) filling the square at (x, y) of the size.
    virtual void picture(double x, double y, double size, int number) = 0;
    // A black rectangle between two corners.
    virtual void fillRect(double x1, double y1, double x2, double y2) = 0;
    // Ends the current page and begins the next one; false when the device refused.
    virtual bool newPage() = 0;
};

// A dry run: measures how far down a drawing reaches without drawing it. Text metrics are those of the
// surface the drawing is meant for.
class MeasuringSurface : public PrintSurface {
public:
    explicit MeasuringSurface(PrintSurface& metrics) : metrics_(metrics) {}

    // The lowest y anything reached; -1 when nothing was drawn.
    double bottom() const { return bottom_; }

    double textWidth(std::string_view text, TextStyle style) override { return metrics_.textWidth(text, style); }
    double textHeight(TextStyle style) override { return metrics_.textHeight(style); }
    double textAscent(TextStyle style) override { return metrics_.textAscent(style); }
    void text(double, double top, TextStyle style, std::string_view) override {
        reach(top + metrics_.textHeight(style));
    }
    void picture(double, double y, double size, int) override { reach(y + size); }
    void fillRect(double, double y1, double, double y2) override { reach(y1 > y2 ? y1 : y2); }
    bool newPage() override { return true; }

private:
    void reach(double y) {
        if (y > bottom_)
            bottom_ = y;
    }
    PrintSurface& metrics_;
    double bottom_ = -1;
};

// The pages of a range only: drawing on the other pages is dropped, and the device turns a page only
// between two pages that are drawn. Page numbers count from 1.
class PageRangeSurface : public PrintSurface {
public:
    // `wanted(n)` tells whether page n is drawn.
    PageRangeSurface(PrintSurface& device, std::function<bool(int)> wanted)
        : device_(device), wanted_(std::move(wanted)), drawn_(wanted_(1) ? 1 : 0) {}

    // The pages drawn on the device.
    int pagesDrawn() const { return drawn_; }

    double textWidth(std::string_view text, TextStyle style) override { return device_.textWidth(text, style); }
    double textHeight(TextStyle style) override { return device_.textHeight(style); }
    double textAscent(TextStyle style) override { return device_.textAscent(style); }
    void text(double x, double top, TextStyle style, std::string_view text) override {
        if (wanted_(page_))
            device_.text(x, top, style, text);
    }
    void picture(double x, double y, double size, int number) override {
        if (wanted_(page_))
            device_.picture(x, y, size, number);
    }
    void fillRect(double x1, double y1, double x2, double y2) override {
        if (wanted_(page_))
            device_.fillRect(x1, y1, x2, y2);
    }
    bool newPage() override {
        ++page_;
        if (!wanted_(page_))
            return true;
        if (drawn_ > 0 && !device_.newPage())
            return false;
        ++drawn_;
        return true;
    }

private:
    PrintSurface& device_;
    std::function<bool(int)> wanted_;
    int page_ = 1;
    int drawn_;
};

} // namespace korvane
