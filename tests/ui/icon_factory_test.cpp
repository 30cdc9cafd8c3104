// The pictures: one of its own for every type code and report picture, at any scale, in its tile or
// paper colour with a contrasting mark, none looking like another, and the placeholder for the rest.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "model/channel_types.h"
#include "pictures/icon_factory.h"

using namespace korvane;

namespace {

QImage asImage(const QPixmap& pm) {
    return pm.toImage().convertToFormat(QImage::Format_ARGB32);
}

// The pixels of an image that satisfy pred.
template <class Pred> int countPixels(const QImage& src, Pred pred) {
    const QImage img = src.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += pred(img.pixel(x, y)) ? 1 : 0;
    return n;
}

// The most frequent fully opaque colour of an image.
QRgb dominantColour(const QImage& src) {
    std::map<QRgb, int> counts;
    countPixels(src, [&](QRgb c) { return qAlpha(c) == 255 && ++counts[c]; });
    const auto most =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; });
    return most == counts.end() ? 0 : most->first;
}

double relativeLuminance(const QColor& c) {
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kInk = qRgb(0x1A, 0x1A, 0x1A);

} // namespace

TEST(IconFactory, everyPictureHasTheAskedLogicalSizeAtEachScaleAndTheSameDrawing) {
    for (const TypeInfo& t : ChannelTypes())
        EXPECT_TRUE(IconFactory::hasPicture(t.code)) << "type " << t.code;
    // the channel types, 14 report pictures and the two alternatives
    EXPECT_EQ(IconFactory::pictures().size(), ChannelTypes().size() + 14 + 2);
    const std::pair<QSize, qreal> cases[] = {{{16, 16}, 1.0}, {{32, 32}, 2.0}, {{24, 24}, 1.5}, {{48, 40}, 2.0}};
    for (int picture : IconFactory::pictures()) {
        for (const auto& [logical, dpr] : cases) {
            const QPixmap pm = IconFactory::pixmap(picture, logical, dpr);
            EXPECT_EQ(pm.size(), QSize(qRound(logical.width() * dpr), qRound(logical.height() * dpr)))
                << "picture " << picture << " dpr " << dpr;
            EXPECT_EQ(pm.deviceIndependentSize().toSize(), logical);
            // something is drawn: at least a tenth of the pixels are not transparent
            EXPECT_GT(countPixels(asImage(pm), [](QRgb c) { return qAlpha(c) > 0; }) * 10, pm.width() * pm.height())
                << "picture " << picture;
        }
        EXPECT_EQ(dominantColour(asImage(IconFactory::pixmap(picture, {32, 32}, 2.0))),
                  dominantColour(asImage(IconFactory::pixmap(picture, {32, 32}, 1.0))))
            << "picture " << picture;
    }
    // An icon draws sharp at the asked scale, and dimmed when disabled.
    const QIcon icon = IconFactory::icon(kTypeWaterSiren);
    for (qreal dpr : {1.0, 2.0, 3.0})
        EXPECT_EQ(asImage(icon.pixmap(QSize(32, 32), dpr)),
                  asImage(IconFactory::pixmap(kTypeWaterSiren, {32, 32}, dpr)))
            << dpr;
    EXPECT_LT(qAlpha(asImage(icon.pixmap(QSize(32, 32), 1.0, QIcon::Disabled)).pixel(16, 16)), 255);
    EXPECT_EQ(icon.actualSize(QSize(48, 48)), QSize(48, 48));
}

TEST(IconFactory, eachPictureShowsItsTileOrPaperWithAContrastingMark) {
    struct Look {
        std::string what;
        int picture;
        QRgb tile; // the most frequent colour
        QRgb mark; // drawn on the tile at least `marks` times
        int marks;
        bool clearEdge; // transparent around: a picture for the paper (a tile's corners are rounded)
    };
    const QRgb basic = IconFactory::familyColor(TypeFamily::Basic).rgba();
    std::vector<Look> looks = {
        {"the inverted mono channel: white tile, blue glyph", IconFactory::kMonoInverted, kWhite, basic, 200, false},
        {"the placeholder: white, a red ? and frame", 64, kWhite, qRgb(0xC0, 0x39, 0x2B), 30, false},
    };
    for (int paper : {65, 66, 67, 68, 69, 77, 78})
        looks.push_back({"paper picture", paper, kInk, kInk, 20, true});
    std::map<TypeFamily, QRgb> familyColours;
    for (const TypeInfo& t : ChannelTypes()) {
        const QColor tile = IconFactory::familyColor(t.family), glyph = IconFactory::glyphColor(t.family);
        familyColours.emplace(t.family, tile.rgba());
        if (t.family == TypeFamily::Unused)
            continue;
        const double a = relativeLuminance(tile), b = relativeLuminance(glyph);
        EXPECT_GE((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05), 3.0) << "family " << static_cast<int>(t.family);
        looks.push_back({"type", t.code, tile.rgba(), glyph.rgba(), 20, false});
    }
    looks.push_back({"the real-time master: the master's tile", IconFactory::kMasterRealTimePic,
                     familyColours[TypeFamily::Master], IconFactory::glyphColor(TypeFamily::Master).rgba(), 20, false});
    for (const Look& l : looks) {
        const QImage img = IconFactory::image(l.picture, {64, 64}).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(dominantColour(img), l.tile) << l.what << " " << l.picture;
        EXPECT_GT(countPixels(img, [&](QRgb c) { return c == l.mark; }), l.marks) << l.what << " " << l.picture;
        if (l.clearEdge) {
            EXPECT_EQ(qAlpha(img.pixel(1, 1)), 0) << l.what << " " << l.picture;
        }
    }
    std::set<QRgb> distinct;
    for (const auto& [family, colour] : familyColours)
        distinct.insert(colour);
    EXPECT_EQ(distinct.size(), familyColours.size()) << "two families share a colour";
    EXPECT_EQ(familyColours.size(), 15u); // every family of the type table is in use
    // The unused channel is a quiet empty cell: nothing darker than the faint outline.
    const QImage unused = IconFactory::image(kTypeBlank, {64, 64});
    EXPECT_EQ(dominantColour(unused), familyColours[TypeFamily::Unused]);
    EXPECT_EQ(countPixels(unused, [](QRgb c) { return qAlpha(c) == 255 && qGray(c) < 190; }), 0);
}

