#include "filterbar.h"
#include "clearbutton.h"

#include "displaystate.h"
#include "drawnicon.h"
#include "filtermenu.h"
#include "typographynames.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QToolButton>

namespace {

// A letter with a tick: the sample's letters are all there.
QIcon canWriteIcon()
{
    return paintedIcon([](QPainter &painter) {
        painter.setPen(
            QPen(QColor(0x30, 0x30, 0x30), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath letter;
        letter.moveTo(1.5, 13.5);
        letter.lineTo(5.5, 2.5);
        letter.lineTo(9.5, 13.5);
        letter.moveTo(3, 9.5);
        letter.lineTo(8, 9.5);
        painter.drawPath(letter);
        painter.setPen(
            QPen(QColor(0x1a, 0x8f, 0x2e), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(8.5, 10);
        tick.lineTo(11, 13);
        tick.lineTo(15, 6);
        painter.drawPath(tick);
    });
}

} // namespace

FilterBar::FilterBar(QWidget *parent)
    : QWidget(parent)
    , m_field(new QLineEdit(this))
    , m_canWrite(new QToolButton(this))
    , m_filters(new QToolButton(this))
    , m_menu(new FilterMenu(this))
    , m_summary(new QLabel(this))
{
    m_field->setObjectName(QStringLiteral("Filtre"));
    m_field->setPlaceholderText(QStringLiteral("Filtrer les polices (Ctrl+F)"));
    m_field->setAccessibleName(QStringLiteral("Filtrer les polices"));
    m_field->setAccessibleDescription(
        QStringLiteral("Tous les mots tapés doivent figurer dans le nom de la police"));
    m_field->setToolTip(
        QStringLiteral("Filtrer la liste : tous les mots tapés doivent figurer dans le nom"));
    enableNamedClearButton(m_field);
    // Room for the placeholder, as much as the tab strip leaves beside the tabs.
    m_fieldRoom
        = std::min(210, m_field->fontMetrics().horizontalAdvance(m_field->placeholderText()) + 36);
    m_field->setMinimumWidth(m_fieldRoom);
    m_field->installEventFilter(this);

    m_canWrite->setObjectName(QStringLiteral("PeutEcrire"));
    m_canWrite->setCheckable(true);
    m_canWrite->setIcon(canWriteIcon());
    m_canWrite->setAutoRaise(true);
    m_canWrite->setAccessibleName(QStringLiteral("Peut écrire l'exemple"));
    m_canWrite->setAccessibleDescription(
        QStringLiteral("N'afficher que les polices qui ont tous les caractères de l'exemple"));
    m_canWrite->setToolTip(
        QStringLiteral("N'afficher que les polices qui ont tous les caractères de l'exemple"));

    m_filters->setObjectName(QStringLiteral("Filtres"));
    m_filters->setText(QStringLiteral("Filtres"));
    m_filters->setAccessibleName(QStringLiteral("Filtres"));
    m_filters->setToolTip(
        QStringLiteral("Langues, propriétés et favoris : n'afficher que les polices choisies"));
    m_filters->setMenu(m_menu);
    m_filters->setPopupMode(QToolButton::InstantPopup);
    m_filters->setAutoRaise(true);

    m_summary->setObjectName(QStringLiteral("FiltresActifs"));
    m_summary->setAccessibleName(QStringLiteral("Filtres actifs"));
    m_summary->setContentsMargins(4, 1, 4, 1);
    m_summary->hide();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 2, 1);
    layout->setSpacing(2);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_canWrite);
    layout->addWidget(m_filters);

    connect(m_field, &QLineEdit::textChanged, this, &FilterBar::edit);
    connect(m_canWrite, &QToolButton::toggled, this, &FilterBar::edit);
}

void FilterBar::setDisplayState(DisplayState *state)
{
    m_state = state;
    m_menu->setDisplayState(state);
    connect(state, &DisplayState::changed, this, [this](DisplayState::Aspects what) {
        if (what & (DisplayState::Filter | DisplayState::Typography))
            followState();
    });
    followState();
}

void FilterBar::followState()
{
    const FamilyFilter &filter = m_state->filter();
    // Setting what the state holds changes nothing in it.
    if (m_field->text() != filter.words)
        m_field->setText(filter.words);
    m_canWrite->setChecked(filter.canWriteSample);
    // The typography set is named beside the filters: a list drawn with small capitals says so.
    const QString filters = FilterMenu::summary(filter);
    const QString typography = TypographyNames::summary(m_state->typography());
    QStringList parts;
    QStringList spoken;
    if (!filters.isEmpty()) {
        parts.append(filters);
        spoken.append(QStringLiteral("Filtres actifs : ") + filters);
    }
    if (!typography.isEmpty()) {
        parts.append(typography);
        spoken.append(QStringLiteral("Typographie : ") + typography);
    }
    const QString summary = parts.join(QStringLiteral(" · "));
    if (summary == m_summary->text())
        return; // a word typed in the field changes nothing here
    m_summary->setText(summary);
    // A screen reader reads a named label by its name only: the name says what is on.
    m_summary->setAccessibleName(spoken.isEmpty() ? QStringLiteral("Filtres actifs")
                                                  : spoken.join(QStringLiteral(" ; ")));
    m_summary->setVisible(!summary.isEmpty());
}

void FilterBar::edit()
{
    if (!m_state)
        return;
    FamilyFilter filter = m_state->filter();
    filter.words = m_field->text();
    filter.canWriteSample = m_canWrite->isChecked();
    m_state->setFilter(filter);
}

void FilterBar::addControl(QWidget *control, Side side)
{
    auto *row = static_cast<QHBoxLayout *>(layout());
    if (side == Side::Leading)
        row->insertWidget(0, control);
    else
        row->insertWidget(row->indexOf(m_filters), control);
    m_added.append(control);
    control->installEventFilter(this);
    fitField();
}

void FilterBar::fitField()
{
    int room = m_fieldRoom;
    for (const QWidget *control : std::as_const(m_added)) {
        if (!control->isHidden())
            room -= control->sizeHint().width() + layout()->spacing();
    }
    m_field->setMinimumWidth(std::max(m_fieldRoom / 3, room));
}

QList<QWidget *> FilterBar::controls() const
{
    QList<QWidget *> controls;
    for (int i = 0; i < layout()->count(); ++i) {
        if (QWidget *control = layout()->itemAt(i)->widget())
            controls.append(control);
    }
    return controls;
}

void FilterBar::focusField()
{
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

bool FilterBar::eventFilter(QObject *watched, QEvent *event)
{
    if (m_added.contains(watched)
        && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        fitField();
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Escape:
        m_field->clear();
        Q_EMIT backToList();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Taken here: the window would read Enter as its "ok".
        Q_EMIT toFirstLine();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
