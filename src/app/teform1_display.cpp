// The main window's display handlers: the two apply steps, the attribute buttons, the reset and
// "*" buttons, the tooltip switch and the font list's selection.
#include "teform1.h"
#include "ui_teform1.h"

#include "displaystate.h"
#include "fontfamilies.h"
#include "fontlistdelegate.h"
#include "settings.h"
#include "windows1252.h"

using namespace Enmain;

void TEForm1::setChaine(const QString &text)
{
    Chaine = text;
    ui->ListBox1->lineDelegate()->setSampleText(text);
}

void TEForm1::applyLineHeight()
{
    ui->ListBox1->setLineHeight(lineHeightFor(Taille));
}

void TEForm1::setListColors()
{
    ui->ListBox1->setTextColor(toQColor(CouleurTexte));
    ui->ListBox1->setBackgroundColor(toQColor(CouleurFond));
}

void TEForm1::validClick()
{
    const int v = ui->SpinEdit1->value();
    if (v < SizeField::Minimum || v > SizeField::Maximum) {
        // A number still being typed may yet come into range: corrected once the typing ends.
        if (ui->SpinEdit1->typingUnfinished())
            return;
        // Changing the field's text runs this again at once, with Taille as the size.
        ui->SpinEdit1->setValue(Taille);
        return;
    }
    if (!linesPageShown()) {
        AppliqueTexte();
        return;
    }
    const QString t = ui->txtEdit->currentText();
    if (t.isEmpty()) {
        ui->txtEdit->setFieldText(Chaine);
        return;
    }
    bool changed = false;
    if (t != Chaine) {
        setChaine(t);
        ui->txtEdit->addRecentEntry(t);
        changed = true;
    }
    if (v != Taille) {
        Taille = v;
        applyLineHeight();
        changed = true;
    }
    if (changed) {
        LargeurNoms = 0;
        ui->ListBox1->repaintNow();
    }
}

void TEForm1::AppliqueTexte()
{
    QFont font = FontFamilies::entryFont(ui->txtEdit->currentText());
    font.setPointSize(std::max(1, ui->SpinEdit1->value()));
    font.setBold(AttrGras);
    font.setItalic(AttrItal);
    font.setUnderline(AttrSoul);
    font.setStyleStrategy(QFont::NoFontMerging);
    ui->Memo1->setFont(font);
    QPalette colors = ui->Memo1->palette();
    colors.setColor(QPalette::Base, toQColor(CouleurFond));
    colors.setColor(QPalette::Text, toQColor(CouleurTexte));
    ui->Memo1->setPalette(colors);
}

void TEForm1::toggleAttribute(bool &attribute, QPushButton *button, const QString &letter)
{
    attribute = !attribute;
    button->setText(attribute ? letter + QLatin1Char('!') : letter);
    if (linesPageShown())
        ui->ListBox1->repaintNow();
    else
        AppliqueTexte();
}

void TEForm1::GRASClick()
{
    toggleAttribute(AttrGras, ui->gras, QStringLiteral("G"));
}

void TEForm1::italClick()
{
    toggleAttribute(AttrItal, ui->ital, QStringLiteral("I"));
}

void TEForm1::soulClick()
{
    toggleAttribute(AttrSoul, ui->soul, QStringLiteral("S"));
}

void TEForm1::Button1Click()
{
    AttrGras = AttrItal = AttrSoul = false;
    ui->gras->setText(QStringLiteral("G"));
    ui->ital->setText(QStringLiteral("I"));
    ui->soul->setText(QStringLiteral("S"));
    ui->SpinEdit1->setValue(12);
    CouleurFond = 0xFFFFFF;
    CouleurTexte = 0x000000;
    ui->ColorGrid1->setBackgroundIndex(15);
    ui->ColorGrid1->setForegroundIndex(0);
    ui->ListBox1->repaintNow();
    setListColors();
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
