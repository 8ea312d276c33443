#pragma once

#include "fontcatalog.h"

#include <QListView>

class DisplayState;
class FontListDelegate;
class FontIndex;
class ShownFamilies;
class QAction;
class QMenu;
class QTimer;
class QStringListModel;

// The font list: one fixed-height, program-drawn line per font family, one selected line at a
// time, drawn as a display state says. It follows the state by itself: a new sample or size
// measures the names' column again, a new size changes the line height, and every change
// repaints the list at once; a filter in the state leaves only the lines it matches. It reports a
// selection made by mouse or keyboard (not one made by the program). A right click selects the line
// under the pointer before the line's menu opens; the menu copies the name and shows or hides the
// names itself, and asks for the rest (favourite, details) by signals. While the names are hidden
// it can show the last selected name as its tooltip; that tooltip has its own switch.
class FontListView : public QListView
{
    Q_OBJECT

public:
    // catalog: where the families' faces are found (the installed fonts unless given); kept for
    // the list's life.
    explicit FontListView(QWidget *parent = nullptr,
                          const FontCatalog &catalog = FontCatalog::system());

    // Every family, whatever the filter shows. Families are named by their entry, their row in
    // this whole list.
    void setFamilies(const QStringList &families);
    QStringList families() const;
    // The model of every family, one row per entry, for another view to show them.
    QAbstractItemModel *familyModel() const;
    QString familyAt(int entry) const;

    // Where the filters find the families' classification; the list follows its progress.
    void setFontIndex(const FontIndex *index);

    // The families the lines show, in order: all of them unless a filter is active.
    QStringList shownFamilies() const;
    int shownCount() const;
    bool filtering() const;
    // For each of fontconfig's languages (FontLanguages::codes()), how many lines shown support it.
    QList<int> languageCounts() const;
    // Selects the first line shown and gives the list the focus, as the user's selection.
    void focusFirstLine();

    FontListDelegate *lineDelegate() const { return m_delegate; }

    // The state the lines are drawn from; the list follows its changes.
    void setDisplayState(const DisplayState *state);
    const DisplayState *displayState() const { return m_state; }

    // The names' column, at the left of every line; hiding it moves the samples to the left edge.
    // The menu's "Affiche noms des fontes" is checked while they are shown.
    void setNamesShown(bool shown);
    bool namesShown() const;
    // The menu's switch for the names; off while the list serves as the Text page's font box.
    void setNamesSwitchEnabled(bool enabled);
    // An entry of the line's menu of another part's, after the list's own, acting on the
    // selected line; that part sets it up when the menu opens (lineMenuRequested).
    void addLineAction(QAction *action);
    // "Copier nom de la fonte": the selected family's name to the clipboard.
    void Copiernomdelafonte1Click();
    // The column's width: the widest name in pixels, measured at the first paint after the names
    // are shown or the sample or size changes; 0 until then and while the names are hidden.
    int LargeurNoms() const;
    // The names' column (stars included) over the whole height of the lines, on the screen.
    QRect namesOnScreen() const;

    // Every line takes this height, at most MaximumLineHeight; 0 or less leaves it unchanged.
    void setLineHeight(qint64 height);
    static constexpr int MaximumLineHeight = 32767;
    int lineHeight() const;

    // The selected entry, or -1.
    int selectedRow() const;
    // Selects an entry (or none, with -1) without reporting it as the user's selection. An entry
    // the filter hides is selected again when a filter shows it.
    void selectRow(int entry);

    // The tooltip that names the font the user last selected while the names are hidden.
    QString nameTip() const { return m_nameTip; }
    void setNameTipEnabled(bool enabled) { m_nameTipEnabled = enabled; }
    bool nameTipEnabled() const { return m_nameTipEnabled; }
    // A press on the list or on a page showing its selected font flips that tooltip on or off.
    void ListBox1MouseDown();
    // "Ajouter aux favoris" / "Retirer des favoris" on the selected line: asked by
    // favouriteChosen.
    void FavoriClick();

Q_SIGNALS:
    void selectionMadeByUser();
    // The line's menu opens at a point of the screen, for an entry (the line clicked, or the
    // selected one from the keyboard), or -1 when there is no line under the pointer.
    void lineMenuRequested(const QPoint &globalPos, int entry);
    // The favourite mark of a family to switch.
    void favouriteChosen(const QString &family);
    // The menu's "Détails de la police...", for the selected line.
    void detailsChosen();
    // A filter changed which lines are shown.
    void shownFamiliesChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Takes the state's new values; the names' column is measured again when the sample or the
    // size changed.
    void followState();
    void setColors(const QColor &text, const QColor &background);
    // The filter applied again; whether the lines shown changed. After the user's own change the
    // selection is brought into view; after the font index's progress the lines stay in place.
    enum AfterFilter { ToSelection, KeepPlace };
    bool followFilter(AfterFilter after);
    void paintNothingShown();
    // The menu's entries for the entry it acts on; -1: none, and those that need one are greyed.
    void LigneMenuPopup(int entry);
    void IndiqueNomClick();
    void ListBox1Click();
    void openLineMenu(const QPoint &globalPos, int entry);

    QMenu *LigneMenu;
    QAction *Copiernomdelafonte1;
    QAction *IndiqueNom;
    QAction *Favori;
    QAction *DetailsPolice;
    QStringListModel *m_model;
    FontListDelegate *m_delegate;
    ShownFamilies *m_shown;
    // After the first paint, while the program is idle, the families' faces are looked up in small
    // steps, so that the first filter testing them does not wait for 10,000 lookups.
    QTimer *m_prepareFaces;
    bool m_facesPreparationStarted = false;
    static constexpr int FacesPreparationDelayMs = 1000;
    static constexpr int FacesPreparedPerStep = 200;
    int m_chosenEntry = -1; // the entry last selected, kept while a filter hides it
    const DisplayState *m_state = nullptr;
    QString m_nameTip;
    bool m_nameTipEnabled = false;
    bool m_selectingFromProgram = false;
    bool m_keepingPlace = false;
    bool m_selectionReported = false; // during a press: the selection change was reported
};
