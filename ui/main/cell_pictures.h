#pragma once
// The picture of a matrix cell: the icon of the channel's type, or its alternative (a mono channel
// with inverted output, a master function run by the clock).

#include <QPixmap>

namespace korvane {

QPixmap CellPicture(int type, bool alternative, QSize size, qreal dpr);

} // namespace korvane
