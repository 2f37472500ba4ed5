#pragma once
// The sound thread behind SonSdl. Every call into SDL's sound system (its start, the drivers'
// probe, opening, pausing, closing, quitting) is made here and never on the user-interface
// thread: with a sound server that accepts and never answers, each of them can wait for tens of
// seconds on libpulse's time-outs. The interface thread leaves requests and reads atomics.

#include "platform/DecodageWav.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class FilSon : public std::enable_shared_from_this<FilSon> {
public:
    using Duree = std::chrono::milliseconds;
    struct Reglages {
        Duree delaiRepos;    // idle time before the device closes
        Duree attenteEssai;  // after a failed open, before the drivers are probed again
        Duree delaiReponse;  // a request not handled within it is given up, the output is away
    };
    enum class Ordre { Donnees, Fichier, Arret };

    // What the device thread reads; changed only under SDL_LockAudioDevice, or atomic.
    struct Voix {
        const int16_t* trames = nullptr;
        std::size_t total = 0;  // frames
        std::size_t position = 0;
        int64_t demandeNs = 0;   // when the sound was asked for (steady clock)
        int64_t installeNs = 0;  // when it was handed to the device
        int64_t abandonNs = 0;   // a sound the device thread reaches this late after is not played
        // The sound it replaces, which goes on until the new one starts.
        const int16_t* precedentes = nullptr;
        std::size_t precedentReste = 0;   // frames
        std::atomic<bool> active{false};  // the sound still has frames to hand over
        std::atomic<int64_t> vieNs{0};    // the device thread's last call, or the device's opening
        std::atomic<int64_t> premiereTrameNs{0};
        std::atomic<int64_t> finNs{0};  // when the last frame was handed over
        std::atomic<int> volume{100};   // percent, applied to every buffer as it is handed over
    };

    static int64_t maintenantNs() {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    static int64_t enNs(Duree d) { return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count(); }

    // The thread demarreEnParallele started, once it is there, or a new one.
    static std::shared_ptr<FilSon> prends(const Reglages& r);
    static void demarreEnParallele();

    // Replaces the request not yet handled: only the last sound asked for matters. Returns the
    // request's number; numeroTraite reaches it once the thread has handled it.
    uint64_t demande(Ordre ordre, const QByteArray& octets, const QString& chemin, int64_t demandeNs);
    // The output opens now and stays open `ouverte` at least (its idle time at least).
    uint64_t prepare(Duree ouverte = Duree(0));
    uint64_t dernierNumero() const {
        std::lock_guard verrou(m_);
        return numero_;
    }
    // Asks the thread to close the output and end, and waits for it at most `delai`: a thread
    // held by a sound server that does not answer is left to end on its own.
    void termine(Duree delai);

    // From the interface thread. The sound asked for last still sounds, or waits for the output
    // (within the bound: after it, the output has not answered and nothing is heard).
    bool sonne(int64_t borneNs) const;
    // The request `numero`, asked for at least `borneNs` ago, is still waiting while the thread is
    // inside SDL, or the device thread has been silent that long with a sound to play. Time spent
    // reading or decoding a long file is not the output's.
    bool sansReponse(uint64_t numero, int64_t borneNs) const;
    // A sound is handed to a device whose thread has taken no frame for `borneNs`.
    bool voixMuette(int64_t borneNs) const;
    // Requests up to `numero` are given up: not played, however late the output answers.
    void abandonne(uint64_t numero) { abandon_ = std::max<uint64_t>(abandon_, numero); }
    // The console hears of an outage once, until a device opens again.
    void signaleAbsence(const QString& cause);
    QString causeAbsence() const;
    // The outage is the caller's to tell: signaleAbsence only records it.
    void taisAbsences() { muet_ = true; }

    Voix voix;
    std::atomic<bool> ouvert{false};
    std::atomic<bool> enPanne{false};
    std::atomic<bool> eveillee{false};  // the device stays open between sounds
    std::atomic<bool> bloque{false};    // sansReponse was seen true and the thread has not returned
    std::atomic<uint64_t> numeroTraite{0};

private:
    struct Requete {
        Ordre ordre;
        QByteArray octets;
        QString chemin;
        int64_t demandeNs;
        uint64_t numero;
    };
    // Marks the thread as inside SDL's start, open, close or quit for its life, and holds SDL
    // for this thread alone.
    class AppelSdl;
    static std::shared_ptr<FilSon> lance(const Reglages& r);
    void boucle();
    static void remplit(void* voix, uint8_t* flux, int octets);

    // All on the sound thread.
    void traite(const Requete& q, const Reglages& r);
    std::shared_ptr<const Pcm> decode(const QByteArray& wav);
    void joue(std::shared_ptr<const Pcm> pcm, int64_t demandeNs, const Reglages& r);
    void prepareSortie(const Reglages& r, Duree ouverte);
    void arrete();
    // `essaiForce`: probe the drivers even within the wait after a failed open.
    bool ouvre(bool essaiForce, const Reglages& r);
    bool echec(const char* raison, const Reglages& r);
    bool peripheriquePerdu() const;
    void ferme();
    // Closes the device and the sound system, so that the next sound probes them afresh.
    void fermeTout();
    void repos(const Reglages& r);

    // Shared with the interface thread, under m_.
    mutable std::mutex m_;
    std::condition_variable cv_, cvFin_;
    Reglages reglages_{};
    std::optional<Requete> requete_;
    bool prepare_ = false, fin_ = false, fini_ = false;
    Duree ouverte_{0};  // how long the output asked for by prepare stays open
    uint64_t numero_ = 0;
    QString cause_;
    std::thread fil_;
    // Written by the interface thread alone: the last sound asked for.
    std::atomic<uint64_t> numeroSon_{0};
    std::atomic<bool> sonArret_{true};
    std::atomic<int64_t> sonDemandeNs_{0};
    std::atomic<bool> muet_{false};
    std::atomic<uint64_t> abandon_{0};
    std::atomic<int64_t> appelSdlNs_{0};  // when the call into SDL under way began; 0 when none

    // The sound thread's own.
    std::shared_ptr<const Pcm> enCours_;    // keeps the playing frames alive
    std::shared_ptr<const Pcm> precedent_;  // and those of the sound it replaces
    uint32_t peripherique_ = 0;
    bool sdlPret_ = false;
    std::chrono::steady_clock::time_point prochainEssai_{}, prochainRepos_{};
    std::chrono::steady_clock::time_point ouverteJusqua_{};  // a planned sound is due by then
    // Decoded clips by their bytes: a clip played again starts without decoding.
    QHash<QByteArray, std::shared_ptr<const Pcm>> cache_;
    std::size_t tailleCache_ = 0;  // samples held by the cache
};
