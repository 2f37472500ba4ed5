// The tick on the virtual clock: the face from one reading, the minute's work in order with its
// pauses, once per minute, never overlapping, and the timer aimed just past the next second.
#include "clock/BandeSecondes.h"
#include "art/Dessins.h"
#include "clock/QUENTORFixture.h"

#include <QLabel>
#include <QTimer>

class Tic : public AvecHorloge {};

TEST_F(Tic, FaceFromOneReadingAndTheBandFollowsTheSecond) {
    w->alignBandeSurHeure();
    EXPECT_DOUBLE_EQ(w->bandeX1(), 135);
    for (int s : {30, 59, 0}) {
        tic(14, 5, s);
        EXPECT_DOUBLE_EQ(w->bandeX2() - w->bandeX1(), w->AffHEURE->width() * 15.0 * s / 60) << s;
    }
    EXPECT_TRUE(w->bande->isHidden());  // no length at second 0
    tic(14, 5, 30);
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" 14:05 - mardi 3 mars 09"));
    EXPECT_EQ(w->AffHEURE->text() + Etat.HeureActuelle + Etat.MinuteActuelle, QStringLiteral("14:051405"));
    EXPECT_TRUE(w->Flash->isHidden() && horloge.t.time() == QTime(14, 5, 30, 250));  // only the quarter second
}

// The announcement, 5 s, then the alarms in order 1 to 6, each firing (1.5 + 2 s) ended before
// the next; then the quarter second.
TEST_F(Tic, AnnouncementThenPauseThenAlarmsInOrder) {
    Etat.DéclencheAnnonce = 1;
    alarme(5, 7, 30, true, false, true, QStringLiteral("/bin/cinq"));
    alarme(2, 7, 30, true, false, true, QStringLiteral("/bin/deux"));
    tic(7, 30, 0);
    EXPECT_EQ(chronologie(), (QStringList{"07:30:00.000 clip 7", "07:30:01.200 clip 70", "07:30:02.000 clip 30",
                                          "07:30:03.200 clip 71", "07:30:08.200 fichier /sons/alarme2.wav",
                                          "07:30:11.700 fichier /sons/alarme5.wav"}));
    EXPECT_EQ(lanceur.lances, (QStringList{"/bin/deux", "/bin/cinq"}));
    EXPECT_EQ(horloge.t.time(), QTime(7, 30, 15, 450));
}

// A tick falling due during the minute's pauses is skipped, not queued behind it; the minute's
// work runs once a minute, even if the clock is set back onto the same second 0.
TEST_F(Tic, TicksNeverOverlapAndTheMinutesWorkRunsOnce) {
    alarme(1, 10, 17, true);
    int imbriques = 0;
    QTimer::singleShot(0, w.get(), [&] { ++imbriques, tic(10, 17, 0); });
    tic(10, 17, 0);
    EXPECT_EQ(horloge.attentes * 10 + imbriques, 41);  // only the first tick's own waits: 5, 1.5, 2 and 0.25 s
    tic(10, 17, 0);
    EXPECT_EQ(horloge.t.time(), QTime(10, 17, 0, 250));
    alarme(1, 10, 18, true);
    tic(10, 18, 0);  // the next minute still works
    EXPECT_EQ(son.joues(), QStringList(2, "fichier /sons/alarme1.wav"));
}

TEST_F(Tic, TimerLandsJustAfterTheNextSecond) {
    aLHeure(12, 0, 10);
    horloge.avance(0.4);
    w->demarreTimer();
    EXPECT_TRUE(w->Timer->isActive() && w->Timer->isSingleShot());
    EXPECT_EQ(w->Timer->interval(), 0);  // nothing shown yet: at once
    w->QUENTOR_Timer_Timer();            // reads 12:00:10.400, ends at .650
    EXPECT_EQ(w->Timer->interval(), 353);
    // A tick held past the next boundary is followed at once by one for the new second.
    aLHeure(12, 0, 20);
    QTimer::singleShot(0, w.get(), [&] { QTimer::singleShot(0, w.get(), [&] { horloge.avance(1.0); }); });
    w->QUENTOR_Timer_Timer();
    EXPECT_EQ(w->Timer->interval(), 0);
    w->arreteTimer();
    w->QUENTOR_Timer_Timer();  // a tick run while stopped does not re-arm it
    EXPECT_FALSE(w->timerActif() || w->Timer->isActive());
}
