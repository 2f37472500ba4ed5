// The socket is used only in a real folder of the user's own that nobody else may write to.
#include "platform/BureauReel.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(BureauReel, OnlyAFolderOfTheUsersOwnCarriesTheSocket) {
    QTemporaryDir d;
    const QString prive = d.filePath("prive"), autrui = d.filePath("autrui");
    for (const QString& dossier : {prive, autrui})
        QDir().mkdir(dossier), QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::link(prive, d.filePath("lien"));
    EXPECT_TRUE(DossierPersonnel(prive));
    EXPECT_FALSE(DossierPersonnel(d.filePath("lien")) || DossierPersonnel(d.filePath("absent")));
    if (::geteuid() == 0 && ::chown(QFile::encodeName(autrui).constData(), 65534, 65534) == 0)
        EXPECT_FALSE(DossierPersonnel(autrui));
    QFile::setPermissions(prive, QFile::permissions(prive) | QFile::WriteGroup);
    EXPECT_FALSE(DossierPersonnel(prive));
}
