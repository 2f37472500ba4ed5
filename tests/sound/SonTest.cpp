// The embedded clip set, and what the silent hours leave.
#include "sound/Clips.h"
#include "sound/Phrases.h"
#include "sound/Silence.h"
#include "support/Doubles.h"

#include <QDir>
#include <QSet>

// Exactly the 131 ids the program plays from: a missing clip would be silence in an announcement.
TEST(Clips, EmbeddedSetIsExactlyTheListedIds) {
    QSet<int> embarques, listes(IdsClips().begin(), IdsClips().end());
    for (const QString& nom : QDir(QStringLiteral(":/wave")).entryList(QDir::Files))
        embarques.insert(nom.chopped(4).toInt());
    EXPECT_EQ(embarques, listes);
    EXPECT_EQ(listes.size(), 131);
}

// A word's pause is its own length: read from the header of either voice's format, never past a
// truncated image's end.
TEST(Phrases, LengthOfEachVoiceAndOfBrokenImages) {
    EXPECT_NEAR(DureeWav(DonneesPhrase(0, QStringLiteral("et_quart"))), 4694 / 11025.0, 1e-3);
    EXPECT_NEAR(DureeWav(DonneesPhrase(1, QStringLiteral("et_quart"))), 21256 / 44100.0, 1e-3);
    const QByteArray entier = DonneesPhrase(1, QStringLiteral("2026"));
    EXPECT_NEAR(DureeWav(entier.left(entier.size() / 2)), DureeWav(entier) / 2, 0.01);
    EXPECT_EQ(DureeWav(entier.left(30)), 0);
    EXPECT_TRUE(DonneesPhrase(0, QStringLiteral("absente")).isEmpty());
}

// "c" the chime, "a" the spoken time. The start is silent, the end is not; start = end is no
// silence at all.
TEST(Silence, WhatTheMinuteSoundsInAndOutOfTheSilentHours) {
    // clang-format off
    const struct { bool actif; int debut, fin; const char* hhmm; int16_t mode; const char* attendu; } cas[] = {
        {false, 1320, 420, "23:00", 0, "ca"}, {true, 1320, 420, "21:45", 2, "a"}, {true, 1320, 420, "21:55", 3, "a"},
        {true, 1320, 420, "22:00", 0, ""},    {true, 1320, 420, "23:30", 1, ""},  {true, 1320, 420, "00:00", 3, ""},
        {true, 1320, 420, "06:55", 3, ""},    {true, 1320, 420, "06:45", 2, ""},  {true, 1320, 420, "07:00", 0, "ca"},
        {true, 1320, 420, "07:15", 2, "a"},   {true, 1320, 420, "12:30", 1, "a"}, {true, 1320, 420, "22:00", 5, ""},
        {true, 780, 840, "13:00", 0, ""},     {true, 780, 840, "13:55", 3, ""},   {true, 780, 840, "14:00", 0, "ca"},
        {true, 780, 840, "12:55", 3, "a"},    {true, 480, 480, "08:00", 0, "ca"}, {true, 0, 0, "00:00", 3, "ca"},
        {true, 1439, 1, "00:00", 0, ""},      {true, 1439, 1, "23:55", 3, "a"},   {false, 1320, 420, "22:00", 5, "c"}};
    // clang-format on
    for (const auto& c : cas) {
        const SonsMinute s = SonsDeLaMinute(c.mode, QString(c.hhmm).left(2).toInt(), QString(c.hhmm).right(2).toInt(),
                                            {c.actif, int16_t(c.debut), int16_t(c.fin)});
        EXPECT_EQ(QString(s.carillon ? "c" : "") + (s.annonce ? "a" : ""), QString(c.attendu))
            << c.debut << "-" << c.fin << " at " << c.hhmm << " mode " << c.mode << (c.actif ? "" : " off");
    }
}
