// The sound thread's work with SDL: starting, opening, feeding, closing the device.
#include "platform/FilSon.h"

#include "platform/BibliothequeSdl.h"
#include "platform/Volume.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// The device's buffer, in frames, and how long it lasts. Under a sound server the device
// thread wakes for every buffer or less: 2048 frames (46 ms) keep an announcement's cost low
// and leave a busy machine time to refill it, while a sound still starts well within 60 ms.
constexpr int kTramesTampon = 2048;
constexpr int64_t kPeriodeNs = int64_t(kTramesTampon) * 1'000'000'000 / kFrequenceSortie;

// SDL's start, open and close are not meant to run on two threads at once; a thread left behind,
// held by a server that does not answer, keeps the next one waiting here rather than beside it.
std::mutex sdlExclusif;
}  // namespace

class FilSon::AppelSdl {
public:
    explicit AppelSdl(std::atomic<int64_t>& depuis) : marque_(depuis) {}

private:
    // Marked before the wait for SDL: a thread left behind that still holds it is as silent as
    // the server that holds that thread.
    struct Marque {
        explicit Marque(std::atomic<int64_t>& d) : depuis(d) { depuis = maintenantNs(); }
        ~Marque() { depuis = 0; }
        std::atomic<int64_t>& depuis;
    } marque_;
    std::lock_guard<std::mutex> exclusif_{sdlExclusif};
};

