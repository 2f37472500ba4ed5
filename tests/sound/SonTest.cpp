// The embedded clip set, and a clip handed to the output.
#include "sound/Son.h"

#include "sound/Clips.h"
#include "support/Doubles.h"

#include <QDir>
#include <QSet>
#include <QTimer>

// Exactly the 74 ids the program plays from: a missing clip would be silence in an announcement.
TEST(Clips, EmbeddedSetIsExactlyTheListedIds) {
    QSet<int> embarques, listes(IdsClips().begin(), IdsClips().end());
    for (const QString& nom : QDir(QStringLiteral(":/wave")).entryList(QDir::Files))
        embarques.insert(nom.chopped(4).toInt());
    EXPECT_EQ(embarques, listes);
    EXPECT_EQ(listes.size(), 74);
}

// The clip's bytes stay here while it plays, and events run once: the tick's repaint shows.
TEST_F(AvecPlateforme, JoueSonKeepsTheClipAndLetsEventsRunOnce) {
    QObject contexte;
    bool traite = false;
    QTimer::singleShot(0, &contexte, [&] { traite = true; });
    JoueSon(84);
    EXPECT_TRUE(traite && TamponSon() == DonneesClip(84));
    JoueSon(124);  // no such clip: nothing is handed over
    EXPECT_EQ(son.joues(), (QStringList{"clip 84", "donnees"}));
}
