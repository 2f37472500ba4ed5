// Every clip converted to the output format, whole and faithful; the clock's own volume on those
// samples; the real SDL output on its disk driver, which writes every frame the device would have
// played to a file. The driver runs a little fast: everything is judged by frame positions, not wall time.
#include "platform/SonSdl.h"

#include "platform/AlerteDefaut.h"
#include "platform/DecodageWav.h"
#include "platform/Volume.h"
#include "sound/Clips.h"
#include "support/Fichiers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>

namespace {
Pcm clip(int16_t id) { return *DecodeWav(DonneesClip(id)); }
long trames(const Pcm& p) { return long(TramesPcm(p)); }

// Lets the event loop run for `secondes`, as the program's own loop would between two requests.
void patiente(double secondes) {
    QEventLoop boucle;
    QTimer::singleShot(int(secondes * 1000), &boucle, &QEventLoop::quit);
    boucle.exec();
}

// The frame of `capture` where the first `n` frames (all when 0) of `motif` start, from `depuis`.
long trouve(const Pcm& capture, const Pcm& motif, long depuis, long n = 0) {
    for (auto debut = capture.begin() + 2 * depuis;;) {
        auto it = std::search(debut, capture.end(), motif.begin(), motif.begin() + 2 * (n ? n : trames(motif)));
        if (it == capture.end() || (it - capture.begin()) % 2 == 0)
            return it == capture.end() ? -1 : long(it - capture.begin()) / 2;
        debut = it + 1;
    }
}

// The length a WAVE image declares, in output frames, from its own chunks: the data size for PCM,
// the fact chunk's sample count for compressed formats.
double tramesDeclarees(const QByteArray& wav) {
    int format = 0, alignement = 1, frequence = 0;
    qint64 donnees = 0, fact = -1;
    for (qsizetype i = 12, t = 0; i + 8 <= wav.size(); i += 8 + t + (t & 1)) {
        const char* corps = wav.constData() + i + 8;
        t = qFromLittleEndian<quint32>(corps - 4);
        if (wav.mid(i, 4) == "fmt ") {
            format = qFromLittleEndian<quint16>(corps);
            frequence = qFromLittleEndian<qint32>(corps + 4);
            alignement = qFromLittleEndian<quint16>(corps + 12);
        }
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
    // Every embedded clip is listed, so none escapes the length check.
    EXPECT_EQ(QDir(QStringLiteral(":/wave")).count(), qsizetype(IdsClips().size()));
}

// Rounded to the nearest, symmetric around silence; nothing overflows, 100 % changes nothing.
TEST(Volume, ScalesSixteenBitSamplesWithoutOverflow) {
    const std::vector<int16_t> source = {-32768, 32767, 0, 1, -1, 3, -3, 12345};
    // clang-format off
    const struct { int pourcent; std::vector<int16_t> attendu; } cas[] = {
        {100, source}, {250, source}, {50, {-16384, 16384, 0, 1, -1, 2, -2, 6173}},
        {5, {-1638, 1638, 0, 0, 0, 0, 0, 617}}, {0, std::vector<int16_t>(8)}, {-5, std::vector<int16_t>(8)}};
    // clang-format on
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
    const auto pcm =
        DecodeWav(QByteArray::fromHex("524946462700000057415645666d74201000000001000100"
                                      "44ac000044ac000001000800646174610300000080ff00"));
    ASSERT_TRUE(pcm && pcm->size() == 6);
    // clang-format off
    const struct { int pourcent; std::vector<int> attendu; } cas[] = {
        {100, {0x80, 0xff, 0x00}}, {50, {0x80, 0xc0, 0x40}}, {0, {0x80, 0x80, 0x80}}};
    // clang-format on
    for (const auto& c : cas) {
        Pcm p = *pcm;
        AppliqueVolume(p.data(), p.size(), c.pourcent);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR((p[2 * i] + 32768 + 128) >> 8, c.attendu[i], 1) << c.pourcent << " %, sample " << i;
    }
}

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
        // Each sound is waited out to its last frame, however slowly a busy machine runs the
        // device thread; the last is followed by silence.
        const auto auBout = [&](const Pcm& p) {
            patiente(trames(p) / 44100.0);
            for (int i = 0; son.joue() && i < 500; ++i)
                patiente(0.01);
        };
        QElapsedTimer entreDemandes;
        entreDemandes.start();
        son.joueDonnees(DonneesClip(85));
        patiente(0.15);
        son.joueDonnees(DonneesClip(81));
        ecart = entreDemandes.nsecsElapsed() / 1e9;
        auBout(suite[1]);
        son.regleVolume(50);
        son.joueFichier(fichier);
        auBout(suite[2]);
        son.regleVolume(100);
        son.joueFichier(dossier.filePath("absent.wav"));
        auBout(suite[3]);
        son.regleVolume(0);
        son.joueDonnees(DonneesClip(85));  // nothing at all
        patiente(0.3);
    }
    const QByteArray octets = LitOctets(capture);
    const Pcm sortie(reinterpret_cast<const int16_t*>(octets.constData()),
                     reinterpret_cast<const int16_t*>(octets.constData() + octets.size()));
    long position = trouve(sortie, suite[0], 0, 100);
    ASSERT_TRUE(position >= 0 && position <= 2 * 2048) << position;
    for (std::size_t i = 1; i < suite.size(); ++i) {
        const long debut = trouve(sortie, suite[i], position);
        ASSERT_GT(debut, position) << "sound " << i << " not found whole";
        // A sounded right up to B's first frame, which came within a buffer of its request (judged
        // by the wall clock, as a busy machine may stretch the wait; the driver runs a little fast).
        if (i == 1) {
            EXPECT_TRUE(debut - position > 0.12 * 44100 && debut - position < ecart * 1.05 * 44100 + 2 * 2048 &&
                        std::equal(sortie.begin() + 2 * position, sortie.begin() + 2 * debut, suite[0].begin()))
                << debut;
        }
        position = debut + trames(suite[i]);
    }
    EXPECT_TRUE(std::all_of(sortie.begin() + 2 * position, sortie.end(), [](int16_t s) { return s == 0; }));
}

