#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What a screen reader finds in the colour grid: the grid, and each of its cells as a cell of its
// own named by its colour in French ("rouge"), and whether it is the text's or the background's.
namespace ColorGridAccessible {

// For QAccessible::installFactory: the grid's interface, or none for any other object.
QAccessibleInterface *factory(const QString &className, QObject *object);

// The French name of a cell's colour.
QString colourName(int cell);

} // namespace ColorGridAccessible
