// What each command line asks for; the settings folder and the help; the load and close sequences
// over real files in a temporary program folder.
#include "state/FinProgramme.h"
#include "alarms/MessAlarm.h"
#include "app/DossierReglages.h"
#include "app/Options.h"
#include "app/Sequences.h"
#include "clock/QUENTOR.h"
#include "platform/Aide.h"
#include "support/Doubles.h"
#include "support/Fichiers.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

namespace {

TEST(Options, EachOptionSeveralAndUnknown) {
    using A = Options::Action;
    // clang-format off
    const struct { QStringList arguments; A action; QString fautif = {}; } cas[] = {
        {{}, A::Horloge}, {{"--dire-l-heure"}, A::DitHeure}, {{"--say-time"}, A::DitHeure},
        {{"--help"}, A::Aide}, {{"-h"}, A::Aide}, {{"--version"}, A::Version},
        {{"--say-time", "--version"}, A::Version}, {{"--version", "--dire-l-heure", "--help"}, A::Aide},
        // Qt's own, from a session manager or a user: left to Qt, with their values.
        {{"-session", "1a2b", "--say-time"}, A::DitHeure}, {{"-platform=xcb", "-reverse"}, A::Horloge},
        {{"--style", "Fusion"}, A::Horloge}, {{"--frobnique"}, A::Erreur, "--frobnique"},
        {{"--help", "heure"}, A::Erreur, "heure"}, {{"-x", "--say-time"}, A::Erreur, "-x"},
        {{"--dire-l-heure=1"}, A::Erreur, "--dire-l-heure=1"}, {{"-"}, A::Erreur, "-"},
        // The timer's: a value that does not read is named before any clock is asked.
        {{"--minuteur", "25"}, A::Minuteur}, {{"--timer=1h30", "--timer-stop"}, A::Minuteur},
        {{"--minuteur", "25x"}, A::Erreur, "25x"}, {{"--timer-until", "25:00"}, A::Erreur, "25:00"},
        {{"--minuteur"}, A::Erreur, "--minuteur"}, {{"--minuteur-arret=1"}, A::Erreur, "--minuteur-arret=1"},
        {{"--dire-la-date"}, A::DitDate}, {{"--say-date", "--say-time"}, A::DitHeure},
    };
    // clang-format on
    for (const auto& c : cas) {
        const Options o = LitOptions(c.arguments);
        EXPECT_EQ(o.action, c.action) << c.arguments.join(u' ').toStdString();
        const bool nomme = o.erreur.contains(QStringLiteral("« %1 »").arg(c.fautif));
        EXPECT_EQ(nomme, !c.fautif.isEmpty()) << o.erreur.toStdString();
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
    bureau.donnees = d.path();
    Etat.CheminAppli = d.filePath("config");
    EcritOctets(d.filePath("Sonalde.html"), "<p>");
    EXPECT_EQ(DossierAide(), d.path());  // installed
    QDir().mkpath(Etat.CheminAppli);
    EcritOctets(d.filePath("config/Sonalde.html"), "<p>");
    EXPECT_EQ(DossierAide(), Etat.CheminAppli);  // a build or a portable copy has its own
}

// Complete settings, with each "key=value" of `changes` in place of the key's line (a bare "key"
// leaves the key out).
QByteArray ini(const QStringList& changes = {}) {
    QStringList l = QStringLiteral(
                        "; commentaire|couleur_fond=4210752|couleur_encre=32768|couleur_bande=33023|"
                        "QS_top=1500|QS_left=1200|QS_width=3000|QS_height=1500|Réduction=0|"
                        "QS_visible=Vrai|déclenche_annonce=2|Genre=1")
                        .split(u'|');
    for (int n = 1; n <= 6; ++n)
        l << QStringLiteral(
                 "ALH%1=%2|ALMN%1=%3|AL%1=Faux|ALMSG%1=Vrai|ALAPP%1=Faux|ALEXE%1=|ALSON%1=|ALJOURS%1=1111111|"
                 "ALDATE%1=|ALREPETE%1=10|ALSONNE%1=0")
                 .arg(n)
                 .arg(n + 6)
                 .arg(n * 5)
                 .split(u'|');
    l << QStringLiteral(
             "active_image=0|image_fond= /x/mon fond.bmp|silence_actif=Faux|silence_debut=22:00|"
             "silence_fin=07:00|volume=100|heure_courante=Faux|annonce_demarrage=Faux|annonce_reveil=Faux|"
             "ne_pas_deranger=Vrai|sortie_eveillee=Faux")
             .split(u'|');
    for (const QString& c : changes)
        for (QString& s : l)
            if (s.section(u'=', 0, 0) == c.section(u'=', 0, 0))
                s = c.contains(u'=') ? c : QString();
    l.removeAll(QString());
    return (l.join("\r\n") + "\r\n").toLatin1();
}

class Sequences : public AvecPlateforme {
protected:
    Sequences() {
        bureau.programme = dir.path();
        RemplitEtat();
        for (int n = 1; n <= 6; ++n)
            EcritOctets(dir.filePath(QStringLiteral("MSG%1.ASC").arg(n)), "memo\r\n");
        LorsErreurImage = [this](QUENTOR&, const QString& r) { erreursImage << r; };
    }
    ~Sequences() override { LorsErreurImage = nullptr; }
    QByteArray lit(const QString& nom) { return LitOctets(dir.filePath(nom)); }
    void charge(const QByteArray& octets, QUENTOR& f) {
        EcritOctets(dir.filePath("QS32.ini"), octets);
        QUENTOR_Form_Load(f);
        f.montreSiPrevu();
    }
    QString derniereBoite() const { return dialogues.boites.empty() ? QString() : dialogues.boites.back().texte; }
    QTemporaryDir dir;
    QUENTOR w;
    QStringList erreursImage;
};

// A settings fault is reported, ends the load and gives exit code 1. The clock does not tick
// while its box is open.
TEST_F(Sequences, LoadFaultsAreReportedAndEndTheProgram) {
    for (auto [changes, message] :
         {std::pair{QStringList{"ALH3", "Genre"}, QString("Il manque le paramètre Genre")},
          {{"image_fond"}, "Il manque le paramètre image_fond"},  // even with the picture off
          {{"Réduction=3"},
           "Le paramètre Réduction du fichier " + dir.filePath("QS32.ini") +
               " vaut 3 : il doit valoir 0 (fenêtre normale), 1 (réduite) ou 2 (agrandie)."}}) {
        QUENTOR f;
        int code = 0;
        QString legende;
        dialogues.pendantBoite = [&] {
            legende = f.windowTitle();
            horloge.avance(61);
            f.QUENTOR_Timer_Timer();
        };
        try {
            charge(ini(changes), f);
        } catch (const FinProgramme& fin) {
            code = fin.code;
        }
        EXPECT_EQ(QString::number(code) + derniereBoite(), u'1' + message);
        EXPECT_EQ(f.windowTitle(), legende);
    }
}

TEST_F(Sequences, PictureWithLeadingBlanksLoadsAndAFailedOneIsReported) {
    QImage img(8, 8, QImage::Format_RGB32);
    ASSERT_TRUE(img.save(dir.filePath("fond.bmp")));
    const QString bonne = dir.filePath("fond.bmp");
    for (const QString& chemin : {QString(), QStringLiteral("   "), dir.filePath("absent.bmp"), "   " + bonne}) {
        QUENTOR f;
        erreursImage.clear();
        charge(ini({"active_image=1", "image_fond=" + chemin}), f);
        const bool chargee = chemin.endsWith("fond.bmp");
        const bool sansErreur = Etat.ErreurImage == 0 && !f.image().isNull() && erreursImage.isEmpty();
        EXPECT_EQ(sansErreur, chargee) << chemin.toStdString();
        EXPECT_EQ(erreursImage.size() + f.imageVisible(), chargee ? 1 : 2);
    }
    EXPECT_EQ(Etat.ImageFond, bonne);
}

// The load applies every setting, which the close writes back (the normal outer geometry, as the
// user left it, even when minimised); then the exit clip for a second, then the end, once.
TEST_F(Sequences, LoadThenCloseWritesEverythingBackThenPlaysTheExitClipAndEnds) {
    magasin.entrees["quentor"] = "/bin/sh";
    magasin.fichiers << "/bin/sh";
    charge(ini({"Genre= 1", "volume=55", "ALAPP4=Vrai"}), w);
    EXPECT_TRUE(w.isVisible() && w.timerActif() && Etat.AutoDemarre && !w.imageVisible());
    const Alarme& trois = Etat.Alarmes[2];
    EXPECT_TRUE(trois.Heure == 9 && trois.Minute == 15 && trois.Message && !trois.Active && !trois.Appli);
    w.arreteTimer();  // no tick within the exit pause: its timing is what is checked here
    // The first change once on screen is the frame's arrival: the size asked for is then applied
    // with it. The next one is the user's.
    for (int fois = 0; fois < 2; ++fois) {
        w.resize(w.width() + 20, w.height() + 10);
        QCoreApplication::processEvents();
    }
    w.setCouleurFond(QColor(1, 2, 3));
    Etat.Genre = 0;
    Alarme& deux = Etat.Alarmes[1];  // every field of an alarm written back
    deux.Heure = 23;
    deux.Minute = 59;
    deux.Active = true;
    deux.Message = false;
    deux.Appli = true;
    deux.Exe = "/usr/bin/xclock";
    deux.Son = "/x/son.wav";
    Etat.Alarmes[4].Texte = "abc";
    w.setEtatFenetre(1);
    const QDateTime debut = horloge.maintenant();
    QUENTOR_Form_QueryUnload(w);
    QUENTOR_Form_QueryUnload(w);
    horloge.deroule();
    EXPECT_EQ(lit("QS32.ini"), ini({"couleur_fond=197121", "Genre=0", "ALH2=23", "ALMN2=59", "AL2=Vrai", "ALMSG2=Faux",
                                    "ALAPP2=Vrai", "ALEXE2=/usr/bin/xclock", "ALSON2=/x/son.wav", "Réduction=1",
                                    "QS_width=3300", "QS_height=1650", "volume=55", "ALAPP4=Vrai"}));
    EXPECT_EQ(lit("MSG5.ASC") + lit("MSG1.ASC"), "abc\r\nmemo\r\n");
    ASSERT_EQ(son.evenements.size(), 2u);
    EXPECT_EQ(son.evenements[0].quoi + son.evenements[1].quoi, "clip 84arret");
    EXPECT_EQ(son.evenements[0].volume, 55);  // the volume read at the load is in force
    EXPECT_EQ(debut.msecsTo(son.evenements[1].t), 1000);
    EXPECT_TRUE(bureau.codesSortie == std::vector<int>{0} && zone.retraits == 1 && !w.isVisible());
    EXPECT_TRUE(dialogues.boites.empty());
}

// All seven files are attempted; the one that can't be written is named. A key gone missing
// writes none.
TEST_F(Sequences, AFileThatCannotBeWrittenOrAMissingKey) {
    charge(ini(), w);
    Etat.Alarmes[0].Texte = "un";
    Etat.Genre = 0;
    QFile::remove(dir.filePath("MSG3.ASC"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("MSG3.ASC"));  // a folder in its place
    QUENTOR_Form_QueryUnload(w);
    horloge.deroule();
    EXPECT_EQ(lit("MSG1.ASC") + lit("MSG4.ASC") + lit("QS32.ini"), "un\r\nmemo\r\n" + ini({"Genre=0"}));
    EXPECT_TRUE(derniereBoite().contains("MSG3.ASC")) << derniereBoite().toStdString();
    Etat.FermetureEnCours = false;  // a second close in the same process
    Etat.Alarmes[0].Texte = "changé";
    Etat.TexteIni.replace("ALSON6=", "ALSON6");  // its separator is gone
    QUENTOR_Form_QueryUnload(w);
    EXPECT_EQ(derniereBoite(), "Il manque le paramètre  = ");
    EXPECT_EQ(lit("MSG1.ASC") + lit("QS32.ini"), "un\r\n" + ini({"Genre=0"}));
    EXPECT_EQ(bureau.codesSortie, (std::vector<int>{0, 1}));
}

// A close begun in any pause of the minute's work ends it there: waits 1-3 space the spoken time,
// 4 is the 5-second pause, 5 and 6 the firing (0: the close comes first, and a tick at second 0
// during its exit clip). Nothing follows but the exit clip; a second request then is ignored.
class FermetureEnPause : public Sequences, public ::testing::WithParamInterface<int> {};

TEST_P(FermetureEnPause, NothingOfTheMinuteFollowsTheClose) {
    const int k = GetParam();
    charge(ini({"déclenche_annonce=1", "ALH1=7", "ALMN1=30", "AL1=Vrai", "ALAPP1=Vrai", "ALEXE1=/bin/x"}), w);
    w.surFermeture = [this] { QUENTOR_Form_QueryUnload(w); };
    horloge.t = QDateTime(QDate(2009, 3, 3), k ? QTime(7, 30) : QTime(7, 29, 59));
    horloge.pendantPause = [&](int n) {
        if (n == k)
            w.QUENTOR_Fermeture_Click();
        if (n == k + 1) {
            horloge.t = QDateTime(QDate(2009, 3, 3), QTime(7, 30));
            w.QUENTOR_Timer_Timer();
            w.close();
        }
    };
    k ? w.QUENTOR_Timer_Timer() : w.QUENTOR_Fermeture_Click();
    horloge.deroule();
    const QStringList minute = {"clip 107", "clip 170", "clip 130", "clip 171", "fichier "};
    EXPECT_EQ(son.joues(), minute.mid(0, std::min(k, 5)) << "clip 84");
    EXPECT_EQ(lanceur.lances.size(), k >= 5 ? 1u : 0u);
    EXPECT_TRUE(horloge.pauses == k + 1 && !MessAlarmOuvert());
    EXPECT_TRUE(bureau.codesSortie == std::vector<int>{0} && !w.timerActif());
}
INSTANTIATE_TEST_SUITE_P(Pauses, FermetureEnPause, ::testing::Range(0, 7));

}  // namespace
