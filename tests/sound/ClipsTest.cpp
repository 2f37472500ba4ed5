#include "sound/Clips.h"

#include <QDir>
#include <QSet>
#include <gtest/gtest.h>

// The embedded set must be exactly the 74 ids the program plays from: a missing clip would be
// silence in an announcement, an extra one a sign the set was mixed up.
TEST(Clips, EmbeddedSetIsExactlyTheListedIds) {
    QSet<int> embedded;
    for (const QString& name : QDir(QStringLiteral(":/wave")).entryList(QDir::Files))
        embedded.insert(name.chopped(4).toInt());
    QSet<int> listed;
    for (int16_t id : IdsClips())
        listed.insert(id);
    EXPECT_EQ(IdsClips().size(), 74u);
    EXPECT_EQ(embedded, listed);
}

TEST(Clips, EveryClipIsARiffWaveImage) {
    for (int16_t id : IdsClips()) {
        QByteArray b = DonneesClip(id);
        ASSERT_GT(b.size(), 44) << id;
        EXPECT_TRUE(b.startsWith("RIFF") && b.mid(8, 4) == "WAVE") << id;
    }
    EXPECT_TRUE(DonneesClip(124).isEmpty());
    EXPECT_TRUE(DonneesClip(0).isEmpty());
}
