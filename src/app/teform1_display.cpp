// The main window's display handlers: the two apply steps, the reset and "*" buttons.
#include "teform1.h"
#include "ui_teform1.h"

#include "displaystate.h"
#include "fontfamilies.h"
#include "fontlistview.h"
#include "windows1252.h"

void TEForm1::validClick()
{
    const int v = ui->SpinEdit1->value();
    if (v < SizeField::Minimum || v > SizeField::Maximum) {
        // A number still being typed may yet come into range: corrected once the typing ends.
        if (ui->SpinEdit1->typingUnfinished())
            return;
        // Changing the field's text runs this again at once, with Taille as the size.
        ui->SpinEdit1->setValue(m_display->Taille());
        return;
    }
    if (!linesPageShown()) {
        AppliqueTexte();
        return;
    }
    const QString t = ui->txtEdit->currentText();
    if (t.isEmpty()) {
        ui->txtEdit->setFieldText(m_display->Chaine());
        return;
    }
    // The list follows a new sample or size by itself: its names' column is measured again and
    // it is redrawn at once; nothing changed, nothing is redrawn.
    if (t != m_display->Chaine())
        ui->txtEdit->addRecentEntry(t);
    m_display->setChaineTaille(t, v);
}

void TEForm1::AppliqueTexte()
{
    // The font box's and the size field's text as they stand: the Text page's size is not Taille.
    ui->Memo1->setFontChoice(ui->txtEdit->currentText(), ui->SpinEdit1->value());
}

void TEForm1::Button1Click()
{
    m_display->resetStyle();
    // Through the field: on the Text page the list's size waits for the Lines page.
    ui->SpinEdit1->setValue(DisplayState::DefaultSize);
    ui->Memo1->showDefaultText();
    if (linesPageShown())
        ui->txtEdit->setFieldText(DisplayState::defaultSample());
    AppliqueTexte();
    validClick();
}

void TEForm1::TousCarClick()
{
    if (!linesPageShown())
        ui->Memo1->showAllCharacters();
    else // every character of the single-byte code page, from the space to code 255
        ui->txtEdit->setFieldText(Windows1252::charactersOfCodes(32, 255));
    AppliqueTexte();
    validClick();
}
