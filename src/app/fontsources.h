#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class DisplayState;
class FacePatterns;
class FilterBar;
class FontCatalog;
class FontFileReader;
class FontIndex;
class FontInstallation;
class FontListView;
class ListDetails;
class QAction;
class QFileSystemWatcher;
class QLabel;
class QStackedWidget;
class QTimer;
class QToolButton;
class QVBoxLayout;

// Where the lines come from: the installed fonts, or font files, folders and ZIP archives the
// user opened without installing them. The opened files get a list of their own in the installed
// list's place, drawn by the same engine from the files and following the same display state; a
// switch at the head of the open button's menu shows one or the other once files are open. The
// files are read on a thread of their own (a line under the list tells how far, with a way to stop)
// and watched: a change reads them again. Opened families can be installed, the user's own
// uninstalled.
class FontSources : public QObject
{
    Q_OBJECT

public:
    // installed: the installed fonts' list, in layout, which the lists take the place of;
    // installedIndex: its font index, stopped while the installed fonts are listed again.
    FontSources(FontListView &installed, FontIndex &installedIndex, DisplayState &state,
                FilterBar &bar, QVBoxLayout &layout, QWidget *window);
    ~FontSources() override;

    // The list shown, its catalogue and its details window.
    FontListView &current() const;
    bool openedShown() const;
    const FontCatalog &currentCatalog() const;
    // What the font files of the list shown say of their faces.
    const FontIndex &currentIndex() const;
    ListDetails &currentDetails() const;
    // The file an opened family's upright regular face comes from, for a page that shows it;
    // empty while the installed fonts show.
    QString openedFile(const QString &family) const;
    // Where the lists are, whichever shows.
    QWidget *listsWidget() const;

    // The arguments of a start that are all existing font files, folders or ZIP archives, made
    // absolute; none when any other is among them.
    static QStringList fontPathsIn(const QStringList &arguments);
    // Reads these files, folders and archives too, and shows them.
    void open(const QStringList &paths);
    // Opens those of the paths still there, without a word on the others.
    void reopen(const QStringList &paths);
    // The file dialog for fonts and archives ("Ouvrir des polices...", Ctrl+O), or for a folder.
    void chooseFiles();
    void chooseFolder();
    // "Fermer les fichiers": the opened list emptied, the installed one shown.
    void closeFiles();
    QStringList openedPaths() const { return m_paths; }
    // "Rouvrir au démarrage": the opened paths are kept for the next run.
    bool reopenAtStart() const;
    void setReopenAtStart(bool reopen);

Q_SIGNALS:
    // The list shown, or the lines it shows, changed.
    void shownFamiliesChanged();

protected:
    // Files dropped on the window are opened.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct OpenedList;
    void showSource(int source);
    void readAgain();
    void addFaces(const FacePatterns &faces);
    void readingFinished(int skipped, const QStringList &messages, bool stopped);
    void watch();
    void updateSwitch();
    void installShown();
    void setUpLineMenus();
    void followList(FontListView &list);
    void listInstalledAgain();

    FontListView &m_installed;
    FontIndex &m_installedIndex;
    DisplayState &m_state;
    QWidget *m_window;
    std::unique_ptr<ListDetails> m_installedDetails;
    std::unique_ptr<OpenedList> m_opened;
    QStringList m_paths;
    FontFileReader *m_reader;
    FontInstallation *m_installation;
    QFileSystemWatcher *m_watcher;
    QTimer *m_changed; // gathers the watcher's news of one change
    QStackedWidget *m_lists;
    QList<QAction *> m_switch; // "Polices installées", "Fichiers ouverts (N)"
    QToolButton *m_openButton;
    QAction *m_close;
    QAction *m_reopen;
    QAction *m_installShown;
    QAction *m_install; // the opened list's line menu
    QAction *m_uninstall; // the installed list's line menu
    QLabel *m_progress;
    QToolButton *m_stop;
    QLabel *m_skipped;
};
