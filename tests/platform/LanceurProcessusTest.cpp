// An alarm's program started by its path as it stands, without a shell and without waiting.
#include "platform/LanceurProcessus.h"

#include "support/Fichiers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

TEST(LanceurProcessus, StartsAPathWithSpacesWithoutWaitingOrSaysWhyNot) {
    QTemporaryDir d;
    QDir(d.path()).mkdir(QStringLiteral("mon dossier"));
    const QString script = d.filePath(QStringLiteral("mon dossier/réveil et café.sh"));
    const QString marque = d.filePath(QStringLiteral("marque"));
    EcritOctets(script, "#!/bin/sh\nsleep 1\necho ok > '" + marque.toUtf8() + "'\n");
    LanceurProcessus l;
    const auto e = l.lance(script);
    EXPECT_EQ(QString::number(e.numero) + u' ' + e.description, QStringLiteral("13 Permission refusée"));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(l.lance(script).numero, 0);
    EXPECT_LT(t.elapsed(), 900);  // returned before the program's own second
    while (!QFile::exists(marque) && t.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marque));
    EXPECT_EQ(l.lance(d.filePath(QStringLiteral("absent"))).description, QStringLiteral("Fichier introuvable"));
    EXPECT_EQ(l.lance(d.path()).numero, 21);
}
