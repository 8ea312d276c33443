#include "windowplacement.h"

#include <algorithm>

namespace WindowPlacement {

namespace {

// The client area's start along one axis: the frame's near edge no lower than first, its far
// edge no higher than last when there is room, the near edge winning when there is not.
int within(int start, int length, int nearFrame, int farFrame, int first, int last)
{
    const int lowest = first + nearFrame;
    const int highest = std::max(lowest, last + 1 - farFrame - length);
    return std::clamp(start, lowest, highest);
}

} // namespace

Placement restored(QSize stored, std::optional<QPoint> storedPosition, QSize minimum,
                   QMargins frame, QRect screen)
{
    Placement placement;
    const QSize room = screen.size().shrunkBy(frame);
    placement.size = stored.boundedTo(room).expandedTo(minimum);
    if (storedPosition) {
        placement.position
            = QPoint(within(storedPosition->x(), placement.size.width(), frame.left(),
                            frame.right(), screen.left(), screen.right()),
                     within(storedPosition->y(), placement.size.height(), frame.top(),
                            frame.bottom(), screen.top(), screen.bottom()));
    }
    return placement;
}

} // namespace WindowPlacement
