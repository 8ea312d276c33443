#include "systemerror.h"

#include <cerrno>

namespace SystemError {

QString reason(int errorNumber)
{
    switch (errorNumber) {
    case 0: // a failure that left no errno
        return QStringLiteral("Cause inconnue");
    case ENOSPC:
        return QStringLiteral("Plus de place sur le disque");
    case EDQUOT:
        return QStringLiteral("Quota de disque dépassé");
    case EFBIG:
        return QStringLiteral("Fichier trop volumineux");
    case EIO:
        return QStringLiteral("Erreur d'entrée-sortie");
    case EACCES:
        return QStringLiteral("Permission refusée");
    case EPERM:
        return QStringLiteral("Opération non permise");
    case EROFS:
        return QStringLiteral("Système de fichiers en lecture seule");
    case ENAMETOOLONG:
        return QStringLiteral("Nom de fichier trop long");
    case ENOENT:
        return QStringLiteral("Fichier ou dossier introuvable");
    case ENOTDIR:
        return QStringLiteral("Un élément du chemin n'est pas un dossier");
    case EISDIR:
        return QStringLiteral("C'est un dossier");
    case EEXIST:
        return QStringLiteral("Le fichier existe déjà");
    case ELOOP:
        return QStringLiteral("Trop de liens symboliques");
    case EINVAL:
        return QStringLiteral("Nom ou argument refusé par le système");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Trop de fichiers ouverts");
    case ENOMEM:
        return QStringLiteral("Mémoire insuffisante");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Fichier ou périphérique occupé");
    case ENOEXEC:
        return QStringLiteral("Format de programme inconnu");
    case ENODEV:
    case ENXIO:
        return QStringLiteral("Périphérique introuvable");
    default:
        return QStringLiteral("Erreur système %1").arg(errorNumber);
    }
}

} // namespace SystemError
