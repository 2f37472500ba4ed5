// The silent hours: what the minute's work plays, and the time spoken on demand.
#include "sound/DitHeure.h"
#include "sound/Silence.h"
#include "support/Doubles.h"

// "c" the chime, "a" the spoken time. The start is silent, the end is not; start = end is no
// silence at all.
TEST(Silence, WhatTheMinuteSoundsInAndOutOfTheSilentHours) {
    const struct { bool actif; int debut, fin; const char* hhmm; int16_t mode; const char* attendu; } cas[] = {
        {false, 1320, 420, "23:00", 0, "ca"}, {true, 1320, 420, "21:45", 2, "a"}, {true, 1320, 420, "21:55", 3, "a"},
        {true, 1320, 420, "22:00", 0, ""},    {true, 1320, 420, "23:30", 1, ""},  {true, 1320, 420, "00:00", 3, ""},
        {true, 1320, 420, "06:55", 3, ""},    {true, 1320, 420, "06:45", 2, ""},  {true, 1320, 420, "07:00", 0, "ca"},
        {true, 1320, 420, "07:15", 2, "a"},   {true, 1320, 420, "12:30", 1, "a"}, {true, 1320, 420, "22:00", 5, ""},
        {true, 780, 840, "13:00", 0, ""},     {true, 780, 840, "13:55", 3, ""},   {true, 780, 840, "14:00", 0, "ca"},
        {true, 780, 840, "12:55", 3, "a"},    {true, 480, 480, "08:00", 0, "ca"}, {true, 0, 0, "00:00", 3, "ca"},
        {true, 1439, 1, "00:00", 0, ""},      {true, 1439, 1, "23:55", 3, "a"},   {false, 1320, 420, "22:00", 5, "c"}};
    for (const auto& c : cas) {
        const SonsMinute s = SonsDeLaMinute(c.mode, QString(c.hhmm).left(2), QString(c.hhmm).right(2),
                                            {c.actif, int16_t(c.debut), int16_t(c.fin)});
        EXPECT_EQ(QString(s.carillon ? "c" : "") + (s.annonce ? "a" : ""), QString(c.attendu))
            << c.debut << "-" << c.fin << " at " << c.hhmm << " mode " << c.mode << (c.actif ? "" : " off");
    }
}

// Asked for, the time is spoken in the silent hours, without the chime.
TEST_F(AvecPlateforme, DitHeureSpeaksEvenInTheSilentHours) {
    Etat.Silence = {true, 0, 1439};
    horloge.t = QDateTime(QDate(2009, 3, 3), QTime(23, 0, 40));
    EXPECT_TRUE(DitHeure());
    horloge.deroule();
    EXPECT_EQ(son.joues(), (QStringList{"clip 23", "clip 70"}));
}
