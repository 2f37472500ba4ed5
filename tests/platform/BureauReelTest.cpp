// The folder of the single-instance lock and its socket: only a folder of the user's alone is used.
#include "platform/BureauReel.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(BureauReel, OnlyAFolderOfTheUsersAloneIsPrivate) {
    QTemporaryDir d;
    const auto chemin = [&](const char* nom) { return d.path() + u'/' + QLatin1String(nom); };
    const auto c = [&](const char* nom) { return QFile::encodeName(chemin(nom)); };
    mkdir(c("prive"), 0700), mkdir(c("ouvert"), 0755), chmod(c("ouvert"), 0755), mkdir(c("autrui"), 0700);
    symlink(c("prive").constData(), c("lien"));
    QFile(chemin("fichier")).open(QIODevice::WriteOnly);
    const bool root = geteuid() == 0 && chown(c("autrui"), 65534, 65534) == 0;
    const struct { const char* nom; bool prive; const char* raison; } cas[] = {
        {"absent", true, ""}, {"prive", true, ""}, {"ouvert", false, "ouvert à d'autres utilisateurs (droits 755)"},
        {"lien", false, "n'est pas un dossier"}, {"fichier", false, "n'est pas un dossier"},
        {"autrui", !root, root ? "appartient à un autre utilisateur" : ""},
    };
    for (const auto& x : cas) {
        QString raison;
        EXPECT_EQ(DossierPrive(chemin(x.nom), &raison), x.prive) << x.nom;
        EXPECT_TRUE(*x.raison ? raison.endsWith(QString::fromUtf8(x.raison)) : raison.isEmpty()) << x.nom << ": " << raison.toStdString();
    }
    struct stat e {};
    EXPECT_TRUE(lstat(c("absent"), &e) == 0 && S_ISDIR(e.st_mode) && (e.st_mode & 0777) == 0700);
}
