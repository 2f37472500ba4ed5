// A word's length, what the silent hours leave, and the words of everyday French and of the date.
#include "sound/Clips.h"
#include "platform/NePasDeranger.h"
#include "sound/Parole.h"
#include "sound/Phrases.h"
#include "sound/Silence.h"
#include "support/Doubles.h"

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

// The everyday form, tricky minutes spelled out (70 is "heures"); every minute of the day has all
// its words in both voices, said within 4 s.
TEST(Parole, EverydayFrenchOverTheWholeDay) {
    // clang-format off
    const struct { const char* hhmm; const char* mots; } cas[] = {
        {"00:00", "minuit"},                         {"00:30", "minuit et_demi"},
        {"12:30", "midi et_demi"},                   {"11:45", "midi moins_le_quart"},
        {"23:55", "minuit moins 5"},                 {"00:34", "minuit 34"},
        {"14:30", "2 70 et_demie de_l_apres_midi"},  {"01:00", "1 heure du_matin"},
        {"13:15", "1 heure et_quart de_l_apres_midi"}, {"12:35", "1 heure moins 25 de_l_apres_midi"},
        {"17:40", "6 70 moins 20 du_soir"},          {"17:59", "5 70 59 de_l_apres_midi"},
        {"10:50", "11 70 moins 10 du_matin"},        {"18:00", "6 70 du_soir"},
    };
    // clang-format on
    for (const auto& c : cas) {
        const QTime t = QTime::fromString(c.hhmm, "hh:mm");
        EXPECT_EQ(MotsHeureCourante(t.hour(), t.minute()).join(u' '), QStringLiteral("il_est ") + c.mots) << c.hhmm;
    }
    for (int m = 0; m < 2 * 24 * 60; ++m) {
        double duree = 0;
        for (const QString& mot : MotsHeureCourante(m % 1440 / 60, m % 60)) {
            const uint8_t genre = m / 1440;
            const QByteArray wav =
                mot.toInt() ? DonneesClip(int16_t(genre * 100 + mot.toInt())) : DonneesPhrase(genre, mot);
            ASSERT_FALSE(wav.isEmpty()) << mot.toStdString();
            duree += DureeWav(wav) + kEcartMots;
        }
        EXPECT_LE(duree, 4.0) << m;
    }
}

// Days of the month are masculine; the year is the voices' phrase, "deux mille" and a number, or
// left out.
TEST(Parole, TheDate) {
    // clang-format off
    const struct { QDate jour; const char* mots; } cas[] = {
        {{2026, 12, 7}, "lundi 7 decembre 2026"},         {{2026, 2, 1}, "dimanche premier fevrier 2026"},
        {{2027, 3, 21}, "dimanche vingt_et_un mars 2027"}, {{2025, 8, 31}, "dimanche trente_et_un aout 2025"},
        {{2024, 1, 1}, "lundi premier janvier deux_mille 24"}, {{2041, 5, 9}, "jeudi 9 mai"},
    };
    // clang-format on
    for (const auto& c : cas)
        EXPECT_EQ(MotsDate(c.jour).join(u' '), QStringLiteral("nous_sommes_le ") + c.mots) << c.mots;
}

// "Do not disturb": nothing heard holds nothing back; KDE's property and GNOME's banners each
// silence the clock and follow their changes; other names or types say nothing.
TEST(NePasDeranger, SourcesPresentChangingAndAbsent) {
    const QString kde = QStringLiteral("org.freedesktop.Notifications"), gnome = "org.gnome.desktop.notifications";
    SourcesNePasDeranger s;
    // clang-format off
    const std::pair<std::function<void()>, bool> pas[] = {
        {[] {}, false},
        {[&] { s.proprietesChangees(kde, {{"Inhibited", true}}, {}); }, true},
        {[&] { s.proprietesChangees("org.kde.autre", {{"Inhibited", false}}, {}); }, true},
        {[&] { s.proprietesChangees(kde, {}, {"Inhibited"}); }, false},
        {[&] { s.reglageChange(gnome, "show-banners", false); }, true},
        {[&] { s.reglageChange("org.gnome.desktop.interface", "show-banners", true); }, true},
        {[&] { s.reglageChange(gnome, "show-banners", QStringLiteral("oui")); }, false},
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(pas); ++i) {
        pas[i].first();
        EXPECT_EQ(s.actif(), pas[i].second) << "step " << i;
    }
}
