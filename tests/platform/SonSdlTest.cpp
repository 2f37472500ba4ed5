#include "platform/SonSdl.h"

#include "platform/AlerteDefaut.h"
#include "platform/HorlogeReelle.h"
#include "sound/Clips.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <unistd.h>

// These run the real SDL output on its disk driver, which writes every frame the device would
// have played to a file. The driver runs a little fast, so everything is judged by frame
// positions in the capture, never by wall time.
namespace {

constexpr long kUnTampon = 2048;  // frames in one device buffer
// A sound starts one buffer period after it is asked for, wherever the device is in its buffer;
// a newly opened device may first send one buffer of silence. Written at the disk driver's own
// pace, that puts the start within two buffers of the stream's head.
constexpr long kDebutAuPlusTard = 2 * kUnTampon;

class SonSdlDisque : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dossier.isValid());
        capture = dossier.filePath(QStringLiteral("out.raw"));
        const char* ancien = std::getenv("SDL_AUDIODRIVER");
        pilotePrecedent = ancien ? std::optional<std::string>(ancien) : std::nullopt;
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", capture.toLocal8Bit().constData(), 1);
        son.emplace();
    }
    void TearDown() override {
        son.reset();
        if (pilotePrecedent)
            setenv("SDL_AUDIODRIVER", pilotePrecedent->c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
    }
    // Closes the device (which closes the file) and reads what was played.
    Pcm arreteEtLit() {
        son.reset();
        QFile f(capture);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QByteArray b = f.readAll();
        Pcm p(std::size_t(b.size()) / sizeof(int16_t));
        std::memcpy(p.data(), b.constData(), p.size() * sizeof(int16_t));
        return p;
    }
    // Waits out a sound of `secondes`, then until its last frame has reached the device, however
    // slowly a busy machine runs the device thread.
    void joueJusquAuBout(double secondes) {
        horloge.attendre(secondes);
        for (int i = 0; son->joue() && i < 500; ++i)
            horloge.attendre(0.01);
    }
    static Pcm clip(int16_t id) { return *DecodeWav(DonneesClip(id)); }
    static double duree(const Pcm& p) { return double(TramesPcm(p)) / kFrequenceSortie; }

    QTemporaryDir dossier;
    QString capture;
    std::optional<std::string> pilotePrecedent;
    std::optional<SonSdl> son;
    HorlogeReelle horloge;
};

// Frame index in `capture` where the first `n` frames of `motif` appear, from frame `depuis`.
long trouve(const Pcm& capture, const Pcm& motif, std::size_t n, std::size_t depuis = 0) {
    n = std::min(n, TramesPcm(motif));
    auto debut = capture.begin() + long(depuis * 2);
    while (true) {
        auto it = std::search(debut, capture.end(), motif.begin(), motif.begin() + long(n * 2));
        if (it == capture.end())
            return -1;
        if ((it - capture.begin()) % 2 == 0)
            return long((it - capture.begin()) / 2);
        debut = it + 1;
    }
}

bool silence(const Pcm& p, std::size_t depuisTrame) {
    return std::all_of(p.begin() + long(std::min(depuisTrame * 2, p.size())), p.end(),
                       [](int16_t s) { return s == 0; });
}

}  // namespace

// Each clip starts in the first buffer the device takes and plays out to its last frame;
// the two compressed (MS ADPCM) clips included.
TEST_F(SonSdlDisque, ClipsStartAtOnceAndPlayToTheirLastFrame) {
    const int16_t ids[] = {1, 101, 81, 84};
    for (int16_t id : ids) {
        son->joueDonnees(DonneesClip(id));
        joueJusquAuBout(duree(clip(id)));
    }
    const Pcm sortie = arreteEtLit();
    ASSERT_FALSE(sortie.empty());
    std::size_t position = 0;
    for (int16_t id : ids) {
        const Pcm attendu = clip(id);
        const long debut = trouve(sortie, attendu, TramesPcm(attendu), position);
        ASSERT_GE(debut, 0) << "clip " << id << " not found whole";
        if (id == ids[0]) {
            EXPECT_LE(debut, kDebutAuPlusTard) << "the first clip waited for a later buffer";
        }
        position = std::size_t(debut) + TramesPcm(attendu);
    }
    EXPECT_TRUE(silence(sortie, position));
}

