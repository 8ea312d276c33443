// Text and background colours: the colour grid and the colour chooser.
#include "teform1.h"
#include "ui_teform1.h"

#include "colourchooser.h"
#include "displaystate.h"

void TEForm1::ColorGrid1Change()
{
    const ColorGrid *grid = ui->ColorGrid1;
    // A marker at -1 keeps the colour the chooser gave.
    if (grid->BackgroundIndex() >= 0)
        m_display->setCouleurFond(grid->BackgroundColor());
    if (grid->ForegroundIndex() >= 0)
        m_display->setCouleurTexte(grid->ForegroundColor());
}

// No cell stands for a chosen colour, even one a cell has.
void TEForm1::TPlusClick()
{
    if (const auto chosen = m_colours->choose(m_display->CouleurTexte())) {
        m_display->setCouleurTexte(*chosen);
        ui->ColorGrid1->setForegroundIndex(-1);
    }
}

void TEForm1::FPlusClick()
{
    if (const auto chosen = m_colours->choose(m_display->CouleurFond())) {
        m_display->setCouleurFond(*chosen);
        ui->ColorGrid1->setBackgroundIndex(-1);
    }
}
