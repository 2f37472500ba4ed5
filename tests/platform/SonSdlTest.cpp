// The real SDL output on its disk driver, which writes every frame the device would have played to
// a file. The driver runs a little fast: everything is judged by frame positions, not wall time.
#include "platform/SonSdl.h"

#include "platform/AlerteDefaut.h"
#include "platform/HorlogeReelle.h"
#include "sound/Clips.h"
#include "support/Fichiers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace {
Pcm clip(int16_t id) { return *DecodeWav(DonneesClip(id)); }
long trames(const Pcm& p) { return long(TramesPcm(p)); }

// The frame of `capture` where the first `n` frames (all when 0) of `motif` start, from `depuis`.
long trouve(const Pcm& capture, const Pcm& motif, long depuis, long n = 0) {
    for (auto debut = capture.begin() + 2 * depuis;;) {
        auto it = std::search(debut, capture.end(), motif.begin(), motif.begin() + 2 * (n ? n : trames(motif)));
        if (it == capture.end() || (it - capture.begin()) % 2 == 0)
            return it == capture.end() ? -1 : long(it - capture.begin()) / 2;
        debut = it + 1;
    }
}
}  // namespace

// A plays until B cuts it; then B, a wave file and the default alert (for a file that can't play)
// play to their last frame, one after the other, the first starting within two device buffers.
TEST(SonSdlDisque, EachSoundCutsThePreviousOneAndPlaysToItsLastFrame) {
    QTemporaryDir dossier;
    const QString capture = dossier.filePath("out.raw"), fichier = dossier.filePath("réveil.wav");
    EcritOctets(fichier, DonneesClip(82));
    const std::vector<Pcm> suite = {clip(85), clip(81), clip(82), *AlerteDefaut()};  // 81: MS ADPCM
    {
        VariableTemporaire pilote("SDL_AUDIODRIVER", "disk"), disque("SDL_DISKAUDIOFILE", capture.toLocal8Bit());
        SonSdl son;
        HorlogeReelle horloge;
        son.joueDonnees(DonneesClip(85));
        horloge.attendre(0.15);
        // Each sound is given 0.15 s more than its length, so that a device thread held back by a
        // busy machine still plays it out before the next one; the last is followed by silence.
        son.joueDonnees(DonneesClip(81)), horloge.attendre(trames(suite[1]) / 44100.0 + 0.15);
        son.joueFichier(fichier), horloge.attendre(trames(suite[2]) / 44100.0 + 0.15);
        son.joueFichier(dossier.filePath("absent.wav")), horloge.attendre(trames(suite[3]) / 44100.0 + 0.5);
    }
    const QByteArray octets = LitOctets(capture);
    const Pcm sortie(reinterpret_cast<const int16_t*>(octets.constData()), reinterpret_cast<const int16_t*>(octets.constData() + octets.size()));
    long position = trouve(sortie, suite[0], 0, 100);
    ASSERT_TRUE(position >= 0 && position <= 2 * 512) << position;
    for (std::size_t i = 1; i < suite.size(); ++i) {
        const long debut = trouve(sortie, suite[i], position);
        ASSERT_GT(debut, position) << "sound " << i << " not found whole";
        if (i == 1)  // A sounded right up to B's first frame
            EXPECT_TRUE(debut - position > 0.12 * 44100 && debut - position < 0.25 * 44100 &&
                        std::equal(sortie.begin() + 2 * position, sortie.begin() + 2 * debut, suite[0].begin())) << debut;
        position = debut + trames(suite[i]);
    }
    EXPECT_TRUE(std::all_of(sortie.begin() + 2 * position, sortie.end(), [](int16_t s) { return s == 0; }));
}

// Without a usable device the program goes on in silence, and nothing reaches the console (ALSA
// alone would print a dozen lines). In a child process, whose standard error must stay empty.
TEST(SonSdlSansPeripheriqueDeathTest, StaysSilentOnTheConsole) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT({
        for (const char* pilote : {"alsa", "pilote-inexistant"}) {
            VariableTemporaire v("SDL_AUDIODRIVER", pilote);
            SonSdl s;
            s.joueDonnees(DonneesClip(1));
            s.joueFichier(QStringLiteral("/absent.wav"));
        }
        std::_Exit(0);
    }, ::testing::ExitedWithCode(0), "^$");
}
