// The embedded clip set, and a clip handed to the output.
#include "sound/Son.h"

#include "sound/Annonce.h"
#include "sound/Clips.h"
#include "support/Doubles.h"

#include <QDir>
#include <QSet>
#include <QTimer>
#include <set>

// Exactly the 131 ids the program plays from: a missing clip would be silence in an announcement.
TEST(Clips, EmbeddedSetIsExactlyTheListedIds) {
    QSet<int> embarques, listes(IdsClips().begin(), IdsClips().end());
    for (const QString& nom : QDir(QStringLiteral(":/wave")).entryList(QDir::Files))
        embarques.insert(nom.chopped(4).toInt());
    EXPECT_EQ(embarques, listes);
    EXPECT_EQ(listes.size(), 131);
}

// Every hour and minute in both voices: the hour (99 for hour 0), "heures" (70), and unless the
// minute is 00 the minute's own number and "minutes" (71), each a clip the program carries.
TEST(Clips, EveryTimeOfDaySpeaksCarriedClipsWithTheAnnouncementsPauses) {
    const struct { uint8_t genre; const char *h, *m, *attendu; } cas[] = {
        {0, "00", "00", "99 1.2 70 0.8"}, {1, "00", "00", "199 1.2 170 0.8"}, {0, "12", "00", "12 1.2 70 0.8"},
        {0, "09", "05", "9 1.2 70 0.8 5 1.2 71 0"}, {1, "23", "55", "123 1.2 170 0.8 155 1.2 171 0"},
        {0, "01", "24", "1 1.2 70 0.8 24 1.2 71 0"}, {1, "21", "24", "121 1.2 170 0.8 124 1.2 171 0"},
        {1, "10", "07", "110 1.2 170 0.8 107 1.2 171 0"}, {0, "17", "59", "17 1.2 70 0.8 59 1.2 71 0"},
    };
    for (const auto& c : cas) {
        QStringList l;
        for (const PasParole& p : SequenceHeure(c.genre, c.h, c.m))
            l << QString::number(p.clip) << QString::number(p.pause);
        EXPECT_EQ(l.join(u' '), c.attendu) << c.h << ":" << c.m;
    }
    std::set<int16_t> dits;
    for (uint8_t genre : {0, 1})
        for (int h = 0; h < 24; ++h)
            for (int m = 0; m < 60; ++m) {
                const auto pas = SequenceHeure(genre, QString::asprintf("%02d", h), QString::asprintf("%02d", m));
                ASSERT_EQ(pas.size(), m ? 4u : 2u);
                ASSERT_TRUE(pas[0].clip == genre * 100 + (h ? h : 99) && (!m || pas[2].clip == genre * 100 + m));
                for (const PasParole& p : pas)
                    dits.insert(p.clip);
            }
    EXPECT_EQ(dits.size(), 124u);  // every voice clip, each one carried
    for (int16_t id : dits)
        EXPECT_FALSE(DonneesClip(id).isEmpty()) << id;
}

// The clip's bytes stay here while it plays, and events run once: the tick's repaint shows.
TEST_F(AvecPlateforme, JoueSonKeepsTheClipAndLetsEventsRunOnce) {
    QObject contexte;
    bool traite = false;
    QTimer::singleShot(0, &contexte, [&] { traite = true; });
    JoueSon(84);
    EXPECT_TRUE(traite && TamponSon() == DonneesClip(84));
    JoueSon(60);  // no such clip: nothing is handed over
    EXPECT_EQ(son.joues(), (QStringList{"clip 84", "donnees"}));
}
