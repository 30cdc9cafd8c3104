#include "pictures/icon_factory.h"

#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QtMath>

#include <algorithm>
#include <cmath>

#include "model/configuration.h"

namespace korvane {

namespace {

// ---- Glyphs: each is drawn into a 100 x 100 design box ----

enum class Glyph {
    None,
    PushButton,
    Toggle,
    Hourglass,
    Pulse,
    HourglassPulse,
    Clock,
    FanOut,
    Shield,
    Key,
    Door,
    Siren,
    Phone,
    Keypad,
    Drop,
    Flame,
    Reset,
    Warning,
    Check,
    Lamp,
    Motion,
    Thermometer,
    Thermostat,
    Moon,
    Mux,
    Blind,
    UpDown,
    Gauge,
    Sun,
    Wind,
    Cross,
    Ring,
    Disc,
    Box,
    TickedBox,
    Bus,
    Sms,
    Text,
};

// How the picture sits in its square.
enum class Look {
    Type,     // a tile in the family colour of typeCode, glyph in the contrasting colour
    Inverted, // white tile framed in the family colour, glyph in the family colour
    Tile,     // a tile in the entry's own colours (grid states)
    Paper,    // no tile: dark ink on the page (report-only pictures)
};

enum Flag : unsigned {
    kNoFlag = 0,
    kSolid = 1,   // filled variant of the glyph (active detectors)
    kHatch = 2,   // diagonal hatching over the tile (claimed or unusable cells)
    kOverbar = 4, // the negation bar of an inverted channel
    kFramed = 8,  // a thin frame in the glyph colour around a Tile look
};

struct Entry {
    int picture;
    Look look;
    int typeCode; // family source for Type and Inverted looks
    Glyph glyph;
    unsigned flags = kNoFlag;
    Glyph emblem = Glyph::None; // small family mark, top left
    Glyph badge = Glyph::None;  // small qualifier, bottom right
    const char* text = nullptr; // the characters of a Text glyph
    QRgb bg = 0;
    QRgb fg = 0;
};

constexpr QRgb kInk = 0xFF1A1A1A;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kPaleGrey = 0xFFE4E4E4;
constexpr QRgb kGridOn = 0xFF009E73;
constexpr QRgb kRollerOlive = 0xFF999933;
constexpr QRgb kPlaceholderRed = 0xFFC0392B;

using G = Glyph;
using L = Look;

// clang-format off
const Entry kEntries[] = {
    // ---- Image2 0..63: one per channel type ----
    {kTypeMono,               L::Type, kTypeMono,               G::PushButton},
    {kTypeBlank,              L::Type, kTypeBlank,              G::None},
    {kTypeFlipFlop,           L::Type, kTypeFlipFlop,           G::Toggle},
    {kTypeTimerDelay,         L::Type, kTypeTimerDelay,         G::Hourglass},
    {kTypeTimerPulse,         L::Type, kTypeTimerPulse,         G::Pulse},
    {kTypeTimerDelayPulse,    L::Type, kTypeTimerDelayPulse,    G::HourglassPulse},
    {kTypeRealTime,           L::Type, kTypeRealTime,           G::Clock},
    {kTypeMaster,             L::Type, kTypeMaster,             G::FanOut},
    {kTypeIntruderPassive,    L::Type, kTypeIntruderPassive,    G::Shield},
    {kTypeIntruderActive,     L::Type, kTypeIntruderActive,     G::Shield, kSolid},
    {kTypeIntruderManualArm,  L::Type, kTypeIntruderManualArm,  G::Key,    kNoFlag, G::Shield},
    {kTypeIntruderDoorArm,    L::Type, kTypeIntruderDoorArm,    G::Door,   kNoFlag, G::Shield},
    {kTypeIntruderSiren,      L::Type, kTypeIntruderSiren,      G::Siren,  kNoFlag, G::Shield},
    {kTypeIntruderCallOut,    L::Type, kTypeIntruderCallOut,    G::Phone,  kNoFlag, G::Shield},
    {kTypeWaterPassive,       L::Type, kTypeWaterPassive,       G::Drop},
    {kTypeWaterActive,        L::Type, kTypeWaterActive,        G::Drop,   kSolid},
    {kTypeWaterReset,         L::Type, kTypeWaterReset,         G::Reset,  kNoFlag, G::Drop},
    {kTypeWaterSiren,         L::Type, kTypeWaterSiren,         G::Siren,  kNoFlag, G::Drop},
    {kTypeWaterCallOut,       L::Type, kTypeWaterCallOut,       G::Phone,  kNoFlag, G::Drop},
    {kTypeSmokePassive,       L::Type, kTypeSmokePassive,       G::Flame},
    {kTypeSmokeActive,        L::Type, kTypeSmokeActive,        G::Flame,  kSolid},
    {kTypeSmokeReset,         L::Type, kTypeSmokeReset,         G::Reset,  kNoFlag, G::Flame},
    {kTypeSmokeSiren,         L::Type, kTypeSmokeSiren,         G::Siren,  kNoFlag, G::Flame},
    {kTypeSmokeCallOut,       L::Type, kTypeSmokeCallOut,       G::Phone,  kNoFlag, G::Flame},
    {kTypeCommonSiren,        L::Type, kTypeCommonSiren,        G::Siren},
    {kTypeMotion,             L::Type, kTypeMotion,             G::Motion},
    {kTypeCounterClaim,       L::Type, kTypeCounterClaim,       G::Text,   kHatch, G::None, G::None, "123"},
    {kTypeIntruderCodeLock,   L::Type, kTypeIntruderCodeLock,   G::Keypad, kNoFlag, G::Shield},
    {kTypeThermostat,         L::Type, kTypeThermostat,         G::Thermostat},
    {kTypeNightSetback,       L::Type, kTypeNightSetback,       G::Moon},
    {kTypeTimeOutputClaim,    L::Type, kTypeTimeOutputClaim,    G::Clock,  kHatch},
    {kTypeMuxClaim,           L::Type, kTypeMuxClaim,           G::Mux,    kHatch},
    {kTypeIsaPassive,         L::Type, kTypeIsaPassive,         G::Warning},
    {kTypeIsaActive,          L::Type, kTypeIsaActive,          G::Warning, kSolid},
    {kTypeIsaAcknowledge,     L::Type, kTypeIsaAcknowledge,     G::Check,  kNoFlag, G::Warning},
    {kTypeIsaReset,           L::Type, kTypeIsaReset,           G::Reset,  kNoFlag, G::Warning},
    {kTypeIsaLampTest,        L::Type, kTypeIsaLampTest,        G::Lamp,   kNoFlag, G::Warning},
    {kTypeIsaSiren,           L::Type, kTypeIsaSiren,           G::Siren,  kNoFlag, G::Warning},
    {kTypeRoller,             L::Type, kTypeRoller,             G::Blind},
    {kTypeRollerSecond,       L::Type, kTypeRollerSecond,       G::UpDown},
    {kTypeRollerMaster,       L::Type, kTypeRollerMaster,       G::Blind,  kNoFlag, G::None, G::FanOut},
    {kTypeRollerMasterSecond, L::Type, kTypeRollerMasterSecond, G::UpDown, kNoFlag, G::None, G::FanOut},
    {kTypeAnalogGeneral,      L::Type, kTypeAnalogGeneral,      G::Gauge},
    {kTypeAnalogLux,          L::Type, kTypeAnalogLux,          G::Sun},
    {kTypeAnalogWind,         L::Type, kTypeAnalogWind,         G::Wind},
    {kTypeAnalogTemperature,  L::Type, kTypeAnalogTemperature,  G::Thermometer},

    // ---- Image2 65..78: report pictures ----
    {IconFactory::kOptionBit6,  L::Paper, 0, G::Text, kFramed, G::None, G::None, "2"},
    {IconFactory::kOptionBit7,  L::Paper, 0, G::Text, kFramed, G::None, G::None, "1"},
    {IconFactory::kOptionBoth,  L::Paper, 0, G::Text, kFramed, G::None, G::None, "12"},
    {IconFactory::kDayBoxEmpty, L::Paper, 0, G::Box},
    {IconFactory::kDayBoxTicked, L::Paper, 0, G::TickedBox},
    {IconFactory::kMasterGridBase + 0, L::Tile, 0, G::None,  kHatch,  G::None, G::None, nullptr, kPaleGrey, 0xFF9A9A9A},
    {IconFactory::kMasterGridBase + 1, L::Tile, 0, G::Ring,  kFramed, G::None, G::None, nullptr, kWhite, kInk},
    {IconFactory::kMasterGridBase + 2, L::Tile, 0, G::Disc,  kNoFlag, G::None, G::None, nullptr, kGridOn, kWhite},
    {IconFactory::kMasterGridBase + 3, L::Tile, 0, G::Cross, kNoFlag, G::None, G::None, nullptr, kPaleGrey, 0xFF555555},
    {IconFactory::kRollerGridOff,      L::Tile, 0, G::Blind, kHatch,  G::None, G::None, nullptr, kPaleGrey, 0xFF8A8A8A},
    {IconFactory::kRollerGridSelected, L::Tile, 0, G::Check, kNoFlag, G::None, G::None, nullptr, kRollerOlive, kInk},
    {IconFactory::kRollerGridEnabled,  L::Tile, 0, G::Blind, kFramed, G::None, G::None, nullptr, kWhite, kRollerOlive},
    {IconFactory::kHeadingBus, L::Paper, 0, G::Bus},
    {IconFactory::kHeadingSms, L::Paper, 0, G::Sms},

    // ---- Image3 alternatives ----
    {IconFactory::kMonoInverted,      L::Inverted, kTypeMono,   G::PushButton, kOverbar},
    {IconFactory::kMasterRealTimePic, L::Type,     kTypeMaster, G::FanOut, kNoFlag, G::None, G::Clock},
};
// clang-format on

const Entry* findEntry(int picture) {
    for (const Entry& e : kEntries)
        if (e.picture == picture)
            return &e;
    return nullptr;
}

TypeFamily familyOf(int code) {
    const auto info = FindChannelType(code);
    return info ? info->family : TypeFamily::Unused;
}

double luminance(const QColor& c) {
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// ---- Drawing ----

QPen strokePen(const QColor& c, qreal w = 8) {
    QPen pen(c, w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void strokePath(QPainter& p, const QPainterPath& path, const QColor& fg, qreal w = 8) {
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(fg, w));
    p.drawPath(path);
}

void fillPath(QPainter& p, const QPainterPath& path, const QColor& fg) {
    p.setPen(Qt::NoPen);
    p.setBrush(fg);
    p.drawPath(path);
}

// Outline or filled shape, depending on solid.
void shape(QPainter& p, const QPainterPath& path, const QColor& fg, bool solid) {
    if (solid) {
        p.setPen(strokePen(fg, 8));
        p.setBrush(fg);
        p.drawPath(path);
    } else {
        strokePath(p, path, fg);
    }
}

void dot(QPainter& p, QPointF c, qreal r, const QColor& fg) {
    p.setPen(Qt::NoPen);
    p.setBrush(fg);
    p.drawEllipse(c, r, r);
}

void arrowHead(QPainter& p, QPointF tip, qreal angleDeg, const QColor& fg, qreal len = 16) {
    const qreal a = qDegreesToRadians(angleDeg);
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - QPointF(len * std::cos(a - 0.5), -len * std::sin(a - 0.5)));
    head.lineTo(tip - QPointF(len * std::cos(a + 0.5), -len * std::sin(a + 0.5)));
    head.closeSubpath();
    p.setPen(strokePen(fg, 4));
    p.setBrush(fg);
    p.drawPath(head);
}

void drawText(QPainter& p, const char* text, const QRectF& box, const QColor& fg) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, QString::fromLatin1(text));
    const QRectF b = path.boundingRect();
    if (b.isEmpty())
        return;
    const qreal s = std::min(box.width() / b.width(), box.height() / b.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(s, s);
    t.translate(-b.center().x(), -b.center().y());
    fillPath(p, t.map(path), fg);
}

QPainterPath shieldPath() {
    QPainterPath s;
    s.moveTo(50, 10);
    s.lineTo(84, 22);
    s.lineTo(84, 48);
    s.cubicTo(84, 70, 68, 83, 50, 92);
    s.cubicTo(32, 83, 16, 70, 16, 48);
    s.lineTo(16, 22);
    s.closeSubpath();
    return s;
}

QPainterPath dropPath() {
    QPainterPath d;
    d.moveTo(50, 8);
    d.cubicTo(60, 26, 80, 46, 80, 64);
    d.cubicTo(80, 81, 67, 92, 50, 92);
    d.cubicTo(33, 92, 20, 81, 20, 64);
    d.cubicTo(20, 46, 40, 26, 50, 8);
    d.closeSubpath();
    return d;
}

QPainterPath flamePath() {
    QPainterPath f;
    f.moveTo(50, 92);
    f.cubicTo(30, 92, 18, 78, 20, 60);
    f.cubicTo(22, 44, 34, 36, 36, 20);
    f.cubicTo(46, 28, 50, 40, 50, 48);
    f.cubicTo(56, 40, 60, 30, 58, 8);
    f.cubicTo(74, 22, 82, 42, 80, 62);
    f.cubicTo(79, 80, 68, 92, 50, 92);
    f.closeSubpath();
    return f;
}

QPainterPath trianglePath() {
    QPainterPath t;
    t.moveTo(50, 10);
    t.lineTo(92, 86);
    t.lineTo(8, 86);
    t.closeSubpath();
    return t;
}

void drawSiren(QPainter& p, const QColor& fg) {
    QPainterPath horn;
    horn.moveTo(12, 38);
    horn.lineTo(28, 38);
    horn.lineTo(50, 18);
    horn.lineTo(50, 82);
    horn.lineTo(28, 62);
    horn.lineTo(12, 62);
    horn.closeSubpath();
    p.setPen(strokePen(fg, 6));
    p.setBrush(fg);
    p.drawPath(horn);
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(fg, 7));
    for (qreal r : {18.0, 34.0})
        p.drawArc(QRectF(50 - r, 50 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
}

void drawPhone(QPainter& p, const QColor& fg) {
    // A handset: a bowed grip between the ear and mouth pieces, and an arrow going out.
    QPainterPath grip;
    grip.moveTo(22, 26);
    grip.cubicTo(12, 46, 34, 80, 64, 84);
    strokePath(p, grip, fg, 11);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fg);
    p.translate(24, 24);
    p.rotate(-30);
    p.drawRoundedRect(QRectF(-12, -8, 24, 16), 5, 5);
    p.restore();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fg);
    p.translate(66, 82);
    p.rotate(-60);
    p.drawRoundedRect(QRectF(-12, -8, 24, 16), 5, 5);
    p.restore();
    p.setPen(strokePen(fg, 7));
    p.drawLine(QPointF(52, 48), QPointF(82, 18));
    arrowHead(p, QPointF(88, 12), 45, fg, 18);
}

void drawReset(QPainter& p, const QColor& fg) {
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(fg, 9));
    const QRectF r(18, 18, 64, 64);
    p.drawArc(r, 100 * 16, 290 * 16); // from 100 degrees round anticlockwise to 30 degrees
    // arrow at the end of the arc (angle 30 degrees), pointing along the turn
    const qreal a = qDegreesToRadians(30.0);
    const QPointF end(50 + 32 * std::cos(a), 50 - 32 * std::sin(a));
    arrowHead(p, end + QPointF(-6, -12), 110, fg, 20);
}

