#include "platform/SonSdl.h"

#include "platform/FilSon.h"

#include <algorithm>

SonSdl::SonSdl(std::chrono::milliseconds delaiRepos, std::chrono::milliseconds attenteEssai,
               std::chrono::milliseconds delaiReponse)
    : fil_(FilSon::prends({delaiRepos, attenteEssai, delaiReponse})), delaiReponse_(delaiReponse) {
    surveillance_.setSingleShot(true);
    QObject::connect(&surveillance_, &QTimer::timeout, [this] { verifie(); });
}

SonSdl::~SonSdl() {
    // A thread held by a server that does not answer may stay held for a minute: the program
    // ends without it, and soon, since a session's end gives it little time.
    using namespace std::chrono_literals;
    fil_->termine(fil_->bloque ? 100ms : 1000ms);
}

void SonSdl::demarreEnParallele() { FilSon::demarreEnParallele(); }

void SonSdl::surveille(uint64_t numero) {
    if (surveillance_.isActive())
        return;
    numeroSurveille_ = numero;
    surveillance_.start(delaiReponse_);
}

void SonSdl::muette() const {
    // Every request left so far waits behind the silent output: none is heard late.
    fil_->bloque = true;
    fil_->abandonne(fil_->dernierNumero());
    const long long n = delaiReponse_.count();
    fil_->signaleAbsence(n % 1000 == 0 ? QStringLiteral("aucune réponse en %1 s").arg(n / 1000)
                                       : QStringLiteral("aucune réponse en %1 ms").arg(n));
}

void SonSdl::verifie() {
    const int64_t borne = FilSon::enNs(delaiReponse_);
    if (fil_->sansReponse(numeroSurveille_, borne)) {
        muette();
        return;
    }
    // Requests that came while the first was watched.
    const uint64_t traite = fil_->numeroTraite.load();
    if (traite < fil_->dernierNumero())
        surveille(fil_->dernierNumero());
}

void SonSdl::joueDonnees(const QByteArray& wav) {
    // The constant start latency counts from here: decoding and opening the device take
    // their share of it instead of adding to it.
    surveille(fil_->demande(FilSon::Ordre::Donnees, wav, {}, FilSon::maintenantNs()));
}

void SonSdl::joueFichier(const QString& chemin) {
    surveille(fil_->demande(FilSon::Ordre::Fichier, {}, chemin, FilSon::maintenantNs()));
}

void SonSdl::arrete() { fil_->demande(FilSon::Ordre::Arret, {}, {}, FilSon::maintenantNs()); }

void SonSdl::prepare(int ouverteMs) {
    if (fil_->voix.volume.load(std::memory_order_relaxed) != 0)
        surveille(fil_->prepare(std::chrono::milliseconds(ouverteMs)));
}

void SonSdl::gardeEveillee(bool eveillee) {
    fil_->eveillee = eveillee;
    if (eveillee)
        prepare();
}

void SonSdl::regleVolume(int pourcent) {
    fil_->voix.volume.store(std::clamp(pourcent, 0, 100), std::memory_order_relaxed);
}

bool SonSdl::peripheriqueOuvert() const { return fil_->ouvert; }

bool SonSdl::joue() const {
    const int64_t borne = FilSon::enNs(delaiReponse_);
    if (fil_->sonne(borne))
        return true;
    // The device stopped taking frames in the middle of a sound: the server is away, as said
    // at once to whoever waits for the end of the sound.
    if (!fil_->enPanne && fil_->voixMuette(borne))
        muette();
    return false;
}

std::chrono::steady_clock::time_point SonSdl::premiereTrame() const {
    return std::chrono::steady_clock::time_point(
        std::chrono::nanoseconds(fil_->voix.premiereTrameNs.load(std::memory_order_relaxed)));
}

QString SonSdl::absence() const { return fil_->causeAbsence(); }

void SonSdl::taisAbsences() { fil_->taisAbsences(); }
