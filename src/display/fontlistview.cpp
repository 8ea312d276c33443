#include "fontlistview.h"

#include "displaystate.h"
#include "familytraits.h"
#include "fontindex.h"
#include "fontlistdelegate.h"
#include "shownfamilies.h"
#include "typographynames.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStringListModel>
#include <QTimer>
#include <QToolTip>

FontListView::FontListView(QWidget *parent, const FontCatalog &catalog)
    : QListView(parent)
    , LigneMenu(new QMenu(this))
    , Copiernomdelafonte1(LigneMenu->addAction(QStringLiteral("Copier nom de la fonte")))
    , IndiqueNom(LigneMenu->addAction(QStringLiteral("Affiche noms des fontes")))
    , Favori(LigneMenu->addAction(QStringLiteral("Ajouter aux favoris")))
    , DetailsPolice(LigneMenu->addAction(QStringLiteral("Détails de la police...")))
    , m_model(new QStringListModel(this))
    , m_delegate(new FontListDelegate(catalog, this))
    , m_shown(new ShownFamilies(m_model, m_delegate->renderer().catalog(), this))
    , m_prepareFaces(new QTimer(this))
{
    LigneMenu->setObjectName(QStringLiteral("LigneMenu"));
    Copiernomdelafonte1->setObjectName(QStringLiteral("Copiernomdelafonte1"));
    IndiqueNom->setObjectName(QStringLiteral("IndiqueNom"));
    IndiqueNom->setCheckable(true);
    IndiqueNom->setChecked(true);
    Favori->setObjectName(QStringLiteral("Favori"));
    DetailsPolice->setObjectName(QStringLiteral("DetailsPolice"));
    connect(Copiernomdelafonte1, &QAction::triggered, this,
            &FontListView::Copiernomdelafonte1Click);
    connect(IndiqueNom, &QAction::triggered, this, &FontListView::IndiqueNomClick);
    connect(Favori, &QAction::triggered, this, &FontListView::FavoriClick);
    connect(this, &FontListView::selectionMadeByUser, this, &FontListView::ListBox1Click);
    connect(DetailsPolice, &QAction::triggered, this, &FontListView::detailsChosen);

    m_prepareFaces->setInterval(0);
    connect(m_prepareFaces, &QTimer::timeout, this, [this] {
        // About a millisecond a step: never in the way of what the user does.
        if (!m_shown->prepareFaces(FacesPreparedPerStep))
            m_prepareFaces->stop();
    });
    setModel(m_shown);
    setItemDelegate(m_delegate);
    // One height for all lines: the view lays out thousands of lines without asking each one.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setAutoFillBackground(true);
    setColors(Qt::black, Qt::white);
    // Every change of the selected line the user makes, by click, drag or key, is reported.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_selectingFromProgram && selectedRow() >= 0) {
            m_chosenEntry = selectedRow();
            m_selectionReported = true;
            Q_EMIT selectionMadeByUser();
        }
    });
}

void FontListView::setFamilies(const QStringList &families)
{
    m_model->setStringList(families);
}

QStringList FontListView::families() const
{
    return m_model->stringList();
}

QAbstractItemModel *FontListView::familyModel() const
{
    return m_model;
}

QString FontListView::familyAt(int entry) const
{
    return m_model->index(entry, 0).data().toString();
}

void FontListView::setFontIndex(const FontIndex *index)
{
    m_shown->setFontIndex(index);
    // Families read since are classed, known as symbol fonts or not, and their features and axes
    // known: a filter by class, "Symboles" or the typography shows them.
    // The user did not ask for it: the lines stay where they are, not brought to the selection.
    const auto refilter = [this] {
        if (m_state
            && (m_state->filter().classes != 0 || m_state->filter().hasTypography
                || (m_state->filter().properties & FamilyTraits::Symbol)))
            followFilter(KeepPlace);
    };
    connect(index, &FontIndex::progressed, this, refilter);
    connect(index, &FontIndex::finished, this, refilter);
}

QStringList FontListView::shownFamilies() const
{
    return m_shown->shownFamilies();
}

int FontListView::shownCount() const
{
    return m_shown->rowCount();
}

bool FontListView::filtering() const
{
    return m_shown->filtering();
}

QList<int> FontListView::languageCounts() const
{
    return m_shown->languageCounts();
}

void FontListView::focusFirstLine()
{
    setFocus(Qt::OtherFocusReason);
    const QModelIndex first = m_shown->index(0, 0);
    if (first.isValid()) {
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
        scrollTo(first);
    }
}

void FontListView::setLineHeight(qint64 height)
{
    if (height <= 0)
        return;
    // Far taller than any screen, yet safe for the view's geometry arithmetic.
    const int clamped = int(std::min<qint64>(height, MaximumLineHeight));
    if (clamped == m_delegate->lineHeight())
        return;
    m_delegate->setLineHeight(clamped);
    doItemsLayout();
}

int FontListView::lineHeight() const
{
    return m_delegate->lineHeight();
}

void FontListView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!m_keepingPlace)
        QListView::scrollTo(index, hint);
}