void drawBlind(QPainter& p, const QColor& fg) {
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(fg, 6));
    p.drawRect(QRectF(16, 12, 68, 76));
    p.setPen(strokePen(fg, 10));
    p.drawLine(QPointF(12, 12), QPointF(88, 12)); // the box at the top
    p.setPen(strokePen(fg, 6));
    for (qreal y : {26.0, 38.0, 50.0, 62.0})
        p.drawLine(QPointF(16, y), QPointF(84, y));
    p.drawLine(QPointF(74, 62), QPointF(74, 80)); // pull cord
    dot(p, QPointF(74, 82), 4, fg);
}

void drawUpDown(QPainter& p, const QColor& fg) {
    p.setPen(strokePen(fg, 9));
    p.drawLine(QPointF(34, 86), QPointF(34, 26));
    p.drawLine(QPointF(66, 14), QPointF(66, 74));
    arrowHead(p, QPointF(34, 12), 90, fg, 22);
    arrowHead(p, QPointF(66, 88), -90, fg, 22);
}

void drawGauge(QPainter& p, const QColor& fg) {
    const QPointF c(50, 62);
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(fg, 8));
    p.drawArc(QRectF(c.x() - 38, c.y() - 38, 76, 76), -20 * 16, 220 * 16);
    p.setPen(strokePen(fg, 5));
    for (int a = -20; a <= 200; a += 55) {
        const qreal r = qDegreesToRadians(double(a));
        p.drawLine(c + QPointF(26 * std::cos(r), -26 * std::sin(r)), c + QPointF(32 * std::cos(r), -32 * std::sin(r)));
    }
    p.setPen(strokePen(fg, 7));
    p.drawLine(c, c + QPointF(22, -22));
    dot(p, c, 8, fg);
}

