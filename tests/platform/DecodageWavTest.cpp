// Every clip converted to the output format, whole and faithful; the clock's own volume on those samples.
#include "platform/DecodageWav.h"

#include "platform/Volume.h"
#include "sound/Clips.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {
// The length a WAVE image declares, in output frames, from its own chunks: the data size for PCM,
// the fact chunk's sample count for compressed formats.
double tramesDeclarees(const QByteArray& wav) {
    int format = 0, alignement = 1, frequence = 0;
    qint64 donnees = 0, fact = -1;
    for (qsizetype i = 12, t = 0; i + 8 <= wav.size(); i += 8 + t + (t & 1)) {
        const char* corps = wav.constData() + i + 8;
        t = qFromLittleEndian<quint32>(corps - 4);
        if (wav.mid(i, 4) == "fmt ")
            format = qFromLittleEndian<quint16>(corps), frequence = qFromLittleEndian<qint32>(corps + 4),
            alignement = qFromLittleEndian<quint16>(corps + 12);
        fact = wav.mid(i, 4) == "fact" ? qFromLittleEndian<quint32>(corps) : fact;
        donnees = wav.mid(i, 4) == "data" ? t : donnees;
    }
    return (format == 1 ? double(donnees / alignement) : double(fact)) * kFrequenceSortie / frequence;
}
}  // namespace

// Converting must not drop a clip's end: the streaming converter loses the last ~512 frames,
// 12-46 ms of speech.
TEST(DecodageWav, EveryClipKeepsItsFullLength) {
    for (int16_t id : IdsClips()) {
        auto pcm = DecodeWav(DonneesClip(id));
        ASSERT_TRUE(pcm) << "clip " << id;
        EXPECT_NEAR(double(TramesPcm(*pcm)), tramesDeclarees(DonneesClip(id)), 44.1) << "clip " << id;  // 1 ms
    }
    EXPECT_FALSE(DecodeWav(DonneesClip(1).left(30)));  // a cut header is no sound
}

// Rounded to the nearest, symmetric around silence; nothing overflows, 100 % changes nothing.
TEST(Volume, ScalesSixteenBitSamplesWithoutOverflow) {
    const std::vector<int16_t> source = {-32768, 32767, 0, 1, -1, 3, -3, 12345};
    const struct { int pourcent; std::vector<int16_t> attendu; } cas[] = {
        {100, source}, {250, source}, {50, {-16384, 16384, 0, 1, -1, 2, -2, 6173}},
        {5, {-1638, 1638, 0, 0, 0, 0, 0, 617}}, {0, std::vector<int16_t>(8)}, {-5, std::vector<int16_t>(8)}};
    for (const auto& c : cas) {
        std::vector<int16_t> s = source;
        AppliqueVolume(s.data(), s.size(), c.pourcent);
        EXPECT_EQ(s, c.attendu) << c.pourcent << " %";
    }
}

// 8-bit clips are unsigned: decoded and scaled, their silence 0x80 stays silence, 0xFF halves to
// 0xBF/0xC0 and 0x00 to 0x40 (read back in 8 bits, within a step of the converter's rounding).
TEST(Volume, EightBitClipsScaleAroundTheirSilence) {
    // 80 ff 00, mono 8-bit at the output's rate: only the sample format is converted.
    const auto pcm = DecodeWav(QByteArray::fromHex("524946462700000057415645666d74201000000001000100"
                                                   "44ac000044ac000001000800646174610300000080ff00"));
    ASSERT_TRUE(pcm && pcm->size() == 6);
    const struct { int pourcent; std::vector<int> attendu; } cas[] = {
        {100, {0x80, 0xff, 0x00}}, {50, {0x80, 0xc0, 0x40}}, {0, {0x80, 0x80, 0x80}}};
    for (const auto& c : cas) {
        Pcm p = *pcm;
        AppliqueVolume(p.data(), p.size(), c.pourcent);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR((p[2 * i] + 32768 + 128) >> 8, c.attendu[i], 1) << c.pourcent << " %, sample " << i;
    }
}
