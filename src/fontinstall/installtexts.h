#pragma once

#include <QString>

// Every sentence the installer shows, in one place; what arg() fills in is named after each.
namespace InstallTexts {

// The result of a job, for the status line or a message box.
inline const QString Installed = QStringLiteral("Installée : %1"); // family
inline const QString Undone = QStringLiteral("Installation annulée : %1"); // family or Families
inline const QString Families = QStringLiteral("%1 familles"); // how many
inline const QString Uninstalled
    = QStringLiteral("Désinstallée : %1 (ses fichiers sont dans la corbeille)"); // family
inline const QString NotInstalled = QStringLiteral("Impossible d'installer %1 : %2"); // family, why
inline const QString NotUndone = QStringLiteral("Impossible d'annuler l'installation : %1"); // why
inline const QString NotUninstalled
    = QStringLiteral("Impossible de désinstaller %1 : %2"); // family, why

// Why files could not be copied or moved.
inline const QString FolderNotMade = QStringLiteral("le dossier %1 ne peut pas être créé");
inline const QString ReadOnlyFolder = QStringLiteral("le dossier %1 est en lecture seule");
inline const QString Unreadable = QStringLiteral("%1 ne peut pas être lu (%2)"); // file, why
inline const QString NotCopied = QStringLiteral("%1 ne peut pas être copié (%2)"); // file, why
inline const QString NotMoved = QStringLiteral("%1 ne peut pas être déplacé (%2)"); // file, why
inline const QString NothingCopied = QStringLiteral("aucun fichier n'a été copié");

// Why fontconfig does not list the family.
inline const QString NotRecognised = QStringLiteral("fontconfig ne reconnaît pas %1"); // file
inline const QString FolderNotRead = QStringLiteral("fontconfig ne lit pas le dossier %1");
inline const QString FamilyNotInFiles
    = QStringLiteral("ces fichiers ne contiennent pas la famille %1");
inline const QString FcCacheMissing
    = QStringLiteral("fc-cache est introuvable (paquet fontconfig)");
inline const QString FcCacheTooLong = QStringLiteral("fc-cache n'a pas fini en %1 secondes");
inline const QString FcCacheFailed = QStringLiteral("fc-cache a échoué (%1)"); // its output
inline const QString ConfigurationUnreadable
    = QStringLiteral("la configuration de fontconfig ne peut pas être lue");

// Why a family cannot be uninstalled, for the tooltip of a disabled action too.
inline const QString SystemFont
    = QStringLiteral("Police du système : seules les polices de votre dossier personnel peuvent "
                     "être désinstallées");
inline const QString MissingFile = QStringLiteral("Fichier introuvable : %1");
inline const QString ReadOnlyFontFolder = QStringLiteral("Le dossier %1 est en lecture seule");
inline const QString NotTrashed = QStringLiteral("%1 ne peut pas être mis à la corbeille");

} // namespace InstallTexts