void drawSun(QPainter& p, const QColor& fg) {
    dot(p, QPointF(50, 50), 17, fg);
    p.setPen(strokePen(fg, 7));
    for (int k = 0; k < 8; ++k) {
        const qreal a = qDegreesToRadians(45.0 * k);
        p.drawLine(QPointF(50 + 27 * std::cos(a), 50 + 27 * std::sin(a)),
                   QPointF(50 + 40 * std::cos(a), 50 + 40 * std::sin(a)));
    }
}

void drawWind(QPainter& p, const QColor& fg) {
    QPainterPath w;
    w.moveTo(10, 34);
    w.lineTo(62, 34);
    w.cubicTo(76, 34, 76, 14, 64, 14);
    w.cubicTo(56, 14, 54, 22, 56, 24);
    w.moveTo(10, 54);
    w.lineTo(78, 54);
    w.cubicTo(92, 54, 92, 34, 80, 34);
    w.moveTo(10, 72);
    w.lineTo(56, 72);
    w.cubicTo(70, 72, 70, 90, 58, 90);
    w.cubicTo(52, 90, 50, 84, 52, 82);
    strokePath(p, w, fg, 7);
}

void drawThermometer(QPainter& p, const QColor& fg, bool scale) {
    QPainterPath tube;
    tube.addRoundedRect(QRectF(40, 8, 20, 64), 10, 10);
    strokePath(p, tube, fg, 6);
    dot(p, QPointF(50, 76), 15, fg);
    p.setPen(strokePen(fg, 8));
    p.drawLine(QPointF(50, 70), QPointF(50, 36));
    if (scale) {
        p.setPen(strokePen(fg, 4));
        for (qreal y : {20.0, 32.0, 44.0, 56.0})
            p.drawLine(QPointF(68, y), QPointF(78, y));
    }
}

