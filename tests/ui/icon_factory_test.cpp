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
using V = IconFactory::Variant;

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

int countPixels(const QImage& src, QRgb colour) {
    return countPixels(src, [colour](QRgb c) { return c == colour; });
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

} // namespace

TEST(IconFactory, everyTypeCodeAndReportPictureHasItsOwnPicture) {
    for (const TypeInfo& t : ChannelTypes())
        EXPECT_TRUE(IconFactory::hasPicture(t.code)) << "type " << t.code;
    for (int n = 65; n <= 78; ++n)
        EXPECT_TRUE(IconFactory::hasPicture(n)) << "picture " << n;
    EXPECT_TRUE(IconFactory::hasPicture(IconFactory::kMonoInverted));
    EXPECT_TRUE(IconFactory::hasPicture(IconFactory::kMasterRealTimePic));
    // 46 channel types, 14 report pictures and the two alternatives
    EXPECT_EQ(IconFactory::pictures().size(), ChannelTypes().size() + 14 + 2);
}

TEST(IconFactory, pixmapHasTheAskedLogicalSizeAtEachScaleAndTheSameDrawing) {
    const std::pair<QSize, qreal> cases[] = {
        {{16, 16}, 1.0}, {{32, 32}, 1.0}, {{32, 32}, 2.0}, {{24, 24}, 1.5}, {{48, 40}, 2.0}};
    for (int picture : IconFactory::pictures()) {
        for (const auto& [logical, dpr] : cases) {
            const QPixmap pm = IconFactory::pixmap(picture, logical, dpr);
            ASSERT_FALSE(pm.isNull()) << "picture " << picture;
            EXPECT_EQ(pm.size(), QSize(qRound(logical.width() * dpr), qRound(logical.height() * dpr)))
                << "picture " << picture << " dpr " << dpr;
            EXPECT_DOUBLE_EQ(pm.devicePixelRatio(), dpr);
            EXPECT_EQ(pm.deviceIndependentSize().toSize(), logical);
            // something is drawn: at least a tenth of the pixels are not transparent
            EXPECT_GT(countPixels(asImage(pm), [](QRgb c) { return qAlpha(c) > 0; }) * 10, pm.width() * pm.height())
                << "picture " << picture;
        }
        // the sharp version is the same picture: its dominant colour is the one of the plain one
        EXPECT_EQ(dominantColour(asImage(IconFactory::pixmap(picture, {32, 32}, 2.0))),
                  dominantColour(asImage(IconFactory::pixmap(picture, {32, 32}, 1.0))))
            << "picture " << picture;
    }
}

TEST(IconFactory, typeTilesShowTheirFamilyColourAndFamiliesDiffer) {
    std::map<TypeFamily, QRgb> seen;
    for (const TypeInfo& t : ChannelTypes()) {
        const QRgb dominant = dominantColour(IconFactory::image(t.code, {64, 64}));
        EXPECT_EQ(dominant, IconFactory::familyColor(t.family).rgba()) << "type " << t.code;
        seen.emplace(t.family, dominant);
    }
    std::set<QRgb> distinct;
    for (const auto& [family, colour] : seen)
        distinct.insert(colour);
    EXPECT_EQ(distinct.size(), seen.size()) << "two families share a colour";
    EXPECT_EQ(seen.size(), 15u); // every family of the type table is in use
}

