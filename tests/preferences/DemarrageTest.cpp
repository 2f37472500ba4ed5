// Adding, removing and testing the start-at-login entry, and the messages of a refusal.
#include "platform/BureauReel.h"
#include "preferences/Demarrage.h"
#include "support/Doubles.h"

// Add and remove return the real state afterwards (an entry counts when it names an existing
// file); a refusal shows the store's error number.
TEST_F(AvecPlateforme, AjouteEtRetireDonnentLEtatReelEtSignalentUnRefus) {
    magasin.fichiers << "/tmp/quentor";
    EXPECT_TRUE(AjouteDémarre());
    EXPECT_EQ(magasin.entrees["quentor"], "/tmp/quentor");
    magasin.entrees["quentor"] = "/tmp/disparu";
    EXPECT_FALSE(TesteDemarre("quentor"));
    EXPECT_FALSE(RetireDémarre());
    EXPECT_TRUE(magasin.entrees.empty() && dialogues.boites.empty());
    EXPECT_FALSE(RetireDémarre());  // nothing to remove
    magasin.refuse = true;
    EXPECT_FALSE(AjouteDémarre());
    magasin.entrees["quentor"] = "/tmp/quentor";
    EXPECT_TRUE(RetireDémarre());  // refused: the entry is still there
    QStringList vues;
    for (const auto& b : dialogues.boites)
        vues << b.titre + u'|' + b.texte + (b.modale && b.icone == Dialogues::Icone::Critique ? "" : " ?");
    EXPECT_EQ(vues, (QStringList{"Erreur N°2|Une erreur s'est produite dans la base de registre de Windows!",
                                 "Erreur N°13|impossible de créer un démarrage automatique dans la base de registre !",
                                 "Erreur N°13|Une erreur s'est produite dans la base de registre de Windows!"}));
    InstallePlateforme(Plateforme{});  // no store at all
    EXPECT_FALSE(TesteDemarre("quentor"));
    // The entry's name: a program has no extension to take off here, "quentor-6.1" is a whole name.
    EXPECT_EQ(NomExecutable("/opt/q/quentor-6.1") + NomExecutable("/usr/bin/quentor"), "quentor-6.1quentor");
}