void drawThermostat(QPainter& p, const QColor& fg) {
    // a round room-thermostat knob: ring, scale dots and the set-point mark
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(fg, 7));
    p.drawEllipse(QPointF(50, 50), 28, 28);
    for (int a = -30; a <= 210; a += 40) {
        const qreal r = qDegreesToRadians(double(a));
        dot(p, QPointF(50 + 40 * std::cos(r), 50 - 40 * std::sin(r)), 4, fg);
    }
    p.setPen(strokePen(fg, 8));
    p.drawLine(QPointF(50, 50),
               QPointF(50 + 18 * std::cos(qDegreesToRadians(60.0)), 50 - 18 * std::sin(qDegreesToRadians(60.0))));
    dot(p, QPointF(50, 50), 6, fg);
}

void drawMoon(QPainter& p, const QColor& fg) {
    QPainterPath disc;
    disc.addEllipse(QPointF(46, 52), 36, 36);
    QPainterPath bite;
    bite.addEllipse(QPointF(64, 38), 30, 30);
    fillPath(p, disc.subtracted(bite), fg);
    dot(p, QPointF(80, 76), 4, fg); // a star
    dot(p, QPointF(86, 60), 3, fg);
}

void drawMux(QPainter& p, const QColor& fg) {
    QPainterPath t;
    t.moveTo(34, 12);
    t.lineTo(70, 30);
    t.lineTo(70, 70);
    t.lineTo(34, 88);
    t.closeSubpath();
    strokePath(p, t, fg, 7);
    p.setPen(strokePen(fg, 6));
    for (qreal y : {28.0, 44.0, 58.0, 72.0})
        p.drawLine(QPointF(10, y), QPointF(34, y));
    p.drawLine(QPointF(70, 50), QPointF(92, 50));
}

