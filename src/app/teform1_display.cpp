// The main window's display handlers: the two apply steps, the attribute buttons, the reset and
// "*" buttons, the tooltip switch and the font list's selection.
#include "teform1.h"
#include "ui_teform1.h"

#include "detailswindow.h"
#include "displaystate.h"
#include "fontfamilies.h"
#include "fontlistview.h"
#include "settings.h"
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
    m_display->setSample(t, v);
}

void TEForm1::AppliqueTexte()
{
    QFont font = FontFamilies::entryFont(ui->txtEdit->currentText());
    font.setPointSize(std::max(1, ui->SpinEdit1->value()));
    font.setBold(m_display->AttrGras());
    font.setItalic(m_display->AttrItal());
    font.setUnderline(m_display->AttrSoul());
    font.setStyleStrategy(QFont::NoFontMerging);
    ui->Memo1->setFont(font);
    QPalette colors = ui->Memo1->palette();
    colors.setColor(QPalette::Base, toQColor(m_display->CouleurFond()));
    colors.setColor(QPalette::Text, toQColor(m_display->CouleurTexte()));
    ui->Memo1->setPalette(colors);
}

void TEForm1::toggleAttribute(bool (DisplayState::*get)() const, void (DisplayState::*set)(bool),
                              QPushButton *button, const QString &letter)
{
    const bool on = !(m_display->*get)();
    (m_display->*set)(on);
    showAttribute(button, letter, on);
    // The list follows by itself; the Text page is applied.
    if (!linesPageShown())
        AppliqueTexte();
}

// "G!" says the attribute is on; the checked state says it to screen readers too.
void TEForm1::showAttribute(QPushButton *button, const QString &letter, bool on)
{
    button->setText(on ? letter + QLatin1Char('!') : letter);
    button->setChecked(on);
}

void TEForm1::GRASClick()
{
    toggleAttribute(&DisplayState::AttrGras, &DisplayState::setAttrGras, ui->gras,
                    QStringLiteral("G"));
}

void TEForm1::italClick()
{
    toggleAttribute(&DisplayState::AttrItal, &DisplayState::setAttrItal, ui->ital,
                    QStringLiteral("I"));
}

void TEForm1::soulClick()
{
    toggleAttribute(&DisplayState::AttrSoul, &DisplayState::setAttrSoul, ui->soul,
                    QStringLiteral("S"));
}

void TEForm1::Button1Click()
{
    m_display->setAttrGras(false);
    m_display->setAttrItal(false);
    m_display->setAttrSoul(false);
    showAttribute(ui->gras, QStringLiteral("G"), false);
    showAttribute(ui->ital, QStringLiteral("I"), false);
    showAttribute(ui->soul, QStringLiteral("S"), false);
    ui->SpinEdit1->setValue(12);
    m_display->setCouleurFond(0xFFFFFF);
    m_display->setCouleurTexte(0x000000);
    ui->ColorGrid1->setBackgroundIndex(15);
    ui->ColorGrid1->setForegroundIndex(0);
    ui->Memo1->setPlainText(MemoTexte.join(QLatin1Char('\n')));
    if (linesPageShown())
        ui->txtEdit->setFieldText(Settings::defaultSampleString());
    AppliqueTexte();
    validClick();
}

void TEForm1::TousCarClick()
{
    // Every character of the single-byte code page, from the space to code 255.
    const QString all = Windows1252::charactersOfCodes(32, 255);
    if (!linesPageShown()) {
        QStringList lines {QStringLiteral(" ")};
        for (qsizetype start = 0; start < all.size(); start += 30)
            lines.append(QStringLiteral("  ") + all.mid(start, 30));
        ui->Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    } else {
        ui->txtEdit->setFieldText(all);
    }
    AppliqueTexte();
    validClick();
}

void TEForm1::AfBullesClick()
{
    m_panelHintsShown = ui->AfBulles->isChecked();
}

void TEForm1::ListBox1Click()
{
    const int row = ui->ListBox1->selectedRow();
    if (row < 0)
        return;
    Edit1 = ui->ListBox1->familyAt(row);
    if (m_details && m_details->isVisible())
        m_details->setFamily(Edit1);
    if (!IndiqueNom->isChecked()) {
        ui->ListBox1->setNameTip(Edit1);
        ui->ListBox1->setNameTipEnabled(true);
    }
}

void TEForm1::ListBox1MouseDown()
{
    if (!IndiqueNom->isChecked())
        ui->ListBox1->setNameTipEnabled(!ui->ListBox1->nameTipEnabled());
}
