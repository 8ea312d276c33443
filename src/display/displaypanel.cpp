#include "displaypanel.h"

#include "colorgrid.h"
#include "sizefield.h"

#include <QPushButton>
#include <QSignalBlocker>

namespace {

void showAttribute(QPushButton *button, const QString &letter, bool on)
{
    button->setText(on ? letter + QLatin1Char('!') : letter);
    button->setChecked(on);
}

// A marker already on a cell of the colour stays there; otherwise the first such cell, or none.
int markerFor(int marker, ColorRef colour)
{
    if (marker >= 0 && ColorGrid::cellColor(marker) == colour)
        return marker;
    for (int cell = 0; cell < ColorGrid::CellCount; ++cell) {
        if (ColorGrid::cellColor(cell) == colour)
            return cell;
    }
    return -1;
}

} // namespace

DisplayPanel::DisplayPanel(const DisplayState &state, Controls controls, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_controls(controls)
{
    connect(&state, &DisplayState::changed, this, &DisplayPanel::follow);
    follow(DisplayState::Style | DisplayState::Colours | DisplayState::Size);
}

void DisplayPanel::follow(DisplayState::Aspects what)
{
    if (what & DisplayState::Style) {
        showAttribute(m_controls.bold, QStringLiteral("G"), m_state.AttrGras());
        showAttribute(m_controls.italic, QStringLiteral("I"), m_state.AttrItal());
        showAttribute(m_controls.underline, QStringLiteral("S"), m_state.AttrSoul());
    }
    if (what & DisplayState::Colours) {
        ColorGrid *grid = m_controls.colours;
        // The grid shows the state; its change would set the state from a marker not yet moved.
        const QSignalBlocker showing(grid);
        grid->setForegroundIndex(markerFor(grid->ForegroundIndex(), m_state.CouleurTexte()));
        grid->setBackgroundIndex(markerFor(grid->BackgroundIndex(), m_state.CouleurFond()));
    }
    // A field that reads as the size already (an empty field reads as 6) is left as typed.
    if ((what & DisplayState::Size) && m_controls.size->value() != m_state.Taille())
        m_controls.size->setValue(m_state.Taille());
}
