// The capture analyser is checked on captures built from the clips themselves, laid out the
// way the program plays them (each sound cut by the next).
#include "AnalyseSon.h"

#include "platform/AlerteDefaut.h"
#include "sound/Clips.h"

#include <gtest/gtest.h>

#include <random>

namespace {
struct Lecture {
    double t;  // seconds
    int16_t id;
};

// Silence, then each clip from its time until the next one starts (or to its end).
Pcm capture(const std::vector<Lecture>& lectures, double total, double gain = 1.0, int bruit = 0) {
    Pcm p(std::size_t(total * kFrequenceSortie) * 2, 0);
    for (std::size_t i = 0; i < lectures.size(); ++i) {
        const Pcm c = *DecodeWav(DonneesClip(lectures[i].id));
        const std::size_t debut = std::size_t(lectures[i].t * kFrequenceSortie);
        std::size_t fin = std::min(debut + TramesPcm(c), TramesPcm(p));
        if (i + 1 < lectures.size())
            fin = std::min(fin, std::size_t(lectures[i + 1].t * kFrequenceSortie));
        for (std::size_t k = debut; k < fin; ++k)
            for (int v = 0; v < 2; ++v)
                p[2 * k + v] = int16_t(std::lround(c[2 * (k - debut) + v] * gain));
    }
    std::mt19937 alea(7);
    std::uniform_int_distribution<int> d(-bruit, bruit);
    for (auto& s : p)
        s = int16_t(std::clamp(s + d(alea), -32768, 32767));
    return p;
}

std::size_t longueur(int16_t id) { return TramesPcm(*DecodeWav(DonneesClip(id))); }
long trame(double s) { return long(s * kFrequenceSortie); }
}  // namespace

TEST(AnalyseSon, FindsAMidnightAnnouncementPlayedInFull) {
    const Pcm c = capture({{0.3, 85}, {0.8, 99}, {2.0, 70}}, 3.5);
    const auto r = AnalyseCapture(c, {85, 99, 70});
    ASSERT_EQ(r.size(), 3u);
    const double debuts[] = {0.3, 0.8, 2.0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(r[i].debut, trame(debuts[i]), 2) << r[i].id;
        EXPECT_EQ(r[i].longueur, longueur(r[i].id));
    }
    // The chime lasts 0.5 s: the next clip starts as it ends, so allow the last 5 ms grain.
    EXPECT_GE(r[0].joue + 220, r[0].longueur);
    EXPECT_EQ(r[1].joue, r[1].longueur);
    EXPECT_EQ(r[2].joue, r[2].longueur);
}

TEST(AnalyseSon, SeesAClipCutShortAndFindsARepeatedId) {
    // 05:05 in voice 0: clip 5 twice; a toolbar click (84) cuts "heures" 0.1 s in.
    const Pcm c = capture({{0.0, 5}, {1.2, 70}, {1.3, 84}, {2.0, 5}, {3.2, 71}}, 4.5, 0.7, 30);
    const auto r = AnalyseCapture(c, {5, 70, 84, 5, 71});
    ASSERT_EQ(r.size(), 5u);
    const double debuts[] = {0.0, 1.2, 1.3, 2.0, 3.2};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(r[i].debut, trame(debuts[i]), 2) << i;
    EXPECT_NEAR(double(r[1].joue), 0.1 * kFrequenceSortie, 230);  // cut at 0.1 s, 5 ms grain
    EXPECT_LT(r[1].joue, r[1].longueur);
    EXPECT_EQ(r[0].joue, r[0].longueur);
    EXPECT_EQ(r[3].joue, r[3].longueur);
    EXPECT_EQ(r[4].joue, r[4].longueur);
}

TEST(AnalyseSon, ReportsAClipThatNeverPlayed) {
    const Pcm c = capture({{0.2, 12}, {1.4, 70}}, 2.5);
    const auto r = AnalyseCapture(c, {12, 70, 30, 71});
    ASSERT_EQ(r.size(), 4u);
    EXPECT_GE(r[0].debut, 0);
    EXPECT_GE(r[1].debut, 0);
    EXPECT_EQ(r[2].debut, -1);  // "trente" is not the start of any clip here
    EXPECT_EQ(r[3].debut, -1);
    EXPECT_EQ(r[2].joue, 0u);
}

TEST(AnalyseSon, TellsTheOtherVoiceApart) {
    const Pcm c = capture({{0.1, 114}, {1.3, 170}}, 2.0);
    const auto r = AnalyseCapture(c, {14, 70});
    EXPECT_EQ(r[0].debut, -1);
    EXPECT_EQ(r[1].debut, -1);
}

TEST(AnalyseSon, FindsTheDefaultAlert) {
    Pcm c(std::size_t(kFrequenceSortie) * 2, 0);
    const Pcm a = *AlerteDefaut();
    c.insert(c.end(), a.begin(), a.end());
    const ClipTrouve t = CherchePcm(c, a, 0);
    EXPECT_EQ(t.debut, kFrequenceSortie);
    EXPECT_EQ(t.joue, TramesPcm(a));
}

// A loaded sound server inserts a few ms of silence or renders a stretch twice; the clip still
// counts as played to its end, and its start is still found.
TEST(AnalyseSon, FollowsAClipThroughServerGlitches) {
    const Pcm propre = capture({{0.2, 171}}, 1.0);
    const std::size_t debut = std::size_t(0.2 * kFrequenceSortie);
    Pcm c(propre.begin(), propre.begin() + long(2 * (debut + 7000)));
    c.insert(c.end(), 2 * 410, 0);  // 9 ms of underrun
    c.insert(c.end(), propre.begin() + long(2 * (debut + 7000)), propre.begin() + long(2 * (debut + 15000)));
    // 10 ms rendered twice
    c.insert(c.end(), propre.begin() + long(2 * (debut + 14560)), propre.end());
    const auto r = AnalyseCapture(c, {171});
    EXPECT_EQ(r[0].debut, long(debut));
    EXPECT_EQ(r[0].joue, r[0].longueur);
}
