// The settings and memo files shipped with the program load without a single complaint.
#include "alarms/StockageAlarmes.h"
#include "settings/Couleur.h"
#include "settings/ReglagesTest.h"

#include <QFileInfo>

namespace {

QString dossierDefauts() {
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
           QStringLiteral("/../../resources/defaults");
}

using Defauts = AvecFichierIni;

TEST_F(Defauts, LeFichierLivreEstEnWindows1252AvecDesCRLF) {
    const QByteArray octets = LitOctets(dossierDefauts() + QStringLiteral("/QS32.ini"));
    ASSERT_NE(octets, QByteArray("<absent>"));
    EXPECT_TRUE(
        octets.contains("\nR\xE9"
                        "duction="))
        << "é en un seul octet";
    EXPECT_TRUE(
        octets.contains("\nd\xE9"
                        "clenche_annonce="));
    EXPECT_TRUE(octets.endsWith("\r\n"));
    EXPECT_EQ(octets.count('\n'), octets.count("\r\n"));
    EXPECT_FALSE(octets.contains("= ")) << "pas de blanc après le signe égal";
    for (int n = 1; n <= 6; ++n) {
        const QByteArray memo = LitOctets(dossierDefauts() + QStringLiteral("/MSG%1.ASC").arg(n));
        EXPECT_TRUE(memo.endsWith("\r\n")) << n;
    }
}

TEST_F(Defauts, ChaqueCleDuFichierLivreSeLit) {
    for (const QString& nom : QDir(dossierDefauts()).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(dossierDefauts() + u'/' + nom, dossier.path() + u'/' + nom))
            << nom.toStdString();
    ChargeTexteIni();
    for (const char* cle : {"couleur_fond", "couleur_encre", "couleur_bande"})
        LitCouleur(QString::fromUtf8(cle));
    for (const char* cle : {"QS_top", "QS_left", "QS_width", "QS_height"})
        EXPECT_GT(LitSimple(QString::fromUtf8(cle)), 0) << cle;
    EXPECT_EQ(LitEntier16(QStringLiteral("Réduction")), 0);
    EXPECT_TRUE(LitBooleen(QStringLiteral("QS_visible")));
    EXPECT_EQ(LitEntier16(QStringLiteral("déclenche_annonce")), 2);
    EXPECT_EQ(LitOctet(QStringLiteral("Genre")), 1);
    ChargeAlarmes();
    EXPECT_FALSE(LitBooleen(QStringLiteral("active_image")));
    EXPECT_EQ(ValeurIni(QStringLiteral("image_fond")), QString());
    EXPECT_TRUE(dialogues.boites.empty());
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(Etat.AlarmeActive[n] || Etat.AlarmeMessage[n] || Etat.AlarmeAppli[n]);
        EXPECT_TRUE(Etat.AlarmeHeure[n] >= 0 && Etat.AlarmeHeure[n] <= 23);
        EXPECT_TRUE(Etat.AlarmeMinute[n] >= 0 && Etat.AlarmeMinute[n] <= 59);
        EXPECT_TRUE(Etat.AlarmeExe[n].isEmpty() && Etat.AlarmeSon[n].isEmpty());
    }
    // A close writes every key back without a missing one.
    EnregistreAlarmes();
    EXPECT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), LitOctets(dossierDefauts() + QStringLiteral("/QS32.ini")));
}

}  // namespace
