#include "filtermenu.h"
#include "clearbutton.h"

#include "displaystate.h"
#include "facemetadata.h"
#include "familytraits.h"
#include "fontlanguages.h"
#include "languagechoices.h"
#include "namematch.h"
#include "samplesentences.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <QWidgetAction>

#include <algorithm>

namespace {

struct PropertyEntry
{
    FamilyTraits::Property property;
    const char *label;
};

constexpr PropertyEntry Properties[] = {
    {FamilyTraits::Monospaced, "Chasse fixe"}, {FamilyTraits::Variable, "Variable"},
    {FamilyTraits::Colour, "Couleur"},         {FamilyTraits::Symbol, "Symboles"},
    {FamilyTraits::RealBold, "A un gras"},     {FamilyTraits::RealItalic, "A un italique"},
};

struct ClassEntry
{
    FontClass fontClass;
    const char *label;
};

constexpr ClassEntry Classes[] = {
    {FontClass::Serif, "Avec empattements"},  {FontClass::SansSerif, "Sans empattements"},
    {FontClass::Script, "Manuscrite"},        {FontClass::Decorative, "Décorative"},
    {FontClass::Unclassified, "Non classée"},
};

constexpr int CodeRole = Qt::UserRole;
constexpr int NameRole = Qt::UserRole + 1;
constexpr int FoldedRole = Qt::UserRole + 2;

} // namespace

FilterMenu::FilterMenu(QWidget *parent)
    : QMenu(parent)
    , m_languages(addMenu(QStringLiteral("Langues")))
    , m_languageSearch(new QLineEdit)
    , m_languageList(new QListWidget)
{
    setObjectName(QStringLiteral("FiltresMenu"));
    m_languages->setObjectName(QStringLiteral("Langues"));

    // The language list sits in the menu with its search field: about 250 entries.
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    m_languageSearch->setObjectName(QStringLiteral("RechercheLangue"));
    m_languageSearch->setPlaceholderText(QStringLiteral("Chercher une langue"));
    m_languageSearch->setAccessibleName(QStringLiteral("Chercher une langue"));
    enableNamedClearButton(m_languageSearch);
    m_languageList->setObjectName(QStringLiteral("ListeLangues"));
    m_languageList->setAccessibleName(QStringLiteral("Langues"));
    m_languageList->setMinimumSize(240, 320);
    layout->addWidget(m_languageSearch);
    layout->addWidget(m_languageList);
    auto *languagePanel = new QWidgetAction(m_languages);
    languagePanel->setDefaultWidget(panel);
    m_languages->addAction(languagePanel);
    connect(m_languages, &QMenu::aboutToShow, this, [this] {
        buildLanguageList();
        showLanguageCounts();
        // The last search stays in view, chosen whole: typing replaces it.
        m_languageSearch->selectAll();
        m_languageSearch->setFocus();
    });
    connect(m_languageSearch, &QLineEdit::textChanged, this, &FilterMenu::showLanguagesMatching);
    m_languageSearch->installEventFilter(this);
    m_languageList->installEventFilter(this);
    connect(m_languageList, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (m_following)
            return;
        const QString code = item->data(CodeRole).toString();
        const bool chosen = item->checkState() == Qt::Checked;
        edit([&](FamilyFilter &filter) {
            filter.languages.removeAll(code);
            if (chosen)
                filter.languages.append(code);
        });
    });

    QMenu *properties = addMenu(QStringLiteral("Propriétés"));
    properties->setObjectName(QStringLiteral("Proprietes"));
    for (const PropertyEntry &entry : Properties) {
        QAction *action = properties->addAction(QString::fromUtf8(entry.label));
        action->setCheckable(true);
        action->setData(unsigned(entry.property));
        m_properties.append(action);
        connect(action, &QAction::toggled, this, [this, property = entry.property](bool on) {
            if (!m_following)
                edit([&](FamilyFilter &filter) {
                    filter.properties = on ? filter.properties | property
                                           : filter.properties & ~unsigned(property);
                });
        });
    }

    // What the fonts say they are (the font index): a family shows under one of those chosen.
    QMenu *classes = addMenu(QStringLiteral("Classement"));
    classes->setObjectName(QStringLiteral("Classement"));
    for (const ClassEntry &entry : Classes) {
        QAction *action = classes->addAction(QString::fromUtf8(entry.label));
        action->setCheckable(true);
        const unsigned bit = 1u << unsigned(entry.fontClass);
        action->setData(bit);
        m_classes.append(action);
        connect(action, &QAction::toggled, this, [this, bit](bool on) {
            if (!m_following)
                edit([&](FamilyFilter &filter) {
                    filter.classes = on ? filter.classes | bit : filter.classes & ~bit;
                });
        });
    }

    m_favouritesOnly = addAction(QStringLiteral("Favoris seulement"));
    m_favouritesOnly->setObjectName(QStringLiteral("FavorisSeulement"));
    m_favouritesOnly->setCheckable(true);
    connect(m_favouritesOnly, &QAction::toggled, this, [this](bool on) {
        if (!m_following)
            edit([&](FamilyFilter &filter) { filter.favouritesOnly = on; });
    });

    m_sampleSentence = addAction(QStringLiteral("Exemple dans cette langue"));
    m_sampleSentence->setObjectName(QStringLiteral("ExempleLangue"));
    connect(m_sampleSentence, &QAction::triggered, this, [this] {
        if (m_state && m_state->filter().languages.size() == 1) {
            const QString sentence
                = SampleSentences::forLanguage(m_state->filter().languages.first());
            if (!sentence.isEmpty())
                Q_EMIT sampleSentenceChosen(sentence);
        }
    });

    addSeparator();
    m_clearAll = addAction(QStringLiteral("Tout effacer"));
    m_clearAll->setObjectName(QStringLiteral("ToutEffacer"));
    connect(m_clearAll, &QAction::triggered, this,
            [this] { edit([](FamilyFilter &filter) { filter = FamilyFilter(); }); });

    connect(this, &QMenu::aboutToShow, this, &FilterMenu::followState);
}

