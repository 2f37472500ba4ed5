#include "platform/LanceurProcessus.h"

#include <QFileInfo>
#include <QProcess>

Lanceur::Erreur LanceurProcessus::lance(const QString& chemin) {
    const QFileInfo f(chemin);
    // The checks give the user a reason in words; startDetached alone only says it failed.
    if (!f.exists())
        return {2, QStringLiteral("Fichier introuvable")};
    if (f.isDir())
        return {21, QStringLiteral("C'est un dossier, pas un programme")};
    if (!f.isExecutable())
        return {13, QStringLiteral("Permission refusée")};
    QProcess p;
    p.setProgram(f.absoluteFilePath());
    p.setStandardInputFile(QProcess::nullDevice());
    if (!p.startDetached())
        return {8, QStringLiteral("Le programme n'a pas pu être démarré")};
    return {};
}
