// Adding, removing and testing the start-at-login entry, and the messages of a refusal.
#include "preferences/Demarrage.h"
#include "support/Doubles.h"

namespace {

using Demarrage = AvecPlateforme;

const QString kCreation =
    QStringLiteral("impossible de créer un démarrage automatique dans la base de registre !");
const QString kRetrait =
    QStringLiteral("Une erreur s'est produite dans la base de registre de Windows!");

TEST_F(Demarrage, LeTestRegardeSiLaCommandeNommeUnFichierExistant) {
    magasin.fichiers << QStringLiteral("/tmp/quentor") << QStringLiteral("/opt/copie/quentor");
    EXPECT_FALSE(TesteDemarre(QStringLiteral("quentor")));
    magasin.entrees[QStringLiteral("quentor")] = QStringLiteral("/tmp/quentor");
    EXPECT_TRUE(TesteDemarre(QStringLiteral("quentor")));
    magasin.entrees[QStringLiteral("quentor")] = QStringLiteral("/opt/copie/quentor");
    EXPECT_TRUE(TesteDemarre(QStringLiteral("quentor")));
    magasin.entrees[QStringLiteral("quentor")] = QStringLiteral("\"/tmp/quentor\"");
    EXPECT_FALSE(TesteDemarre(QStringLiteral("quentor")));
    magasin.entrees[QStringLiteral("quentor")] = QStringLiteral("/tmp/disparu");
    EXPECT_FALSE(TesteDemarre(QStringLiteral("quentor")));
    InstallePlateforme(Plateforme{});
    EXPECT_FALSE(TesteDemarre(QStringLiteral("quentor")));
    EXPECT_TRUE(dialogues.boites.empty());
}

TEST_F(Demarrage, AjouteEtRetireDonnentLEtatReel) {
    magasin.fichiers << QStringLiteral("/tmp/quentor");
    EXPECT_TRUE(AjouteDémarre());
    EXPECT_EQ(magasin.entrees[QStringLiteral("quentor")], QStringLiteral("/tmp/quentor"));
    EXPECT_FALSE(RetireDémarre());
    EXPECT_TRUE(magasin.entrees.empty());
    EXPECT_TRUE(dialogues.boites.empty());
}

TEST_F(Demarrage, UnAjoutRefuseAfficheLErreurEtRendFaux) {
    magasin.fichiers << QStringLiteral("/tmp/quentor");
    magasin.refuse = true;
    EXPECT_FALSE(AjouteDémarre());
    ASSERT_EQ(dialogues.boites.size(), 1u);
    EXPECT_EQ(dialogues.boites[0].icone, Dialogues::Icone::Critique);
    EXPECT_EQ(dialogues.boites[0].titre, QStringLiteral("Erreur N°13"));
    EXPECT_EQ(dialogues.boites[0].texte, kCreation);
    EXPECT_TRUE(dialogues.boites[0].modale);
}

TEST_F(Demarrage, RetirerUneEntreeAbsenteAfficheLErreur) {
    EXPECT_FALSE(RetireDémarre());
    ASSERT_EQ(dialogues.boites.size(), 1u);
    EXPECT_EQ(dialogues.boites[0].titre, QStringLiteral("Erreur N°2"));
    EXPECT_EQ(dialogues.boites[0].texte, kRetrait);

    // A removal refused while the entry stays in place: the caller learns it is still there.
    magasin.fichiers << QStringLiteral("/tmp/quentor");
    magasin.entrees[QStringLiteral("quentor")] = QStringLiteral("/tmp/quentor");
    magasin.refuse = true;
    EXPECT_TRUE(RetireDémarre());
    EXPECT_EQ(dialogues.boites.size(), 2u);
}

}  // namespace
