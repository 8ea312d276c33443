// The main window's filters: the filter field, its switch and menu, the caption's count, and the
// favourites.
#include "teform1.h"
#include "ui_teform1.h"

#include "detailsplacement.h"
#include "detailswindow.h"
#include "displaystate.h"
#include "errorreport.h"
#include "familycount.h"
#include "filterbar.h"
#include "filtermenu.h"
#include "fontcatalog.h"
#include "fontindex.h"
#include "fontlistview.h"
#include "windowrestorer.h"

#include <QAction>
#include <QLabel>
#include <QLocale>

void TEForm1::setUpFilters()
{
    // The filter takes the free end of the tab strip, not a line of the list; the line naming
    // the menu's filters shows under the list only while one is on.
    m_filterBar->setObjectName(QStringLiteral("filterBar"));
    ui->linesLayout->addWidget(m_filterBar->summaryLine());
    m_filterBar->setDisplayState(m_display);
    ui->NPage->setCornerWidget(m_filterBar, Qt::BottomRightCorner);
    m_filterBar->menu()->setLanguageCounts([this] { return ui->ListBox1->languageCounts(); });

    m_fontIndex = new FontIndex(FontCatalog::system(), FontIndex::defaultCachePath(), this);
    ui->ListBox1->setFontIndex(m_fontIndex);
    m_indexProgress = new QLabel(this);
    m_indexProgress->setObjectName(QStringLiteral("IndexPolices"));
    m_indexProgress->setContentsMargins(4, 1, 4, 1);
    m_indexProgress->hide();
    ui->linesLayout->addWidget(m_indexProgress);
    connect(m_fontIndex, &FontIndex::progressed, this, [this](int read, int count) {
        const QLocale french(QLocale::French);
        m_indexProgress->setText(QStringLiteral("Index des polices : ") + french.toString(read)
                                 + QStringLiteral(" sur ") + french.toString(count));
        m_indexProgress->setVisible(read < count);
    });
    connect(m_fontIndex, &FontIndex::finished, m_indexProgress, &QWidget::hide);

    bind(ui->ListBox1, &FontListView::shownFamiliesChanged, &TEForm1::showFamilyCount);
    connect(m_filterBar, &FilterBar::backToList, ui->ListBox1,
            [this] { ui->ListBox1->setFocus(Qt::OtherFocusReason); });
    connect(m_filterBar, &FilterBar::toFirstLine, ui->ListBox1, &FontListView::focusFirstLine);
    connect(m_filterBar->menu(), &FilterMenu::sampleSentenceChosen, this,
            [this](const QString &sentence) {
                ErrorReport::guard([&] { useSampleSentence(sentence); });
            });
}

void TEForm1::showFamilyCount()
{
    const QString count = FamilyCount::text(
        ui->ListBox1->shownCount(), ui->ListBox1->families().size(), ui->ListBox1->filtering());
    setWindowTitle(Version + QStringLiteral(" *** ") + count);
}

void TEForm1::focusFilter()
{
    ui->NPage->setCurrentIndex(0);
    m_filterBar->focusField();
}

void TEForm1::FavoriClick()
{
    const int row = ui->ListBox1->selectedRow();
    if (row < 0)
        return;
    const QString family = ui->ListBox1->familyAt(row);
    m_display->setFavourite(family, !m_display->isFavourite(family));
}

void TEForm1::DetailsClick()
{
    showDetails(-1);
}

void TEForm1::showDetails(int tab)
{
    const int row = ui->ListBox1->selectedRow();
    if (row < 0)
        return;
    if (!m_details) {
        m_details = new DetailsWindow(*m_display, m_fontIndex, this);
        // Where the list's names stay in view; the window manager frames it as it frames this one.
        const QMargins frame(geometry().left() - frameGeometry().left(),
                             geometry().top() - frameGeometry().top(),
                             frameGeometry().right() - geometry().right(),
                             frameGeometry().bottom() - geometry().bottom());
        m_details->setGeometry(DetailsPlacement::place(
            frameGeometry(), ui->ListBox1->namesOnScreen(), WindowRestorer::availableScreen(this),
            m_details->size(), frame));
    }
    m_details->setFamily(ui->ListBox1->familyAt(row));
    if (tab >= 0)
        m_details->showTab(DetailsWindow::Tab(tab));
    m_details->show();
    m_details->raise();
    m_details->activateWindow();
}

void TEForm1::useSampleSentence(const QString &sentence)
{
    ui->txtEdit->setFieldText(sentence);
    validClick();
}
