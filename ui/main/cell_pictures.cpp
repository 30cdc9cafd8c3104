#include "ui/main/cell_pictures.h"

#include "pictures/icon_factory.h"

namespace korvane {

QPixmap CellPicture(int type, bool alternative, QSize size, qreal dpr) {
    // The icon keeps a little air inside its cell, so the border of the current channel stays visible.
    const QSize iconSize(std::max(8, size.width() - 6), std::max(8, size.height() - 6));
    if (alternative)
        return IconFactory::alternative(type, iconSize, dpr);
    return IconFactory::pixmap(type, iconSize, dpr);
}

} // namespace korvane
