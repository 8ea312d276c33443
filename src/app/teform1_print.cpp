// The main window's printing: the catalogue of the fonts the list shows.
#include "teform1.h"
#include "ui_teform1.h"

#include "catalogueprinting.h"
#include "displaystate.h"

#include <QScopeGuard>

void TEForm1::setUpPrinting()
{
    CataloguePrinting::Sources sources;
    sources.version = Version;
    sources.families = [this] {
        return ui->ListBox1->shownFamilies();
    };
    sources.sample = [this] {
        return m_display->Chaine();
    };
    // The size field as it stands, applied or not, as the catalogue always has.
    sources.sampleSize = [this] {
        return ui->SpinEdit1->value();
    };
    m_catalogue = new CataloguePrinting(std::move(sources), this);
    m_catalogue->setObjectName(QStringLiteral("catalogue"));
}

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
