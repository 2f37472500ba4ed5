// The real SDL output on its disk driver, which writes every frame the device would have played to
// a file. The driver runs a little fast: everything is judged by frame positions, not wall time.
#include "platform/SonSdl.h"

#include "platform/AlerteDefaut.h"
#include "platform/HorlogeReelle.h"
#include "platform/Volume.h"
#include "sound/Clips.h"
#include "support/Fichiers.h"

#include <QElapsedTimer>
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

// A plays until B cuts it; then B, a file at half volume and the default alert (for a file that can't
// play) play to their last frame, and at volume 0 nothing; the first within two 2048-frame buffers.
TEST(SonSdlDisque, EachSoundCutsThePreviousOneAndPlaysToItsLastFrame) {
    QTemporaryDir dossier;
    double ecart = 0;  // wall time between A's and B's requests
    const QString capture = dossier.filePath("out.raw"), fichier = dossier.filePath("réveil.wav");
    EcritOctets(fichier, DonneesClip(82));
    Pcm moitie = clip(82);  // the file plays at half volume
    AppliqueVolume(moitie.data(), moitie.size(), 50);
    const std::vector<Pcm> suite = {clip(85), clip(81), moitie, *AlerteDefaut()};  // 81: MS ADPCM
    {
        VariableTemporaire pilote("SDL_AUDIODRIVER", "disk"), disque("SDL_DISKAUDIOFILE", capture.toLocal8Bit());
        SonSdl son;
        HorlogeReelle horloge;
        // Each sound is waited out to its last frame, however slowly a busy machine runs the
        // device thread; the last is followed by silence.
        const auto auBout = [&](const Pcm& p) {
            horloge.attendre(trames(p) / 44100.0);
            for (int i = 0; son.joue() && i < 500; ++i)
                horloge.attendre(0.01);
        };
        QElapsedTimer entreDemandes;
        entreDemandes.start();
        son.joueDonnees(DonneesClip(85));
        horloge.attendre(0.15);
        son.joueDonnees(DonneesClip(81));
        ecart = entreDemandes.nsecsElapsed() / 1e9;
        auBout(suite[1]);
        son.regleVolume(50), son.joueFichier(fichier), auBout(suite[2]);
        son.regleVolume(100), son.joueFichier(dossier.filePath("absent.wav")), auBout(suite[3]);
        son.regleVolume(0), son.joueDonnees(DonneesClip(85));  // nothing at all
        horloge.attendre(0.3);
    }
    const QByteArray octets = LitOctets(capture);
    const Pcm sortie(reinterpret_cast<const int16_t*>(octets.constData()), reinterpret_cast<const int16_t*>(octets.constData() + octets.size()));
    long position = trouve(sortie, suite[0], 0, 100);
    ASSERT_TRUE(position >= 0 && position <= 2 * 2048) << position;
    for (std::size_t i = 1; i < suite.size(); ++i) {
        const long debut = trouve(sortie, suite[i], position);
        ASSERT_GT(debut, position) << "sound " << i << " not found whole";
        // A sounded right up to B's first frame, which came within a buffer of its request (judged
        // by the wall clock, as a busy machine may stretch the wait; the driver runs a little fast).
        if (i == 1) {
            EXPECT_TRUE(debut - position > 0.12 * 44100 && debut - position < ecart * 1.05 * 44100 + 2 * 2048 &&
                        std::equal(sortie.begin() + 2 * position, sortie.begin() + 2 * debut, suite[0].begin())) << debut;
        }
        position = debut + trames(suite[i]);
    }
    EXPECT_TRUE(std::all_of(sortie.begin() + 2 * position, sortie.end(), [](int16_t s) { return s == 0; }));
}

// Without a usable device the program goes on in silence, and the console hears of it once per
// outage, however many sounds fail (ALSA alone would print a dozen lines). In a child process.
TEST(SonSdlSansPeripheriqueDeathTest, SaysOnceOnTheConsole) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT({
        for (const char* pilote : {"alsa", "pilote-inexistant"}) {
            VariableTemporaire v("SDL_AUDIODRIVER", pilote);
            SonSdl s;
            s.joueDonnees(DonneesClip(1));
            s.joueFichier(QStringLiteral("/absent.wav"));
            s.prepare();  // probes again, and fails again: still the same outage
        }
        std::_Exit(0);
    }, ::testing::ExitedWithCode(0), "^(quentor : pas de sortie son [^\n]*\n){2}$");
}
