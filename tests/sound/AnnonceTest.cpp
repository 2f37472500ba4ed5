// The spoken time as the real tick speaks it at second 0, with exact times on the virtual clock.
#include "sound/Annonce.h"
#include "clock/QUENTORFixture.h"

class Annonce : public AvecHorloge {};

// "ms:clip ..." after the tick's start, then "|" and when the tick ended (the minute's work ends
// with its 5 s pause, then the tick's quarter second).
TEST_F(Annonce, TheMinutesWorkChimesAndSpeaksAtTheRightMinutes) {
    const struct { int h, m, mode, genre; const char* attendu; } cas[] = {
        {0, 0, 0, 0, "0:85 500:99 1700:70 |7750"},  // midnight: chime, "zéro heures"
        {0, 0, 3, 1, "0:85 500:199 1700:170 |7750"},
        {14, 0, 0, 0, "0:85 500:14 1700:70 |7750"}, {14, 0, 1, 0, "0:85 500:14 1700:70 |7750"},
        {14, 0, 2, 0, "0:85 500:14 1700:70 |7750"}, {14, 0, 3, 0, "0:85 500:14 1700:70 |7750"},
        {12, 0, 2, 0, "0:85 500:12 1700:70 |7750"},  // noon has no clip of its own
        {12, 30, 1, 0, "0:12 1200:70 2000:30 3200:71 |8450"},  // no pause after the last clip
        {9, 5, 3, 0, "0:9 1200:70 2000:5 3200:71 |8450"}, {9, 5, 2, 0, "|5250"},
        {9, 5, 1, 0, "|5250"}, {9, 5, 0, 0, "|5250"}, {12, 30, 0, 0, "|5250"},
        {23, 55, 3, 1, "0:123 1200:170 2000:155 3200:171 |8450"},
        {16, 45, 2, 0, "0:16 1200:70 2000:45 3200:71 |8450"}, {16, 5, 2, 0, "|5250"},
        {14, 0, 4, 0, "0:85 |5750"}, {14, 0, -1, 0, "0:85 |5750"}, {14, 30, 5, 0, "|5250"},  // unknown modes
    };
    int jour = 0;
    for (const auto& c : cas) {
        son.evenements.clear();
        Etat.DéclencheAnnonce = int16_t(c.mode);
        Etat.Genre = uint8_t(c.genre);
        horloge.t = QDateTime(QDate(2009, 3, ++jour), QTime(c.h, c.m));  // the minute's work runs once a minute
        const QDateTime debut = horloge.t;
        w->QUENTOR_Timer_Timer();
        QString vu;
        for (const auto& e : son.evenements)
            vu += QStringLiteral("%1:%2 ").arg(debut.msecsTo(e.t)).arg(e.quoi.mid(5));
        EXPECT_EQ(vu + u'|' + QString::number(debut.msecsTo(horloge.t)), c.attendu)
            << c.h << ":" << c.m << " mode " << c.mode << " voice " << c.genre;
    }
}
