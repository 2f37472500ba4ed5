// The real SDL output on its disk driver, which writes every frame the device would have played to
// a file. The driver runs a little fast, so everything is judged by frame positions in the
// capture, never by wall time.
#include "platform/SonSdl.h"

#include "platform/AlerteDefaut.h"
#include "platform/HorlogeReelle.h"
#include "sound/Clips.h"
#include "support/Fichiers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <unistd.h>

namespace {

// A sound starts one device buffer (512 frames) after it is asked for; a newly opened device may
// first send one buffer of silence: the start falls within two buffers of the stream's head.
constexpr long kDebutAuPlusTard = 2 * 512;

Pcm clip(int16_t id) { return *DecodeWav(DonneesClip(id)); }
double duree(const Pcm& p) { return double(TramesPcm(p)) / kFrequenceSortie; }

// Frame in `capture` where the first `n` frames (all when 0) of `motif` appear, from `depuis`.
long trouve(const Pcm& capture, const Pcm& motif, std::size_t n = 0, long depuis = 0) {
    n = n ? std::min(n, TramesPcm(motif)) : TramesPcm(motif);
    for (auto debut = capture.begin() + 2 * depuis;;) {
        auto it = std::search(debut, capture.end(), motif.begin(), motif.begin() + long(n * 2));
        if (it == capture.end() || (it - capture.begin()) % 2 == 0)
            return it == capture.end() ? -1 : long((it - capture.begin()) / 2);
        debut = it + 1;
    }
}

bool silence(const Pcm& p, long depuis) {
    return std::all_of(p.begin() + std::min<long>(2 * depuis, long(p.size())), p.end(), [](int16_t s) { return s == 0; });
}

class SonSdlDisque : public ::testing::Test {
protected:
    SonSdlDisque() { son.emplace(); }
    // Closes the device (which closes the file) and reads what was played.
    Pcm arreteEtLit() {
        son.reset();
        const QByteArray b = LitOctets(capture);
        Pcm p(std::size_t(b.size()) / sizeof(int16_t));
        std::memcpy(p.data(), b.constData(), p.size() * sizeof(int16_t));
        return p;
    }
    QTemporaryDir dossier;
    QString capture = dossier.filePath(QStringLiteral("out.raw"));
    VariableTemporaire pilote{"SDL_AUDIODRIVER", "disk"}, fichier{"SDL_DISKAUDIOFILE", capture.toLocal8Bit()};
    std::optional<SonSdl> son;
    HorlogeReelle horloge;
};

// A plays until B cuts it; then every clip format (16-bit, mono, MS ADPCM) and a wave file play
// to their last frame, each starting at once; bytes that are no sound end the current one.
TEST_F(SonSdlDisque, EachSoundCutsThePreviousOneAndPlaysToItsLastFrame) {
    const int16_t ids[] = {1, 101, 81, 84};
    son->joueDonnees(DonneesClip(85));
    horloge.attendre(0.15);
    for (int16_t id : ids) {
        son->joueDonnees(DonneesClip(id));
        horloge.attendre(duree(clip(id)) + 0.04);
    }
    EcritOctets(dossier.filePath(QStringLiteral("réveil.wav")), DonneesClip(82));
    son->joueFichier(dossier.filePath(QStringLiteral("réveil.wav")));
    horloge.attendre(duree(clip(82)) + 0.04);
    son->joueDonnees(DonneesClip(85));
    horloge.attendre(0.1);
    son->joueDonnees(QByteArray("RIFF\x24\0\0\0WAVEnothing at all", 27));
    horloge.attendre(0.1);
    const Pcm sortie = arreteEtLit(), a = clip(85);

    const long debutA = trouve(sortie, a, 100), debutB = trouve(sortie, clip(1));
    ASSERT_TRUE(debutA >= 0 && debutA <= kDebutAuPlusTard) << debutA;
    ASSERT_GT(debutB, debutA);
    EXPECT_TRUE(std::equal(a.begin(), a.begin() + 2 * (debutB - debutA), sortie.begin() + 2 * debutA));
    EXPECT_TRUE(debutB - debutA > 0.12 * kFrequenceSortie && debutB - debutA < 0.25 * kFrequenceSortie);
    long position = debutB;
    for (int16_t id : {int16_t(1), int16_t(101), int16_t(81), int16_t(84), int16_t(82)}) {
        const long debut = trouve(sortie, clip(id), 0, position);
        ASSERT_GE(debut, position) << "clip " << id << " not found whole";
        position = debut + long(TramesPcm(clip(id)));
    }
    // The last 85 from its start until the bytes that are no sound, then only silence.
    const long fin85 = trouve(sortie, a, 100, position);
    ASSERT_GE(fin85, position);
    long joue = 0;
    while (fin85 + joue < long(TramesPcm(sortie)) && joue < long(TramesPcm(a)) && sortie[2 * (fin85 + joue)] == a[2 * joue])
        ++joue;
    EXPECT_TRUE(joue > 0.08 * kFrequenceSortie && joue < 0.2 * kFrequenceSortie) << joue;
    EXPECT_TRUE(silence(sortie, fin85 + joue));
}

TEST_F(SonSdlDisque, FileThatCannotPlayGivesTheDefaultAlert) {
    EcritOctets(dossier.filePath(QStringLiteral("vide.wav")), "");
    EcritOctets(dossier.filePath(QStringLiteral("faux.wav")), QByteArray("RIFF\x24\0\0\0WAVEdata", 16) + QByteArray(4000, '\x7f'));
    const Pcm alerte = *AlerteDefaut();
    for (const char* nom : {"absent.wav", "vide.wav", "faux.wav"}) {
        son->joueFichier(dossier.filePath(QString::fromLatin1(nom)));
        horloge.attendre(duree(alerte) + 0.04);
    }
    const Pcm sortie = arreteEtLit();
    long position = 0;
    for (int n = 0; n < 3; ++n) {
        const long debut = trouve(sortie, alerte, 0, position);
        ASSERT_GE(debut, position) << n;
        position = debut + long(TramesPcm(alerte));
    }
}

// The device closes when idle and opens again on demand. At log-on the sound server may start
// after the program: without a device the output stays silent, does not probe again at every
// clip, and finds the device once it is there.
TEST_F(SonSdlDisque, DeviceClosesWhenIdleAndIsFoundWhenItAppears) {
    son.emplace(std::chrono::milliseconds(100), std::chrono::milliseconds(150));
    son->joueDonnees(DonneesClip(82));  // 0.1 s
    horloge.attendre(0.15);
    EXPECT_TRUE(son->peripheriqueOuvert()) << "closed while still playing or just after";
    horloge.attendre(0.2);
    son->arrete();  // nothing plays: it does not reopen the device
    EXPECT_FALSE(son->peripheriqueOuvert());
    son.reset();
    VariableTemporaire absent("SDL_AUDIODRIVER", "pilote-absent");
    son.emplace(std::chrono::milliseconds(4000), std::chrono::milliseconds(150));
    son->joueDonnees(DonneesClip(82));
    qputenv("SDL_AUDIODRIVER", "disk");
    son->joueDonnees(DonneesClip(82));
    EXPECT_FALSE(son->peripheriqueOuvert()) << "probed again at once";
    horloge.attendre(0.2);
    son->joueDonnees(DonneesClip(82));
    EXPECT_TRUE(son->peripheriqueOuvert());
}

// Without a usable device nothing reaches the console (ALSA alone would print a dozen lines).
TEST(SonSdlSansPeripherique, StaysSilentOnTheConsole) {
    QTemporaryDir dossier;
    const QByteArray journal = dossier.filePath(QStringLiteral("stderr.txt")).toLocal8Bit();
    fflush(stderr);
    const int sauve = dup(STDERR_FILENO);
    FILE* f = std::fopen(journal.constData(), "w");
    dup2(fileno(f), STDERR_FILENO);
    for (const char* pilote : {"alsa", "pilote-inexistant"}) {
        VariableTemporaire v("SDL_AUDIODRIVER", pilote);
        SonSdl s;
        s.joueDonnees(DonneesClip(1));
        s.joueFichier(QStringLiteral("/absent.wav"));
    }
    fflush(stderr);
    dup2(sauve, STDERR_FILENO);
    close(sauve);
    std::fclose(f);
    EXPECT_EQ(LitOctets(QString::fromLocal8Bit(journal)), QByteArray());
}

}  // namespace