TEST_F(SonSdlDisque, NewClipCutsThePlayingOneAtOnce) {
    const Pcm a = clip(85), b = clip(1);
    QElapsedTimer entreDemandes;
    entreDemandes.start();
    son->joueDonnees(DonneesClip(85));
    horloge.attendre(0.15);
    son->joueDonnees(DonneesClip(1));
    const double ecart = entreDemandes.nsecsElapsed() / 1e9;
    joueJusquAuBout(duree(b));
    const Pcm sortie = arreteEtLit();

    const long debutA = trouve(sortie, a, 100);
    const long debutB = trouve(sortie, b, TramesPcm(b));
    ASSERT_GE(debutA, 0);
    ASSERT_LE(debutA, kDebutAuPlusTard);
    ASSERT_GT(debutB, debutA);
    // Clip A sounded from its beginning right up to B's first frame, and was cut there.
    const Pcm prefixeA(a.begin(), a.begin() + 2 * (debutB - debutA));
    EXPECT_TRUE(std::equal(prefixeA.begin(), prefixeA.end(), sortie.begin() + 2 * debutA));
    // B starts within a buffer of the time it was asked for, measured on the wall clock: a busy
    // machine may stretch the wait, and the driver runs at most a few percent fast.
    EXPECT_LT(debutB - debutA, (ecart * 1.05) * kFrequenceSortie + 2 * kUnTampon);
    EXPECT_LT(debutB - debutA, long(TramesPcm(a))) << "A was not cut";
    EXPECT_TRUE(silence(sortie, std::size_t(debutB) + TramesPcm(b)));
}

TEST_F(SonSdlDisque, FileThatCannotPlayGivesTheDefaultAlert) {
    QFile vide(dossier.filePath(QStringLiteral("vide.wav")));
    ASSERT_TRUE(vide.open(QIODevice::WriteOnly));
    vide.close();
    QFile faux(dossier.filePath(QStringLiteral("faux.wav")));
    ASSERT_TRUE(faux.open(QIODevice::WriteOnly));
    faux.write(QByteArray("RIFF\x24\0\0\0WAVEdata", 16) + QByteArray(4000, '\x7f'));
    faux.close();

    son->joueFichier(dossier.filePath(QStringLiteral("absent.wav")));
    horloge.attendre(0.1);
    son->joueFichier(vide.fileName());
    horloge.attendre(0.1);
    son->joueFichier(faux.fileName());
    const Pcm alerte = *AlerteDefaut();
    joueJusquAuBout(duree(alerte));
    const Pcm sortie = arreteEtLit();

    // Three starts of the alert, the last one played whole.
    const long un = trouve(sortie, alerte, 2000);
    ASSERT_GE(un, 0);
    ASSERT_LE(un, kDebutAuPlusTard);
    const long deux = trouve(sortie, alerte, 2000, std::size_t(un) + 1);
    ASSERT_GT(deux, 0);
    const long trois = trouve(sortie, alerte, TramesPcm(alerte), std::size_t(deux) + 1);
    ASSERT_GT(trois, deux);
}

