#include "platform/SonSdl.h"

#include "platform/AlerteDefaut.h"
#include "platform/Volume.h"

#include <QFile>
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <thread>
#include <utility>

namespace {
// The cache never holds more than this many decoded samples (about 8 MB).
constexpr std::size_t kCacheMax = 4 * 1024 * 1024;
// Files larger than this are not sounds anyone means to play as an alert.
constexpr qint64 kFichierMax = 256LL * 1024 * 1024;
// The device's buffer, in frames, and how long it lasts. Under a sound server the device
// thread wakes for every buffer or less: 2048 frames (46 ms) keep an announcement's cost low
// and leave a busy machine time to refill it, while a sound still starts well within 60 ms.
constexpr int kTramesTampon = 2048;
constexpr int64_t kPeriodeNs = int64_t(kTramesTampon) * 1'000'000'000 / kFrequenceSortie;

// ALSA writes its configuration errors straight to stderr when SDL probes a machine without a
// sound card; the program stays silent on the console, so give ALSA a handler that drops them.
// SDL itself loads the same libasound later, so the handler applies to its calls.
void alsaMuet(const char*, int, const char*, int, const char*, ...) {}

void faisTaireAlsa() {
    static const bool fait = [] {
        void* lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL | RTLD_NOLOAD);
        if (!lib)
            lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
        if (!lib)
            return true;
        using Gestionnaire = void (*)(const char*, int, const char*, int, const char*, ...);
        using Installe = int (*)(Gestionnaire);
        if (auto installe = reinterpret_cast<Installe>(dlsym(lib, "snd_lib_error_set_handler")))
            installe(&alsaMuet);
        return true;  // the library stays loaded so the handler stays in force
    }();
    (void)fait;
}

// Both before SDL starts: without the first SDL installs its own SIGINT/SIGTERM handlers and a
// session's SIGTERM is lost; without the second a driver's warnings land on the console.
void regleSdl() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_LogSetOutputFunction([](void*, int, SDL_LogPriority, const char*) {}, nullptr);
}

// Joined at the latest when the program ends, should no SonSdl ever take it over.
struct Demarrage {
    std::thread fil;
    std::atomic<bool> reussi{false}, fini{false};
    ~Demarrage() {
        if (fil.joinable())
            fil.join();
    }
} demarrage;

int64_t maintenantNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

SonSdl::SonSdl(std::chrono::milliseconds delaiRepos, std::chrono::milliseconds attenteEssai)
    : attenteEssai_(attenteEssai), delaiRepos_(delaiRepos) {
    regleSdl();
    // A sound asked for while the sound system still starts plays as soon as it is ready: the
    // start clip never holds the start.
    QObject::connect(&attenteDemarrage_, &QTimer::timeout, [this] {
        if (demarrageEnCours())
            return;
        attenteDemarrage_.stop();
        if (auto pcm = std::move(enAttente_))
            joue(std::move(pcm), maintenantNs());
    });
    minuterieRepos_.setSingleShot(true);
    QObject::connect(&minuterieRepos_, &QTimer::timeout, [this] { repos(); });
}

bool SonSdl::demarrageEnCours() { return demarrage.fil.joinable() && !demarrage.fini; }

SonSdl::~SonSdl() {
    recupereDemarrage();
    fermeTout();
}

