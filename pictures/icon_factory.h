#pragma once
// The program's small pictures: the channel-type icons of the matrix, their alternatives, the option,
// day-box, grid-state and column-heading pictures of the reports. All are drawn here, as vectors, from
// one table, so they are sharp at any screen scale and on a 600 dpi printer alike.
//
// Picture numbers are the numbers the reports use (ImageToPrinter):
//   0..63    Image2 entry t = the icon of channel type t (only defined type codes have one)
//   65..67   option bits of a channel: 65 = bit 6 (Check2), 66 = bit 7 (Check1), 67 = both
//   68, 69   empty and ticked day box
//   70..73   master grid: target cannot be driven, off, on, not affected (GetMaster states 0..3)
//   74..76   roller-master grid: not usable, selected, roller blind not selected
//   77, 78   heading of the option column: events on the bus (SysData byte 13 = 0), events by SMS (1)
//   100      Image3 entry 0: a mono channel with the inverted option (ChanSetup byte 1 = 1)
//   107      Image3 entry 7: a master function started by real time (ChanSetup byte 21 = 1)
// Every other number (64, 79.., undefined type codes, Image3 1..6) draws the "?" placeholder.
//
// Channel-type icons are a rounded tile in the colour of the type's family with a glyph on it; the
// glyph is white or near black, whichever contrasts more with the tile. Palette (Okabe-Ito and Paul
// Tol's colour-blind safe sets; families that would share a hue also differ by glyph):
//   Basic        #0072B2 blue             Intruder     #D55E00 vermillion
//   Timer        #E69F00 orange           Water        #56B4E9 sky blue
//   RealTime     #009E73 bluish green     Smoke        #4D4D4D smoke grey
//   Master       #CC79A7 reddish purple   Isa          #882255 wine
//   CommonSiren  #F0E442 yellow           Motion       #117733 green
//   Claimed      #BBBBBB grey, hatched    Climate      #332288 indigo
//   Roller       #999933 olive            Analogue     #8B5A2B brown
//   Unused       #F4F4F4 quiet, an empty cell with a faint outline
// Alarm roles that repeat across families (siren, call out, reset) carry a small family emblem in
// the top-left corner as well, so the family does not rest on colour alone.
//
// The cursor: in the channel matrix the current channel is marked by the cell's border, which the
// matrix draws; the editor's grids (master targets, roller-master selection) show a cursor version
// of the picture itself. Variant::Cursor is that version: the picture inside a two-tone frame.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <vector>

#include "model/channel_types.h"

class QPainter;
class QRectF;

namespace korvane {

class IconFactory {
public:
    enum class Variant { Normal, Cursor };

    // Picture numbers (see above).
    static constexpr int kImage2Count = 79; // Image2 0..78, no 64
    static constexpr int kOptionBit6 = 65;  // ChanFlags bit 6 (Check2)
    static constexpr int kOptionBit7 = 66;  // ChanFlags bit 7 (Check1)
    static constexpr int kOptionBoth = 67;  // both option bits
    static constexpr int kDayBoxEmpty = 68;
    static constexpr int kDayBoxTicked = 69;
    static constexpr int kMasterGridBase = 70; // + GetMaster state 0..3
    static constexpr int kRollerGridOff = 74;  // GetRmSt -1: not a roller blind
    static constexpr int kRollerGridSelected = 75;
    static constexpr int kRollerGridEnabled = 76;
    static constexpr int kHeadingBus = 77;
    static constexpr int kHeadingSms = 78;
    static constexpr int kImage3Base = 100;                          // picture 100 + k = Image3 entry k
    static constexpr int kMonoInverted = kPictureMonoInverted;       // Image3 0
    static constexpr int kMasterRealTimePic = kPictureMasterByClock; // Image3 7

    // True for the numbers that have their own picture; false ones draw the placeholder.
    static bool hasPicture(int picture);
    // Every number with its own picture, ascending.
    static std::vector<int> pictures();

    // The family colour of a type's tile, and the glyph colour used on it.
    static QColor familyColor(TypeFamily family);
    static QColor glyphColor(TypeFamily family);

    // A picture of logicalSize at device pixel ratio dpr (the pixmap has logicalSize * dpr pixels).
    static QPixmap pixmap(int picture, QSize logicalSize, qreal dpr, Variant v = Variant::Normal);
    // An Image3 alternative (k = 0 or 7).
    static QPixmap alternative(int k, QSize logicalSize, qreal dpr, Variant v = Variant::Normal);
    // An icon that draws itself at whatever size and scale it is asked for.
    static QIcon icon(int picture, Variant v = Variant::Normal);
    // A picture of exactly pixelSize pixels, for reports printed at high resolution.
    static QImage image(int picture, QSize pixelSize, Variant v = Variant::Normal);
    // Paints the picture into rect (logical units of the painter).
    static void paint(QPainter& p, const QRectF& rect, int picture, Variant v = Variant::Normal);
};

} // namespace korvane