TEST_F(SonSdlDisque, AWaveFilePlaysItsOwnSound) {
    QFile f(dossier.filePath(QStringLiteral("réveil.wav")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(DonneesClip(82));
    f.close();
    son->joueFichier(f.fileName());
    joueJusquAuBout(duree(clip(82)));
    const Pcm sortie = arreteEtLit();
    const long debut = trouve(sortie, clip(82), TramesPcm(clip(82)));
    EXPECT_GE(debut, 0);
    EXPECT_LE(debut, kDebutAuPlusTard);
}

TEST_F(SonSdlDisque, UnplayableDataPlaysNothingAndEndsTheCurrentSound) {
    son->joueDonnees(DonneesClip(85));
    horloge.attendre(0.1);
    son->joueDonnees(QByteArray("RIFF\x24\0\0\0WAVEnothing at all", 27));
    horloge.attendre(0.1);
    const Pcm sortie = arreteEtLit();
    const Pcm a = clip(85);
    // Clip 85 from its start until the unplayable data arrived, then nothing but silence.
    const long debut = trouve(sortie, a, 100);
    ASSERT_GE(debut, 0);
    ASSERT_LE(debut, kDebutAuPlusTard);
    std::size_t fin = 0;
    while (debut + fin < TramesPcm(sortie) && fin < TramesPcm(a) && sortie[2 * (debut + fin)] == a[2 * fin])
        ++fin;
    EXPECT_GT(fin, 0.08 * kFrequenceSortie);
    EXPECT_LT(fin, 0.2 * kFrequenceSortie);
    EXPECT_TRUE(silence(sortie, debut + fin));
}

TEST_F(SonSdlDisque, DeviceClosesWhenIdleAndReopensOnDemand) {
    son.emplace(std::chrono::milliseconds(100));
    son->joueDonnees(DonneesClip(82));  // 0.1 s
    EXPECT_TRUE(son->peripheriqueOuvert());
    horloge.attendre(0.15);
    EXPECT_TRUE(son->peripheriqueOuvert()) << "closed while still playing or just after";
    horloge.attendre(0.2);
    EXPECT_FALSE(son->peripheriqueOuvert());
    son->arrete();  // nothing plays: no effect, and it does not reopen the device
    EXPECT_FALSE(son->peripheriqueOuvert());
    son->joueDonnees(DonneesClip(82));
    EXPECT_TRUE(son->peripheriqueOuvert());
}

// At log-on the sound server may start after the program: without a device the output stays
// silent, does not probe again at every clip, and finds the device once it is there.
TEST_F(SonSdlDisque, FindsADeviceThatAppearsLater) {
    setenv("SDL_AUDIODRIVER", "pilote-absent", 1);
    son.emplace(std::chrono::milliseconds(4000), std::chrono::milliseconds(150));
    son->joueDonnees(DonneesClip(82));
    EXPECT_FALSE(son->peripheriqueOuvert());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    son->joueDonnees(DonneesClip(82));
    EXPECT_FALSE(son->peripheriqueOuvert()) << "probed again at once";
    horloge.attendre(0.2);
    son->joueDonnees(DonneesClip(82));
    EXPECT_TRUE(son->peripheriqueOuvert());
}

// Without a usable device the program goes on in silence, and nothing reaches the console
// (ALSA alone would print a dozen lines about the missing card).
TEST(SonSdlSansPeripherique, StaysSilentOnTheConsole) {
    const char* ancien = std::getenv("SDL_AUDIODRIVER");
    const std::string precedent = ancien ? ancien : "";
    QTemporaryDir dossier;
    const QByteArray journal = dossier.filePath(QStringLiteral("stderr.txt")).toLocal8Bit();
    fflush(stderr);
    const int sauve = dup(STDERR_FILENO);
    FILE* f = std::fopen(journal.constData(), "w");
    dup2(fileno(f), STDERR_FILENO);
    for (const char* pilote : {"alsa", "pilote-inexistant"}) {
        setenv("SDL_AUDIODRIVER", pilote, 1);
        SonSdl s;
        s.joueDonnees(DonneesClip(1));
        s.joueFichier(QStringLiteral("/absent.wav"));
        s.arrete();
    }
    fflush(stderr);
    dup2(sauve, STDERR_FILENO);
    close(sauve);
    std::fclose(f);
    if (ancien)
        setenv("SDL_AUDIODRIVER", precedent.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
    QFile sortie(QString::fromLocal8Bit(journal));
    ASSERT_TRUE(sortie.open(QIODevice::ReadOnly));
    EXPECT_EQ(sortie.readAll(), QByteArray());
}
