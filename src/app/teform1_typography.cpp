// The main window's typography: the "Typographie" button beside the filters, and its panel beside
// the lists, counting what the families shown offer.
#include "teform1.h"
#include "ui_teform1.h"

#include "filterbar.h"
#include "fontcatalog.h"
#include "fontfamilies.h"
#include "fontindex.h"
#include "fontlistview.h"
#include "fontsources.h"
#include "typographypanel.h"

#include <QScreen>
#include <QSplitter>
#include <QToolButton>

#include <algorithm>

void TEForm1::setUpTypography()
{
    m_typography = new TypographyPanel(this);
    m_typography->setDisplayState(m_display);
    m_typography->hide();
    m_typography->setInventorySource([this] {
        const FontCatalog &catalog = m_sources->currentCatalog();
        const FontIndex &index = m_sources->currentIndex();
        return TypographyInventory::count(
            m_sources->current().shownFamilies(), [&](const QString &entry) {
                QList<FontIndex::LayoutTags> faces;
                for (const FontFace &face : catalog.faces(FontFamilies::entryFamily(entry))) {
                    if (auto tags = index.layoutTags(face.file, face.index))
                        faces.append(std::move(*tags));
                }
                return faces;
            });
    });
    connect(m_sources, &FontSources::shownFamiliesChanged, m_typography,
            &TypographyPanel::familiesChanged);
    connect(m_fontIndex, &FontIndex::finished, m_typography, &TypographyPanel::familiesChanged);

    // At the right of the lists, where the samples end: the names and the samples' start stay.
    auto *beside = new QSplitter(Qt::Horizontal, ui->TabSheet1);
    beside->setObjectName(QStringLiteral("ListesEtTypographie"));
    beside->setChildrenCollapsible(false);
    // Taking all the height the list took, as the list does.
    beside->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    QWidget *lists = m_sources->listsWidget();
    delete ui->linesLayout->replaceWidget(lists, beside);
    beside->addWidget(lists);
    beside->addWidget(m_typography);
    beside->setStretchFactor(0, 1);
    beside->setStretchFactor(1, 0);

    m_typographyButton = new QToolButton(this);
    m_typographyButton->setObjectName(QStringLiteral("Typographie"));
    m_typographyButton->setText(QStringLiteral("Typographie"));
    m_typographyButton->setIcon(TypographyPanel::buttonIcon());
    // The tab strip has room for an icon only.
    m_typographyButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_typographyButton->setCheckable(true);
    m_typographyButton->setAutoRaise(true);
    m_typographyButton->setAccessibleName(QStringLiteral("Typographie"));
    m_typographyButton->setToolTip(
        QStringLiteral("Typographie : fonctionnalités OpenType, axes variables, langue du texte "
                       "et espacement des lettres"));
    m_filterBar->addControl(m_typographyButton, FilterBar::Side::BesideMenu);
    // In the Tab order where it shows, after the control at its left.
    const QList<QWidget *> bar = m_filterBar->controls();
    setTabOrder(bar.at(bar.indexOf(m_typographyButton) - 1), m_typographyButton);
    connect(m_typographyButton, &QToolButton::toggled, this, &TEForm1::showTypography);
    connect(m_typography, &TypographyPanel::closeRequested, m_typographyButton,
            [this] { m_typographyButton->setChecked(false); });
}

void TEForm1::showTypography(bool open)
{
    if (open == m_typography->isVisibleTo(this))
        return;
    if (!open) {
        const bool hadFocus = m_typography->isAncestorOf(focusWidget());
        m_typography->hide();
        if (m_typographyRoom > 0 && !isMaximized() && !isFullScreen())
            resize(width() - m_typographyRoom, height());
        m_typographyRoom = 0;
        if (hadFocus)
            m_sources->current().setFocus(Qt::OtherFocusReason);
        return;
    }
    // The panel draws the lines' typography: it shows beside the Lines page.
    ui->NPage->setCurrentIndex(0);
    const int room = m_typography->sizeHint().width();
    if (!isMaximized() && !isFullScreen() && screen()) {
        const int free = screen()->availableGeometry().right() - frameGeometry().right();
        m_typographyRoom = std::clamp(free, 0, room);
        if (m_typographyRoom > 0)
            resize(width() + m_typographyRoom, height());
    }
    m_typography->show();
    m_typography->setFocus(Qt::OtherFocusReason);
}
