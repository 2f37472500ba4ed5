#include "timer/Minuteur.h"

#include "platform/Plateforme.h"
#include "sound/Annonce.h"
#include "sound/Phrases.h"
#include "sound/Son.h"
#include "state/Etat.h"
#include "timer/DureeMinuteur.h"
#include "timer/SauvegardeMinuteur.h"

#include <QFile>

namespace {

// How far past the boundary of a second the check aims: a timer firing a hair early still
// reads the new second.
constexpr int kMargeMs = 3;
// Between two rings of the sound, and how often words held back look again.
constexpr double kEcartSonnerie = 1.0;
constexpr double kReessai = 0.25;
const QString kCle = QStringLiteral("minuteur");

double Duree(const Etapes& pas) {
    double d = 0;
    for (const Etape& e : pas)
        d += e.pause;
    return d;
}

// Ends fall on a second of the clock, as its tick does: the check that runs each second wakes
// with the tick, not half a second away from it. The next one, never the one before: a timer may
// ring up to a second late, never early, and a pause loses nothing.
QDateTime SecondeEntiere(const QDateTime& t) { return t.time().msec() ? t.addMSecs(1000 - t.time().msec()) : t; }

int SecondesEntamees(qint64 ms) { return int((std::max<qint64>(ms, 0) + 999) / 1000); }

bool HorlogeOccupeePendant(double secondes) {
    const auto& occupee = Minuteur::HorlogeOccupee();
    return (occupee && occupee(secondes)) || SonEnCours();
}

// How long one ring of the timer's sound lasts: a WAVE file's own length, or the default alert's.
double DureeSonnerie(const QString& chemin) {
    QFile f(chemin);
    const double duree = !chemin.isEmpty() && f.open(QIODevice::ReadOnly) ? DureeWav(f.read(16 << 20)) : 0;
    return duree > 0 ? duree : 0.5;
}

}  // namespace

Minuteur& LeMinuteur() {
    // Never destroyed: it may be asked for until the process ends.
    static Minuteur* m = new Minuteur;
    return *m;
}

std::function<bool(double)>& Minuteur::HorlogeOccupee() {
    static std::function<bool(double)> occupee;
    return occupee;
}

bool Minuteur::actionNotification(const QString& cle) {
    if (cle != kCle)
        return false;
    arrete();
    return true;
}

Etapes Minuteur::MotsDuree(uint8_t genre, int secondes) {
    const int voix = genre * 100;
    // The numbered clips are feminine, as minutes and seconds are: "une", "vingt et une".
    const struct {
        int nombre;
        const char* une;
        Etape plusieurs;
    } parts[] = {
        {secondes / 3600, "heure", MotClip(int16_t(voix + 70))},
        {secondes % 3600 / 60, "minute", MotClip(int16_t(voix + 71))},
        {secondes % 60, "seconde", Mot(genre, QStringLiteral("secondes"))},
    };
    Etapes pas;
    for (const auto& p : parts) {
        if (p.nombre == 0)
            continue;
        pas.push_back(MotClip(int16_t(voix + p.nombre)));
        pas.push_back(p.nombre == 1 ? Mot(genre, QString::fromLatin1(p.une)) : p.plusieurs);
    }
    return pas;
}

Etapes Minuteur::motsAvant(uint8_t genre) const {
    if (!jusqua_.isValid())
        return {};
    // The time it counts down to, as the announcements say it, at a speaking pace.
    Etapes pas{Mot(genre, QStringLiteral("avant"))};
    for (const PasParole& p : SequenceHeure(genre, jusqua_.hour(), jusqua_.minute()))
        pas.push_back(MotClip(p.clip));
    return pas;
}

int Minuteur::restant() const {
    if (phase_ == Phase::EnPause)
        return SecondesEntamees(restantPauseMs_);
    if (phase_ != Phase::EnCours)
        return 0;
    // The part of a second the end was put off by is not shown: it starts at its whole length.
    return std::min(plafond_, SecondesEntamees(PF().horloge->maintenant().msecsTo(fin_)));
}

