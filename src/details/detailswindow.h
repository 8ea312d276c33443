#pragma once

#include "colorref.h"
#include "fontcatalog.h"
#include "typography.h"

#include <QWidget>

#include <memory>

class CharacterGrid;
class DisplayState;
class FontIndex;
class FontListView;
class LineRenderer;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class SampleRows;

// "Détails - <famille>": one family up close, in four tabs: its faces each in its own face
// ("Styles"), the sample from 8 to 96 points ("Tailles"), every character of a face
// ("Caractères") and what its files say ("Informations"). Not modal; it shows the family it is
// given, from the catalogue it is given, and follows the display state's sample, size, style and
// colours; the font index, when there is one, gives what the files say. Escape closes it.
class DetailsWindow : public QWidget
{
    Q_OBJECT

public:
    enum Tab { Styles, Sizes, Characters, Information };

    DetailsWindow(const FontCatalog &catalog, const DisplayState &state, const FontIndex *index,
                  QWidget *parent = nullptr);
    ~DetailsWindow() override;

    // Places the window where the list's names and its selected line stay in view, framed as the
    // list's window is framed (DetailsPlacement).
    void placeBeside(const FontListView &list);

    // An entry of the list ("Default" is the desktop's font).
    void setFamily(const QString &entry);
    QString family() const { return m_entry; }
    void showTab(Tab tab);

    // The sizes of the "Tailles" tab, in points.
    static const QList<int> &waterfallSizes();

    // How many times the sample rows have been laid out: a test seam.
    int sampleFills() const { return m_sampleFills; }

protected:
    // Coming back to the window: a font file removed meanwhile is said to be gone.
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the sample rows are drawn from: they are laid out again only when it changes.
    struct SampleLook
    {
        QString text;
        int size = 0;
        bool bold = false;
        bool italic = false;
        ColorRef ink = 0;
        ColorRef paper = 0;
        int face = -1; // of the "Tailles" tab
        ::Typography typography;
        bool operator==(const SampleLook &) const = default;
    };
    SampleLook sampleLook() const;
    // Whether each face's file is still there: a file removed meanwhile is named as gone.
    QList<bool> filesFound() const;
    // The face the lines draw the family in, for the state's bold and italic.
    qsizetype lineFace() const;

    void fill();
    void fillSamples();
    void fillCharacters();
    void fillInformation();
    void findCharacter(bool next);
    void showCharacter(char32_t character);

    const FontCatalog &m_catalog;
    const DisplayState &m_state;
    const FontIndex *m_index;
    // One renderer for every painter of the window: they share its faces and glyphs.
    std::unique_ptr<LineRenderer> m_renderer;
    QString m_entry;
    QString m_family; // the installed family the entry stands for
    QList<FontFace> m_faces; // the family's, looked up once per family
    SampleLook m_shown; // what the sample rows were laid out from
    QList<bool> m_filesFound; // when they were
    qsizetype m_describedFace = -1; // the face the "Informations" page describes
    int m_sampleFills = 0;
    QTabWidget *m_tabs;
    SampleRows *m_styles;
    QComboBox *m_face; // the face of the "Tailles" and "Caractères" tabs
    SampleRows *m_sizes;
    QLineEdit *m_search;
    CharacterGrid *m_grid;
    QLabel *m_character;
    QTextBrowser *m_information;
    QListWidget *m_files;
};
