#include "alarms/Sonnerie.h"

#include "alarms/RattrapageAlarmes.h"
#include "platform/Plateforme.h"
#include "sound/Sequenceur.h"
#include "sound/Son.h"
#include "state/Etat.h"

#include <QObject>
#include <memory>

namespace {
// How often the ringing looks whether its sound has ended.
constexpr double kVeilleSonnerie = 0.5;

struct Sonnerie {
    int16_t n = -1;
    // The ringing's sequence belongs to it: deleted, the ringing ends wherever it is.
    std::unique_ptr<QObject> proprietaire;
    int generation = 0;
};

Sonnerie& S() {
    static Sonnerie s;
    return s;
}

QString Cle(int16_t n) { return QStringLiteral("alarme%1").arg(n + 1); }

bool Valide(int16_t n) { return n >= 0 && n < NombreAlarmes; }

void Montre(int16_t n) {
    Notifications* avis = PF().notifications;
    if (!avis)
        return;
    const Alarme& a = Etat.Alarmes[n];
    const QString resume = QStringLiteral("Alarme %1 — %2:%3")
                               .arg(n + 1)
                               .arg(a.Heure, 2, 10, QLatin1Char('0'))
                               .arg(a.Minute, 2, 10, QLatin1Char('0'));
    const QString corps = a.Message ? a.Texte.section(QStringLiteral("\r\n"), 0, 0).trimmed() : QString();
    avis->montre(Cle(n), resume, corps,
                 {QStringLiteral("repeter"), QStringLiteral("Répéter dans %1 min").arg(a.Repete),
                  QStringLiteral("arreter"), QStringLiteral("Arrêter")},
                 true);
}

// The ringing of n, if it is the one, ends: its sound too when `taire`.
void Finit(int16_t n, bool taire) {
    Sonnerie& s = S();
    if (s.n != n || n < 0)
        return;
    s.n = -1;
    s.proprietaire.reset();
    ++s.generation;
    if (taire)
        ArreteSon();
}

void Retire(int16_t n) {
    if (PF().notifications)
        PF().notifications->retire(Cle(n));
}

// Looks at the sound every half second: over (and no other sound of the clock under way), it is
// played again, or for a sound played once the ringing is over; past its minutes it ends.
Etapes Veille(int16_t n, qint64 finMs) {
    return {Pause(kVeilleSonnerie), Selon([n, finMs] {
                const Alarme& a = Etat.Alarmes[n];
                const bool libre = !SequenceSonoreEnCours() && !(PF().son && PF().son->joue());
                if (a.Sonne > 0 && PF().horloge->monotoneMs() >= finMs) {
                    Finit(n, true);
                    Retire(n);
                    return Etapes{};
                }
                if (libre) {
                    if (a.Sonne == 0) {
                        Finit(n, false);
                        return Etapes{};
                    }
                    JoueFichierSon(a.Son);
                }
                return Veille(n, finMs);
            })};
}
}  // namespace

int16_t AlarmeQuiSonne() { return S().n; }

int16_t AlarmeEnCours() {
    if (S().n >= 0)
        return S().n;
    int16_t premiere = -1;
    for (int16_t n = 0; n < NombreAlarmes; ++n) {
        const QDateTime& t = Etat.Alarmes[n].RepeteA;
        if (t.isValid() && (premiere < 0 || t < Etat.Alarmes[premiere].RepeteA))
            premiere = n;
    }
    return premiere;
}

void SuitSonnerie(int16_t n, bool veille) {
    if (!Valide(n))
        return;
    Sonnerie& s = S();
    // A newer alarm's ringing replaces an older one's; its own sound already did.
    if (s.n >= 0 && s.n != n)
        Retire(s.n);
    Finit(s.n, false);
    s.n = n;
    s.proprietaire = std::make_unique<QObject>();
    Montre(n);
    const qint64 fin = PF().horloge->monotoneMs() + qint64(Etat.Alarmes[n].Sonne) * 60'000;
    if (veille)
        LanceSequence(Veille(n, fin), s.proprietaire.get());
}

void SonneeUneFois(int16_t n) {
    if (Valide(n) && Etat.Alarmes[n].Sonne == 0)
        Finit(n, false);
}

void ArreteAlarme(int16_t n) {
    if (!Valide(n))
        return;
    Finit(n, true);
    Etat.Alarmes[n].RepeteA = QDateTime();
    ++S().generation;
    Retire(n);
}

void RepousseAlarme(int16_t n) {
    if (!Valide(n))
        return;
    Finit(n, true);
    Alarme& a = Etat.Alarmes[n];
    const QDateTime t = PF().horloge->maintenant();
    a.RepeteA = t.addSecs(qint64(a.Repete) * 60);
    ++S().generation;
    Retire(n);
}

void RepetitionsDues(const QDateTime& maintenant) {
    for (int16_t n = 0; n < NombreAlarmes; ++n) {
        Alarme& a = Etat.Alarmes[n];
        if (!a.RepeteA.isValid() || maintenant < a.RepeteA)
            continue;
        const bool tropTard = a.RepeteA.msecsTo(maintenant) > qint64(kRetardMaxAlarmeMn) * 60'000;
        a.RepeteA = QDateTime();
        ++S().generation;
        if (tropTard || !a.Active)
            continue;
        JoueFichierSon(a.Son);
        SuitSonnerie(n, true);
    }
}

bool ActionNotificationAlarme(const QString& cle, const QString& action) {
    bool ok = false;
    const int16_t n = int16_t(cle.startsWith(QLatin1String("alarme")) ? cle.mid(6).toInt(&ok) - 1 : -1);
    if (!ok || !Valide(n))
        return false;
    if (action == QLatin1String("arreter"))
        ArreteAlarme(n);
    else if (action == QLatin1String("repeter"))
        RepousseAlarme(n);
    return true;
}

int GenerationSonnerie() { return S().generation; }