void SonSdl::remplit(void* u, uint8_t* flux, int octets) {
    auto* v = static_cast<Voix*>(u);
    const std::size_t demandees = std::size_t(octets) / (sizeof(int16_t) * kCanauxSortie);
    std::size_t copiees = 0;
    std::size_t avance = 0;
    if (v->trames && v->position < v->total) {
        if (v->position == 0) {
            // The device takes whole buffers, so a sound would start anywhere from 0 to one
            // buffer after it was asked for. Placing its start one buffer period after the
            // request, inside this buffer, makes that delay constant: the pauses between the
            // clips of an announcement are then heard exactly as measured.
            const int64_t maintenant = maintenantNs();
            const int64_t ecart = v->demandeNs + kPeriodeNs - maintenant;
            if (v->demandeNs > 0 && ecart > 0)
                avance = std::min<std::size_t>(demandees - 1,
                                               std::size_t(ecart * kFrequenceSortie / 1'000'000'000));
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
        std::memcpy(flux + avance * kCanauxSortie * sizeof(int16_t),
                    v->trames + v->position * kCanauxSortie, copiees * kCanauxSortie * sizeof(int16_t));
        v->position += copiees;
        if (v->position == v->total)
            v->finNs.store(maintenantNs(), std::memory_order_relaxed);
    }
    const std::size_t remplies = (avance + copiees) * kCanauxSortie * sizeof(int16_t);
    std::memset(flux + remplies, 0, std::size_t(octets) - remplies);
    // Scaled here, as it leaves: a change of volume is heard within a buffer, even in the middle
    // of a sound, and the decoded clips stay as they are.
    AppliqueVolume(reinterpret_cast<int16_t*>(flux), remplies / sizeof(int16_t),
                   v->volume.load(std::memory_order_relaxed));
}

bool SonSdl::peripheriquePerdu() const {
    return peripherique_ && SDL_GetAudioDeviceStatus(peripherique_) == SDL_AUDIO_STOPPED;
}

void SonSdl::fermeTout() {
    ferme();
    if (sdlPret_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlPret_ = false;
    }
}

void SonSdl::demarreEnParallele() {
    if (demarrage.fil.joinable())
        return;
    regleSdl();
    demarrage.fil = std::thread([] {
        faisTaireAlsa();
        demarrage.reussi = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        demarrage.fini = true;
    });
}

void SonSdl::recupereDemarrage() {
    if (!demarrage.fil.joinable())
        return;
    demarrage.fil.join();
    sdlPret_ = demarrage.reussi;
    if (!sdlPret_)
        echec();
}

bool SonSdl::echec() {
    prochainEssai_ = std::chrono::steady_clock::now() + attenteEssai_;
    // A session without sound, or a server gone away: one line for the whole outage, and the
    // clock goes on in silence.
    if (!enPanne_)
        std::fprintf(stderr, "quentor : pas de sortie son (%s) ; le son reviendra avec elle\n",
                     *SDL_GetError() ? SDL_GetError() : "aucun pilote");
    enPanne_ = true;
    return false;
}

bool SonSdl::ouvre(bool essaiForce) {
    recupereDemarrage();
    // A sound server that stopped or restarted leaves a dead device behind: the sound system is
    // started afresh, and finds the new server.
    if (peripheriquePerdu())
        fermeTout();
    if (peripherique_)
        return true;
    if (!essaiForce && std::chrono::steady_clock::now() < prochainEssai_)
        return false;
    faisTaireAlsa();
    if (!sdlPret_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return echec();
        sdlPret_ = true;
    }
    SDL_AudioSpec voulu{};
    voulu.freq = kFrequenceSortie;
    voulu.format = AUDIO_S16SYS;
    voulu.channels = kCanauxSortie;
    voulu.samples = kTramesTampon;
    voulu.callback = &SonSdl::remplit;
    voulu.userdata = &voix_;
    // No allowed changes: SDL converts to the real device format behind the callback.
    peripherique_ = SDL_OpenAudioDevice(nullptr, 0, &voulu, nullptr, 0);
    if (peripherique_ == 0) {
        // Let the next attempt probe the drivers afresh: a sound server may start after us.
        const bool resultat = echec();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlPret_ = false;
        return resultat;
    }
    enPanne_ = false;
    return true;
}

void SonSdl::ferme() {
    minuterieRepos_.stop();
    if (peripherique_) {
        SDL_CloseAudioDevice(peripherique_);  // stops the device thread first
        peripherique_ = 0;
    }
    voix_.trames = voix_.precedentes = nullptr;
    voix_.total = voix_.position = voix_.precedentReste = 0;
    enCours_.reset();
    precedent_.reset();
}

void SonSdl::repos() {
    using namespace std::chrono;
    if (peripheriquePerdu()) {
        fermeTout();
        return;
    }
    if (joue()) {
        minuterieRepos_.start(delaiRepos_);  // a long file is still playing: look again later
        return;
    }
    // Idle time counts from the end of the last sound (or from the stop), not from its start.
    const int64_t fin = voix_.finNs.load(std::memory_order_relaxed);
    const auto reste = duration_cast<milliseconds>(nanoseconds(fin - maintenantNs())) + delaiRepos_;
    if (reste > milliseconds(0)) {
        minuterieRepos_.start(reste);
        return;
    }
    // The sound system goes too: its drivers keep threads that wake while nothing plays (ALSA's
    // looks for new cards ten times a second, the sound server's follows every change of its
    // outputs). The next sound starts it again, in a few milliseconds.
    fermeTout();
}

bool SonSdl::joue() const {
    if (enAttente_)
        return true;
    if (!peripherique_ || peripheriquePerdu())
        return false;
    SDL_LockAudioDevice(peripherique_);
    const bool encore = voix_.trames && voix_.position < voix_.total;
    SDL_UnlockAudioDevice(peripherique_);
    return encore;
}

std::chrono::steady_clock::time_point SonSdl::premiereTrame() const {
    return std::chrono::steady_clock::time_point(
        std::chrono::nanoseconds(voix_.premiereTrameNs.load(std::memory_order_relaxed)));
}

void SonSdl::joue(std::shared_ptr<const Pcm> pcm, int64_t demandeNs) {
    // At volume 0 nothing would be heard: the device stays closed.
    if (!pcm || pcm->empty() || voix_.volume.load(std::memory_order_relaxed) == 0) {
        arrete();
        return;
    }
    if (demarrageEnCours()) {
        enAttente_ = std::move(pcm);
        attenteDemarrage_.start(5);
        return;
    }
    if (!ouvre())
        return;
    SDL_LockAudioDevice(peripherique_);
    const bool encore = voix_.trames && voix_.position < voix_.total;
    voix_.precedentes = encore ? voix_.trames + voix_.position * kCanauxSortie : nullptr;
    voix_.precedentReste = encore ? voix_.total - voix_.position : 0;
    voix_.trames = pcm->data();
    voix_.total = TramesPcm(*pcm);
    voix_.position = 0;
    voix_.demandeNs = demandeNs;
    voix_.premiereTrameNs.store(0, std::memory_order_relaxed);
    voix_.finNs.store(maintenantNs(), std::memory_order_relaxed);
    std::shared_ptr<const Pcm> ancien = std::exchange(precedent_, std::exchange(enCours_, std::move(pcm)));
    // A newly opened device starts paused (its thread may already have sent one buffer of
    // silence); unpausing under the lock lets its next buffer carry the sound.
    SDL_PauseAudioDevice(peripherique_, 0);
    SDL_UnlockAudioDevice(peripherique_);
    minuterieRepos_.start(delaiRepos_);
    // `ancien` (the sound before the replaced one) is released here, outside the device lock.
}

void SonSdl::joueDonnees(const QByteArray& wav) {
    // The constant start latency counts from here: decoding and opening the device take
    // their share of it instead of adding to it.
    const int64_t demande = maintenantNs();
    auto trouve = cache_.constFind(wav);
    if (trouve != cache_.constEnd()) {
        joue(*trouve, demande);
        return;
    }
    std::shared_ptr<const Pcm> pcm = DecodeWav(wav);
    if (pcm) {
        if (tailleCache_ + pcm->size() > kCacheMax) {
            cache_.clear();
            tailleCache_ = 0;
        }
        if (pcm->size() <= kCacheMax) {
            cache_.insert(wav, pcm);
            tailleCache_ += pcm->size();
        }
    }
    // Undecodable bytes play nothing, and like any new sound they end the one playing.
    joue(std::move(pcm), demande);
}

void SonSdl::joueFichier(const QString& chemin) {
    const int64_t demande = maintenantNs();
    std::shared_ptr<const Pcm> pcm;
    QFile f(chemin);
    if (f.open(QIODevice::ReadOnly)) {
        // Read with a bound: a device file or a huge file must not swallow the memory.
        const QByteArray octets = f.read(kFichierMax + 1);
        if (octets.size() <= kFichierMax)
            pcm = DecodeWav(octets);
    }
    if (!pcm || pcm->empty())
        pcm = AlerteDefaut();
    joue(std::move(pcm), demande);
}

// A device that has just opened hands its first buffer straight to the output, while a running
// one plays each buffer a device buffer later: a sound started on a fresh device would be heard
// that much earlier than the ones after it, and the first pause of an announcement would be
// heard too long. Opened a little before, it is running when the sound comes.
void SonSdl::prepare() {
    if (voix_.volume.load(std::memory_order_relaxed) == 0 || demarrageEnCours() || !ouvre(true))
        return;
    SDL_LockAudioDevice(peripherique_);
    if (!(voix_.trames && voix_.position < voix_.total))
        voix_.finNs.store(maintenantNs(), std::memory_order_relaxed);  // idle from now
    SDL_PauseAudioDevice(peripherique_, 0);
    SDL_UnlockAudioDevice(peripherique_);
    minuterieRepos_.start(delaiRepos_);
}

void SonSdl::regleVolume(int pourcent) {
    voix_.volume.store(std::clamp(pourcent, 0, 100), std::memory_order_relaxed);
}

void SonSdl::arrete() {
    enAttente_.reset();
    if (!peripherique_)
        return;
    std::shared_ptr<const Pcm> ancien;
    SDL_LockAudioDevice(peripherique_);
    voix_.trames = voix_.precedentes = nullptr;
    voix_.total = voix_.position = voix_.precedentReste = 0;
    voix_.finNs.store(maintenantNs(), std::memory_order_relaxed);
    std::swap(enCours_, ancien);
    SDL_UnlockAudioDevice(peripherique_);
}
