#pragma once
// Sound output through SDL2: one voice at 44,100 Hz, 16-bit stereo. The device is opened when
// something plays and closed after a few idle seconds, because an open device costs CPU even
// while it only plays silence. Without a usable device every call is a silent no-op.

#include "platform/DecodageWav.h"
#include "platform/SortieSon.h"

#include <QHash>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdint>

class SonSdl : public SortieSon {
public:
    // `delaiRepos`: idle time before the device closes, longer than any silence inside an
    // announcement (under 1.2 s), so that its clips all start with the open device's constant
    // latency, and short, since an open device wakes the program for every buffer even
    // while it plays silence. `attenteEssai`: after a failed open, how long before the
    // drivers are probed again (a sound server may start after us).
    explicit SonSdl(std::chrono::milliseconds delaiRepos = std::chrono::milliseconds(1500),
                    std::chrono::milliseconds attenteEssai = std::chrono::seconds(5));
    ~SonSdl() override;
    SonSdl(const SonSdl&) = delete;
    SonSdl& operator=(const SonSdl&) = delete;

    void joueDonnees(const QByteArray& wav) override;
    void joueFichier(const QString& chemin) override;
    void arrete() override;
    void prepare() override;
    void regleVolume(int pourcent) override;

    // Starts the sound system on a thread of its own, so that the first sound finds it ready:
    // starting it connects to the desktop bus (which, when the session has none, means waiting for
    // one to be launched) and probes the drivers, none of which the rest of the start needs.
    // Before any SonSdl exists, and before the display's connection; the first SonSdl takes it
    // over.
    static void demarreEnParallele();

    bool peripheriqueOuvert() const { return peripherique_ != 0; }
    // True while the current sound still has frames to hand to the device.
    bool joue() const override;
    // When the device thread first took frames of the sound started last (for latency checks);
    // the epoch while it has not yet.
    std::chrono::steady_clock::time_point premiereTrame() const;

private:
    // What the device thread reads; changed only under SDL_LockAudioDevice.
    struct Voix {
        const int16_t* trames = nullptr;
        std::size_t total = 0;  // frames
        std::size_t position = 0;
        int64_t demandeNs = 0;  // when the sound was asked for (steady clock)
        // The sound it replaces, which goes on until the new one starts.
        const int16_t* precedentes = nullptr;
        std::size_t precedentReste = 0;  // frames
        std::atomic<int64_t> premiereTrameNs{0};
        std::atomic<int64_t> finNs{0};  // when the last frame was handed over
        std::atomic<int> volume{100};  // percent, applied to every buffer as it is handed over
    };
    static void remplit(void* voix, uint8_t* flux, int octets);

    // `demandeNs`: when the sound was asked for (steady clock).
    void joue(std::shared_ptr<const Pcm> pcm, int64_t demandeNs);
    // `essaiForce`: probe the drivers even within the wait after a failed open.
    bool ouvre(bool essaiForce = false);
    // A failed start or open: no new attempt for a while, and the console told once an outage.
    bool echec();
    // Takes over what demarreEnParallele did, once it has ended.
    void recupereDemarrage();
    static bool demarrageEnCours();
    void ferme();
    void repos();
    // The sound server went away under an open device: SDL has stopped it for good.
    bool peripheriquePerdu() const;
    // Closes the device and the sound system, so that the next sound probes them afresh.
    void fermeTout();

    Voix voix_;
    std::shared_ptr<const Pcm> enCours_;    // keeps the playing frames alive
    std::shared_ptr<const Pcm> precedent_;  // and those of the sound it replaces
    uint32_t peripherique_ = 0;
    bool sdlPret_ = false;
    // After a failed open, the next attempt waits: probing the drivers takes up to 0.1 s.
    std::chrono::milliseconds attenteEssai_;
    std::chrono::steady_clock::time_point prochainEssai_{};
    // No sound could be had since the last failed open: the console heard of it once.
    bool enPanne_ = false;
    std::chrono::milliseconds delaiRepos_;
    QTimer minuterieRepos_;
    std::shared_ptr<const Pcm> enAttente_;  // asked for while the sound system was starting
    QTimer attenteDemarrage_;
    // Decoded clips by their bytes: a clip played again starts without decoding.
    QHash<QByteArray, std::shared_ptr<const Pcm>> cache_;
    std::size_t tailleCache_ = 0;  // samples held by the cache
};
