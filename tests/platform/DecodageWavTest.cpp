#include "platform/AlerteDefaut.h"
#include "platform/DecodageWav.h"

#include "sound/Clips.h"

#include <QtEndian>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {
// The length a WAVE image declares, in output frames, read from its own chunks: the data size
// for PCM, the fact chunk's sample count for compressed formats.
double tramesDeclarees(const QByteArray& wav) {
    int format = 0, alignement = 1, frequence = 0;
    qint64 donnees = 0, fact = -1;
    for (qsizetype i = 12; i + 8 <= wav.size();) {
        const QByteArray id = wav.mid(i, 4);
        const quint32 taille = qFromLittleEndian<quint32>(wav.constData() + i + 4);
        const char* corps = wav.constData() + i + 8;
        if (id == "fmt ") {
            format = qFromLittleEndian<quint16>(corps);
            frequence = int(qFromLittleEndian<quint32>(corps + 4));
            alignement = qFromLittleEndian<quint16>(corps + 12);
        } else if (id == "fact") {
            fact = qFromLittleEndian<quint32>(corps);
        } else if (id == "data") {
            donnees = taille;
        }
        i += 8 + taille + (taille & 1);
    }
    const double source = format == 1 ? double(donnees / alignement) : double(fact);
    return source * kFrequenceSortie / frequence;
}
}  // namespace

// Every clip comes out whole: converting to the device format must not drop its end (the
// streaming converter loses the last ~512 frames, 12-46 ms of speech).
TEST(DecodageWav, EveryClipKeepsItsFullLength) {
    for (int16_t id : IdsClips()) {
        const QByteArray wav = DonneesClip(id);
        auto pcm = DecodeWav(wav);
        ASSERT_TRUE(pcm) << "clip " << id;
        const double attendues = tramesDeclarees(wav);
        EXPECT_NEAR(double(TramesPcm(*pcm)), attendues, 44.1) << "clip " << id;  // 1 ms
        EXPECT_EQ(pcm->size() % 2, 0u);
    }
}

TEST(DecodageWav, SixteenBitMonoAtOutputRateIsCopiedToBothChannels) {
    const QByteArray wav = DonneesClip(101);  // mono 16-bit 44,100 Hz
    const qsizetype debut = wav.indexOf("data") + 8;
    auto pcm = DecodeWav(wav);
    ASSERT_TRUE(pcm);
    const std::size_t n = TramesPcm(*pcm);
    ASSERT_EQ(qsizetype(n * 2), wav.size() - debut);
    for (std::size_t k = 0; k < n; ++k) {
        const auto s = qFromLittleEndian<qint16>(wav.constData() + debut + 2 * k);
        // SDL converts through floating point: one step of rounding either way.
        ASSERT_NEAR((*pcm)[2 * k], s, 1) << k;
        ASSERT_EQ((*pcm)[2 * k + 1], (*pcm)[2 * k]) << k;
    }
}

TEST(DecodageWav, BytesThatAreNoWaveDecodeToNothing) {
    const QByteArray entete = DonneesClip(1).left(44);
    for (const QByteArray& mauvais :
         {QByteArray(), QByteArray("RIFF"), QByteArray(2000, 'x'), QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16),
          entete.left(30)}) {
        EXPECT_FALSE(DecodeWav(mauvais)) << mauvais.size();
    }
}

TEST(AlerteDefaut, IsAShortSoundThatStartsAndEndsSilently) {
    auto a = AlerteDefaut();
    ASSERT_TRUE(a);
    const double secondes = double(TramesPcm(*a)) / kFrequenceSortie;
    EXPECT_GT(secondes, 0.2);
    EXPECT_LT(secondes, 1.0);
    int crete = 0;
    for (int16_t s : *a)
        crete = std::max(crete, std::abs(int(s)));
    EXPECT_GT(crete, 8000);
    EXPECT_LT(crete, 32767);
    EXPECT_LT(std::abs(a->front()), 100);
    EXPECT_LT(std::abs(a->back()), 100);
    for (int16_t id : IdsClips())  // it is none of the clips
        EXPECT_NE(*DecodeWav(DonneesClip(id)), *a) << id;
}
