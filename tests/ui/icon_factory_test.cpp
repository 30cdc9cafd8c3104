#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "model/channel_types.h"
#include "model/configuration.h"
#include "ui/icons/icon_factory.h"

using namespace korvane;
using V = IconFactory::Variant;

namespace {

// The most frequent fully opaque colour of an image.
QRgb dominantColour(const QImage& src) {
    const QImage img = src.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) == 255)
                ++counts[c];
        }
    QRgb best = 0;
    int most = -1;
    for (const auto& [c, n] : counts)
        if (n > most) {
            best = c;
            most = n;
        }
    return best;
}

int countPixels(const QImage& src, QRgb colour) {
    const QImage img = src.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == colour ? 1 : 0;
    return n;
}

QImage asImage(const QPixmap& pm) {
    return pm.toImage().convertToFormat(QImage::Format_ARGB32);
}

double relativeLuminance(const QColor& c) {
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

const int kUnknownNumbers[] = {64, 79, 99, 38, 39, 44, 47, 52, 63, -1, 101, 106, 108, 1000};

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

TEST(IconFactory, pixmapHasTheAskedLogicalSizeAtEachScale) {
    struct Case {
        QSize logical;
        qreal dpr;
    };
    const Case cases[] = {{{16, 16}, 1.0}, {{32, 32}, 1.0}, {{32, 32}, 2.0}, {{24, 24}, 1.5}, {{48, 40}, 2.0}};
    for (int picture : IconFactory::pictures())
        for (const Case& c : cases) {
            const QPixmap pm = IconFactory::pixmap(picture, c.logical, c.dpr);
            ASSERT_FALSE(pm.isNull()) << "picture " << picture;
            EXPECT_EQ(pm.size(), QSize(qRound(c.logical.width() * c.dpr), qRound(c.logical.height() * c.dpr)))
                << "picture " << picture << " dpr " << c.dpr;
            EXPECT_DOUBLE_EQ(pm.devicePixelRatio(), c.dpr);
            EXPECT_EQ(pm.deviceIndependentSize().toSize(), c.logical);
            // something is drawn: at least a tenth of the pixels are not transparent
            const QImage img = asImage(pm);
            int opaque = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    opaque += qAlpha(img.pixel(x, y)) > 0 ? 1 : 0;
            EXPECT_GT(opaque * 10, img.width() * img.height()) << "picture " << picture;
        }
}

TEST(IconFactory, dprTwoHasTwiceTheDevicePixelsAndTheSameDrawing) {
    for (int picture : {0, 8, 40, 69, 107}) {
        const QPixmap one = IconFactory::pixmap(picture, {32, 32}, 1.0);
        const QPixmap two = IconFactory::pixmap(picture, {32, 32}, 2.0);
        EXPECT_EQ(two.width(), 2 * one.width());
        EXPECT_EQ(two.height(), 2 * one.height());
        // the sharp version is the same picture: its dominant colour is the one of the small version
        EXPECT_EQ(dominantColour(asImage(two)), dominantColour(asImage(one))) << "picture " << picture;
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
    const TypeFamily families[] = {
        TypeFamily::Basic,   TypeFamily::Timer,   TypeFamily::RealTime, TypeFamily::Master,      TypeFamily::Intruder,
        TypeFamily::Water,   TypeFamily::Smoke,   TypeFamily::Isa,      TypeFamily::CommonSiren, TypeFamily::Motion,
        TypeFamily::Claimed, TypeFamily::Climate, TypeFamily::Roller,   TypeFamily::Analogue,
    };
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
    for (int n : kUnknownNumbers) {
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
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    int darkest = 255;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) == 255)
                darkest = std::min(darkest, qGray(argb.pixel(x, y)));
    EXPECT_GE(darkest, 190);
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

TEST(IconFactory, channelPictureFollowsTheTypeAndItsOptionBytes) {
    struct Case {
        int type;
        int byte;
        int value;
        int expected;
    };
    const Case cases[] = {
        {kTypeMono, kBasicOptions, 0, 0},
        {kTypeMono, kBasicOptions, 1, IconFactory::kMonoInverted},
        {kTypeMono, kBasicOptions, 2, 0}, // only the value 1 means inverted
        {kTypeMaster, kMasterRealTime, 0, 7},
        {kTypeMaster, kMasterRealTime, 1, IconFactory::kMasterRealTimePic},
        {kTypeFlipFlop, kBasicOptions, 1, kTypeFlipFlop},
        {kTypeRealTime, kMasterRealTime, 1, kTypeRealTime},
        {kTypeRoller, 1, 0, kTypeRoller},
        {kTypeAnalogTemperature, 1, 0, kTypeAnalogTemperature},
    };
    for (const Case& c : cases) {
        Configuration cfg;
        cfg.ChanSetup[42][kRowType] = static_cast<Byte>(c.type);
        cfg.ChanSetup[42][c.byte] = static_cast<Byte>(c.value);
        EXPECT_EQ(IconFactory::channelPicture(cfg, 42), c.expected) << "type " << c.type << " byte " << c.byte;
    }
    Configuration cfg;
    EXPECT_EQ(IconFactory::channelPicture(cfg, -1), -1);
    EXPECT_EQ(IconFactory::channelPicture(cfg, kChannels), -1);
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

// Not a check: with KORVANE_ICON_SHEET=/path/sheet.png it writes every picture at 32 x 32, dpr 2, with
// its number under it, to look at the artwork (KORVANE_ICON_SHEET_DPR=1 for the plain-screen scale).
TEST(IconFactory, contactSheet) {
    const QString path = qEnvironmentVariable("KORVANE_ICON_SHEET");
    if (path.isEmpty())
        GTEST_SKIP() << "set KORVANE_ICON_SHEET to write the contact sheet";
    std::vector<int> all = IconFactory::pictures();
    all.push_back(64);
    const int cols = 10, cellW = 56, cellH = 64;
    const int dpr = qEnvironmentVariableIntValue("KORVANE_ICON_SHEET_DPR") > 0
                        ? qEnvironmentVariableIntValue("KORVANE_ICON_SHEET_DPR")
                        : 2;
    const int rows = int(all.size() + cols - 1) / cols * 2;
    QImage sheet(cols * cellW * dpr, rows * cellH * dpr, QImage::Format_ARGB32);
    sheet.setDevicePixelRatio(dpr);
    sheet.fill(QColor(250, 250, 250));
    QPainter p(&sheet);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(10);
    p.setFont(f);
    for (size_t i = 0; i < all.size(); ++i) {
        for (int variant = 0; variant < 2; ++variant) {
            const int row = int(i) / cols * 2 + variant, col = int(i) % cols;
            const QPoint at(col * cellW + 12, row * cellH + 6);
            p.drawPixmap(at, IconFactory::pixmap(all[i], {32, 32}, dpr, variant ? V::Cursor : V::Normal));
            p.drawText(QRect(col * cellW, row * cellH + 40, cellW, 14), Qt::AlignCenter,
                       QString::number(all[i]) + (variant ? QStringLiteral(" cur") : QString()));
        }
    }
    p.end();
    EXPECT_TRUE(sheet.save(path));
}
