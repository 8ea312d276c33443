// The Lines and Text pages: the combo box holds the sample-string history on the one and chooses
// the font on the other.
#include "teform1.h"
#include "ui_teform1.h"

#include "filterbar.h"

void TEForm1::NPageChange()
{
    if (linesPageShown())
        PrligneClick();
    else
        PrTexteClick();
    ui->valid->setEnabled(linesPageShown());
    // The filter narrows the list; the Text page's font box keeps every family.
    m_filterBar->setVisible(linesPageShown());
}

void TEForm1::PrTexteClick()
{
    // The list's own entries, so an index names the same font in both.
    ui->txtEdit->showFontChoice(ui->ListBox1->familyModel(),
                                std::max(0, ui->ListBox1->selectedRow()));
    ui->ListBox1->setNamesSwitchEnabled(false);
    validClick();
}

void TEForm1::PrligneClick()
{
    ui->txtEdit->showSampleHistory();
    ui->ListBox1->setNamesSwitchEnabled(true);
    validClick();
}

void TEForm1::txtEditChange()
{
    if (linesPageShown())
        return; // the edited sample waits for "ok"
    ui->ListBox1->setNameTipEnabled(false);
    // AppliqueTexte, run by validClick, gives the text area the typed font name.
    ui->ListBox1->selectRow(ui->txtEdit->selectedEntry());
    validClick();
}
