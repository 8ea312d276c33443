// The main window's filters: the filter field, its switch and menu, the font index they ask, and
// the caption's count.
#include "teform1.h"
#include "ui_teform1.h"

#include "displaystate.h"
#include "errorreport.h"
#include "familycount.h"
#include "filterbar.h"
#include "filtermenu.h"
#include "fontcatalog.h"
#include "fontindex.h"
#include "fontlistview.h"
#include "fontsources.h"
#include "indexprogress.h"

void TEForm1::setUpFilters()
{
    // The filter takes the free end of the tab strip, not a line of the list; the line naming
    // the menu's filters shows under the list only while one is on.
    m_filterBar->setObjectName(QStringLiteral("filterBar"));
    ui->linesLayout->addWidget(m_filterBar->summaryLine());
    m_filterBar->setDisplayState(m_display);
    ui->NPage->setCornerWidget(m_filterBar, Qt::BottomRightCorner);
    m_filterBar->menu()->setLanguageCounts(
        [this] { return m_sources->current().languageCounts(); });

    m_fontIndex = new FontIndex(FontCatalog::system(), FontIndex::defaultCachePath(), this);
    ui->ListBox1->setFontIndex(m_fontIndex);
    m_sources = new FontSources(*ui->ListBox1, *m_fontIndex, *m_display, *m_filterBar,
                                *ui->linesLayout, this);
    ui->linesLayout->addWidget(new IndexProgress(m_fontIndex, this));
    // The filter's controls come first in the Tab order, before the page tabs and the list.
    QWidget *beforeList = ui->ListBox1->previousInFocusChain();
    for (QWidget *control : m_filterBar->controls()) {
        setTabOrder(beforeList, control);
        beforeList = control;
    }

    ErrorReport::connect(m_sources, &FontSources::shownFamiliesChanged, this,
                         &TEForm1::showFamilyCount);
    connect(m_filterBar, &FilterBar::backToList, this,
            [this] { m_sources->current().setFocus(Qt::OtherFocusReason); });
    connect(m_filterBar, &FilterBar::toFirstLine, this,
            [this] { m_sources->current().focusFirstLine(); });
    // "Exemple dans cette langue": the sentence goes into the sample field and applies.
    connect(m_filterBar->menu(), &FilterMenu::sampleSentenceChosen, this,
            [this](const QString &sentence) {
                ui->txtEdit->setFieldText(sentence);
                ErrorReport::guard([this] { validClick(); });
            });
}

void TEForm1::showFamilyCount()
{
    const FontListView &list = m_sources->current();
    const QString count = FamilyCount::text(
        list.shownCount(), list.families().size(), list.filtering(),
        m_sources->openedShown() ? FamilyCount::Source::Opened : FamilyCount::Source::Installed);
    setWindowTitle(Version + QStringLiteral(" *** ") + count);
}
