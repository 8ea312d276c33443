// The main window's printing: the catalogue of the fonts the list shows.
#include "teform1.h"
#include "ui_teform1.h"

#include "catalogueprinting.h"

#include <QScopeGuard>

void TEForm1::ImprimerClick()
{
    // One job at a time: the window stays usable while it prints, but not for a second job.
    ui->SpeedButton1->setEnabled(false);
    const auto done = qScopeGuard([this] {
        ui->SpeedButton1->setEnabled(true);
        if (m_closeAfterPrinting) {
            m_closeAfterPrinting = false;
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        }
    });
    m_catalogue->run();
}