void Minuteur::lance(int secondes) {
    if (secondes < 1 || secondes > kDureeMaxMinuteur)
        return;
    Etat.MinuteurDuree = secondes;
    demarre(SecondeEntiere(PF().horloge->maintenant().addSecs(secondes)), secondes, {});
}

void Minuteur::lanceJusqua(const QTime& heure) {
    const QDateTime t = PF().horloge->maintenant();
    QDateTime fin(t.date(), QTime(heure.hour(), heure.minute()));
    if (fin <= t)
        fin = fin.addDays(1);
    demarre(fin, SecondesEntamees(t.msecsTo(fin)), heure);
}

void Minuteur::demarre(const QDateTime& fin, int longueur, const QTime& jusqua) {
    const bool sonnait = phase_ == Phase::Sonne;
    annule();
    if (sonnait)
        finSonnerie(false);
    phase_ = Phase::EnCours;
    fin_ = fin;
    longueur_ = longueur;
    jusqua_ = jusqua;
    dernierRestant_ = longueur;
    plafond_ = longueur;
    sauve();
    const uint8_t g = Etat.Genre;
    // Counting to a time, the length said is to the nearest minute (its seconds only tell when it
    // began), but never 24 hours: the hours are said with the clips of the hours of the day.
    const int auPlusPres = (longueur + 30) / 60 * 60;
    const int ditLongueur = !jusqua.isValid() || longueur < 60 ? longueur
                            : auPlusPres > kDureeMaxMinuteur   ? longueur / 60 * 60
                                                               : auPlusPres;
    Etapes mots{Mot(g, QStringLiteral("minuteur_lance"))};
    Ajoute(mots, MotsDuree(g, ditLongueur));
    Ajoute(mots, motsAvant(g));
    dit(std::move(mots));
    programme(PF().horloge->maintenant().msecsTo(fin_));
    emit change();
}

void Minuteur::pause() {
    if (phase_ != Phase::EnCours)
        return;
    restantPauseMs_ = std::max<qint64>(1, PF().horloge->maintenant().msecsTo(fin_));
    phase_ = Phase::EnPause;
    ++tour_;
    aDire_.reset();
    sauve();
    emit change();
}

void Minuteur::reprend() {
    if (phase_ != Phase::EnPause)
        return;
    fin_ = SecondeEntiere(PF().horloge->maintenant().addMSecs(restantPauseMs_));
    plafond_ = SecondesEntamees(restantPauseMs_);
    phase_ = Phase::EnCours;
    sauve();
    programme(restantPauseMs_);
    emit change();
}

void Minuteur::arrete() {
    const Phase avant = phase_;
    if (avant == Phase::Arrete)
        return;
    annule();
    phase_ = Phase::Arrete;
    sauve();
    if (avant == Phase::Sonne)
        finSonnerie(false);
    else
        dit({Mot(Etat.Genre, QStringLiteral("minuteur_arrete"))});
    emit change();
}

bool Minuteur::ditRestant() {
    if (!actif() || parleEnCours_ || SonEnCours())
        return false;
    const uint8_t g = Etat.Genre;
    Etapes mots{Mot(g, QStringLiteral("il_reste"))};
    Ajoute(mots, MotsDuree(g, restant()));
    Ajoute(mots, motsAvant(g));
    dit(std::move(mots));
    return true;
}

void Minuteur::reprendSauvegarde() {
    const std::optional<FinMinuteur> f = LitFinMinuteur();
    if (!f || phase_ != Phase::Arrete)
        return;
    longueur_ = f->longueur;
    jusqua_ = f->jusqua;
    if (!f->fin.isValid()) {
        phase_ = Phase::EnPause;
        restantPauseMs_ = f->restantMs;
        dernierRestant_ = restant();
        emit change();
        return;
    }
    phase_ = Phase::EnCours;
    fin_ = f->fin.toLocalTime();
    plafond_ = longueur_;
    // What passed while no clock ran is not said again.
    dernierRestant_ = restant();
    verifie();
}

