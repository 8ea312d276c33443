// The font list's requests: a line chosen, a press, a favourite marked, a family's details.
#include "teform1.h"
#include "ui_teform1.h"

#include "detailswindow.h"
#include "displaystate.h"
#include "fontcatalog.h"
#include "fontlistview.h"

void TEForm1::ListBox1Click()
{
    const int row = ui->ListBox1->selectedRow();
    if (row < 0)
        return;
    Edit1 = ui->ListBox1->familyAt(row);
    if (m_details && m_details->isVisible())
        m_details->setFamily(Edit1);
    if (!ui->ListBox1->namesShown()) {
        ui->ListBox1->setNameTip(Edit1);
        ui->ListBox1->setNameTipEnabled(true);
    }
}

void TEForm1::ListBox1MouseDown()
{
    if (!ui->ListBox1->namesShown())
        ui->ListBox1->setNameTipEnabled(!ui->ListBox1->nameTipEnabled());
}

void TEForm1::FavoriClick()
{
    const int row = ui->ListBox1->selectedRow();
    if (row < 0)
        return;
    const QString family = ui->ListBox1->familyAt(row);
    m_display->setFavourite(family, !m_display->isFavourite(family));
}

void TEForm1::showDetails(int tab)
{
    const int row = ui->ListBox1->selectedRow();
    if (row < 0)
        return;
    if (!m_details) {
        m_details = new DetailsWindow(FontCatalog::system(), *m_display, m_fontIndex, this);
        m_details->placeBeside(*ui->ListBox1);
    }
    m_details->setFamily(ui->ListBox1->familyAt(row));
    if (tab >= 0)
        m_details->showTab(DetailsWindow::Tab(tab));
    m_details->show();
    m_details->raise();
    m_details->activateWindow();
}
