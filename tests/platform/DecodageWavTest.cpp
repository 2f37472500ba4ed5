// Every clip converted to the output format, whole and faithful.
#include "platform/DecodageWav.h"

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
