// The sound thread's life and its requests; what it does with the device is in
// FilSonPeripherique.cpp.
#include "platform/FilSon.h"

#include "platform/AlerteDefaut.h"

#include <QFile>

#include <cstdio>
#include <utility>

namespace {
// The cache never holds more than this many decoded samples (about 8 MB).
constexpr std::size_t kCacheMax = 4 * 1024 * 1024;
// Files larger than this are not sounds anyone means to play as an alert.
constexpr qint64 kFichierMax = 256LL * 1024 * 1024;

// The thread demarreEnParallele started, until a SonSdl takes it; ended with the program if none
// ever does (a second start, which hands over to the clock that runs, and never loads SDL).
struct Demarrage {
    std::shared_ptr<FilSon> fil;
    ~Demarrage() {
        if (fil)
            fil->termine(std::chrono::seconds(1));
    }
} demarrage;
}  // namespace

std::shared_ptr<FilSon> FilSon::lance(const Reglages& r) {
    auto fil = std::make_shared<FilSon>();
    fil->reglages_ = r;
    // The thread holds its state: one left behind at the end still finds it.
    fil->fil_ = std::thread([soi = fil] { soi->boucle(); });
    return fil;
}

void FilSon::demarreEnParallele() {
    if (!demarrage.fil)
        demarrage.fil = lance({std::chrono::milliseconds(1500), std::chrono::seconds(5), std::chrono::seconds(3)});
}

std::shared_ptr<FilSon> FilSon::prends(const Reglages& r) {
    if (auto fil = std::exchange(demarrage.fil, nullptr)) {
        std::lock_guard verrou(fil->m_);
        fil->reglages_ = r;
        return fil;
    }
    return lance(r);
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

uint64_t FilSon::prepare(Duree ouverte) {
    uint64_t numero;
    {
        std::lock_guard verrou(m_);
        ouverte_ = prepare_ ? std::max(ouverte_, ouverte) : ouverte;
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
    return (numeroTraite.load(std::memory_order_acquire) < numero && appelSdlNs_ != 0) || voixMuette(borneNs);
}

bool FilSon::voixMuette(int64_t borneNs) const {
    return voix.active.load(std::memory_order_relaxed) &&
           maintenantNs() - voix.vieNs.load(std::memory_order_relaxed) >= borneNs;
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

void FilSon::boucle() {
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
        const Duree ouverte = ouverte_;
        const bool fin = fin_;
        const uint64_t numero = numero_;
        const Reglages r = reglages_;
        verrou.unlock();
        if (requete)
            traite(*requete, r);
        if (preparation)
            prepareSortie(r, ouverte);
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
