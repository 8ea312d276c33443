#include "displaypanel.h"

#include "colorgrid.h"
#include "colourchooser.h"
#include "errorreport.h"
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

DisplayPanel::DisplayPanel(DisplayState &state, Controls controls, QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_controls(controls)
    , m_chooser(new ColourChooser(window))
{
    connect(&state, &DisplayState::changed, this, &DisplayPanel::follow);
    follow(DisplayState::Style | DisplayState::Colours | DisplayState::Size);
    const auto bind = [this](QPushButton *button, void (DisplayPanel::*handler)()) {
        ErrorReport::connect(button, &QPushButton::clicked, this, handler);
    };
    bind(controls.bold, &DisplayPanel::GRASClick);
    bind(controls.italic, &DisplayPanel::italClick);
    bind(controls.underline, &DisplayPanel::soulClick);
    bind(controls.chooseText, &DisplayPanel::TPlusClick);
    bind(controls.chooseBackground, &DisplayPanel::FPlusClick);
    ErrorReport::connect(controls.colours, &ColorGrid::changed, this,
                         &DisplayPanel::ColorGrid1Change);
}

void DisplayPanel::GRASClick()
{
    m_state.setAttrGras(!m_state.AttrGras());
}

void DisplayPanel::italClick()
{
    m_state.setAttrItal(!m_state.AttrItal());
}

void DisplayPanel::soulClick()
{
    m_state.setAttrSoul(!m_state.AttrSoul());
}

void DisplayPanel::ColorGrid1Change()
{
    const ColorGrid *grid = m_controls.colours;
    // A marker at -1 keeps the colour the chooser gave.
    if (grid->BackgroundIndex() >= 0)
        m_state.setCouleurFond(grid->BackgroundColor());
    if (grid->ForegroundIndex() >= 0)
        m_state.setCouleurTexte(grid->ForegroundColor());
}

// No cell stands for a chosen colour, even one a cell has.
void DisplayPanel::TPlusClick()
{
    if (const auto chosen = m_chooser->choose(m_state.CouleurTexte())) {
        m_state.setCouleurTexte(*chosen);
        m_controls.colours->setForegroundIndex(-1);
    }
}

void DisplayPanel::FPlusClick()
{
    if (const auto chosen = m_chooser->choose(m_state.CouleurFond())) {
        m_state.setCouleurFond(*chosen);
        m_controls.colours->setBackgroundIndex(-1);
    }
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
