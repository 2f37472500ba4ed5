#include "sound/Annonce.h"

#include "sound/Clips.h"
#include "support/Doubles.h"

#include <set>

namespace {

// What was played, with the time of each play in milliseconds after `debut`.
using Suite = std::vector<std::pair<qint64, QString>>;

class Annonce : public AvecPlateforme {
protected:
    // The minute's sound work as the tick does it: chime at the top of the hour, then the
    // announcement when the periodicity asks for it.
    void minute(const char* heure, const char* minute, int declenche, int genre) {
        Etat.HeureActuelle = QString::fromLatin1(heure);
        Etat.MinuteActuelle = QString::fromLatin1(minute);
        Etat.DéclencheAnnonce = int16_t(declenche);
        Etat.Genre = uint8_t(genre);
        debut = horloge.maintenant();
        if (Etat.MinuteActuelle == QLatin1String("00"))
            CarillonHeure();
        if (AnnonceDue(Etat.DéclencheAnnonce, Etat.MinuteActuelle))
            AnnonceHeure();
        fin = horloge.maintenant();
    }
    Suite suite() const {
        Suite s;
        for (const auto& e : son.evenements)
            s.emplace_back(debut.msecsTo(e.t), e.quoi);
        return s;
    }
    qint64 duree() const { return debut.msecsTo(fin); }
    QDateTime debut, fin;
};

Suite clips(std::initializer_list<std::pair<qint64, int>> l) {
    Suite s;
    for (auto [t, id] : l)
        s.emplace_back(t, QStringLiteral("clip %1").arg(id));
    return s;
}

}  // namespace

TEST_F(Annonce, MidnightMaleVoiceChimesThenSaysHourZero) {
    minute("00", "00", 0, 0);
    EXPECT_EQ(suite(), clips({{0, 85}, {500, 99}, {1700, 70}}));
    EXPECT_EQ(duree(), 2500);
}

TEST_F(Annonce, MidnightFemaleVoiceKeepsTheChimeWithoutVoiceOffset) {
    minute("00", "00", 3, 1);
    EXPECT_EQ(suite(), clips({{0, 85}, {500, 199}, {1700, 170}}));
    EXPECT_EQ(duree(), 2500);
}

TEST_F(Annonce, TopOfTheHourIsOneAnnouncementInEveryMode) {
    for (int mode = 0; mode <= 3; ++mode) {
        son.evenements.clear();
        minute("14", "00", mode, 0);
        EXPECT_EQ(suite(), clips({{0, 85}, {500, 14}, {1700, 70}})) << "mode " << mode;
    }
    son.evenements.clear();
    minute("12", "00", 2, 0);  // noon has no clip of its own
    EXPECT_EQ(suite(), clips({{0, 85}, {500, 12}, {1700, 70}}));
}

TEST_F(Annonce, HalfPastTwelveSaysHourAndMinutesWithNoPauseAfterTheLastClip) {
    minute("12", "30", 1, 0);
    EXPECT_EQ(suite(), clips({{0, 12}, {1200, 70}, {2000, 30}, {3200, 71}}));
    EXPECT_EQ(duree(), 3200);
}

TEST_F(Annonce, FivePastNineIsSpokenOnlyEveryFiveMinutes) {
    minute("09", "05", 3, 0);
    EXPECT_EQ(suite(), clips({{0, 9}, {1200, 70}, {2000, 5}, {3200, 71}}));
    for (int mode : {0, 1, 2}) {
        son.evenements.clear();
        minute("09", "05", mode, 0);
        EXPECT_TRUE(suite().empty()) << "mode " << mode;
        EXPECT_EQ(duree(), 0);
    }
}

TEST_F(Annonce, FiveToMidnightFemaleVoice) {
    minute("23", "55", 3, 1);
    EXPECT_EQ(suite(), clips({{0, 123}, {1200, 170}, {2000, 155}, {3200, 171}}));
}

TEST_F(Annonce, QuarterModeAnnouncesFortyFiveButNotFive) {
    minute("16", "45", 2, 0);
    EXPECT_EQ(suite(), clips({{0, 16}, {1200, 70}, {2000, 45}, {3200, 71}}));
    son.evenements.clear();
    minute("16", "05", 2, 0);
    EXPECT_TRUE(suite().empty());
}

TEST_F(Annonce, UnknownPeriodicitiesOnlyChime) {
    for (int mode : {4, 5, -1}) {
        son.evenements.clear();
        minute("14", "00", mode, 0);
        EXPECT_EQ(suite(), clips({{0, 85}})) << "mode " << mode;
        son.evenements.clear();
        minute("14", "30", mode, 0);
        EXPECT_TRUE(suite().empty()) << "mode " << mode;
    }
}

TEST(AnnonceDue, ComparesMinuteTexts) {
    // The rule works on the two-character texts: "5" or " 5" is not minute "05".
    EXPECT_TRUE(AnnonceDue(3, QStringLiteral("05")));
    EXPECT_FALSE(AnnonceDue(3, QStringLiteral("5")));
    EXPECT_FALSE(AnnonceDue(3, QStringLiteral("")));
    int dues[4] = {};
    for (int mode = 0; mode <= 3; ++mode)
        for (int m = 0; m < 60; ++m)
            dues[mode] += AnnonceDue(int16_t(mode), QStringLiteral("%1").arg(m, 2, 10, QChar('0')));
    EXPECT_EQ(dues[0], 1);
    EXPECT_EQ(dues[1], 2);
    EXPECT_EQ(dues[2], 4);
    EXPECT_EQ(dues[3], 12);
}

// Every id that any hour, minute, voice and periodicity can make the clock play is a clip of
// the embedded set: an absent one would be a silent gap in the announcement.
TEST_F(Annonce, EveryReachableClipExists) {
    const std::set<int16_t> ids(IdsClips().begin(), IdsClips().end());
    std::set<QString> entendus;
    for (int genre : {0, 1}) {
        // The periodicity only decides which minutes speak; speak each such minute once.
        std::set<int> minutesDues;
        for (int mode = -1; mode <= 5; ++mode)
            for (int m = 0; m < 60; ++m)
                if (AnnonceDue(int16_t(mode), QStringLiteral("%1").arg(m, 2, 10, QChar('0'))))
                    minutesDues.insert(m);
        minutesDues.insert(0);  // the chime's minute
        for (int h = 0; h < 24; ++h)
            for (int m : minutesDues) {
                son.evenements.clear();
                const QByteArray hh = QStringLiteral("%1").arg(h, 2, 10, QChar('0')).toLatin1();
                const QByteArray mm = QStringLiteral("%1").arg(m, 2, 10, QChar('0')).toLatin1();
                minute(hh.constData(), mm.constData(), 3, genre);
                ASSERT_FALSE(son.joues().isEmpty());
                for (const QString& q : son.joues()) {
                    ASSERT_TRUE(q.startsWith(QLatin1String("clip "))) << q.toStdString() << " at " << h << ":" << m;
                    ASSERT_TRUE(ids.count(int16_t(q.mid(5).toInt()))) << q.toStdString();
                    entendus.insert(q);
                }
            }
    }
    // Both voices: 24 hour clips (1-23 and zero), "heures", "minutes", 11 minute numbers
    // (5 to 55; the five-minute clips double as hours); plus the chime.
    EXPECT_EQ(entendus.size(), 2u * (24 + 2 + 7) + 1);
}
