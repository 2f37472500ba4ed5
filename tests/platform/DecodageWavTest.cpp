// Every clip converted to the output format, whole and faithful; the default alert.
#include "platform/AlerteDefaut.h"
#include "platform/DecodageWav.h"

#include "sound/Clips.h"

#include <QtEndian>
#include <gtest/gtest.h>

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
        if (id == "fmt ")
            format = qFromLittleEndian<quint16>(corps), frequence = int(qFromLittleEndian<quint32>(corps + 4)),
            alignement = qFromLittleEndian<quint16>(corps + 12);
        else if (id == "fact")
            fact = qFromLittleEndian<quint32>(corps);
        else if (id == "data")
            donnees = taille;
        i += 8 + taille + (taille & 1);
    }
    return (format == 1 ? double(donnees / alignement) : double(fact)) * kFrequenceSortie / frequence;
}
}  // namespace

// Converting must not drop a clip's end (the streaming converter loses the last ~512 frames,
// 12-46 ms of speech), nor change its samples.
TEST(DecodageWav, EveryClipKeepsItsFullLengthAndItsSamples) {
    for (int16_t id : IdsClips()) {
        const QByteArray wav = DonneesClip(id);
        auto pcm = DecodeWav(wav);
        ASSERT_TRUE(pcm) << "clip " << id;
        EXPECT_NEAR(double(TramesPcm(*pcm)), tramesDeclarees(wav), 44.1) << "clip " << id;  // 1 ms
    }
    const QByteArray mono = DonneesClip(101);  // 16-bit mono at the output rate: copied to both channels
    const char* source = mono.constData() + mono.indexOf("data") + 8;
    const Pcm pcm = *DecodeWav(mono);
    for (std::size_t k = 0; k < TramesPcm(pcm); ++k) {
        ASSERT_NEAR(pcm[2 * k], qFromLittleEndian<qint16>(source + 2 * k), 1) << k;  // float rounding
        ASSERT_EQ(pcm[2 * k + 1], pcm[2 * k]) << k;
    }
}

TEST(DecodageWav, BytesThatAreNoWaveDecodeToNothing) {
    for (const QByteArray& mauvais : {QByteArray(), QByteArray("RIFF"), QByteArray(2000, 'x'),
                                      QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16), DonneesClip(1).left(30)})
        EXPECT_FALSE(DecodeWav(mauvais)) << mauvais.size();
}

// The alert for a file that can't play: short, well heard, with no click at either end.
TEST(AlerteDefaut, IsAShortSoundThatStartsAndEndsSilently) {
    const Pcm a = *AlerteDefaut();
    EXPECT_TRUE(TramesPcm(a) > 0.2 * kFrequenceSortie && TramesPcm(a) < kFrequenceSortie);
    const auto [bas, haut] = std::minmax_element(a.begin(), a.end());
    EXPECT_TRUE(std::max(-*bas, int(*haut)) > 8000 && std::max(-*bas, int(*haut)) < 32767);
    EXPECT_TRUE(std::abs(a.front()) < 100 && std::abs(a.back()) < 100);
}
