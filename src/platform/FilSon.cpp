#include "platform/FilSon.h"

#include "platform/AlerteDefaut.h"
#include "platform/BibliothequeSdl.h"
#include "platform/Volume.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
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

int64_t maintenantNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int64_t enNs(FilSon::Duree d) { return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count(); }

// SDL's start, open and close are not meant to run on two threads at once; a thread left behind,
// held by a server that does not answer, keeps the next one waiting here rather than beside it.
std::mutex sdlExclusif;

// The thread demarreEnParallele started, until a SonSdl takes it; ended with the program if none
// ever does (a second start, which hands over to the clock that runs).
struct Demarrage {
    std::shared_ptr<FilSon> fil;
    ~Demarrage() {
        if (fil)
            fil->termine(std::chrono::seconds(1));
    }
} demarrage;
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

std::shared_ptr<FilSon> FilSon::lance(const Reglages& r, bool demarreSdl) {
    auto fil = std::make_shared<FilSon>();
    fil->reglages_ = r;
    // The thread holds its state: one left behind at the end still finds it.
    fil->fil_ = std::thread([soi = fil, demarreSdl] { soi->boucle(demarreSdl); });
    return fil;
}

void FilSon::demarreEnParallele() {
    if (!demarrage.fil)
        demarrage.fil = lance({std::chrono::milliseconds(1500), std::chrono::seconds(5), std::chrono::seconds(3)}, true);
}

std::shared_ptr<FilSon> FilSon::prends(const Reglages& r) {
    if (auto fil = std::exchange(demarrage.fil, nullptr)) {
        std::lock_guard verrou(fil->m_);
        fil->reglages_ = r;
        return fil;
    }
    return lance(r, false);
}

uint64_t FilSon::demande(Ordre ordre, const QByteArray& octets, const QString& chemin, int64_t demandeNs) {
    uint64_t numero;
    {
        std::lock_guard verrou(m_);
        numero = ++numero_;
        requete_ = Requete{ordre, octets, chemin, demandeNs, numero};
        sonArret_ = ordre == Ordre::Arret;
        sonDemandeNs_ = demandeNs;
        numeroSon_ = numero;
    }
    cv_.notify_one();
    return numero;
}

uint64_t FilSon::prepare() {
    uint64_t numero;
    {
        std::lock_guard verrou(m_);
        prepare_ = true;
        numero = ++numero_;
    }
    cv_.notify_one();
    return numero;
}

void FilSon::termine(Duree delai) {
    std::unique_lock verrou(m_);
    fin_ = true;
    cv_.notify_one();
    if (cvFin_.wait_for(verrou, delai, [this] { return fini_; })) {
        verrou.unlock();
        fil_.join();
    } else {
        fil_.detach();
    }
}

bool FilSon::sonne(int64_t borneNs) const {
    const int64_t maintenant = maintenantNs();
    const uint64_t son = numeroSon_.load(std::memory_order_relaxed);
    if (numeroTraite.load(std::memory_order_acquire) < son)
        return !sonArret_.load(std::memory_order_relaxed) && son > abandon_ &&
               (maintenant - sonDemandeNs_.load(std::memory_order_relaxed) < borneNs || appelSdlNs_ == 0);
    return voix.active.load(std::memory_order_relaxed) &&
           maintenant - voix.vieNs.load(std::memory_order_relaxed) < borneNs;
}

bool FilSon::sansReponse(uint64_t numero, int64_t borneNs) const {
    return (numeroTraite.load(std::memory_order_acquire) < numero && appelSdlNs_ != 0) ||
           (voix.active.load(std::memory_order_relaxed) &&
            maintenantNs() - voix.vieNs.load(std::memory_order_relaxed) >= borneNs);
}

void FilSon::signaleAbsence(const QString& cause) {
    {
        std::lock_guard verrou(m_);
        cause_ = cause;
    }
    // A session without sound, or a server gone away: one line for the whole outage, and the
    // clock goes on in silence.
    if (!enPanne.exchange(true) && !muet_)
        std::fprintf(stderr, "quentor : pas de sortie son (%s) ; le son reviendra avec elle\n",
                     cause.toLocal8Bit().constData());
}

