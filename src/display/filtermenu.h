#pragma once

#include <QMenu>

#include <functional>

class DisplayState;
struct FamilyFilter;
class QLineEdit;
class QListWidget;

// The "Filtres" menu: languages (several at once, each with how many of the families shown
// support it), properties, favourites only, the sample sentence of the one language chosen, and
// "Tout effacer". It edits the display state's filter.
class FilterMenu : public QMenu
{
    Q_OBJECT

public:
    explicit FilterMenu(QWidget *parent = nullptr);

    void setDisplayState(DisplayState *state);
    // Asked each time the language list is shown, and again when the filter changes meanwhile:
    // by language, in fontconfig's order, the families shown that support it.
    void setLanguageCounts(std::function<QList<int>()> counts);

    // What the menu's filters keep, in words: "vietnamien + chasse fixe"; empty when none is on.
    static QString summary(const FamilyFilter &filter);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

Q_SIGNALS:
    // "Exemple dans cette langue": the sentence to put in the sample field.
    void sampleSentenceChosen(const QString &sentence);

private:
    void buildLanguageList();
    void showLanguageCounts();
    void showLanguagesMatching(const QString &search);
    void followState();
    void edit(const std::function<void(FamilyFilter &)> &change);

    DisplayState *m_state = nullptr;
    std::function<QList<int>()> m_counts;
    QMenu *m_languages;
    QLineEdit *m_languageSearch;
    QListWidget *m_languageList;
    QList<QAction *> m_properties;
    QList<QAction *> m_classes;
    QAction *m_favouritesOnly;
    QAction *m_sampleSentence;
    QAction *m_clearAll;
    bool m_following = false; // the widgets are being set from the state, not by the user
};
