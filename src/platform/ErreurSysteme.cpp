#include "platform/ErreurSysteme.h"

#include <cerrno>

QString DescriptionErreurSysteme(int numero) {
    switch (numero) {
    case EACCES:
    case EPERM: return QStringLiteral("Permission refusée");
    case EROFS: return QStringLiteral("Système de fichiers en lecture seule");
    case ENOSPC: return QStringLiteral("Plus de place sur le disque");
#ifdef EDQUOT
    case EDQUOT: return QStringLiteral("Quota de disque dépassé");
#endif
    case ENOENT: return QStringLiteral("Fichier ou dossier introuvable");
    case ENOTDIR: return QStringLiteral("Un élément du chemin n'est pas un dossier");
    case EEXIST: return QStringLiteral("Un fichier de ce nom existe déjà");
    case EISDIR: return QStringLiteral("C'est un dossier");
    case ENAMETOOLONG: return QStringLiteral("Nom de fichier trop long");
    case EIO: return QStringLiteral("Erreur d'entrée-sortie");
    case EINVAL: return QStringLiteral("Argument invalide");
    case ELOOP: return QStringLiteral("Trop de liens symboliques");
    case EMFILE:
    case ENFILE: return QStringLiteral("Trop de fichiers ouverts");
    default: return QStringLiteral("Erreur système n° %1").arg(numero);
    }
}