// Without a usable device the program goes on in silence, and the console hears of it once per
// outage, however many sounds fail (ALSA alone would print a dozen lines): no driver, or a sound
// server that accepts and never answers (libpulse would wait 30 s at each step). Every call
// returns at once, the output gives up within its bound (here 0.5 s), and its end leaves a thread
// still held by the server behind within a second. In a child process, which ends with it held.
namespace {
[[noreturn]] void sansSortieUtilisable() {
    using namespace std::chrono_literals;
    QTemporaryDir dossier;
    QLocalServer muet;  // takes connections, never reads nor writes
    muet.listen(dossier.filePath("pulse"));
    bool tenuesALaBorne = true;
    // clang-format off
    const std::pair<const char*, QString> cas[] = {{"alsa", dossier.filePath("absent")},
                                                   {"pilote-inexistant", dossier.filePath("absent")},
                                                   {"pulseaudio", muet.fullServerName()}};
    // clang-format on
    for (const auto& [pilote, serveur] : cas) {
        VariableTemporaire v("SDL_AUDIODRIVER", pilote), p("PULSE_SERVER", "unix:" + serveur.toLocal8Bit());
        QElapsedTimer t;
        t.start();
        auto s = std::make_unique<SonSdl>(1500ms, 5s, 500ms);
        s->joueDonnees(DonneesClip(1));
        s->joueFichier(QStringLiteral("/absent.wav"));
        s->prepare();  // probes again, and fails again: still the same outage
        tenuesALaBorne &= t.elapsed() < 200;
        while (s->joue() && t.elapsed() < 3000)
            patiente(0.02);
        tenuesALaBorne &= t.elapsed() < 2000;
        patiente(0.6);  // the output's watch has seen the silent server by now
        t.restart();
        s.reset();
        tenuesALaBorne &= t.elapsed() < 1500;
    }
    std::_Exit(tenuesALaBorne ? 0 : 1);
}
}  // namespace

TEST(SonSdlSansPeripheriqueDeathTest, SaysOnceOnTheConsoleAndHoldsNothing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(sansSortieUtilisable(), ::testing::ExitedWithCode(0),
                "^(quentor : pas de sortie son [^\n]*\n){2}"
                "quentor : pas de sortie son \\(aucune réponse en 500 ms\\)[^\n]*\n$");
}