void Minuteur::programme(qint64 resteMs) {
    const int tour = ++tour_;
    // Just after the time left loses its next whole second.
    const qint64 dans = (std::max<qint64>(resteMs, 1) - 1) % 1000 + 1 + kMargeMs;
    PF().horloge->plusTard(double(dans) / 1000, this, [this, tour] {
        if (tour == tour_)
            verifie();
    });
}

void Minuteur::verifie() {
    if (phase_ != Phase::EnCours || Etat.FermetureEnCours)
        return;
    const qint64 resteMs = PF().horloge->maintenant().msecsTo(fin_);
    if (resteMs <= 0)
        return termine(-resteMs);
    const int reste = SecondesEntamees(resteMs);
    // The step last crossed, said only when it was crossed just now: steps a sleep or a clock
    // set forward went past are not said late.
    std::optional<int> franchi;
    for (const int seuil : kSeuils)
        if (seuil < longueur_ && seuil >= reste && seuil < dernierRestant_ && (seuil >= 60 || longueur_ >= 60))
            franchi = seuil;
    dernierRestant_ = reste;
    if (franchi && *franchi - reste < 2 && Etat.MinuteurAnnonces)
        dit(motsSeuil(*franchi));
    programme(resteMs);
    emit change();
}

Etapes Minuteur::motsSeuil(int seuil) const {
    const uint8_t g = Etat.Genre;
    Etapes mots;
    if (seuil == 60) {
        mots.push_back(Mot(g, QStringLiteral("plus_qu_une_minute")));
    } else {
        // "plus qu'une heure" has no recording: "il reste une heure".
        mots.push_back(Mot(g, seuil == 3600 ? QStringLiteral("il_reste") : QStringLiteral("plus_que")));
        Ajoute(mots, MotsDuree(g, seuil));
    }
    Ajoute(mots, motsAvant(g));
    return mots;
}

void Minuteur::dit(Etapes mots) {
    aDire_ = std::move(mots);
    parle();
}

// Words wait for the clock's own sounds and for any sound under way, then are said as one
// sounding part; what comes meanwhile replaces what was waiting.
void Minuteur::parle() {
    if (!aDire_ || parleEnCours_ || attente_)
        return;
    if (HorlogeOccupeePendant(Duree(*aDire_))) {
        attente_ = true;
        PF().horloge->plusTard(kReessai, this, [this] {
            attente_ = false;
            parle();
        });
        return;
    }
    parleEnCours_ = true;
    delete parole_.data();
    parole_ = new QObject(this);
    Etapes pas = Sonore(std::move(*aDire_));
    aDire_.reset();
    pas.push_back(Agit([this] {
        parleEnCours_ = false;
        parle();
    }));
    PrepareSon();
    LanceSequence(std::move(pas), parole_);
}

void Minuteur::annule() {
    ++tour_;
    aDire_.reset();
    parleEnCours_ = false;
    delete parole_.data();
}

void Minuteur::termine(qint64 retardMs) {
    annule();
    const uint8_t g = Etat.Genre;
    const QString quand = fin_.toString(QStringLiteral("HH:mm"));
    const QString quoi = jusqua_.isValid() ? QStringLiteral("Le minuteur jusqu'à %1").arg(jusqua_.toString("HH:mm"))
                                           : QStringLiteral("Le minuteur de %1").arg(TexteDuree(longueur_));
    Notifications* n = PF().notifications;
    if (retardMs > kRetardMaxMn * 60'000LL) {
        // Long past (a sleep, no clock running): told, not rung.
        phase_ = Phase::Arrete;
        sauve();
        if (n)
            n->montre(kCle, QStringLiteral("Minuteur manqué"),
                      QStringLiteral("%1 a pris fin à %2, sans sonner : l'horloge ne tournait pas.").arg(quoi, quand),
                      {}, true);
        dit({Mot(g, QStringLiteral("minuteur_termine"))});
        emit change();
        return;
    }
    phase_ = Phase::Sonne;
    sauve();
    if (n)
        n->montre(kCle, QStringLiteral("Minuteur terminé"), QStringLiteral("%1 a pris fin à %2.").arg(quoi, quand),
                  {QStringLiteral("arreter"), QStringLiteral("Arrêter")}, true);
    periodeSonnerie_ = DureeSonnerie(Etat.MinuteurSon) + kEcartSonnerie;
    debutSonnerieMs_ = PF().horloge->monotoneMs();
    Etapes mots{Mot(g, QStringLiteral("minuteur_termine"))};
    Ajoute(mots, sonnerie());
    dit(std::move(mots));
    emit change();
}

