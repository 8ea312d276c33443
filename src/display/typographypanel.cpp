#include "typographypanel.h"
#include "clearbutton.h"

#include "displaystate.h"
#include "drawnicon.h"
#include "languagechoices.h"
#include "namematch.h"
#include "typographynames.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QSet>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int TagRole = Qt::UserRole;
constexpr int FoldedRole = Qt::UserRole + 1;
constexpr int LabelRole = Qt::UserRole + 2;
// The sliders move in tenths of the axis's unit.
constexpr double SliderScale = 10;

QLabel *sectionTitle(const QString &text, QWidget *parent)
{
    auto *title = new QLabel(text, parent);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    return title;
}

// par défaut: partly checked, between the two others, where a click on a default feature goes on
// to "activée", then "désactivée", then back.
Qt::CheckState checkStateOf(const Typography &typography, const QByteArray &tag)
{
    const auto set = typography.features.constFind(tag);
    if (set == typography.features.cend())
        return Qt::PartiallyChecked;
    return *set ? Qt::Checked : Qt::Unchecked;
}

QString stateName(Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked:
        return QStringLiteral("activée");
    case Qt::Unchecked:
        return QStringLiteral("désactivée");
    default:
        return QStringLiteral("par défaut");
    }
}

} // namespace

TypographyPanel::TypographyPanel(QWidget *parent)
    : QWidget(parent)
    , m_search(new QLineEdit)
    , m_features(new QListWidget)
    , m_tag(new QLineEdit)
    , m_tagMessage(new QLabel)
    , m_axesBox(new QWidget)
    , m_axesGrid(new QGridLayout(m_axesBox))
    , m_noAxes(new QLabel(QStringLiteral("Aucune des polices affichées n'est variable.")))
    , m_language(new QComboBox)
    , m_spacing(new QSpinBox)
    , m_onlyOffering(
          new QCheckBox(QStringLiteral("N'afficher que les polices qui ont ces réglages")))
{
    setObjectName(QStringLiteral("PanneauTypographie"));
    setAccessibleName(QStringLiteral("Typographie"));
    setMinimumWidth(220);
    // Opened from the keyboard, the panel is searched first.
    setFocusProxy(m_search);

    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("FermerTypographie"));
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setAccessibleName(QStringLiteral("Fermer le panneau Typographie"));
    close->setToolTip(QStringLiteral("Fermer le panneau (Échap)"));
    connect(close, &QToolButton::clicked, this, &TypographyPanel::closeRequested);
    auto *header = new QHBoxLayout;
    header->addWidget(sectionTitle(QStringLiteral("Typographie"), this), 1);
    header->addWidget(close);

    auto *content = new QWidget;
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 4, 0);

    QLabel *featuresTitle = sectionTitle(QStringLiteral("Fonctionnalités OpenType"), content);
    featuresTitle->setBuddy(m_features);
    m_search->setObjectName(QStringLiteral("RechercheFonctionnalite"));
    m_search->setPlaceholderText(QStringLiteral("Chercher une fonctionnalité"));
    m_search->setAccessibleName(QStringLiteral("Chercher une fonctionnalité"));
    enableNamedClearButton(m_search);
    m_features->setObjectName(QStringLiteral("ListeFonctionnalites"));
    m_features->setAccessibleName(QStringLiteral("Fonctionnalités OpenType"));
    m_features->setToolTip(
        QStringLiteral("Cliquer sur la case : par défaut, puis activée, puis désactivée\n"
                       "Le nombre est celui des familles affichées qui ont la fonctionnalité"));
    m_features->setUniformItemSizes(true);
    m_features->setMinimumHeight(140);
    m_tag->setObjectName(QStringLiteral("EtiquetteFonctionnalite"));
    m_tag->setPlaceholderText(QStringLiteral("Autre étiquette, puis Entrée"));
    m_tag->setAccessibleName(QStringLiteral("Activer une fonctionnalité par son étiquette"));
    m_tag->setToolTip(QStringLiteral("Une étiquette OpenType de quatre caractères ASCII, comme "
                                     "« ss01 » : la fonctionnalité est activée"));
    m_tagMessage->setObjectName(QStringLiteral("MessageEtiquette"));
    m_tagMessage->setWordWrap(true);
    QPalette warning = m_tagMessage->palette();
    warning.setColor(QPalette::WindowText, QColor(0xa0, 0x10, 0x10));
    m_tagMessage->setPalette(warning);
    m_tagMessage->hide();
    column->addWidget(featuresTitle);
    column->addWidget(m_search);
    column->addWidget(m_features, 1);
    column->addWidget(m_tag);
    column->addWidget(m_tagMessage);

    column->addWidget(sectionTitle(QStringLiteral("Axes variables"), content));
    m_noAxes->setObjectName(QStringLiteral("AucunAxe"));
    m_noAxes->setWordWrap(true);
    m_axesGrid->setContentsMargins(0, 0, 0, 0);
    m_axesGrid->setColumnStretch(0, 1);
    column->addWidget(m_noAxes);
    column->addWidget(m_axesBox);

    QLabel *languageTitle = sectionTitle(QStringLiteral("Langue du texte"), content);
    languageTitle->setBuddy(m_language);
    m_language->setObjectName(QStringLiteral("LangueTexte"));
    m_language->setAccessibleName(QStringLiteral("Langue du texte"));
    m_language->setToolTip(
        QStringLiteral("Les polices dessinent les formes propres à cette langue"));
    column->addWidget(languageTitle);
    column->addWidget(m_language);

    QLabel *spacingTitle = sectionTitle(QStringLiteral("Espacement des lettres"), content);
    spacingTitle->setBuddy(m_spacing);
    m_spacing->setObjectName(QStringLiteral("EspacementLettres"));
    m_spacing->setAccessibleName(QStringLiteral("Espacement des lettres, en millièmes d'em"));
    m_spacing->setRange(Typography::MinimumSpacing, Typography::MaximumSpacing);
    m_spacing->setSingleStep(10);
    auto *spacingRow = new QHBoxLayout;
    spacingRow->addWidget(m_spacing);
    spacingRow->addWidget(new QLabel(QStringLiteral("millièmes d'em"), content), 1);
    column->addWidget(spacingTitle);
    column->addLayout(spacingRow);

    m_onlyOffering->setObjectName(QStringLiteral("AvecCesReglages"));
    m_onlyOffering->setToolTip(QStringLiteral("Les polices dont la face de la ligne a toutes les "
                                              "fonctionnalités et tous les axes réglés ici"));
    column->addWidget(m_onlyOffering);
    auto *reset = new QPushButton(QStringLiteral("Tout par défaut"), content);
    reset->setObjectName(QStringLiteral("ToutParDefaut"));
    column->addWidget(reset);

    auto *scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 0, 2);
    layout->addLayout(header);
    layout->addWidget(scroll, 1);

    connect(m_search, &QLineEdit::textChanged, this, &TypographyPanel::showFeaturesMatching);
    connect(m_features, &QListWidget::itemChanged, this, &TypographyPanel::featureChanged);
    connect(m_tag, &QLineEdit::returnPressed, this, &TypographyPanel::addTypedTag);
    connect(m_language, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_following)
            edit([&](Typography &typography) {
                typography.language = m_language->currentData().toString();
            });
    });
    connect(m_spacing, &QSpinBox::valueChanged, this, [this](int spacing) {
        if (!m_following)
            edit([&](Typography &typography) { typography.letterSpacing = spacing; });
    });
    connect(m_onlyOffering, &QCheckBox::toggled, this, [this](bool only) {
        if (m_following || !m_state)
            return;
        FamilyFilter filter = m_state->filter();
        filter.hasTypography = only;
        m_state->setFilter(filter);
    });
    connect(reset, &QPushButton::clicked, this, [this] {
        if (m_state)
            m_state->setTypography({});
    });
}