int FontListView::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : m_shown->entryOf(rows.first().row());
}

void FontListView::selectRow(int entry)
{
    m_chosenEntry = entry;
    const QModelIndex index = m_shown->index(m_shown->rowOf(entry), 0);
    if (!index.isValid()) {
        clearSelection();
        return;
    }
    const QScopedValueRollback quiet(m_selectingFromProgram, true);
    setCurrentIndex(index);
    scrollTo(index);
}

void FontListView::setColors(const QColor &text, const QColor &background)
{
    QPalette colors = palette();
    colors.setColor(QPalette::Text, text);
    colors.setColor(QPalette::Base, background);
    setPalette(colors);
}

void FontListView::setDisplayState(const DisplayState *state)
{
    if (m_state)
        disconnect(m_state, nullptr, this, nullptr);
    m_state = state;
    if (!state)
        return;
    connect(state, &DisplayState::changed, this, &FontListView::followState);
    followState();
}

void FontListView::followState()
{
    const LineLook before = m_delegate->look();
    const QPalette colorsBefore = palette();
    LineLook look = before;
    const bool newSize = look.points != m_state->Taille();
    if (newSize || look.sample != m_state->Chaine())
        look.nameColumn = 0;
    look.sample = m_state->Chaine();
    look.points = m_state->Taille();
    look.bold = m_state->AttrGras();
    look.italic = m_state->AttrItal();
    look.underline = m_state->AttrSoul();
    look.favourites = m_state->favouriteSet();
    look.typography = m_state->typography();
    m_delegate->setLook(look);
    if (newSize)
        setLineHeight(lineHeightFor(m_state->Taille()));
    // A palette set again, even the same, has the whole list repainted later.
    const QColor text = toQColor(m_state->CouleurTexte());
    const QColor background = toQColor(m_state->CouleurFond());
    const bool newColours = colorsBefore.color(QPalette::Text) != text
        || colorsBefore.color(QPalette::Base) != background;
    if (newColours)
        setColors(text, background);
    const bool shownChanged = followFilter(ToSelection);
    // Nothing the lines show changed (a filter word that leaves the same lines): no repaint.
    if (shownChanged || !(look == before) || newColours)
        viewport()->repaint();
}

bool FontListView::followFilter(AfterFilter after)
{
    // Only a place kept needs the top line; asking for it lays out lines still waiting, and
    // that layout's update would paint the list a second time.
    const int topEntry = after == KeepPlace ? m_shown->entryOf(indexAt(QPoint(0, 0)).row()) : -1;
    // The filters test the faces the lines draw, at the lines' size.
    const double pixelSize = m_delegate->sampleStyle(logicalDpiY()).pixelSize * devicePixelRatioF();
    if (!m_shown->apply(*m_state, pixelSize))
        return false;
    // The reset leaves the lines to be laid out on a timer: laid out now, the repaint that
    // follows draws them, not an empty list, and they are drawn once.
    executeDelayedItemsLayout();
    // The reset dropped the selection: the line chosen last comes back when it is shown.
    const QModelIndex chosen = m_shown->index(m_shown->rowOf(m_chosenEntry), 0);
    if (chosen.isValid()) {
        const QScopedValueRollback quiet(m_selectingFromProgram, true);
        // A current line set scrolls to it unless told not to.
        const QScopedValueRollback still(m_keepingPlace, after == KeepPlace);
        setCurrentIndex(chosen);
    }
    const QModelIndex top = m_shown->index(m_shown->rowOf(topEntry), 0);
    if (after == KeepPlace && top.isValid())
        scrollTo(top, QAbstractItemView::PositionAtTop);
    else if (after == ToSelection && chosen.isValid())
        scrollTo(chosen, QAbstractItemView::PositionAtCenter);
    else if (after == ToSelection)
        scrollToTop();
    Q_EMIT shownFamiliesChanged();
    return true;
}

void FontListView::setNamesShown(bool shown)
{
    IndiqueNom->setChecked(shown);
    LineLook look = m_delegate->look();
    look.namesShown = shown;
    look.nameColumn = 0;
    m_delegate->setLook(look);
    viewport()->repaint();
}

bool FontListView::namesShown() const
{
    return m_delegate->look().namesShown;
}

int FontListView::LargeurNoms() const
{
    return m_delegate->look().nameColumn;
}

QRect FontListView::namesOnScreen() const
{
    return QRect(viewport()->mapToGlobal(QPoint(0, 0)),
                 QSize(m_delegate->namesEnd(viewport()->width()), viewport()->height()));
}

void FontListView::paintEvent(QPaintEvent *event)
{
    // The names' column is measured once the lines are drawn with names again.
    const LineLook &look = m_delegate->look();
    if (look.namesShown && look.nameColumn == 0 && m_model->rowCount() > 0) {
        LineLook measured = look;
        // Over every family, so that the samples stay where they are as a filter changes.
        measured.nameColumn = m_delegate->measureNameColumn(*m_model);
        m_delegate->setLook(measured);
    }
    QListView::paintEvent(event);
    if (m_shown->filtering() && m_shown->rowCount() == 0)
        paintNothingShown();
    if (!m_facesPreparationStarted && m_model->rowCount() > 0) {
        m_facesPreparationStarted = true;
        QTimer::singleShot(FacesPreparationDelayMs, m_prepareFaces, qOverload<>(&QTimer::start));
    }
}

