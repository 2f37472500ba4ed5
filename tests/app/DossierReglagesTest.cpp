// A settings folder that can't be prepared is told and ends the program; the help is found.
#include "app/DossierReglages.h"
#include "platform/Aide.h"
#include "support/Doubles.h"
#include "support/Fichiers.h"

#include <QTemporaryDir>

namespace {

using DossierReglages = AvecPlateforme;

TEST_F(DossierReglages, UnDossierQuiNePeutSePreparerEstDitEtArreteLeProgramme) {
    QTemporaryDir d;
    bureau.programme = bureau.donnees = d.path();  // no settings there, none installed
    EcritOctets(d.filePath("bloque"), "x");
    for (auto [dossier, nomme] : {std::pair{"config/quentor", "QS32.ini"},  // nothing to copy
                                  std::pair{"bloque/quentor", "bloque/quentor"}}) {
        bureau.utilisateur = d.filePath(dossier);
        dialogues.boites.clear();
        EXPECT_FALSE(PlaceReglages());
        ASSERT_EQ(dialogues.boites.size(), 1u) << dossier;
        EXPECT_TRUE(dialogues.boites[0].texte.contains(d.filePath(nomme))) << dossier;
    }
}

TEST_F(DossierReglages, LAideSeLitLaOuElleEst) {
    QTemporaryDir d;
    bureau.donnees = d.path();
    Etat.CheminAppli = d.filePath("config");
    EXPECT_EQ(DossierAide(), Etat.CheminAppli);  // nowhere: the viewer names the missing file
    EcritOctets(d.filePath("Sonalde.html"), "<p>");
    EXPECT_EQ(DossierAide(), d.path());  // installed
    QDir().mkpath(Etat.CheminAppli);
    EcritOctets(d.filePath("config/Sonalde.html"), "<p>");
    EXPECT_EQ(DossierAide(), Etat.CheminAppli);  // a build or a portable copy has its own
}

}  // namespace
