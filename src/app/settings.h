#pragma once

#include "typography.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

// The six values Glyphor keeps between runs, in the "glyphor" section of glyphor.ini.
struct Settings
{
    // The sample string of a first run: 38 characters, seven of them accented.
    static QString defaultSampleString();

    QString string = defaultSampleString(); // "String": the sample string
    QString browser; // "Browser": the web browser's path
    qint32 size = 12; // "Size": points, brought into 6..72 by the size field
    bool showNames = true; // "ShowNames": the list's name column
    QString system; // "System": kept and written back unchanged
    bool showHints = true; // "ShowHints": the bottom panel's tooltips
    // The section "Favoris": the families marked as favourites, one per key, installed or not.
    QStringList favourites;
    // The favourites as read: writing applies only what changed since to the section as the file
    // holds it then, so what another copy or a hand edit put there meanwhile stays.
    QStringList favouritesRead;
    // "RouvrirFichiers": the font files opened are opened again at the next start; the section
    // "FichiersOuverts" lists them then, one path per key, and is emptied otherwise.
    bool reopenFiles = false;
    QStringList openedFiles;
    QStringList openedFilesRead;
    // The main window as it was left: its size ("Largeur", "Hauteur"; 0: never stored, or a value
    // that is no size), its position ("Gauche", "Haut"; none when never stored), maximised
    // ("Maximise") and the page shown ("Page": 0 Lines, 1 Text). Brought within the screen when
    // applied.
    qint32 width = 0;
    qint32 height = 0;
    std::optional<QPoint> position;
    bool maximised = false;
    qint32 page = 0;
    // The section "Typographie": the features, axes, language and spacing every line is drawn
    // with. Written only when they changed since read, key by key.
    Typography typography;
    Typography typographyRead;

    // $XDG_CONFIG_HOME/glyphor/glyphor.ini, or ~/.config/glyphor/glyphor.ini when it is unset
    // or empty.
    static QString filePath();

    // Reads the keys in the order String, Browser, Size, ShowNames, System, ShowHints. A missing
    // file, section or key, or an unusable value, gives that key's default; reading never fails.
    static Settings read(const QString &path);

    // Writes the keys in the order String, Browser, Size, ShowNames, ShowHints, System, then the
    // window's (Largeur, Hauteur, Gauche, Haut, Maximise, Page) when it has a size, and the
    // favourites added and removed since they were read, and the typography's keys that changed
    // since read, keeping every other line. Throws
    // GlyphorError "Impossible d'écrire dans <path>" when the file cannot be written; the old file
    // is then left as it was.
    void write(const QString &path) const;
};
