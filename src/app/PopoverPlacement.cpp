#include "PopoverPlacement.h"

#include <algorithm>

namespace PopoverPlacement {

QPoint topLeft(const QRect &iconGeometry, const QPoint &pointer, const QSize &size, const QRect &screenArea)
{
    const QRect anchor =
        iconGeometry.isValid() && !iconGeometry.isEmpty() ? iconGeometry : QRect(pointer, QSize(1, 1));

    int x = anchor.center().x() + 1 - size.width() / 2;
    int y = anchor.bottom() + 1 + gap;
    const bool fitsBelow = y + size.height() <= screenArea.bottom() + 1;
    const int above = anchor.top() - gap - size.height();
    if (!fitsBelow && above >= screenArea.top())
        y = above;

    // A screen smaller than the popover shows its top-left part.
    x = std::max(screenArea.left(), std::min(x, screenArea.right() + 1 - size.width()));
    y = std::max(screenArea.top(), std::min(y, screenArea.bottom() + 1 - size.height()));
    return {x, y};
}

} // namespace PopoverPlacement