void drawHourglass(QPainter& p, const QColor& fg, const QRectF& box) {
    // box is the glass's frame; the lower bulb holds the sand already run through
    const qreal l = box.left(), r = box.right(), t = box.top(), b = box.bottom(), cx = box.center().x(),
                cy = box.center().y();
    QPainterPath glass;
    glass.moveTo(l, t);
    glass.lineTo(r, t);
    glass.lineTo(cx, cy);
    glass.lineTo(r, b);
    glass.lineTo(l, b);
    glass.lineTo(cx, cy);
    glass.closeSubpath();
    strokePath(p, glass, fg, 7);
    QPainterPath sand;
    const qreal h = (b - cy) * 0.55;
    const qreal w = (r - l) * 0.5 * 0.55;
    sand.moveTo(cx, b - h);
    sand.lineTo(cx + w, b);
    sand.lineTo(cx - w, b);
    sand.closeSubpath();
    fillPath(p, sand, fg);
    p.setPen(strokePen(fg, 9));
    p.drawLine(QPointF(l - 6, t), QPointF(r + 6, t));
    p.drawLine(QPointF(l - 6, b), QPointF(r + 6, b));
}

void drawPulse(QPainter& p, const QColor& fg, const QRectF& box) {
    QPainterPath w;
    const qreal x0 = box.left(), x1 = box.left() + box.width() * 0.25, x2 = box.left() + box.width() * 0.75,
                x3 = box.right();
    w.moveTo(x0, box.bottom());
    w.lineTo(x1, box.bottom());
    w.lineTo(x1, box.top());
    w.lineTo(x2, box.top());
    w.lineTo(x2, box.bottom());
    w.lineTo(x3, box.bottom());
    strokePath(p, w, fg, 8);
}

