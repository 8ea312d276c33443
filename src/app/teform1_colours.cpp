// Text and background colours: the colour grid, the colour chooser, and the font list's menu.
#include "teform1.h"
#include "ui_teform1.h"

#include "displaystate.h"
#include "fontlistview.h"

#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QGuiApplication>
#include <QMenu>

void TEForm1::ColorGrid1Change()
{
    const ColorGrid *grid = ui->ColorGrid1;
    // A marker at -1 keeps the colour the chooser gave.
    if (grid->BackgroundIndex() >= 0)
        m_display->setCouleurFond(grid->BackgroundColor());
    if (grid->ForegroundIndex() >= 0)
        m_display->setCouleurTexte(grid->ForegroundColor());
    AppliqueTexte();
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
    if (!linesPageShown())
        AppliqueTexte();
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

void TEForm1::LigneMenuPopup(int row)
{
    // The list has selected the line clicked: the entries act on the selection.
    Copiernomdelafonte1->setEnabled(row >= 0);
    Favori->setEnabled(row >= 0);
    Details->setEnabled(row >= 0);
    Favori->setText(row >= 0 && m_display->isFavourite(ui->ListBox1->familyAt(row))
                        ? QStringLiteral("Retirer des favoris")
                        : QStringLiteral("Ajouter aux favoris"));
}

void TEForm1::Copiernomdelafonte1Click()
{
    const int row = ui->ListBox1->selectedRow();
    if (row < 0)
        return;
    Edit1 = ui->ListBox1->familyAt(row);
    QGuiApplication::clipboard()->setText(Edit1);
}

void TEForm1::IndiqueNomClick()
{
    // The check mark has already flipped with the choice.
    const bool shown = IndiqueNom->isChecked();
    ui->ListBox1->setNamesShown(shown);
    if (shown)
        ui->ListBox1->setNameTipEnabled(false);
}
