// The way out of the font display: help and the character map.
#include "teform1.h"
#include "ui_teform1.h"

#include "charactermap.h"
#include "fontlistview.h"
#include "fontsources.h"
#include "helprequests.h"
#include "listdetails.h"
#include "plainmessage.h"

void TEForm1::AideClick()
{
    m_help->request(HelpRequests::MainWindowTopic);
}

void TEForm1::charmapClick()
{
    if (CharacterMap::start())
        return;
    // No character map on the desktop: the program's own, for the selected family.
    if (m_sources->current().selectedRow() >= 0) {
        m_sources->currentDetails().show(DetailsWindow::Characters);
        return;
    }
    PlainMessage::show(CharacterMap::notFoundMessage(), this);
    // Looking again would fail again: the button stays off for the rest of the run.
    ui->charmap->setEnabled(false);
}
