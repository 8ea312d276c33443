#pragma once

#include "typography.h"
#include "typographyinventory.h"

#include <QIcon>
#include <QWidget>

#include <functional>
#include <vector>

class DisplayState;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSlider;
class QSpinBox;

// The "Typographie" side panel: the OpenType features the families shown have (each par défaut,
// activée or désactivée, with how many families have it), their variation axes, the text's
// language for shaping and the letter spacing. Its controls set the display state's typography,
// and show it whoever set it; a switch keeps only the families that have the features and axes
// set.
class TypographyPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TypographyPanel(QWidget *parent = nullptr);
    ~TypographyPanel() override;

    void setDisplayState(DisplayState *state);
    // What the families shown offer: asked when the panel shows, and again soon after they change
    // while it shows.
    void setInventorySource(std::function<TypographyInventory()> source);
    // The families shown, or what the index knows of them, changed.
    void familiesChanged();

    // Why the text typed is no feature tag, in French; empty when it is one.
    static QString tagRefusal(const QString &typed);
    // The icon of the button that opens the panel: sliders, as the panel's controls are.
    static QIcon buttonIcon();

Q_SIGNALS:
    // The panel's close button, or Escape in it.
    void closeRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct AxisRow
    {
        QByteArray tag;
        double defaultValue = 0; // shown while the axis is not set
        QLabel *label;
        QSlider *slider;
        QDoubleSpinBox *value;
        QCheckBox *byDefault;
    };
    void countAgain();
    void fillFeatures();
    void fillAxes();
    void fillLanguages();
    void followState();
    void showFeaturesMatching();
    void addTypedTag();
    void featureChanged(QListWidgetItem *item);
    void showFeatureState(QListWidgetItem *item) const;
    void showAxisState(const AxisRow &row) const;
    void setAxis(const QByteArray &tag, double value);
    void edit(const std::function<void(Typography &)> &change);

    DisplayState *m_state = nullptr;
    std::function<TypographyInventory()> m_source;
    TypographyInventory m_inventory;
    bool m_countDue = true; // the families changed while the panel was hidden
    bool m_following = false; // the controls are being set from the state, not by the user

    QLineEdit *m_search;
    QListWidget *m_features;
    QLineEdit *m_tag;
    QLabel *m_tagMessage;
    QWidget *m_axesBox;
    QGridLayout *m_axesGrid;
    QLabel *m_noAxes;
    std::vector<AxisRow> m_axes;
    QComboBox *m_language;
    QSpinBox *m_spacing;
    QCheckBox *m_onlyOffering; // the filter: only the families that have what is set
};
