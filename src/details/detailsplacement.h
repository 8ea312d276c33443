#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

// Where the details window opens: beside the main window where the screen has room; otherwise
// over the samples, right of the list's names column (narrower if need be), so that the names
// and the selected line stay in view; otherwise below the main window; always within the
// screen's available area. All in the desktop's logical pixels.
namespace DetailsPlacement {

// mainFrame: the main window with its frame; names: the list's names column on the screen;
// available: the screen's area for windows; wanted: the window's own size, without frame;
// frame: what the window manager adds around a window (taken from the main window's).
// Returns the window's geometry, without frame.
QRect place(const QRect &mainFrame, const QRect &names, const QRect &available, const QSize &wanted,
            const QMargins &frame);

} // namespace DetailsPlacement
