// The tick on the virtual clock: the face from one reading, the minute's work (chime, spoken time,
// alarms) in order with its pauses, once per minute, never overlapping, and the timer aimed just
// past the next second; only what changed is painted, and nothing on a hidden face.
#include "clock/QUENTORFixture.h"
#include "sound/DitHeure.h"

#include <QCoreApplication>
#include <QTimer>

// A clock on screen: each tick shows its marker for a quarter second.
class Tic : public AvecHorloge {
protected:
    Tic() { w->show(); }
};

// "ms:clip ..." after the tick's start, then "|" and when the tick ended (the minute's work ends
// with its 5 s pause, then the tick's quarter second).
TEST_F(Tic, TheMinutesWorkChimesAndSpeaksAtTheRightMinutes) {
    // clang-format off
    const struct { int h, m, mode, genre; const char* attendu; } cas[] = {
        {0, 0, 0, 0, "0:85 500:99 1700:70 |7750"},  // midnight: chime, "zéro heures"
        {0, 0, 3, 1, "0:85 500:199 1700:170 |7750"},
        {12, 0, 2, 0, "0:85 500:12 1700:70 |7750"},  // noon has no clip of its own
        {12, 30, 1, 0, "0:12 1200:70 2000:30 3200:71 |8450"},  // no pause after the last clip
        {9, 5, 3, 0, "0:9 1200:70 2000:5 3200:71 |8450"}, {9, 5, 2, 0, "|5250"},
        {9, 5, 1, 0, "|5250"}, {9, 5, 0, 0, "|5250"}, {12, 30, 0, 0, "|5250"},
        {23, 55, 3, 1, "0:123 1200:170 2000:155 3200:171 |8450"},
        {16, 45, 2, 0, "0:16 1200:70 2000:45 3200:71 |8450"},
        {14, 0, 4, 0, "0:85 |5750"}, {14, 0, -1, 0, "0:85 |5750"}, {14, 30, 5, 0, "|5250"},  // unknown modes
    };
    // clang-format on
    int jour = 0;
    for (const auto& c : cas) {
        son.evenements.clear();
        Etat.DéclencheAnnonce = int16_t(c.mode);
        Etat.Genre = uint8_t(c.genre);
        horloge.t = QDateTime(QDate(2009, 3, ++jour), QTime(c.h, c.m));  // the minute's work runs once a minute
        const QDateTime debut = horloge.t;
        tique();
        QString vu;
        for (const auto& e : son.evenements)
            vu += QStringLiteral("%1:%2 ").arg(debut.msecsTo(e.t)).arg(e.quoi.mid(5));
        EXPECT_EQ(vu + u'|' + QString::number(debut.msecsTo(horloge.t)), c.attendu)
            << c.h << ":" << c.m << " mode " << c.mode << " voice " << c.genre;
    }
}

// A tick falling due during the minute's pauses is skipped, not queued behind it; the minute's
// work runs once a minute, even if the clock is set back onto the same second 0.
TEST_F(Tic, TicksNeverOverlapAndTheMinutesWorkRunsOnce) {
    alarme(1, 10, 17, true);
    int imbriques = 0;
    QTimer::singleShot(0, w.get(), [&] {
        ++imbriques;
        tic(10, 17, 0);
    });
    tic(10, 17, 0);
    EXPECT_EQ(horloge.pauses * 10 + imbriques, 41);  // only the first tick's own waits: 5, 1.5, 2 and 0.25 s
    tic(10, 17, 0);  // the marker goes at the tick's end; at second 0 the band has no length
    EXPECT_TRUE(horloge.t.time() == QTime(10, 17, 0, 250) && w->Flash->isHidden() && w->bande->isHidden());
    EXPECT_EQ(son.joues(), QStringList{"fichier /sons/alarme1.wav"});
}

TEST_F(Tic, TimerLandsJustAfterTheNextSecond) {
    aLHeure(12, 0, 10);
    horloge.avance(0.4);
    w->demarreTimer();
    EXPECT_TRUE(w->Timer->isActive() && w->Timer->isSingleShot());
    EXPECT_EQ(w->Timer->interval(), 0);  // nothing shown yet: at once
    tique();                             // reads 12:00:10.400, ends at .650
    EXPECT_EQ(w->Timer->interval(), 353);
    // A tick held past the next boundary is followed at once by one for the new second.
    aLHeure(12, 0, 20);
    horloge.plusTard(0.1, w.get(), [&] { horloge.avance(1.0); });
    tique();
    EXPECT_EQ(w->Timer->interval(), 0);
}

