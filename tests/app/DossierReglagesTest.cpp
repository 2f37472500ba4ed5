// Where the settings live: beside the program when it has them, else in the user's own folder
// filled from the installed defaults; a fault there is told and ends the program.
#include "app/DossierReglages.h"
#include "support/Doubles.h"
#include "support/Fichiers.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

class DossierReglages : public AvecPlateforme {
protected:
    DossierReglages() {
        for (const char* d : {"prog", "share"})
            QDir(racine.path()).mkdir(QString::fromLatin1(d));
        bureau.programme = chemin("prog");
        bureau.utilisateur = chemin("config/quentor");
        bureau.donnees = chemin("share");
    }
    QString chemin(const QString& nom) const { return racine.filePath(nom); }
    QTemporaryDir racine;
};

TEST_F(DossierReglages, ProgrammeQuiALesSiensLesGardeSansToucherAuDossierPersonnel) {
    EcritOctets(chemin("prog/QS32.ini"), "Genre=1\r\n");
    ASSERT_TRUE(PlaceReglages());
    EXPECT_EQ(Etat.CheminAppli, chemin("prog"));
    EXPECT_FALSE(QDir(chemin("config")).exists());
}

TEST_F(DossierReglages, UnDossierQuiNePeutSePreparerEstDitEtArreteLeProgramme) {
    const struct { const char* utilisateur; bool defauts; const char* nomme; } cas[] = {
        {"config/quentor", false, "share/QS32.ini"},  // nothing installed
        {"bloque/quentor", true, "bloque/quentor"},   // a file where the folder should be
    };
    EcritOctets(chemin("bloque"), "x");
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nomme);
        bureau.utilisateur = chemin(QString::fromLatin1(c.utilisateur));
        if (c.defauts)
            EcritOctets(chemin("share/QS32.ini"), "Genre=1\r\n");
        dialogues.boites.clear();
        EXPECT_FALSE(PlaceReglages());
        ASSERT_EQ(dialogues.boites.size(), 1u);
        EXPECT_TRUE(dialogues.boites[0].texte.contains(chemin(QString::fromLatin1(c.nomme))));
        EXPECT_FALSE(QFile::exists(bureau.utilisateur + QStringLiteral("/QS32.ini")));
    }
}

TEST_F(DossierReglages, LAideSeLitLaOuElleEst) {
    Etat.CheminAppli = chemin("config/quentor");
    EXPECT_EQ(DossierAide(), Etat.CheminAppli);  // nowhere: the viewer names the missing file
    EcritOctets(chemin("share/Sonalde.html"), "<p>");
    EXPECT_EQ(DossierAide(), chemin("share"));
    EcritOctets(chemin("prog/Sonalde.html"), "<p>");
    Etat.CheminAppli = chemin("prog");
    EXPECT_EQ(DossierAide(), chemin("prog"));  // a build or a portable copy has its own
}

}  // namespace
