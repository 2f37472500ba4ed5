#include "sound/Son.h"

#include "sound/Clips.h"
#include "support/Doubles.h"

#include <QCoreApplication>
#include <QTimer>

using Son = AvecPlateforme;

TEST_F(Son, JoueSonKeepsTheClipAndLetsEventsRunOnce) {
    bool evenementTraite = false;
    QTimer::singleShot(0, [&] { evenementTraite = true; });
    JoueSon(84);
    EXPECT_EQ(TamponSon(), DonneesClip(84));
    EXPECT_EQ(son.joues(), QStringList{QStringLiteral("clip 84")});
    EXPECT_TRUE(evenementTraite);

    JoueSon(85);
    EXPECT_EQ(TamponSon(), DonneesClip(85));
    EXPECT_EQ(son.joues(), (QStringList{QStringLiteral("clip 84"), QStringLiteral("clip 85")}));
}

TEST_F(Son, AnIdOutsideTheSetHandsOverNoClip) {
    JoueSon(124);
    EXPECT_TRUE(TamponSon().isEmpty());
    ASSERT_EQ(son.evenements.size(), 1u);
    EXPECT_EQ(son.evenements[0].quoi, QStringLiteral("donnees"));
}

TEST_F(Son, FileStopAndWaitGoToThePlatform) {
    JoueFichierSon(QStringLiteral("/alarmes/réveil.wav"));
    Attente(1.5);
    ArreteSon();
    ASSERT_EQ(son.evenements.size(), 2u);
    EXPECT_EQ(son.evenements[0].quoi, QStringLiteral("fichier /alarmes/réveil.wav"));
    EXPECT_EQ(son.evenements[1].quoi, QStringLiteral("arret"));
    EXPECT_EQ(son.evenements[0].t.msecsTo(son.evenements[1].t), 1500);
    EXPECT_EQ(horloge.attentes, 1);
}
