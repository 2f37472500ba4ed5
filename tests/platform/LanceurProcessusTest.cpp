#include "platform/LanceurProcessus.h"
#include "platform/ZoneSysteme.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {
void Ecrit(const QString& chemin, const QByteArray& contenu, QFile::Permissions droits) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
    f.close();
    f.setPermissions(droits);
}
}  // namespace

TEST(LanceurProcessus, ReportsWhyAProgramCannotStart) {
    QTemporaryDir d;
    LanceurProcessus l;
    EXPECT_EQ(l.lance(d.filePath(QStringLiteral("absent"))).numero, 2);
    EXPECT_EQ(l.lance(d.filePath(QStringLiteral("absent"))).description, QStringLiteral("Fichier introuvable"));
    Ecrit(d.filePath(QStringLiteral("texte")), "#!/bin/sh\n", QFile::ReadOwner | QFile::WriteOwner);
    const auto e = l.lance(d.filePath(QStringLiteral("texte")));
    EXPECT_EQ(e.numero, 13);
    EXPECT_EQ(e.description, QStringLiteral("Permission refusée"));
    EXPECT_NE(l.lance(d.path()).numero, 0);
}

// A path with spaces is started as it stands, not split by a shell, and not waited for.
TEST(LanceurProcessus, StartsAPathWithSpacesWithoutWaiting) {
    QTemporaryDir d;
    QDir(d.path()).mkdir(QStringLiteral("mon dossier"));
    const QString script = d.filePath(QStringLiteral("mon dossier/réveil et café.sh"));
    const QString marque = d.filePath(QStringLiteral("marque"));
    Ecrit(script, "#!/bin/sh\nsleep 1\necho ok > '" + marque.toUtf8() + "'\n",
          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    LanceurProcessus l;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(l.lance(script).numero, 0);
    EXPECT_LT(t.elapsed(), 900);  // returned before the program's own second
    while (!QFile::exists(marque) && t.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marque));
}

TEST(ZoneSysteme, ActivationsMapToTheClockCodes) {
    EXPECT_EQ(CodeNotification(QSystemTrayIcon::Trigger), 514);
    EXPECT_EQ(CodeNotification(QSystemTrayIcon::DoubleClick), 515);
    EXPECT_EQ(CodeNotification(QSystemTrayIcon::Context), 517);
    EXPECT_EQ(CodeNotification(QSystemTrayIcon::MiddleClick), 520);
    EXPECT_EQ(CodeNotification(QSystemTrayIcon::Unknown), 0);
}
