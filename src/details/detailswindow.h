#pragma once

#include <QWidget>

class CharacterGrid;
class DisplayState;
class FontIndex;
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
// given and follows the display state's sample and colours. Escape closes it.
class DetailsWindow : public QWidget
{
    Q_OBJECT

public:
    enum Tab { Styles, Sizes, Characters, Information };

    DetailsWindow(const DisplayState &state, const FontIndex *index, QWidget *parent = nullptr);

    // An entry of the list ("Default" is the desktop's font).
    void setFamily(const QString &entry);
    QString family() const { return m_entry; }
    void showTab(Tab tab);

    // The sizes of the "Tailles" tab, in points.
    static const QList<int> &waterfallSizes();

protected:
    // Coming back to the window: a font file removed meanwhile is said to be gone.
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();
    void fillSamples();
    void fillCharacters();
    void fillInformation();
    void findCharacter(bool next);
    void showCharacter(char32_t character);

    const DisplayState &m_state;
    const FontIndex *m_index;
    QString m_entry;
    QString m_family; // the installed family the entry stands for
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