TypographyPanel::~TypographyPanel() = default;

QIcon TypographyPanel::buttonIcon()
{
    return paintedIcon([](QPainter &painter) {
        const QColor dark(0x30, 0x30, 0x30);
        painter.setPen(QPen(dark, 1.4, Qt::SolidLine, Qt::RoundCap));
        const double knobs[] = {10.5, 4.5, 8.5};
        for (int line = 0; line < 3; ++line) {
            const double y = 3.5 + line * 4.5;
            painter.drawLine(QPointF(1.5, y), QPointF(14.5, y));
        }
        painter.setBrush(QColor(0x1a, 0x6f, 0xc0));
        painter.setPen(QPen(dark, 1));
        for (int line = 0; line < 3; ++line)
            painter.drawEllipse(QPointF(knobs[line], 3.5 + line * 4.5), 2.2, 2.2);
    });
}

void TypographyPanel::setDisplayState(DisplayState *state)
{
    m_state = state;
    connect(state, &DisplayState::changed, this, [this](DisplayState::Aspects what) {
        if (what & (DisplayState::Typography | DisplayState::Filter))
            followState();
    });
    followState();
}

void TypographyPanel::setInventorySource(std::function<TypographyInventory()> source)
{
    m_source = std::move(source);
    familiesChanged();
}