// The sound again and again until stopped, each time once the clock's own sounds are over.
Etapes Minuteur::sonnerie() {
    return {Selon([this] {
        if (phase_ != Phase::Sonne)
            return Etapes{};
        if (PF().horloge->monotoneMs() - debutSonnerieMs_ >= kSonnerieMaxS * 1000LL) {
            phase_ = Phase::Arrete;
            finSonnerie(true);
            emit change();
            return Etapes{};
        }
        const auto& occupee = HorlogeOccupee();
        Etapes pas{occupee && occupee(periodeSonnerie_) ? Pause(kReessai)
                                                        : Fichier(Etat.MinuteurSon, periodeSonnerie_)};
        Ajoute(pas, sonnerie());
        return pas;
    })};
}

void Minuteur::finSonnerie(bool seul) {
    Notifications* n = PF().notifications;
    const auto& occupee = HorlogeOccupee();
    // The ring is silenced, not the clock's own words.
    if (!(occupee && occupee(0)))
        ArreteSon();
    if (!n)
        return;
    if (seul)
        n->montre(
            kCle, QStringLiteral("Minuteur terminé"),
            QStringLiteral("La sonnerie s'est arrêtée d'elle-même au bout de %1 minutes.").arg(kSonnerieMaxS / 60), {});
    else
        n->retire(kCle);
}

void Minuteur::sauve() const {
    if (!actif()) {
        SauveFinMinuteur(std::nullopt);
        return;
    }
    FinMinuteur f;
    if (phase_ == Phase::EnCours)
        f.fin = fin_;
    f.restantMs = restantPauseMs_;
    f.longueur = longueur_;
    f.jusqua = jusqua_;
    SauveFinMinuteur(f);
}

QString Minuteur::commande(const QString& ligne) {
    const QString verbe = ligne.section(u' ', 0, 0), valeur = ligne.section(u' ', 1);
    if (verbe == u"minuteur" || verbe == u"minuteur-jusqu-a") {
        const bool aUneHeure = verbe == u"minuteur-jusqu-a";
        const std::optional<int> duree = aUneHeure ? std::nullopt : LitDureeMinuteur(valeur);
        const std::optional<QTime> heure = aUneHeure ? LitHeureMinuteur(valeur) : std::nullopt;
        if (!duree && !heure)
            return QStringLiteral("erreur valeur illisible « %1 »").arg(valeur);
        duree ? lance(*duree) : lanceJusqua(*heure);
        return QStringLiteral("ok Minuteur lancé : %1, fin à %2.")
            .arg(TexteRestant(restant()), fin_.toString(QStringLiteral("HH:mm:ss")));
    }
    if (verbe == u"minuteur-restant") {
        if (!actif())
            return QStringLiteral("ok Aucun minuteur en cours.");
        const QString texte =
            QStringLiteral("ok Il reste %1%2.")
                .arg(TexteRestant(restant()), phase_ == Phase::EnPause ? QStringLiteral(" (en pause)") : QString());
        ditRestant();
        return texte;
    }
    if (verbe == u"minuteur-arret") {
        const Phase avant = phase_;
        arrete();
        return avant == Phase::Sonne    ? QStringLiteral("ok Sonnerie du minuteur arrêtée.")
               : avant != Phase::Arrete ? QStringLiteral("ok Minuteur arrêté.")
                                        : QStringLiteral("ok Aucun minuteur en cours.");
    }
    return {};
}