void FilSon::remplit(void* u, uint8_t* flux, int octets) {
    auto* v = static_cast<Voix*>(u);
    const std::size_t demandees = std::size_t(octets) / (sizeof(int16_t) * kCanauxSortie);
    const int64_t maintenant = maintenantNs();
    v->vieNs.store(maintenant, std::memory_order_relaxed);
    std::size_t copiees = 0;
    std::size_t avance = 0;
    if (v->trames && v->position == 0 && maintenant - v->installeNs >= v->abandonNs) {
        // The output stalled since this sound was asked for, and it was given up on.
        v->trames = v->precedentes = nullptr;
        v->finNs.store(maintenant, std::memory_order_relaxed);
        v->active.store(false, std::memory_order_relaxed);
    }
    if (v->trames && v->position < v->total) {
        if (v->position == 0) {
            // The device takes whole buffers, so a sound would start anywhere from 0 to one
            // buffer after it was asked for. Placing its start one buffer period after the
            // request, inside this buffer, makes that delay constant: the pauses between the
            // clips of an announcement are then heard exactly as measured.
            const int64_t ecart = v->demandeNs + kPeriodeNs - maintenant;
            if (v->demandeNs > 0 && ecart > 0)
                avance = std::min<std::size_t>(demandees - 1, std::size_t(ecart * kFrequenceSortie / 1'000'000'000));
            v->premiereTrameNs.store(maintenant + int64_t(avance) * 1'000'000'000 / kFrequenceSortie,
                                     std::memory_order_relaxed);
            // Until then the replaced sound goes on, so one sound still follows the other
            // without a gap.
            const std::size_t suite = v->precedentes ? std::min(avance, v->precedentReste) : 0;
            if (suite > 0)
                std::memcpy(flux, v->precedentes, suite * kCanauxSortie * sizeof(int16_t));
            std::memset(flux + suite * kCanauxSortie * sizeof(int16_t), 0,
                        (avance - suite) * kCanauxSortie * sizeof(int16_t));
            v->precedentes = nullptr;
            v->precedentReste = 0;
        }
        copiees = std::min(demandees - avance, v->total - v->position);
        std::memcpy(flux + avance * kCanauxSortie * sizeof(int16_t), v->trames + v->position * kCanauxSortie,
                    copiees * kCanauxSortie * sizeof(int16_t));
        v->position += copiees;
        if (v->position == v->total) {
            v->finNs.store(maintenantNs(), std::memory_order_relaxed);
            v->active.store(false, std::memory_order_relaxed);
        }
    }
    const std::size_t remplies = (avance + copiees) * kCanauxSortie * sizeof(int16_t);
    std::memset(flux + remplies, 0, std::size_t(octets) - remplies);
    // Scaled here, as it leaves: a change of volume is heard within a buffer, even in the middle
    // of a sound, and the decoded clips stay as they are.
    AppliqueVolume(reinterpret_cast<int16_t*>(flux), remplies / sizeof(int16_t),
                   v->volume.load(std::memory_order_relaxed));
}

bool FilSon::echec(const char* raison, const Reglages& r) {
    prochainEssai_ = std::chrono::steady_clock::now() + r.attenteEssai;
    signaleAbsence(QString::fromLocal8Bit(raison && *raison ? raison : "aucun pilote"));
    return false;
}

bool FilSon::peripheriquePerdu() const {
    return peripherique_ && Sdl()->GetAudioDeviceStatus(peripherique_) == SDL_AUDIO_STOPPED;
}

bool FilSon::ouvre(bool essaiForce, const Reglages& r) {
    // A sound server that stopped or restarted leaves a dead device behind: the sound system is
    // started afresh, and finds the new server.
    if (peripheriquePerdu())
        fermeTout();
    if (peripherique_)
        return true;
    if (!essaiForce && std::chrono::steady_clock::now() < prochainEssai_)
        return false;
    const FonctionsSdl* sdl = Sdl();
    if (!sdl)
        return echec(ErreurChargementSdl(), r);
    FaisTaireAlsa();
    AppelSdl appel(appelSdlNs_);
    if (!sdlPret_) {
        if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0)
            return echec(sdl->GetError(), r);
        sdlPret_ = true;
    }
    SDL_AudioSpec voulu{};
    voulu.freq = kFrequenceSortie;
    voulu.format = AUDIO_S16SYS;
    voulu.channels = kCanauxSortie;
    voulu.samples = kTramesTampon;
    voulu.callback = &FilSon::remplit;
    voulu.userdata = &voix;
    // No allowed changes: SDL converts to the real device format behind the callback.
    peripherique_ = sdl->OpenAudioDevice(nullptr, 0, &voulu, nullptr, 0);
    if (peripherique_ == 0) {
        // Let the next attempt probe the drivers afresh: a sound server may start after us.
        echec(sdl->GetError(), r);
        sdl->QuitSubSystem(SDL_INIT_AUDIO);
        sdlPret_ = false;
        return false;
    }
    // The device thread takes its first buffer within milliseconds, then one every period: a
    // sound handed over later is silent only if that thread is held.
    voix.vieNs.store(maintenantNs(), std::memory_order_relaxed);
    ouvert = true;
    enPanne = false;
    return true;
}

void FilSon::ferme() {
    if (peripherique_) {
        AppelSdl appel(appelSdlNs_);
        Sdl()->CloseAudioDevice(peripherique_);  // stops the device thread first
        peripherique_ = 0;
        ouvert = false;
    }
    voix.trames = voix.precedentes = nullptr;
    voix.total = voix.position = voix.precedentReste = 0;
    voix.active = false;
    enCours_.reset();
    precedent_.reset();
}

void FilSon::fermeTout() {
    ferme();
    if (sdlPret_) {
        AppelSdl appel(appelSdlNs_);
        Sdl()->QuitSubSystem(SDL_INIT_AUDIO);
        sdlPret_ = false;
    }
}

void FilSon::repos(const Reglages& r) {
    using namespace std::chrono;
    if (peripheriquePerdu()) {
        fermeTout();
        return;
    }
    if (voix.active || eveillee) {
        prochainRepos_ = steady_clock::now() + r.delaiRepos;  // a long file is still playing, or kept awake
        return;
    }
    if (steady_clock::now() < ouverteJusqua_) {
        prochainRepos_ = ouverteJusqua_;  // a planned sound is still to come
        return;
    }
    // Idle time counts from the end of the last sound (or from the stop), not from its start.
    const auto reste = nanoseconds(voix.finNs.load(std::memory_order_relaxed) - maintenantNs()) + r.delaiRepos;
    if (reste > nanoseconds(0)) {
        prochainRepos_ = steady_clock::now() + reste;
        return;
    }
    // The sound system goes too: its drivers keep threads that wake while nothing plays (ALSA's
    // looks for new cards ten times a second, the sound server's follows every change of its
    // outputs). The next sound starts it again, in a few milliseconds.
    fermeTout();
}

void FilSon::joue(std::shared_ptr<const Pcm> pcm, int64_t demandeNs, const Reglages& r) {
    // At volume 0 nothing would be heard: the device stays closed.
    if (!pcm || pcm->empty() || voix.volume.load(std::memory_order_relaxed) == 0) {
        arrete();
        return;
    }
    if (!ouvre(false, r))
        return;
    const FonctionsSdl& sdl = *Sdl();
    sdl.LockAudioDevice(peripherique_);
    const bool encore = voix.trames && voix.position < voix.total;
    voix.precedentes = encore ? voix.trames + voix.position * kCanauxSortie : nullptr;
    voix.precedentReste = encore ? voix.total - voix.position : 0;
    voix.trames = pcm->data();
    voix.total = TramesPcm(*pcm);
    voix.position = 0;
    voix.demandeNs = demandeNs;
    voix.installeNs = maintenantNs();
    voix.abandonNs = enNs(r.delaiReponse);
    voix.premiereTrameNs.store(0, std::memory_order_relaxed);
    voix.finNs.store(maintenantNs(), std::memory_order_relaxed);
    voix.active = true;
    std::shared_ptr<const Pcm> ancien = std::exchange(precedent_, std::exchange(enCours_, std::move(pcm)));
    // A newly opened device starts paused (its thread may already have sent one buffer of
    // silence); unpausing under the lock lets its next buffer carry the sound.
    sdl.PauseAudioDevice(peripherique_, 0);
    sdl.UnlockAudioDevice(peripherique_);
    prochainRepos_ = std::chrono::steady_clock::now() + r.delaiRepos;
    // `ancien` (the sound before the replaced one) is released here, outside the device lock.
}

// A device that has just opened hands its first buffer straight to the output, while a running
// one plays each buffer a device buffer later: a sound started on a fresh device would be heard
// that much earlier than the ones after it, and the first pause of an announcement would be
// heard too long. Opened a little before, it is running when the sound comes.
void FilSon::prepareSortie(const Reglages& r, Duree ouverte) {
    if (voix.volume.load(std::memory_order_relaxed) == 0 || !ouvre(true, r))
        return;
    const FonctionsSdl& sdl = *Sdl();
    sdl.LockAudioDevice(peripherique_);
    if (!(voix.trames && voix.position < voix.total))
        voix.finNs.store(maintenantNs(), std::memory_order_relaxed);  // idle from now
    sdl.PauseAudioDevice(peripherique_, 0);
    sdl.UnlockAudioDevice(peripherique_);
    ouverteJusqua_ = std::max(ouverteJusqua_, std::chrono::steady_clock::now() + ouverte);
    prochainRepos_ = std::max(std::chrono::steady_clock::now() + r.delaiRepos, ouverteJusqua_);
}

void FilSon::arrete() {
    if (!peripherique_)
        return;
    std::shared_ptr<const Pcm> ancien;
    const FonctionsSdl& sdl = *Sdl();
    sdl.LockAudioDevice(peripherique_);
    voix.trames = voix.precedentes = nullptr;
    voix.total = voix.position = voix.precedentReste = 0;
    voix.finNs.store(maintenantNs(), std::memory_order_relaxed);
    voix.active = false;
    std::swap(enCours_, ancien);
    sdl.UnlockAudioDevice(peripherique_);
}