void TypographyPanel::familiesChanged()
{
    m_countDue = true;
    // Counted once the change that caused it is over: it may come from a line of this panel's
    // list (a feature set while the list keeps the families that have it), which counting
    // fills anew.
    if (isVisible())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_countDue && isVisible())
                    countAgain();
            },
            Qt::QueuedConnection);
}

void TypographyPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_language->count() == 0)
        fillLanguages();
    if (m_countDue)
        countAgain();
}

void TypographyPanel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        Q_EMIT closeRequested();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Kept here, where a button of the panel takes it as a click: the window would take
        // Enter as its "ok".
        if (auto *button = qobject_cast<QAbstractButton *>(focusWidget());
            button && !qobject_cast<QCheckBox *>(button))
            button->click();
        event->accept();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TypographyPanel::countAgain()
{
    m_countDue = false;
    TypographyInventory inventory = m_source ? m_source() : TypographyInventory();
    // The index's progress often changes nothing the panel shows.
    if (inventory == m_inventory && m_features->count() > 0)
        return;
    m_inventory = std::move(inventory);
    fillFeatures();
    fillAxes();
}

void TypographyPanel::edit(const std::function<void(Typography &)> &change)
{
    if (!m_state)
        return;
    Typography typography = m_state->typography();
    change(typography);
    m_state->setTypography(typography);
}

// Named features first, as French words (the stylistic sets in their order), then the others by
// their tag. A feature set but offered by no family shown stays listed, so that it can be reset.
void TypographyPanel::fillFeatures()
{
    QMap<QByteArray, int> counts = m_inventory.features;
    if (m_state) {
        for (auto set = m_state->typography().features.cbegin();
             set != m_state->typography().features.cend(); ++set)
            counts.insert(set.key(), counts.value(set.key(), 0));
    }
    struct Entry
    {
        QByteArray tag;
        QString name;
        int families;
    };
    QList<Entry> entries;
    for (auto count = counts.cbegin(); count != counts.cend(); ++count)
        entries.append({count.key(), TypographyNames::featureName(count.key()), count.value()});
    QCollator collator(QLocale(QLocale::French));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        if (a.name.isEmpty() != b.name.isEmpty())
            return b.name.isEmpty();
        return a.name.isEmpty() ? a.tag < b.tag : collator.compare(a.name, b.name) < 0;
    });

    const QScopedValueRollback following(m_following, true);
    m_features->clear();
    for (const Entry &entry : std::as_const(entries)) {
        const QString label = TypographyNames::featureLabel(entry.tag, entry.families);
        auto *item = new QListWidgetItem(label, m_features);
        item->setData(TagRole, entry.tag);
        item->setData(LabelRole, label);
        item->setData(FoldedRole,
                      NameMatch::folded(entry.name + u' ' + QString::fromLatin1(entry.tag)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                       | Qt::ItemIsUserTristate);
        showFeatureState(item);
    }
    showFeaturesMatching();
}

