// The way out of the font display: help, the about box, the character map and the HTML page.
#include "teform1.h"
#include "ui_teform1.h"

#include "charactermap.h"
#include "detailswindow.h"
#include "fontlistview.h"
#include "helprequests.h"
#include "plainmessage.h"
#include "tapropos.h"
#include "tgenhtml.h"

void TEForm1::AideClick()
{
    m_help->request(HelpRequests::MainWindowTopic);
}

void TEForm1::AboutBtnClick()
{
    APropos->exec();
}

void TEForm1::charmapClick()
{
    if (CharacterMap::start())
        return;
    // No character map on the desktop: the program's own, for the selected family.
    if (ui->ListBox1->selectedRow() >= 0) {
        showDetails(DetailsWindow::Characters);
        return;
    }
    PlainMessage::show(CharacterMap::notFoundMessage(), this);
    // Looking again would fail again: the button stays off for the rest of the run.
    ui->charmap->setEnabled(false);
}

void TEForm1::GenererrHTMLClick()
{
    GenHTML->exec();
}