// Draws glyph g into the 100 x 100 box. bg is the colour under the glyph, for cut-outs.
void drawGlyph(QPainter& p, Glyph g, bool solid, const QColor& fg, const QColor& bg, const char* text) {
    switch (g) {
    case G::None:
        break;
    case G::PushButton:
        p.setBrush(Qt::NoBrush);
        p.setPen(strokePen(fg, 8));
        p.drawEllipse(QPointF(50, 50), 36, 36);
        dot(p, QPointF(50, 50), 20, fg);
        break;
    case G::Toggle: {
        QPainterPath track;
        track.addRoundedRect(QRectF(10, 28, 80, 44), 22, 22);
        strokePath(p, track, fg, 8);
        dot(p, QPointF(68, 50), 14, fg);
        break;
    }
    case G::Hourglass:
        drawHourglass(p, fg, QRectF(24, 12, 52, 76));
        break;
    case G::Pulse:
        drawPulse(p, fg, QRectF(8, 22, 84, 56));
        break;
    case G::HourglassPulse:
        drawHourglass(p, fg, QRectF(12, 14, 34, 52));
        drawPulse(p, fg, QRectF(46, 54, 48, 30));
        break;
    case G::Clock:
        p.setBrush(Qt::NoBrush);
        p.setPen(strokePen(fg, 8));
        p.drawEllipse(QPointF(50, 50), 38, 38);
        p.drawLine(QPointF(50, 50), QPointF(50, 24));
        p.drawLine(QPointF(50, 50), QPointF(70, 58));
        break;
    case G::FanOut:
        p.setPen(strokePen(fg, 7));
        for (qreal y : {18.0, 50.0, 82.0})
            p.drawLine(QPointF(22, 50), QPointF(80, y));
        dot(p, QPointF(22, 50), 14, fg);
        for (qreal y : {18.0, 50.0, 82.0})
            dot(p, QPointF(80, y), 10, fg);
        break;
    case G::Shield:
        shape(p, shieldPath(), fg, solid);
        if (solid)
            dot(p, QPointF(50, 46), 9, bg); // keyhole
        break;
    case G::Key:
        p.setBrush(Qt::NoBrush);
        p.setPen(strokePen(fg, 8));
        p.drawEllipse(QPointF(28, 50), 16, 16);
        p.drawLine(QPointF(44, 50), QPointF(90, 50));
        p.drawLine(QPointF(76, 50), QPointF(76, 66));
        p.drawLine(QPointF(88, 50), QPointF(88, 62));
        break;
    case G::Door:
        p.setBrush(Qt::NoBrush);
        p.setPen(strokePen(fg, 7));
        p.drawRect(QRectF(26, 10, 48, 80));
        p.drawLine(QPointF(12, 90), QPointF(88, 90));
        dot(p, QPointF(63, 52), 6, fg);
        break;
    case G::Siren:
        drawSiren(p, fg);
        break;
    case G::Phone:
        drawPhone(p, fg);
        break;
    case G::Keypad:
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                dot(p, QPointF(22 + 28 * c, 22 + 28 * r), 10, fg);
        break;
    case G::Drop:
        shape(p, dropPath(), fg, solid);
        break;
    case G::Flame:
        shape(p, flamePath(), fg, solid);
        break;
    case G::Reset:
        drawReset(p, fg);
        break;
    case G::Warning: {
        shape(p, trianglePath(), fg, solid);
        const QColor mark = solid ? bg : fg;
        p.setPen(strokePen(mark, 9));
        p.drawLine(QPointF(50, 38), QPointF(50, 60));
        dot(p, QPointF(50, 74), 5.5, mark);
        break;
    }
    case G::Check: {
        QPainterPath t;
        t.moveTo(14, 52);
        t.lineTo(40, 78);
        t.lineTo(88, 24);
        strokePath(p, t, fg, 12);
        break;
    }
    case G::Lamp: {
        p.setBrush(Qt::NoBrush);
        p.setPen(strokePen(fg, 7));
        p.drawEllipse(QPointF(50, 44), 22, 22);
        p.drawLine(QPointF(40, 74), QPointF(60, 74));
        p.drawLine(QPointF(42, 84), QPointF(58, 84));
        p.setPen(strokePen(fg, 5));
        for (int a : {0, 45, 90, 135, 180}) {
            const qreal r = qDegreesToRadians(double(a));
            p.drawLine(QPointF(50 + 30 * std::cos(r), 44 - 30 * std::sin(r)),
                       QPointF(50 + 40 * std::cos(r), 44 - 40 * std::sin(r)));
        }
        break;
    }
    case G::Motion:
        dot(p, QPointF(20, 50), 10, fg);
        p.setBrush(Qt::NoBrush);
        p.setPen(strokePen(fg, 8));
        for (qreal r : {26.0, 46.0, 66.0})
            p.drawArc(QRectF(20 - r, 50 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        break;
    case G::Thermometer:
        drawThermometer(p, fg, true);
        break;
    case G::Thermostat:
        drawThermostat(p, fg);
        break;
    case G::Moon:
        drawMoon(p, fg);
        break;
    case G::Mux:
        drawMux(p, fg);
        break;
    case G::Blind:
        drawBlind(p, fg);
        break;
    case G::UpDown:
        drawUpDown(p, fg);
        break;
    case G::Gauge:
        drawGauge(p, fg);
        break;
    case G::Sun:
        drawSun(p, fg);
        break;
    case G::Wind:
        drawWind(p, fg);
        break;
    case G::Cross:
        p.setPen(strokePen(fg, 12));
        p.drawLine(QPointF(26, 26), QPointF(74, 74));
        p.drawLine(QPointF(74, 26), QPointF(26, 74));
        break;
    case G::Ring:
        p.setBrush(Qt::NoBrush);
        p.setPen(strokePen(fg, 10));
        p.drawEllipse(QPointF(50, 50), 26, 26);
        break;
    case G::Disc:
        dot(p, QPointF(50, 50), 30, fg);
        break;
    case G::Box:
    case G::TickedBox:
        p.setBrush(Qt::NoBrush);
        p.setPen(strokePen(fg, 7));
        p.drawRect(QRectF(14, 14, 72, 72));
        if (g == G::TickedBox) {
            QPainterPath t;
            t.moveTo(26, 50);
            t.lineTo(43, 68);
            t.lineTo(74, 30);
            strokePath(p, t, fg, 10);
        }
        break;
    case G::Bus:
        p.setPen(strokePen(fg, 9));
        p.drawLine(QPointF(8, 30), QPointF(92, 30));
        p.setPen(strokePen(fg, 6));
        for (qreal x : {22.0, 50.0, 78.0}) {
            p.drawLine(QPointF(x, 30), QPointF(x, 60));
            p.setBrush(fg);
            p.drawRect(QRectF(x - 9, 60, 18, 18));
        }
        break;
    case G::Sms: {
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(8, 14, 84, 56), 14, 14);
        QPainterPath tail;
        tail.moveTo(24, 66);
        tail.lineTo(20, 90);
        tail.lineTo(46, 68);
        strokePath(p, bubble.united(tail), fg, 7);
        for (qreal x : {30.0, 50.0, 70.0})
            dot(p, QPointF(x, 42), 6, fg);
        break;
    }
    case G::Text:
        drawText(p, text ? text : "", QRectF(8, 18, 84, 64), fg);
        break;
    }
}

// Draws glyph g into the square box of the current (tile) coordinates.
void glyphInto(QPainter& p, const QRectF& box, Glyph g, bool solid, const QColor& fg, const QColor& bg,
               const char* text = nullptr) {
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 100.0, box.height() / 100.0);
    drawGlyph(p, g, solid, fg, bg, text);
    p.restore();
}