void TypographyPanel::showFeatureState(QListWidgetItem *item) const
{
    const Qt::CheckState state = m_state
        ? checkStateOf(m_state->typography(), item->data(TagRole).toByteArray())
        : Qt::PartiallyChecked;
    item->setCheckState(state);
    // A screen reader names the middle state "partially checked": the name says which it is.
    const QString name
        = item->data(LabelRole).toString() + QStringLiteral(" : ") + stateName(state);
    item->setData(Qt::AccessibleTextRole, name);
}

void TypographyPanel::featureChanged(QListWidgetItem *item)
{
    if (m_following)
        return;
    const QByteArray tag = item->data(TagRole).toByteArray();
    const Qt::CheckState state = item->checkState();
    edit([&](Typography &typography) {
        if (state == Qt::PartiallyChecked)
            typography.features.remove(tag);
        else
            typography.features.insert(tag, state == Qt::Checked);
    });
}

void TypographyPanel::showFeaturesMatching()
{
    const QStringList words = NameMatch::words(m_search->text());
    for (int row = 0; row < m_features->count(); ++row) {
        QListWidgetItem *item = m_features->item(row);
        item->setHidden(!NameMatch::matches(item->data(FoldedRole).toString(), words));
    }
}

QString TypographyPanel::tagRefusal(const QString &typed)
{
    const QString example = QStringLiteral("comme « smcp » ou « ss01 »");
    if (typed.isEmpty())
        return QStringLiteral("Tapez une étiquette de quatre caractères, ") + example + u'.';
    for (const QChar c : typed) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return QStringLiteral("« %1 » n'est pas une étiquette OpenType : elle ne peut avoir "
                                  "que des lettres, chiffres et signes ASCII, ")
                       .arg(typed)
                + example + u'.';
    }
    if (typed.size() != 4)
        return QStringLiteral("« %1 » n'est pas une étiquette OpenType : elle a quatre "
                              "caractères, ")
                   .arg(typed)
            + example + u'.';
    return {};
}

void TypographyPanel::addTypedTag()
{
    const QString typed = m_tag->text();
    const QString refusal = tagRefusal(typed);
    m_tagMessage->setText(refusal);
    m_tagMessage->setVisible(!refusal.isEmpty());
    if (!refusal.isEmpty())
        return;
    const QByteArray tag = typed.toLatin1();
    edit([&](Typography &typography) { typography.features.insert(tag, true); });
    m_tag->clear();
    for (int row = 0; row < m_features->count(); ++row) {
        QListWidgetItem *item = m_features->item(row);
        if (item->data(TagRole).toByteArray() == tag) {
            item->setHidden(false);
            m_features->setCurrentItem(item);
            m_features->scrollToItem(item);
        }
    }
}

