// Text and background colours: the colour grid, the colour chooser, and the font list's menu.
#include "teform1.h"
#include "ui_teform1.h"

#include "displaystate.h"
#include "fontlistdelegate.h"

#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QGuiApplication>
#include <QMenu>

using namespace Enmain;

void TEForm1::ColorGrid1Change()
{
    const ColorGrid *grid = ui->ColorGrid1;
    // A marker at -1 keeps the colour the chooser gave.
    if (grid->BackgroundIndex() >= 0)
        CouleurFond = grid->BackgroundColor();
    if (grid->ForegroundIndex() >= 0)
        CouleurTexte = grid->ForegroundColor();
    setListColors();
    ui->ListBox1->repaintNow();
    AppliqueTexte();
}

void TEForm1::chooseOtherColor(ColorRef &color, void (FontListView::*applyToList)(const QColor &),
                               void (ColorGrid::*setMarker)(int))
{
    if (!Couleurs) {
        // Built at first use: it is a large dialog that most runs never open.
        Couleurs = new QColorDialog(this);
        // Qt's own dialog: it speaks French and keeps the custom colours for the run.
        Couleurs->setOption(QColorDialog::DontUseNativeDialog);
    }
    Couleurs->setCurrentColor(toQColor(color));
    if (Couleurs->exec() != QDialog::Accepted)
        return;
    color = toColorRef(Couleurs->selectedColor());
    (ui->ListBox1->*applyToList)(toQColor(color));
    if (linesPageShown())
        ui->ListBox1->repaintNow();
    else
        AppliqueTexte();
    // No cell stands for the chosen colour; the grid's change leaves it as chosen.
    (ui->ColorGrid1->*setMarker)(-1);
}

void TEForm1::TPlusClick()
{
    chooseOtherColor(CouleurTexte, &FontListView::setTextColor, &ColorGrid::setForegroundIndex);
}

void TEForm1::FPlusClick()
{
    chooseOtherColor(CouleurFond, &FontListView::setBackgroundColor,
                     &ColorGrid::setBackgroundIndex);
}

void TEForm1::LigneMenuPopup()
{
    Copiernomdelafonte1->setEnabled(ui->ListBox1->selectedRow() >= 0);
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
    ui->ListBox1->lineDelegate()->setNamesShown(shown);
    LargeurNoms = 0;
    ui->ListBox1->repaintNow();
    if (shown)
        ui->ListBox1->setNameTipEnabled(false);
}