void hatch(QPainter& p, const QPainterPath& clip, const QColor& c) {
    p.save();
    p.setClipPath(clip, Qt::IntersectClip);
    p.setPen(QPen(c, 4));
    for (qreal x = -100; x < 100; x += 16)
        p.drawLine(QPointF(x, 100), QPointF(x + 100, 0));
    p.restore();
}

const QRectF kTile(4, 4, 92, 92);
constexpr qreal kTileRadius = 16;

QPainterPath tilePath() {
    QPainterPath t;
    t.addRoundedRect(kTile, kTileRadius, kTileRadius);
    return t;
}

void paintPlaceholder(QPainter& p) {
    fillPath(p, tilePath(), QColor(kWhite));
    QPen pen(QColor(kPlaceholderRed), 5, Qt::DashLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(kTile.adjusted(2.5, 2.5, -2.5, -2.5), kTileRadius, kTileRadius);
    drawText(p, "?", QRectF(28, 20, 44, 60), QColor(kPlaceholderRed));
}

// Paints entry e into the 100 x 100 picture square.
void paintEntry(QPainter& p, const Entry& e) {
    const TypeFamily fam = familyOf(e.typeCode);
    QColor bg, fg;
    bool tile = true;
    switch (e.look) {
    case L::Type:
        bg = IconFactory::familyColor(fam);
        fg = IconFactory::glyphColor(fam);
        break;
    case L::Inverted:
        bg = QColor(kWhite);
        fg = IconFactory::familyColor(fam);
        break;
    case L::Tile:
        bg = QColor::fromRgba(e.bg);
        fg = QColor::fromRgba(e.fg);
        break;
    case L::Paper:
        bg = Qt::transparent;
        fg = QColor(kInk);
        tile = false;
        break;
    }

    if (e.look == L::Type && fam == TypeFamily::Unused) {
        // An unused channel: a quiet empty cell.
        p.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 3));
        p.setBrush(bg);
        p.drawRoundedRect(kTile.adjusted(1.5, 1.5, -1.5, -1.5), kTileRadius, kTileRadius);
        return;
    }

    if (tile) {
        fillPath(p, tilePath(), bg);
        if (e.flags & kHatch)
            hatch(p, tilePath(), bg.darker(e.look == L::Tile ? 125 : 118));
        if (e.look == L::Inverted || (e.flags & kFramed)) {
            p.setPen(QPen(fg, 6));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(kTile.adjusted(3, 3, -3, -3), kTileRadius - 2, kTileRadius - 2);
        }
    }

    const bool solid = e.flags & kSolid;
    QRectF main(18, 18, 64, 64);
    if (e.emblem != G::None)
        main = QRectF(28, 28, 62, 62);
    else if (e.badge != G::None)
        main = QRectF(10, 10, 62, 62);
    if (e.flags & kOverbar) {
        main = QRectF(22, 28, 56, 56);
        p.setPen(strokePen(fg, 7));
        p.drawLine(QPointF(30, 17), QPointF(70, 17));
    }
    if (!tile && (e.flags & kFramed)) {
        // a key cap around the mark, so it does not read as report text
        p.setPen(strokePen(fg, 6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(8, 8, 84, 84), 14, 14);
        main = QRectF(20, 20, 60, 60);
    } else if (!tile) {
        main = QRectF(4, 4, 92, 92);
    }
    glyphInto(p, main, e.glyph, solid, fg, bg, e.text);

    if (e.emblem != G::None)
        glyphInto(p, QRectF(10, 10, 30, 30), e.emblem, true, fg, bg);
    if (e.badge != G::None) {
        // the badge sits on a disc of the tile colour, so it stands clear of the main glyph
        dot(p, QPointF(74, 74), 21, bg);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(fg, 4));
        p.drawEllipse(QPointF(74, 74), 19, 19);
        glyphInto(p, QRectF(61, 61, 26, 26), e.badge, true, fg, bg);
    }
}

void paintCursor(QPainter& p) {
    // A two-tone frame reads on light and dark tiles alike.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(kInk), 8));
    p.drawRoundedRect(QRectF(4, 4, 92, 92), 14, 14);
    p.setPen(QPen(QColor(kWhite), 4));
    p.drawRoundedRect(QRectF(10, 10, 80, 80), 10, 10);
}

