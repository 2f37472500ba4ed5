#include "clock/BandeSecondes.h"
#include "art/Dessins.h"
#include "clock/QUENTORFixture.h"

#include <QLabel>
#include <QTimer>

// A clock on screen: each tick shows its marker for a quarter second.
class Tic : public AvecHorloge {
protected:
    Tic() { w->show(); }
};

TEST_F(Tic, FaceFromOneReading) {
    aLHeure(14, 5, 30);
    w->alignBandeSurHeure();
    w->QUENTOR_Timer_Timer();
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" 14:05 - mardi 3 mars 09"));
    EXPECT_EQ(w->AffHEURE->text(), QStringLiteral("14:05"));
    EXPECT_EQ(Etat.HeureActuelle, QStringLiteral("14"));
    EXPECT_EQ(Etat.MinuteActuelle, QStringLiteral("05"));
    EXPECT_TRUE(w->Flash->isHidden());
    // An ordinary second: only the quarter-second pause.
    EXPECT_EQ(horloge.t, QDateTime(QDate(2009, 3, 3), QTime(14, 5, 30, 250)));
    EXPECT_TRUE(son.evenements.empty());
}

TEST_F(Tic, BandLengthFollowsTheSecond) {
    w->alignBandeSurHeure();
    EXPECT_DOUBLE_EQ(w->bandeX1(), 135);
    for (int s : {30, 59, 0}) {
        aLHeure(9, 41, s);
        w->QUENTOR_Timer_Timer();
        const double largeur = w->AffHEURE->width() * 15.0;
        EXPECT_DOUBLE_EQ(w->bandeX2() - w->bandeX1(), largeur * s / 60) << s;
    }
    EXPECT_TRUE(w->bande->isHidden());  // no length at second 0
}

TEST_F(Tic, AtTenSeventeenHourlyModeOnlyPausesThenFiresTheAlarm) {
    Etat.DéclencheAnnonce = 0;
    alarme(1, 10, 17, true);
    aLHeure(10, 17, 0);
    w->QUENTOR_Timer_Timer();
    EXPECT_EQ(chronologie(), QStringList{QStringLiteral("10:17:05.000 fichier /sons/alarme1.wav")});
    // 5 s, the ringing's 1.5 + 2 s, then the closing quarter second.
    EXPECT_EQ(horloge.t.time(), QTime(10, 17, 8, 750));
}

TEST_F(Tic, HalfHourAnnouncementThenPauseThenAlarm) {
    Etat.DéclencheAnnonce = 1;
    alarme(4, 7, 30, true);
    aLHeure(7, 30, 0);
    w->QUENTOR_Timer_Timer();
    EXPECT_EQ(chronologie(), (QStringList{
                                 QStringLiteral("07:30:00.000 clip 7"),
                                 QStringLiteral("07:30:01.200 clip 70"),
                                 QStringLiteral("07:30:02.000 clip 30"),
                                 QStringLiteral("07:30:03.200 clip 71"),
                                 QStringLiteral("07:30:08.200 fichier /sons/alarme4.wav"),
                             }));
}

TEST_F(Tic, MidnightChimesSpeaksHourZeroAndFiresTheMidnightAlarm) {
    alarme(2, 0, 0, false, true);
    aLHeure(0, 0, 0);
    w->QUENTOR_Timer_Timer();
    EXPECT_EQ(chronologie(), (QStringList{
                                 QStringLiteral("00:00:00.000 clip 85"),
                                 QStringLiteral("00:00:00.500 clip 99"),
                                 QStringLiteral("00:00:01.700 clip 70"),
                             }));
    ASSERT_NE(MessAlarmOuvert(), nullptr);
    EXPECT_EQ(MessAlarmOuvert()->windowTitle(), QStringLiteral("MESSAGE N°2"));
    EXPECT_EQ(horloge.t.time(), QTime(0, 0, 9, 750));  // 2.5 + 5 + 2 + 0.25
}

TEST_F(Tic, TwoAlarmsInOneMinuteFireInOrderThreeAndAHalfSecondsApart) {
    alarme(5, 8, 15, true, false, true, QStringLiteral("/bin/cinq"));
    alarme(2, 8, 15, true, false, true, QStringLiteral("/bin/deux"));
    aLHeure(8, 15, 0);
    w->QUENTOR_Timer_Timer();
    EXPECT_EQ(lanceur.lances, (QStringList{QStringLiteral("/bin/deux"), QStringLiteral("/bin/cinq")}));
    EXPECT_EQ(chronologie(), (QStringList{
                                 QStringLiteral("08:15:05.000 fichier /sons/alarme2.wav"),
                                 QStringLiteral("08:15:08.500 fichier /sons/alarme5.wav"),
                             }));
}

TEST_F(Tic, MinuteWorkRunsOncePerMinuteEvenIfSecondZeroComesBack) {
    alarme(1, 10, 17, true);
    aLHeure(10, 17, 0);
    w->QUENTOR_Timer_Timer();
    ASSERT_EQ(son.joues().size(), 1);
    aLHeure(10, 17, 0);  // the clock set back onto the same second 0
    w->QUENTOR_Timer_Timer();
    EXPECT_EQ(son.joues().size(), 1);
    EXPECT_EQ(horloge.t.time(), QTime(10, 17, 0, 250));
    aLHeure(10, 18, 0);  // the next minute still works
    alarme(1, 10, 18, true);
    w->QUENTOR_Timer_Timer();
    EXPECT_EQ(son.joues().size(), 2);
}

TEST_F(Tic, TicksNeverOverlap) {
    // A tick falling due during the minute's pauses is skipped, not queued behind it.
    alarme(1, 10, 17, true);
    aLHeure(10, 17, 0);
    int imbriques = 0;
    QTimer::singleShot(0, w.get(), [&] {
        ++imbriques;
        horloge.t.setTime(QTime(10, 17, 0));
        w->QUENTOR_Timer_Timer();
    });
    w->QUENTOR_Timer_Timer();
    EXPECT_EQ(imbriques, 1);
    EXPECT_EQ(son.joues().size(), 1);
    // Only the first tick's own waits: 5, 1.5, 2 and 0.25 seconds.
    EXPECT_EQ(horloge.attentes, 4);
}

TEST_F(Tic, TimerLandsJustAfterTheNextSecond) {
    aLHeure(12, 0, 10);
    horloge.t = horloge.t.addMSecs(400);
    w->demarreTimer();
    EXPECT_TRUE(w->timerActif());
    EXPECT_TRUE(w->Timer->isActive());
    EXPECT_TRUE(w->Timer->isSingleShot());
    EXPECT_EQ(w->Timer->interval(), 0);  // nothing shown yet: at once
    w->QUENTOR_Timer_Timer();            // reads 12:00:10.400, ends at .650
    EXPECT_GE(w->Timer->interval(), 350);
    EXPECT_LE(w->Timer->interval(), 360);
    // A tick held past the next boundary is followed at once by one for the new second.
    aLHeure(12, 0, 20);
    // Runs during the tick's closing pause, after its reading.
    QTimer::singleShot(0, w.get(), [&] { QTimer::singleShot(0, w.get(), [&] { horloge.avance(1.0); }); });
    w->QUENTOR_Timer_Timer();
    EXPECT_EQ(w->Timer->interval(), 0);
    w->arreteTimer();
    EXPECT_FALSE(w->timerActif());
    EXPECT_FALSE(w->Timer->isActive());
    // A tick run while stopped does not re-arm it.
    w->QUENTOR_Timer_Timer();
    EXPECT_FALSE(w->Timer->isActive());
}
