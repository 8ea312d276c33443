#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where the main window comes back, from what the settings file stored: the size and position of
// its client area (the window manager's frame around it is not the program's to store).
namespace WindowPlacement {

struct Placement
{
    QSize size;
    std::optional<QPoint> position; // none: the window system places the window
};

// The stored client area brought within the screen's available area with the frame around it:
// no larger than the screen leaves room for, at least the minimum, and placed so that the whole
// frame, title bar first, is on the screen. A window the screen cannot hold keeps its top-left
// corner in view, where its title bar can be dragged.
Placement restored(QSize stored, std::optional<QPoint> storedPosition, QSize minimum,
                   QMargins frame, QRect screen);

} // namespace WindowPlacement
