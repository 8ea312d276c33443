// Text and background colours: the colour grid and the colour chooser.
#include "teform1.h"
#include "ui_teform1.h"

#include "displaystate.h"

#include <QColorDialog>

void TEForm1::ColorGrid1Change()
{
    const ColorGrid *grid = ui->ColorGrid1;
    // A marker at -1 keeps the colour the chooser gave.
    if (grid->BackgroundIndex() >= 0)
        m_display->setCouleurFond(grid->BackgroundColor());
    if (grid->ForegroundIndex() >= 0)
        m_display->setCouleurTexte(grid->ForegroundColor());
}

void TEForm1::chooseOtherColor(ColorRef (DisplayState::*get)() const,
                               void (DisplayState::*set)(ColorRef),
                               void (ColorGrid::*setMarker)(int))
{
    if (!Couleurs) {
        // Built at first use: it is a large dialog that most runs never open.
        Couleurs = new QColorDialog(this);
        Couleurs->setObjectName(QStringLiteral("Couleurs"));
        // Qt's own dialog: it speaks French and keeps the custom colours for the run.
        Couleurs->setOption(QColorDialog::DontUseNativeDialog);
    }
    Couleurs->setCurrentColor(toQColor((m_display->*get)()));
    if (Couleurs->exec() != QDialog::Accepted)
        return;
    (m_display->*set)(toColorRef(Couleurs->selectedColor()));
    // No cell stands for the chosen colour; the grid's change leaves it as chosen.
    (ui->ColorGrid1->*setMarker)(-1);
}

void TEForm1::TPlusClick()
{
    chooseOtherColor(&DisplayState::CouleurTexte, &DisplayState::setCouleurTexte,
                     &ColorGrid::setForegroundIndex);
}

void TEForm1::FPlusClick()
{
    chooseOtherColor(&DisplayState::CouleurFond, &DisplayState::setCouleurFond,
                     &ColorGrid::setBackgroundIndex);
}
