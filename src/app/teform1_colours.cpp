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

bool TEForm1::chooseColor(ColorRef &color)
{
    if (!Couleurs) {
        // Built at first use: it is a large dialog that most runs never open.
        Couleurs = new QColorDialog(this);
        // Qt's own dialog: it speaks French and keeps the custom colours for the run.
        Couleurs->setOption(QColorDialog::DontUseNativeDialog);
    }
    Couleurs->setCurrentColor(toQColor(color));
    if (Couleurs->exec() != QDialog::Accepted)
        return false;
    color = toColorRef(Couleurs->selectedColor());
    return true;
}

void TEForm1::TPlusClick()
{
    if (!chooseColor(CouleurTexte))
        return;
    ui->ListBox1->setTextColor(toQColor(CouleurTexte));
    if (linesPageShown())
        ui->ListBox1->repaintNow();
    else
        AppliqueTexte();
    ui->ColorGrid1->setForegroundIndex(-1);
}

void TEForm1::FPlusClick()
{
    if (!chooseColor(CouleurFond))
        return;
    ui->ListBox1->setBackgroundColor(toQColor(CouleurFond));
    if (linesPageShown())
        ui->ListBox1->repaintNow();
    else
        AppliqueTexte();
    ui->ColorGrid1->setBackgroundIndex(-1);
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