// The language panel by keyboard: Down or Enter from the search field to the first language
// shown, Space or Enter on a language chooses it or leaves it, letters search again.
bool FilterMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QMenu::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == m_languageSearch && (enter || key == Qt::Key_Down)) {
        for (int row = 0; row < m_languageList->count(); ++row) {
            if (!m_languageList->item(row)->isHidden()) {
                m_languageList->setCurrentRow(row);
                break;
            }
        }
        m_languageList->setFocus();
        return true;
    }
    if (watched == m_languageList && (enter || key == Qt::Key_Space)) {
        if (QListWidgetItem *item = m_languageList->currentItem())
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        return true;
    }
    // Letters typed on the list start a new search.
    const QString typed = static_cast<QKeyEvent *>(event)->text();
    if (watched == m_languageList && !typed.isEmpty() && typed.at(0).isPrint()) {
        m_languageSearch->setFocus();
        m_languageSearch->selectAll();
        QCoreApplication::sendEvent(m_languageSearch, event);
        return true;
    }
    return QMenu::eventFilter(watched, event);
}

void FilterMenu::setDisplayState(DisplayState *state)
{
    m_state = state;
    // The language counts count the lines shown, which the sample and size change too.
    const DisplayState::Aspects counted = DisplayState::Filter | DisplayState::Favourites
        | DisplayState::Sample | DisplayState::Size;
    connect(state, &DisplayState::changed, this, [this, counted](DisplayState::Aspects what) {
        if (!(what & counted) || !isVisible())
            return; // followed when shown
        followState();
        if (m_languages->isVisible())
            showLanguageCounts();
    });
}

void FilterMenu::setLanguageCounts(std::function<QList<int>()> counts)
{
    m_counts = std::move(counts);
}

void FilterMenu::edit(const std::function<void(FamilyFilter &)> &change)
{
    if (!m_state)
        return;
    FamilyFilter filter = m_state->filter();
    change(filter);
    m_state->setFilter(filter);
}

// The entries, named in French and sorted as words, are made the first time they are shown.
void FilterMenu::buildLanguageList()
{
    if (m_languageList->count() > 0)
        return;
    const QScopedValueRollback following(m_following, true);
    for (const LanguageChoice &language : languagesByFrenchName()) {
        auto *item = new QListWidgetItem(language.name, m_languageList);
        item->setData(CodeRole, language.code);
        item->setData(NameRole, language.name);
        item->setData(FoldedRole, NameMatch::folded(language.name + u' ' + language.code));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    followState();
}

void FilterMenu::showLanguageCounts()
{
    if (m_languageList->count() == 0)
        return;
    const QList<int> counts = m_counts ? m_counts() : QList<int>();
    const QLocale french(QLocale::French);
    const QScopedValueRollback following(m_following, true);
    for (int row = 0; row < m_languageList->count(); ++row) {
        QListWidgetItem *item = m_languageList->item(row);
        const int index = FontLanguages::indexOf(item->data(CodeRole).toString());
        const int count = index >= 0 && index < counts.size() ? counts[index] : 0;
        item->setText(item->data(NameRole).toString() + QStringLiteral(" (")
                      + french.toString(count) + u')');
    }
}

void FilterMenu::showLanguagesMatching(const QString &search)
{
    const QStringList words = NameMatch::words(search);
    for (int row = 0; row < m_languageList->count(); ++row) {
        QListWidgetItem *item = m_languageList->item(row);
        item->setHidden(!NameMatch::matches(item->data(FoldedRole).toString(), words));
    }
}

// The entries show the state's filter, whoever changed it ("Tout effacer", another window).
void FilterMenu::followState()
{
    if (!m_state)
        return;
    const FamilyFilter &filter = m_state->filter();
    const QScopedValueRollback following(m_following, true);
    for (int row = 0; row < m_languageList->count(); ++row) {
        QListWidgetItem *item = m_languageList->item(row);
        const bool chosen = filter.languages.contains(item->data(CodeRole).toString());
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
    for (QAction *action : std::as_const(m_properties))
        action->setChecked(filter.properties & action->data().toUInt());
    for (QAction *action : std::as_const(m_classes))
        action->setChecked(filter.classes & action->data().toUInt());
    m_favouritesOnly->setChecked(filter.favouritesOnly);
    m_sampleSentence->setEnabled(
        filter.languages.size() == 1
        && !SampleSentences::forLanguage(filter.languages.first()).isEmpty());
}

QString FilterMenu::summary(const FamilyFilter &filter)
{
    QStringList parts;
    for (const QString &code : filter.languages)
        parts.append(FontLanguages::frenchName(code));
    for (const PropertyEntry &entry : Properties) {
        if (filter.properties & entry.property)
            parts.append(QString::fromUtf8(entry.label).toLower());
    }
    QStringList classes;
    for (const ClassEntry &entry : Classes) {
        if (filter.classes & (1u << unsigned(entry.fontClass)))
            classes.append(QString::fromUtf8(entry.label).toLower());
    }
    if (!classes.isEmpty())
        parts.append(classes.join(QStringLiteral(" ou ")));
    if (filter.favouritesOnly)
        parts.append(QStringLiteral("favoris"));
    if (filter.hasTypography)
        parts.append(QStringLiteral("a ces réglages"));
    if (filter.canWriteSample)
        parts.append(QStringLiteral("peut écrire l'exemple"));
    return parts.join(QStringLiteral(" + "));
}
