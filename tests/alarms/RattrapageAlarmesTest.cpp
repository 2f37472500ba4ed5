// Jumps of the local time on the real tick and the virtual clock: a sleep, a clock set forward or
// back, the spring and autumn changes of Europe/Paris. What rings, and what is spoken.
#include "alarms/Calendrier.h"
#include "clock/QUENTORFixture.h"
#include "sound/Clips.h"
#include "sound/Phrases.h"
#include "state/Releve.h"
#include "support/Fichiers.h"

#include <QDir>
#include <QTemporaryDir>

#include <QTimeZone>

namespace {
struct Pas {
    qint64 passeMs, sauteMs;
};  // time that passes on both clocks, then the local time alone moves
struct AlarmeVoulue {
    int n, h, m;
};
}  // namespace

using Sauts = AvecHorloge;

TEST_F(Sauts, SkippedAlarmsRingOnceAndNothingRingsTwice) {
    const QTimeZone paris("Europe/Paris");
    ASSERT_TRUE(paris.isValid());
    constexpr qint64 mn = 60'000;
    const struct {
        const char* quoi;
        QDate jour;
        QTime debut;
        std::vector<AlarmeVoulue> alarmes;
        std::vector<Pas> pas;
        // clang-format off
                   QStringList lances, joues; } cas[] = {
        {"2 s ahead is drift, not a jump", {2009, 3, 3}, {10, 16, 59}, {{1, 10, 17}}, {{250, 2000}}, {}, {}},
        {"25 min over two: in alarm order", {2009, 3, 3}, {10, 16, 30}, {{4, 10, 20}, {2, 10, 35}}, {{750, 25 * mn}},
         {"/bin/a2", "/bin/a4"}, {"fichier /sons/alarme2.wav", "fichier /sons/alarme4.wav"}},
        {"75 min: 72 min late is too late, 60 is not", {2009, 3, 3}, {10, 16, 30}, {{1, 10, 20}, {2, 10, 32}},
         {{750, 75 * mn + 29'000}}, {"/bin/a2"},
         {"fichier /sons/alarme2.wav", "homme/alarme_manquee", "clip 10", "clip 70", "clip 20", "clip 71"}},  // the first told missed
        {"a sleep over midnight", {2009, 3, 3}, {23, 50, 30}, {{1, 23, 55}}, {{750, 30 * mn}}, {"/bin/a1"},
         {"fichier /sons/alarme1.wav"}},
        {"landing on second 0 of the alarm's minute", {2009, 3, 3}, {10, 16, 30}, {{5, 10, 40}},
         {{750, 23 * mn + 29'000}}, {"/bin/a5"}, {"fichier /sons/alarme5.wav"}},
        {"an hour back over an alarm that rang", {2009, 3, 3}, {10, 30, 0}, {{6, 10, 30}},
         {{1'451'250, -60 * mn}, {2'139'750, 0}}, {"/bin/a6"}, {"fichier /sons/alarme6.wav"}},
        {"spring change: 02:30 never comes", {2009, 3, 29}, {1, 59, 59}, {{1, 2, 30}, {2, 3, 0}}, {{750, 0}},
         {"/bin/a1", "/bin/a2"},
         {"fichier /sons/alarme1.wav", "clip 85", "clip 3", "clip 70", "fichier /sons/alarme2.wav"}},
        {"autumn change: 02:30 comes twice", {2009, 10, 25}, {1, 30, 0}, {{3, 2, 30}},
         {{3'594'750, 0}, {1'790'250, 0}, {750, 0}, {1'792'250, 0}}, {"/bin/a3"},
         {"fichier /sons/alarme3.wav", "clip 85", "clip 2", "clip 70"}},
    };
    // clang-format on
    for (const auto& c : cas) {
        Etat = EtatProgramme{};
        sansAlarme();
        w = std::make_unique<QUENTOR>();
        w->show();  // each tick then ends with its quarter second
        son.evenements.clear();
        lanceur.lances.clear();
        for (const AlarmeVoulue& a : c.alarmes)
            alarme(a.n, a.h, a.m, true, false, true, QStringLiteral("/bin/a%1").arg(a.n));
        horloge.t = QDateTime(c.jour, c.debut, paris);
        tique();
        for (const Pas& p : c.pas) {
            horloge.avance(p.passeMs / 1000.0);
            horloge.saute(p.sauteMs);
            tique();
        }
        EXPECT_EQ(lanceur.lances, c.lances) << c.quoi;
        EXPECT_EQ(son.joues(), c.joues) << c.quoi;
    }
}

// Alarms that passed while the clock was not running, caught up at its first tick from the run
// record: at most an hour late they ring after the start clip, later they are told, never rung;
// one that rang (a restart in the repeated hour) or a first run gives nothing.
TEST_F(Sauts, MissedWhileOffRingOrAreToldOnce) {
    const QDate jour(2009, 10, 25);
    // clang-format off
    const struct { QTime marche, sonnee, debut; QStringList lances, joues; } cas[] = {
        {{7, 0}, {}, {7, 40, 10}, {"/bin/a1"}, {"fichier /sons/alarme1.wav"}},
        {{6, 0}, {}, {8, 45, 10}, {}, {"homme/alarme_manquee", "clip 7", "clip 70", "clip 30", "clip 71"}},
        {{2, 29}, {2, 30}, {2, 45}, {}, {}}, {{}, {}, {7, 40, 10}, {}, {}},
    };
    // clang-format on
    for (const auto& c : cas) {
        Etat = EtatProgramme{};
        sansAlarme();
        alarme(1, c.sonnee.isValid() ? 2 : 7, 30, true, false, true, QStringLiteral("/bin/a1"));
        Etat.Alarmes[0].SonneePour = Cadran(QDateTime(jour, c.sonnee));
        son.evenements.clear();
        notifications.montrees.clear();
        w = std::make_unique<QUENTOR>();
        w->rattrapeDepuis(c.marche.isValid() ? QDateTime(jour, c.marche) : QDateTime());
        horloge.t = QDateTime(jour, c.debut);
        tique();
        EXPECT_EQ(lanceur.lances, c.lances);
        EXPECT_EQ(son.joues(), c.joues);
        EXPECT_EQ(notifications.montrees.count("manquee1"), size_t(c.joues.size() > 1));
        const int clipMs = qRound(DureeWav(DonneesClip(kClipSignature)) * 1000);
        if (!son.evenements.empty()) {  // after the start clip
            EXPECT_EQ(c.debut.msecsTo(son.evenements[0].t.time()), clipMs);
        }
        lanceur.lances.clear();
    }
    ASSERT_FALSE(OuvreReleve(QDir::temp().filePath("quentor-absent/QS32.etat")));  // a first run
    QTemporaryDir d;
    EcritOctets(d.filePath("QS32.etat"), "marche=2009-10-25T02:29:00\ncassé");
    EXPECT_FALSE(OuvreReleve(d.filePath("QS32.etat")) || !ValeurReleve("marche").isEmpty());
    NoteReleve("sonnee1", "2009-10-25T02:30:00");
    EXPECT_TRUE(OuvreReleve(d.filePath("QS32.etat")) && ValeurReleve("sonnee1") == "2009-10-25T02:30:00");
}