TEST_F(Tic, AShownFaceRepaintsOnlyTheMarkerAndTheBandsNewEnd) {
    w->alignBandeSurHeure();
    w->resize(250, 150);
    tic(14, 5, 30);
    QCoreApplication::processEvents();
    const QRect avant = w->bande->geometry();
    Peintures p(w.get());
    tic(14, 5, 31);  // the marker comes and goes, the band grows, the time's text stays
    QCoreApplication::processEvents();
    const QRect apres = w->bande->geometry();
    ASSERT_GT(apres.right(), avant.right());
    const QRegion attendu = QRegion(w->Flash->geometry()) + QRect(avant.topRight(), apres.bottomRight());
    EXPECT_TRUE(!p.region.isEmpty() && (p.region - attendu).isEmpty());
}

TEST_F(Tic, AHiddenFacePaintsNothingEndsWithoutThePauseAndIsRightWhenShown) {
    w->hide();
    w->alignBandeSurHeure();
    Etat.DéclencheAnnonce = 0;
    Peintures p(w.get());
    tic(10, 16, 45);
    EXPECT_EQ(horloge.t.time(), QTime(10, 16, 45));  // no quarter second: no marker to keep up
    tic(10, 17, 0);
    EXPECT_EQ(horloge.t.time(), QTime(10, 17, 5));  // the minute's work still ran, its pause whole
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" 10:17 - mardi 3 mars 09"));
    tic(10, 17, 30);
    QCoreApplication::processEvents();
    EXPECT_TRUE(p.region.isEmpty());
    w->show();  // before its first paint, the face shows the last reading
    EXPECT_EQ(w->AffHEURE->text(), QStringLiteral("10:17"));
    EXPECT_DOUBLE_EQ(w->bandeX2(), 135 + w->AffHEURE->width() * 15.0 * 30 / 60);  // from the time's left edge
    EXPECT_TRUE(w->Flash->isHidden());
}

// "Do not disturb" silences the chime and the announcement, not the alarm, whose output is readied
// at second 59 and kept open until it rings; the option off, the clock speaks again.
TEST_F(Tic, DoNotDisturbLeavesTheAlarmsAndTheOutputWaitsForThem) {
    Etat.DéclencheAnnonce = 1;
    nePasDeranger.inhibe = true;
    alarme(1, 15, 0, true);
    tic(14, 59, 59);
    tic(15, 0, 0);
    EXPECT_EQ(chronologie(), QStringList{"15:00:05.000 fichier /sons/alarme1.wav"});
    Etat.NePasDeranger = false;
    tic(15, 29, 59);
    tic(15, 30, 0);
    EXPECT_EQ(son.joues().mid(1), (QStringList{"clip 15", "clip 70", "clip 30", "clip 71"}));
    const QDate d(2009, 3, 3);  // readied until the alarm, or a second ahead of the announcement
    EXPECT_EQ(son.preparations, (decltype(son.preparations){{QDateTime(d, QTime(14, 59, 59)), 11000},
                                                            {QDateTime(d, QTime(15, 29, 59)), 0}}));
}

// Back from sleep (the local time ran over 2 minutes ahead) the time is said once, in the chosen
// form; not after a shorter jump (a clock set right).
TEST_F(Tic, TheTimeIsSaidOnceAtWake) {
    Etat.HeureCourante = Etat.AnnonceReveil = true;
    tic(7, 10, 10);
    for (qint64 saut : {110, 3 * 3600 + 15 * 60 + 10}) {
        horloge.saute(saut * 1000);
        tique();
    }
    horloge.deroule();
    EXPECT_EQ(son.joues(), (QStringList{"homme/il_est", "clip 10", "clip 70", "clip 27", "homme/du_matin"}));
}

// At start the time follows the start clip, the output readied a second before it.
TEST_F(Tic, TheTimeIsSaidAfterTheStartClip) {
    Etat.AnnonceDemarrage = true;
    aLHeure(7, 10, 10);
    joue(AnnonceDemarrage(1.5));
    EXPECT_EQ(son.preparations.front().first.time(), QTime(7, 10, 10, 500));
    EXPECT_EQ(chronologie(), (QStringList{"07:10:11.500 clip 7", "07:10:12.700 clip 70", "07:10:13.500 clip 10",
                                          "07:10:14.700 clip 71"}));
}
