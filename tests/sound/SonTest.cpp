// The embedded clip set, and a clip handed to the output.
#include "sound/Son.h"

#include "sound/Clips.h"
#include "support/Doubles.h"

#include <QDir>
#include <QSet>
#include <QTimer>

// The embedded set must be exactly the 74 ids the program plays from: a missing clip would be
// silence in an announcement, an extra one a sign the set was mixed up.
TEST(Clips, EmbeddedSetIsExactlyTheListedIds) {
    QSet<int> embarques, listes;
    for (const QString& nom : QDir(QStringLiteral(":/wave")).entryList(QDir::Files))
        embarques.insert(nom.chopped(4).toInt());
    for (int16_t id : IdsClips())
        listes.insert(id);
    EXPECT_EQ(IdsClips().size(), 74u);
    EXPECT_EQ(embarques, listes);
}

using Son = AvecPlateforme;

// The clip's bytes stay here while it plays, and events run once: the tick's repaint shows.
TEST_F(Son, JoueSonKeepsTheClipAndLetsEventsRunOnce) {
    QObject contexte;
    bool traite = false;
    QTimer::singleShot(0, &contexte, [&] { traite = true; });
    JoueSon(84);
    EXPECT_TRUE(traite);
    EXPECT_EQ(TamponSon(), DonneesClip(84));
    JoueSon(124);  // no such clip: nothing is handed over
    EXPECT_TRUE(TamponSon().isEmpty());
    EXPECT_EQ(son.joues(), (QStringList{"clip 84", "donnees"}));
}