// One row per axis of the families shown, and per axis set that none of them has (its value
// alone, so that it can be reset).
void TypographyPanel::fillAxes()
{
    for (const AxisRow &row : m_axes) {
        delete row.label;
        delete row.slider;
        delete row.value;
        delete row.byDefault;
    }
    m_axes.clear();
    QMap<QByteArray, TypographyInventory::Axis> axes = m_inventory.axes;
    if (m_state) {
        for (auto set = m_state->typography().axes.cbegin();
             set != m_state->typography().axes.cend(); ++set) {
            if (!axes.contains(set.key()))
                axes.insert(set.key(), {set.value(), set.value(), set.value()});
        }
    }
    const QScopedValueRollback following(m_following, true);
    for (auto axis = axes.cbegin(); axis != axes.cend(); ++axis) {
        const QByteArray tag = axis.key();
        const QString name = QString::fromLatin1(tag);
        const QString label = TypographyNames::axisLabel(tag);
        AxisRow row {tag,
                     axis->defaultValue,
                     new QLabel(label, m_axesBox),
                     new QSlider(Qt::Horizontal, m_axesBox),
                     new QDoubleSpinBox(m_axesBox),
                     new QCheckBox(QStringLiteral("par défaut"), m_axesBox)};
        row.slider->setObjectName(QStringLiteral("Axe_") + name);
        row.slider->setAccessibleName(label);
        row.slider->setRange(int(std::floor(axis->minimum * SliderScale)),
                             int(std::ceil(axis->maximum * SliderScale)));
        row.slider->setEnabled(axis->minimum < axis->maximum);
        row.value->setObjectName(QStringLiteral("ValeurAxe_") + name);
        row.value->setAccessibleName(label);
        row.value->setLocale(QLocale(QLocale::French));
        row.value->setDecimals(2);
        row.value->setRange(axis->minimum, axis->maximum);
        row.value->setSingleStep(axis->maximum - axis->minimum >= 10 ? 1 : 0.1);
        row.byDefault->setObjectName(QStringLiteral("AxeParDefaut_") + name);
        row.byDefault->setAccessibleName(label + QStringLiteral(" par défaut"));
        const int line = int(m_axes.size()) * 2;
        m_axesGrid->addWidget(row.label, line, 0, 1, 3);
        m_axesGrid->addWidget(row.slider, line + 1, 0);
        m_axesGrid->addWidget(row.value, line + 1, 1);
        m_axesGrid->addWidget(row.byDefault, line + 1, 2);
        connect(row.slider, &QSlider::valueChanged, this, [this, tag](int position) {
            if (!m_following)
                setAxis(tag, position / SliderScale);
        });
        connect(row.value, &QDoubleSpinBox::valueChanged, this, [this, tag](double value) {
            if (!m_following)
                setAxis(tag, value);
        });
        QDoubleSpinBox *value = row.value;
        connect(row.byDefault, &QCheckBox::toggled, this, [this, tag, value](bool byDefault) {
            if (m_following)
                return;
            if (byDefault)
                edit([&](Typography &typography) { typography.axes.remove(tag); });
            else
                setAxis(tag, value->value());
        });
        showAxisState(row);
        m_axes.push_back(row);
    }
    m_noAxes->setVisible(m_axes.empty());
    m_axesBox->setVisible(!m_axes.empty());
}

void TypographyPanel::setAxis(const QByteArray &tag, double value)
{
    edit([&](Typography &typography) { typography.axes.insert(tag, value); });
}

void TypographyPanel::showAxisState(const AxisRow &row) const
{
    const QMap<QByteArray, double> &axes
        = m_state ? m_state->typography().axes : QMap<QByteArray, double>();
    const auto set = axes.constFind(row.tag);
    const double value = set != axes.cend() ? *set : row.defaultValue;
    row.slider->setValue(int(std::lround(value * SliderScale)));
    row.value->setValue(value);
    row.byDefault->setChecked(set == axes.cend());
}

void TypographyPanel::fillLanguages()
{
    const QScopedValueRollback following(m_following, true);
    m_language->addItem(QStringLiteral("Aucune (par défaut)"), QString());
    for (const LanguageChoice &language : languagesByFrenchName())
        m_language->addItem(language.name, language.code);
    followState();
}

// The controls show the state's typography, whoever set it ("Tout par défaut", "défaut", the
// settings read at start).
void TypographyPanel::followState()
{
    if (!m_state)
        return;
    const Typography &typography = m_state->typography();
    const QScopedValueRollback following(m_following, true);

    QSet<QByteArray> listed;
    for (int row = 0; row < m_features->count(); ++row) {
        QListWidgetItem *item = m_features->item(row);
        listed.insert(item->data(TagRole).toByteArray());
        showFeatureState(item);
    }
    const QList<QByteArray> featuresSet = typography.features.keys();
    if (std::any_of(featuresSet.cbegin(), featuresSet.cend(),
                    [&](const QByteArray &tag) { return !listed.contains(tag); }))
        fillFeatures();

    QSet<QByteArray> rows;
    for (const AxisRow &row : m_axes) {
        rows.insert(row.tag);
        showAxisState(row);
    }
    const QList<QByteArray> axesSet = typography.axes.keys();
    if (std::any_of(axesSet.cbegin(), axesSet.cend(),
                    [&](const QByteArray &tag) { return !rows.contains(tag); }))
        fillAxes();

    if (m_language->count() > 0)
        m_language->setCurrentIndex(std::max(0, m_language->findData(typography.language)));
    m_spacing->setValue(typography.letterSpacing);
    m_onlyOffering->setChecked(m_state->filter().hasTypography);
}