class FactoryIconEngine : public QIconEngine {
public:
    FactoryIconEngine(int picture, IconFactory::Variant v) : picture_(picture), variant_(v) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        IconFactory::paint(*painter, QRectF(rect), picture_, variant_);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        // Qt asks with the device-pixel size; the pixmap keeps the logical size it stands for.
        const qreal dpr = scale > 0 ? scale : 1.0;
        const QSize logical(qMax(1, qRound(size.width() / dpr)), qMax(1, qRound(size.height() / dpr)));
        QPixmap pm = IconFactory::pixmap(picture_, logical, dpr, variant_);
        if (mode == QIcon::Disabled) {
            QPixmap faded(pm.size());
            faded.setDevicePixelRatio(pm.devicePixelRatio());
            faded.fill(Qt::transparent);
            QPainter p(&faded);
            p.setOpacity(0.4);
            p.drawPixmap(0, 0, pm);
            return faded;
        }
        return pm;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new FactoryIconEngine(picture_, variant_); }
    QString key() const override { return QStringLiteral("korvane-icon"); }

private:
    int picture_;
    IconFactory::Variant variant_;
};

} // namespace

bool IconFactory::hasPicture(int picture) {
    const Entry* e = findEntry(picture);
    return e != nullptr;
}

std::vector<int> IconFactory::pictures() {
    std::vector<int> out;
    for (const Entry& e : kEntries)
        out.push_back(e.picture);
    std::sort(out.begin(), out.end());
    return out;
}

QColor IconFactory::familyColor(TypeFamily family) {
    switch (family) {
    case TypeFamily::Basic:
        return QColor(0x00, 0x72, 0xB2);
    case TypeFamily::Timer:
        return QColor(0xE6, 0x9F, 0x00);
    case TypeFamily::RealTime:
        return QColor(0x00, 0x9E, 0x73);
    case TypeFamily::Master:
        return QColor(0xCC, 0x79, 0xA7);
    case TypeFamily::Intruder:
        return QColor(0xD5, 0x5E, 0x00);
    case TypeFamily::Water:
        return QColor(0x56, 0xB4, 0xE9);
    case TypeFamily::Smoke:
        return QColor(0x4D, 0x4D, 0x4D);
    case TypeFamily::Isa:
        return QColor(0x88, 0x22, 0x55);
    case TypeFamily::CommonSiren:
        return QColor(0xF0, 0xE4, 0x42);
    case TypeFamily::Motion:
        return QColor(0x11, 0x77, 0x33);
    case TypeFamily::Claimed:
        return QColor(0xBB, 0xBB, 0xBB);
    case TypeFamily::Climate:
        return QColor(0x33, 0x22, 0x88);
    case TypeFamily::Roller:
        return QColor(0x99, 0x99, 0x33);
    case TypeFamily::Analogue:
        return QColor(0x8B, 0x5A, 0x2B);
    case TypeFamily::Unused:
        break;
    }
    return QColor(0xF4, 0xF4, 0xF4);
}

QColor IconFactory::glyphColor(TypeFamily family) {
    const QColor tile = familyColor(family);
    const QColor white(kWhite), ink(kInk);
    return contrast(tile, white) >= contrast(tile, ink) ? white : ink;
}

void IconFactory::paint(QPainter& p, const QRectF& rect, int picture, Variant v) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(rect.topLeft());
    p.scale(rect.width() / 100.0, rect.height() / 100.0);
    if (const Entry* e = findEntry(picture))
        paintEntry(p, *e);
    else
        paintPlaceholder(p);
    if (v == Variant::Cursor)
        paintCursor(p);
    p.restore();
}

QPixmap IconFactory::pixmap(int picture, QSize logicalSize, qreal dpr, Variant v) {
    if (logicalSize.isEmpty())
        return {};
    if (dpr <= 0)
        dpr = 1.0;
    const QSize device(qMax(1, qRound(logicalSize.width() * dpr)), qMax(1, qRound(logicalSize.height() * dpr)));
    const QString key = QStringLiteral("korvane-icon/%1/%2x%3/%4/%5")
                            .arg(picture)
                            .arg(device.width())
                            .arg(device.height())
                            .arg(dpr)
                            .arg(v == Variant::Cursor ? 1 : 0);
    QPixmap pm;
    if (QPixmapCache::find(key, &pm))
        return pm;
    pm = QPixmap(device);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        paint(p, QRectF(QPointF(0, 0), QSizeF(device)), picture, v);
    }
    pm.setDevicePixelRatio(dpr);
    QPixmapCache::insert(key, pm);
    return pm;
}

QPixmap IconFactory::alternative(int k, QSize logicalSize, qreal dpr, Variant v) {
    return pixmap(kImage3Base + k, logicalSize, dpr, v);
}

QIcon IconFactory::icon(int picture, Variant v) {
    return QIcon(new FactoryIconEngine(picture, v));
}

QImage IconFactory::image(int picture, QSize pixelSize, Variant v) {
    if (pixelSize.isEmpty())
        return {};
    QImage img(pixelSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    paint(p, QRectF(QPointF(0, 0), QSizeF(pixelSize)), picture, v);
    return img;
}

} // namespace korvane