TEST(IconFactory, glyphsContrastWithTheirTiles) {
    std::set<TypeFamily> families;
    for (const TypeInfo& t : ChannelTypes())
        if (t.family != TypeFamily::Unused)
            families.insert(t.family);
    for (TypeFamily f : families) {
        const double a = relativeLuminance(IconFactory::familyColor(f));
        const double b = relativeLuminance(IconFactory::glyphColor(f));
        const double ratio = (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
        EXPECT_GE(ratio, 3.0) << "family " << static_cast<int>(f);
        // and the glyph colour is really on the tile
        bool drawn = false;
        for (const TypeInfo& t : ChannelTypes())
            if (t.family == f &&
                countPixels(IconFactory::image(t.code, {64, 64}), IconFactory::glyphColor(f).rgba()) > 20)
                drawn = true;
        EXPECT_TRUE(drawn) << "family " << static_cast<int>(f);
    }
}

TEST(IconFactory, noTwoPicturesLookAlike) {
    std::vector<int> all = IconFactory::pictures();
    all.push_back(64); // the placeholder must not look like any picture either
    std::vector<QImage> images;
    for (int p : all)
        images.push_back(asImage(IconFactory::pixmap(p, {32, 32}, 1.0)));
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE(images[i], images[j]) << "pictures " << all[i] << " and " << all[j];
}

TEST(IconFactory, glyphsWithinAFamilyDifferInShapeNotOnlyInColour) {
    // Recolour to a mask of "glyph colour" pixels: sub-types of one family must differ there.
    std::map<TypeFamily, std::vector<std::pair<int, QImage>>> masks;
    for (const TypeInfo& t : ChannelTypes()) {
        QImage img = IconFactory::image(t.code, {48, 48}).convertToFormat(QImage::Format_ARGB32);
        const QRgb tile = IconFactory::familyColor(t.family).rgba();
        QImage mask(img.size(), QImage::Format_Mono);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                mask.setPixel(x, y, img.pixel(x, y) == tile ? 0 : 1);
        masks[t.family].emplace_back(t.code, mask);
    }
    for (const auto& [family, list] : masks)
        for (size_t i = 0; i < list.size(); ++i)
            for (size_t j = i + 1; j < list.size(); ++j)
                EXPECT_NE(list[i].second, list[j].second) << "types " << list[i].first << " and " << list[j].first;
}

TEST(IconFactory, unknownNumbersDrawTheQuestionMarkPlaceholder) {
    const QImage placeholder = IconFactory::image(64, {32, 32});
    // the placeholder is white with a red "?" and a red dashed frame
    EXPECT_EQ(dominantColour(placeholder), qRgb(255, 255, 255));
    EXPECT_GT(countPixels(placeholder, qRgb(0xC0, 0x39, 0x2B)), 30);
    for (int n : {64, 79, 99, 38, 39, 44, 47, 52, 63, -1, 101, 106, 108, 1000}) {
        EXPECT_FALSE(IconFactory::hasPicture(n)) << n;
        EXPECT_EQ(IconFactory::image(n, {32, 32}), placeholder) << n;
        EXPECT_FALSE(IconFactory::pixmap(n, {20, 20}, 2.0).isNull()) << n;
    }
    EXPECT_NE(IconFactory::image(kTypeBlank, {32, 32}), placeholder);
}

TEST(IconFactory, unusedChannelIsAQuietEmptyCell) {
    const QImage img = IconFactory::image(kTypeBlank, {64, 64});
    EXPECT_EQ(dominantColour(img), IconFactory::familyColor(TypeFamily::Unused).rgba());
    // nothing darker than the faint outline
    EXPECT_EQ(countPixels(img, [](QRgb c) { return qAlpha(c) == 255 && qGray(c) < 190; }), 0);
}

TEST(IconFactory, alternativesAreTheImage3PicturesAndDifferFromTheNormalOnes) {
    struct Case {
        int k;
        int type;
    };
    for (const Case c : {Case{0, kTypeMono}, Case{7, kTypeMaster}}) {
        const QImage alt = asImage(IconFactory::alternative(c.k, {32, 32}, 2.0));
        EXPECT_EQ(alt, asImage(IconFactory::pixmap(IconFactory::kImage3Base + c.k, {32, 32}, 2.0)));
        EXPECT_NE(alt, asImage(IconFactory::pixmap(c.type, {32, 32}, 2.0))) << "Image3 " << c.k;
    }
    // The inverted mono channel swaps the colours: white tile, blue glyph.
    const QImage inverted = IconFactory::image(IconFactory::kMonoInverted, {64, 64});
    EXPECT_EQ(dominantColour(inverted), qRgb(255, 255, 255));
    EXPECT_GT(countPixels(inverted, IconFactory::familyColor(TypeFamily::Basic).rgba()), 200);
    // The real-time master keeps the master's tile.
    EXPECT_EQ(dominantColour(IconFactory::image(IconFactory::kMasterRealTimePic, {64, 64})),
              IconFactory::familyColor(TypeFamily::Master).rgba());
    EXPECT_FALSE(IconFactory::hasPicture(IconFactory::kImage3Base + 3));
}

TEST(IconFactory, cursorVariantFramesThePictureAndKeepsItsMiddle) {
    for (int picture : {0, 1, 8, 24, 40, 70, 72, 75, 100, 64}) {
        const QImage normal = IconFactory::image(picture, {64, 64});
        const QImage cursor = IconFactory::image(picture, {64, 64}, V::Cursor);
        EXPECT_NE(normal, cursor) << picture;
        // the dark outer frame runs along the middle of each edge
        for (QPoint edge : {QPoint(32, 3), QPoint(3, 32), QPoint(60, 32), QPoint(32, 60)})
            EXPECT_EQ(cursor.pixel(edge), qRgb(0x1A, 0x1A, 0x1A)) << picture << " at " << edge.x() << "," << edge.y();
        // with a white ring inside it
        EXPECT_EQ(cursor.pixel(32, 6), qRgb(255, 255, 255)) << picture;
        EXPECT_EQ(cursor.pixel(32, 32), normal.pixel(32, 32)) << picture;
    }
}

TEST(IconFactory, iconDrawsSharpAtTheAskedScale) {
    const QIcon icon = IconFactory::icon(kTypeWaterSiren);
    ASSERT_FALSE(icon.isNull());
    for (qreal dpr : {1.0, 2.0, 3.0}) {
        const QPixmap pm = icon.pixmap(QSize(32, 32), dpr);
        EXPECT_EQ(pm.size(), QSize(32, 32) * dpr) << dpr;
        EXPECT_EQ(asImage(pm), asImage(IconFactory::pixmap(kTypeWaterSiren, {32, 32}, dpr))) << dpr;
    }
    const QPixmap disabled = icon.pixmap(QSize(32, 32), 1.0, QIcon::Disabled);
    EXPECT_LT(qAlpha(asImage(disabled).pixel(16, 16)), 255);
    EXPECT_EQ(icon.actualSize(QSize(48, 48)), QSize(48, 48));
}

TEST(IconFactory, reportImageHasExactlyTheAskedPixelsAndPaperPicturesAreTransparentAround) {
    const QImage big = IconFactory::image(kTypeIntruderPassive, {300, 300});
    EXPECT_EQ(big.size(), QSize(300, 300));
    EXPECT_EQ(dominantColour(big), IconFactory::familyColor(TypeFamily::Intruder).rgba());
    for (int picture : {65, 66, 67, 68, 69, 77, 78}) {
        const QImage img = IconFactory::image(picture, {100, 100}).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(img.pixel(1, 1)), 0) << picture;
        EXPECT_EQ(dominantColour(img), qRgb(0x1A, 0x1A, 0x1A)) << picture;
    }
    EXPECT_TRUE(IconFactory::image(0, {0, 0}).isNull());
    EXPECT_TRUE(IconFactory::pixmap(0, {0, 10}, 1.0).isNull());
}