TEST(IconFactory, noTwoPicturesLookAlikeAndTypesOfAFamilyDifferInShape) {
    std::vector<int> all = IconFactory::pictures();
    all.push_back(64); // the placeholder must not look like any picture either
    std::vector<QImage> images;
    for (int p : all)
        images.push_back(asImage(IconFactory::pixmap(p, {32, 32}, 1.0)));
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE(images[i], images[j]) << "pictures " << all[i] << " and " << all[j];
    // Reduced to a mask of what is not the tile, the types of one family still differ.
    std::map<TypeFamily, std::vector<std::pair<int, QImage>>> masks;
    for (const TypeInfo& t : ChannelTypes()) {
        const QImage img = IconFactory::image(t.code, {48, 48}).convertToFormat(QImage::Format_ARGB32);
        QImage mask(img.size(), QImage::Format_Mono);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                mask.setPixel(x, y, img.pixel(x, y) == IconFactory::familyColor(t.family).rgba() ? 0 : 1);
        masks[t.family].emplace_back(t.code, mask);
    }
    for (const auto& [family, list] : masks)
        for (size_t i = 0; i < list.size(); ++i)
            for (size_t j = i + 1; j < list.size(); ++j)
                EXPECT_NE(list[i].second, list[j].second) << "types " << list[i].first << " and " << list[j].first;
    // The alternatives are the pictures 100 + k, not their kind's.
    for (auto [k, type] : {std::pair{0, kTypeMono}, {7, kTypeMaster}}) {
        const QImage alt = asImage(IconFactory::alternative(k, {32, 32}, 2.0));
        EXPECT_EQ(alt, asImage(IconFactory::pixmap(IconFactory::kImage3Base + k, {32, 32}, 2.0)));
        EXPECT_NE(alt, asImage(IconFactory::pixmap(type, {32, 32}, 2.0))) << "alternative " << k;
    }
}

TEST(IconFactory, unknownNumbersDrawThePlaceholderAndNoSizeNothing) {
    const QImage placeholder = IconFactory::image(64, {32, 32});
    for (int n : {64, 79, 99, 38, 39, 44, 47, 52, 63, -1, 101, 103, 106, 108, 1000}) {
        EXPECT_FALSE(IconFactory::hasPicture(n)) << n;
        EXPECT_EQ(IconFactory::image(n, {32, 32}), placeholder) << n;
        EXPECT_FALSE(IconFactory::pixmap(n, {20, 20}, 2.0).isNull()) << n;
    }
    EXPECT_TRUE(IconFactory::image(0, {0, 0}).isNull());
    EXPECT_TRUE(IconFactory::pixmap(0, {0, 10}, 1.0).isNull());
}

TEST(IconFactory, cursorVariantFramesThePictureAndKeepsItsMiddle) {
    for (int picture : {0, 1, 8, 24, 40, 70, 72, 75, 100, 64}) {
        const QImage normal = IconFactory::image(picture, {64, 64});
        const QImage cursor = IconFactory::image(picture, {64, 64}, IconFactory::Variant::Cursor);
        // the dark outer frame runs along the middle of each edge, with a white ring inside it
        for (QPoint edge : {QPoint(32, 3), QPoint(3, 32), QPoint(60, 32), QPoint(32, 60)})
            EXPECT_EQ(cursor.pixel(edge), kInk) << picture << " at " << edge.x() << "," << edge.y();
        EXPECT_EQ(cursor.pixel(32, 6), kWhite) << picture;
        EXPECT_EQ(cursor.pixel(32, 32), normal.pixel(32, 32)) << picture;
    }
}
