#include "detailsplacement.h"

#include <algorithm>

namespace DetailsPlacement {

namespace {

constexpr int Gap = 8;
// Narrower than this, the tabs and the character grid are no longer of use.
constexpr int MinimumWidth = 360;
constexpr int MinimumHeight = 240;

// The frame at its place, moved and cut to lie within the screen.
QRect within(QRect frame, const QRect &available)
{
    frame.setWidth(std::min(frame.width(), available.width()));
    frame.setHeight(std::min(frame.height(), available.height()));
    frame.moveLeft(
        std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1));
    frame.moveTop(
        std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
    return frame;
}

} // namespace

QRect place(const QRect &mainFrame, const QRect &names, const QRect &available, const QSize &wanted,
            const QMargins &frame)
{
    const QSize outer = wanted.grownBy(frame);
    const auto client = [&](const QRect &outerRect) {
        return outerRect.marginsRemoved(frame);
    };

    // Beside the main window, right then left.
    if (mainFrame.right() + Gap + outer.width() <= available.right() + 1)
        return client(
            within(QRect(QPoint(mainFrame.right() + 1 + Gap, mainFrame.top()), outer), available));
    if (mainFrame.left() - Gap - outer.width() >= available.left())
        return client(
            within(QRect(QPoint(mainFrame.left() - Gap - outer.width(), mainFrame.top()), outer),
                   available));

    // Over the samples, right of the names, as wide as the screen leaves.
    const int left = std::max(names.right() + 1 + Gap, available.left());
    const int room = available.right() + 1 - left;
    if (room >= MinimumWidth + frame.left() + frame.right()) {
        const QSize size(std::min(outer.width(), room), outer.height());
        return client(within(QRect(QPoint(left, mainFrame.top()), size), available));
    }

    // Below the main window, as high as the screen leaves.
    const int top = mainFrame.bottom() + 1 + Gap;
    const int height = available.bottom() + 1 - top;
    if (height >= MinimumHeight + frame.top() + frame.bottom())
        return client(within(QRect(QPoint(mainFrame.left(), top),
                                   QSize(outer.width(), std::min(outer.height(), height))),
                             available));

    // No room anywhere: on the screen at least, at its right edge.
    return client(within(
        QRect(QPoint(available.right() + 1 - outer.width(), mainFrame.top()), outer), available));
}

} // namespace DetailsPlacement
