// What each command line asks for; a settings folder that can't be prepared is told and ends the
// program; the help is found.
#include "app/DossierReglages.h"
#include "app/Options.h"
#include "platform/Aide.h"
#include "support/Doubles.h"
#include "support/Fichiers.h"

#include <QTemporaryDir>

namespace {

TEST(Options, EachOptionSeveralAndUnknown) {
    using A = Options::Action;
    const struct { QStringList arguments; A action; QString fautif = {}; } cas[] = {
        {{}, A::Horloge}, {{"--dire-l-heure"}, A::DitHeure}, {{"--say-time"}, A::DitHeure},
        {{"--help"}, A::Aide}, {{"-h"}, A::Aide}, {{"--version"}, A::Version},
        {{"--say-time", "--version"}, A::Version}, {{"--version", "--dire-l-heure", "--help"}, A::Aide},
        // Qt's own, from a session manager or a user: left to Qt, with their values.
        {{"-session", "1a2b", "--say-time"}, A::DitHeure}, {{"-platform=xcb", "-reverse"}, A::Horloge},
        {{"--style", "Fusion"}, A::Horloge}, {{"--frobnique"}, A::Erreur, "--frobnique"},
        {{"--help", "heure"}, A::Erreur, "heure"}, {{"-x", "--say-time"}, A::Erreur, "-x"},
        {{"--dire-l-heure=1"}, A::Erreur, "--dire-l-heure=1"}, {{"-"}, A::Erreur, "-"},
    };
    for (const auto& c : cas) {
        const Options o = LitOptions(c.arguments);
        EXPECT_EQ(o.action, c.action) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(o.erreur.contains(QStringLiteral("« %1 »").arg(c.fautif)), !c.fautif.isEmpty()) << o.erreur.toStdString();
        EXPECT_FALSE(o.erreur.contains(u'\n'));
    }
    EXPECT_TRUE(TexteAideOptions().contains("--dire-l-heure") && TexteVersionProgramme().contains("6.1"));
}

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
    bureau.donnees = d.path(), Etat.CheminAppli = d.filePath("config");
    EXPECT_EQ(DossierAide(), Etat.CheminAppli);  // nowhere: the viewer names the missing file
    EcritOctets(d.filePath("Sonalde.html"), "<p>");
    EXPECT_EQ(DossierAide(), d.path());  // installed
    QDir().mkpath(Etat.CheminAppli);
    EcritOctets(d.filePath("config/Sonalde.html"), "<p>");
    EXPECT_EQ(DossierAide(), Etat.CheminAppli);  // a build or a portable copy has its own
}

}  // namespace