QString FilSon::causeAbsence() const {
    std::lock_guard verrou(m_);
    return enPanne ? cause_ : QString();
}

void FilSon::boucle(bool demarreSdl) {
    if (demarreSdl) {
        // What a SonSdl would do at its first sound, done while the rest of the program starts.
        if (const FonctionsSdl* sdl = Sdl()) {
            FaisTaireAlsa();
            AppelSdl appel(appelSdlNs_);
            sdlPret_ = sdl->InitSubSystem(SDL_INIT_AUDIO) == 0;
        }
        if (!sdlPret_) {
            std::unique_lock verrou(m_);
            const Reglages r = reglages_;
            verrou.unlock();
            echec(Sdl() ? Sdl()->GetError() : ErreurChargementSdl(), r);
        }
    }
    std::unique_lock verrou(m_);
    for (;;) {
        const auto aFaire = [this] { return requete_ || prepare_ || fin_; };
        if (!aFaire()) {
            // An open device is looked at again when its idle time may be over.
            if (peripherique_)
                cv_.wait_until(verrou, prochainRepos_, aFaire);
            else
                cv_.wait(verrou, aFaire);
        }
        const std::optional<Requete> requete = std::exchange(requete_, std::nullopt);
        const bool preparation = std::exchange(prepare_, false);
        const bool fin = fin_;
        const uint64_t numero = numero_;
        const Reglages r = reglages_;
        verrou.unlock();
        if (requete)
            traite(*requete, r);
        if (preparation)
            prepareSortie(r);
        if (peripherique_ && std::chrono::steady_clock::now() >= prochainRepos_)
            repos(r);
        bloque = false;
        numeroTraite.store(numero, std::memory_order_release);
        verrou.lock();
        if (fin && !requete_ && !prepare_)
            break;
    }
    verrou.unlock();
    fermeTout();
    verrou.lock();
    fini_ = true;
    cvFin_.notify_all();
}

void FilSon::traite(const Requete& q, const Reglages& r) {
    // A sound the interface has given up on is not heard late: it ends what plays, as any new
    // sound does.
    if (q.ordre == Ordre::Arret || q.numero <= abandon_) {
        arrete();
        return;
    }
    std::shared_ptr<const Pcm> pcm;
    if (q.ordre == Ordre::Donnees) {
        pcm = decode(q.octets);
    } else {
        QFile f(q.chemin);
        if (f.open(QIODevice::ReadOnly)) {
            // Read with a bound: a device file or a huge file must not swallow the memory.
            const QByteArray octets = f.read(kFichierMax + 1);
            if (octets.size() <= kFichierMax)
                pcm = DecodeWav(octets);
        }
        if (!pcm || pcm->empty())
            pcm = AlerteDefaut();
    }
    joue(std::move(pcm), q.demandeNs, r);
}

std::shared_ptr<const Pcm> FilSon::decode(const QByteArray& wav) {
    auto trouve = cache_.constFind(wav);
    if (trouve != cache_.constEnd())
        return *trouve;
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
    return pcm;  // undecodable bytes play nothing, and like any new sound they end the one playing
}

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
    if (voix.active) {
        prochainRepos_ = steady_clock::now() + r.delaiRepos;  // a long file is still playing
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
    voix.vieNs.store(maintenantNs(), std::memory_order_relaxed);
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
void FilSon::prepareSortie(const Reglages& r) {
    if (voix.volume.load(std::memory_order_relaxed) == 0 || !ouvre(true, r))
        return;
    const FonctionsSdl& sdl = *Sdl();
    sdl.LockAudioDevice(peripherique_);
    if (!(voix.trames && voix.position < voix.total))
        voix.finNs.store(maintenantNs(), std::memory_order_relaxed);  // idle from now
    sdl.PauseAudioDevice(peripherique_, 0);
    sdl.UnlockAudioDevice(peripherique_);
    prochainRepos_ = std::chrono::steady_clock::now() + r.delaiRepos;
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