// A filter that leaves no line says so, rather than showing what looks like an empty list.
void FontListView::paintNothingShown()
{
    QPainter painter(viewport());
    QColor grey = palette().color(QPalette::Text);
    grey.setAlphaF(0.5);
    painter.setPen(grey);
    painter.setFont(font());
    const QRect line(0, 0, viewport()->width(), 3 * fontMetrics().height());
    painter.drawText(line, Qt::AlignCenter,
                     QStringLiteral("Aucune police ne correspond au filtre"));
}

void FontListView::ListBox1Click()
{
    const int entry = selectedRow();
    if (namesShown() || entry < 0)
        return;
    m_nameTip = familyAt(entry);
    m_nameTipEnabled = true;
}

void FontListView::ListBox1MouseDown()
{
    if (!namesShown())
        m_nameTipEnabled = !m_nameTipEnabled;
}

void FontListView::FavoriClick()
{
    if (const int entry = selectedRow(); entry >= 0)
        Q_EMIT favouriteChosen(familyAt(entry));
}

void FontListView::mousePressEvent(QMouseEvent *event)
{
    // Before the selection that follows, which shows the tip again.
    ListBox1MouseDown();
    // Only the primary button selects; the secondary one asks for the line's menu.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    m_selectionReported = false;
    QListView::mousePressEvent(event);
    // A click on a line reports a selection even when that line was selected already.
    if (!m_selectionReported && indexAt(event->position().toPoint()).isValid())
        Q_EMIT selectionMadeByUser();
}

void FontListView::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() != QContextMenuEvent::Mouse) {
        // From the keyboard: the selected line, the menu at its start when it is in view.
        const QRect line = visualRect(currentIndex());
        const QPoint at = viewport()->rect().contains(line.center())
            ? line.bottomLeft() + QPoint(line.height(), 0)
            : QPoint(0, 0);
        openLineMenu(viewport()->mapToGlobal(at), selectedRow());
    } else {
        // The line clicked becomes the selection first, as in file managers: the menu acts on it.
        const QModelIndex line = indexAt(viewport()->mapFromGlobal(event->globalPos()));
        if (line.isValid() && !selectionModel()->isSelected(line))
            setCurrentIndex(line);
        openLineMenu(event->globalPos(), line.isValid() ? selectedRow() : -1);
    }
    event->accept();
}

void FontListView::openLineMenu(const QPoint &globalPos, int entry)
{
    LigneMenuPopup(entry);
    Q_EMIT lineMenuRequested(globalPos, entry);
    LigneMenu->exec(globalPos);
}

void FontListView::LigneMenuPopup(int entry)
{
    // The list has selected the line clicked: the entries act on the selection.
    Copiernomdelafonte1->setEnabled(entry >= 0);
    Favori->setEnabled(entry >= 0);
    DetailsPolice->setEnabled(entry >= 0);
    Favori->setText(entry >= 0 && m_state && m_state->isFavourite(familyAt(entry))
                        ? QStringLiteral("Retirer des favoris")
                        : QStringLiteral("Ajouter aux favoris"));
}

void FontListView::addLineAction(QAction *action)
{
    if (LigneMenu->actions().constLast() == DetailsPolice)
        LigneMenu->addSeparator();
    // A greyed entry may say why in its tooltip.
    LigneMenu->setToolTipsVisible(true);
    LigneMenu->addAction(action);
}

void FontListView::Copiernomdelafonte1Click()
{
    const int entry = selectedRow();
    if (entry >= 0)
        QGuiApplication::clipboard()->setText(familyAt(entry));
}

void FontListView::IndiqueNomClick()
{
    // The check mark has already flipped with the choice.
    setNamesShown(IndiqueNom->isChecked());
    if (IndiqueNom->isChecked())
        setNameTipEnabled(false);
}

void FontListView::setNamesSwitchEnabled(bool enabled)
{
    IndiqueNom->setEnabled(enabled);
}

bool FontListView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        // A name cut short in its column shows whole in its line's tooltip.
        const QString family = indexAt(help->pos()).data().toString();
        // Over its sample, a line drawn without some of the typography set says what it lacks.
        const bool onSample = help->pos().x() >= m_delegate->namesEnd(viewport()->width());
        if (const QList<QByteArray> lacking = m_delegate->lacking(family);
            !lacking.isEmpty() && onSample)
            QToolTip::showText(help->globalPos(),
                               TypographyNames::lackingTip(lacking, m_state->typography()),
                               viewport());
        else if (!family.isEmpty() && m_delegate->nameElided(family, viewport()->width()))
            QToolTip::showText(help->globalPos(), family, viewport());
        else if (m_nameTipEnabled && !m_nameTip.isEmpty())
            QToolTip::showText(help->globalPos(), m_nameTip, viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QListView::viewportEvent(event);
}
