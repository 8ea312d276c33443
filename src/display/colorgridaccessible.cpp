#include "colorgridaccessible.h"

#include "colorgrid.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <array>

namespace ColorGridAccessible {

namespace {

class Cell : public QAccessibleInterface
{
public:
    Cell(ColorGrid *grid, int index)
        : m_grid(grid)
        , m_index(index)
    {
    }

    bool isValid() const override { return !m_grid.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_grid ? QAccessible::queryAccessibleInterface(m_grid) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }

    QString text(QAccessible::Text kind) const override
    {
        if (!m_grid)
            return {};
        if (kind == QAccessible::Name) {
            QString name = colourName(m_index);
            if (m_grid->ForegroundIndex() == m_index)
                name += QStringLiteral(", couleur du texte");
            if (m_grid->BackgroundIndex() == m_index)
                name += QStringLiteral(", couleur du fond");
            return name;
        }
        if (kind == QAccessible::Description)
            return QStringLiteral("Clic gauche : couleur du texte ; clic droit : couleur du fond");
        return {};
    }
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override
    {
        if (!m_grid)
            return {};
        const QRect cell = m_grid->cellRect(m_index);
        return QRect(m_grid->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.selected = m_grid
            && (m_grid->ForegroundIndex() == m_index || m_grid->BackgroundIndex() == m_index);
        return state;
    }

private:
    QPointer<ColorGrid> m_grid;
    int m_index;
};

class Grid : public QAccessibleWidget
{
public:
    explicit Grid(ColorGrid *grid)
        : QAccessibleWidget(grid, QAccessible::Table)
    {
    }
    ~Grid() override
    {
        for (const QAccessible::Id id : m_cells) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return ColorGrid::CellCount; }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= ColorGrid::CellCount)
            return nullptr;
        // Made once and handed to Qt, which hands out the same interface every time.
        if (!m_cells[size_t(index)])
            m_cells[size_t(index)] = QAccessible::registerAccessibleInterface(
                new Cell(static_cast<ColorGrid *>(widget()), index));
        return QAccessible::accessibleInterface(m_cells[size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int i = 0; i < ColorGrid::CellCount; ++i) {
            if (m_cells[size_t(i)] && QAccessible::accessibleInterface(m_cells[size_t(i)]) == child)
                return i;
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const auto *grid = static_cast<const ColorGrid *>(widget());
        const QPoint at = grid->mapFromGlobal(QPoint(x, y));
        return grid->rect().contains(at) ? child(grid->cellAt(at)) : nullptr;
    }

private:
    mutable std::array<QAccessible::Id, ColorGrid::CellCount> m_cells {};
};

} // namespace

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (auto *grid = qobject_cast<ColorGrid *>(object))
        return new Grid(grid);
    return nullptr;
}

QString colourName(int cell)
{
    static const char *const names[ColorGrid::CellCount] = {
        "noir", "bordeaux", "vert",     "olive", "bleu marine", "violet",  "sarcelle", "argent",
        "gris", "rouge",    "vert vif", "jaune", "bleu",        "fuchsia", "cyan",     "blanc",
    };
    return cell >= 0 && cell < ColorGrid::CellCount ? QString::fromUtf8(names[cell]) : QString();
}

} // namespace ColorGridAccessible
