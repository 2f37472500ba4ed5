#include "alarms/DeclencheAlarmes.h"

#include "alarms/Calendrier.h"
#include "alarms/MessAlarm.h"
#include "alarms/Sonnerie.h"
#include "state/Etat.h"
#include "platform/Plateforme.h"
#include "state/Releve.h"

#include <QTimeZone>

#include <algorithm>

namespace {
std::function<void()>& RetourHorloge() {
    static std::function<void()> retour;
    return retour;
}

// The source named in the error report: the program itself.
const QString SourceErreur = QStringLiteral("quentor");
}  // namespace

void InstalleRetourHorloge(std::function<void()> retour) { RetourHorloge() = std::move(retour); }

QString TexteErreurAlarme(int numero, const QString& source, const QString& description) {
    return QStringLiteral("L'erreur n° ") + QString::number(numero) + QStringLiteral(" a été générée par ") + source +
           QStringLiteral("\r") + description;
}

void NoteSonneePour(int16_t n, const QDateTime& minute) {
    Etat.Alarmes[n].SonneePour = minute;
    NoteReleve(QStringLiteral("sonnee%1").arg(n + 1), minute.toString(kFormatReleve));
}

void NoteMarche() { NoteReleve(QStringLiteral("marche"), Cadran(PF().horloge->maintenant()).toString(kFormatReleve)); }

Etapes VérifieAlarmes() {
    const int h = Etat.HeureActuelle;
    const int m = Etat.MinuteActuelle;
    // Each alarm is looked at in its turn, once the firings before it have ended.
    Etapes pas;
    for (int16_t n = 0; n < NombreAlarmes; ++n)
        pas.push_back(Selon([n, h, m] {
            const Alarme& a = Etat.Alarmes[n];
            if (a.Heure != h || a.Minute != m || !SonneLe(a, Etat.JourActuel))
                return Etapes{};
            return SonneUneFois(n, Etat.JourActuel, QTime(h, m));
        }));
    return pas;
}

Etapes SonneUneFois(int16_t n, const QDate& jour, const QTime& heure) {
    if (n < 0 || n >= NombreAlarmes)
        return {};
    const QDateTime minute(jour, heure, QTimeZone::utc());
    if (minute.isValid()) {
        if (Etat.Alarmes[n].SonneePour == minute)
            return {};
        NoteSonneePour(n, minute);
    }
    return DéclencheAlarme(n);
}

Etapes DéclencheAlarme(int16_t n) {
    if (n < 0 || n >= NombreAlarmes)
        return {};
    // The whole firing counts as sounding: the time asked for meanwhile is not said over it.
    return Sonore({
        Agit([n] {
            const Alarme& a = Etat.Alarmes[n];
            if (!a.Appli || a.Exe.isEmpty())
                return;
            const Lanceur::Erreur e = PF().lanceur->lance(a.Exe);
            // A program that cannot start must not cost the user the ringing and the memo, nor
            // hold the clock until the box is dismissed.
            if (e.numero != 0)
                PF().dialogues->boiteSansAttente(Dialogues::Icone::Aucune, QStringLiteral("Erreur"),
                                                 TexteErreurAlarme(e.numero, SourceErreur, e.description));
        }),
        Selon([n] {
            if (!Etat.Alarmes[n].Active)
                return Etapes{};
            return Etapes{Fichier(Etat.Alarmes[n].Son), Agit([n] { SuitSonnerie(n, Etat.Alarmes[n].Sonne > 0); }, 1.5),
                          Agit([] {
                              if (RetourHorloge())
                                  RetourHorloge()();
                          })};
        }),
        Pause(2),
        Agit([n] {
            SonneeUneFois(n);
            if (Etat.Alarmes[n].Message) {
                Etat.AlarmeAffichée = n;
                AfficheMessAlarm();
            }
        }),
    });
}

bool AlarmeSonneA(const QDateTime& t) {
    return std::any_of(Etat.Alarmes.begin(), Etat.Alarmes.end(), [&](const Alarme& a) {
        return a.Active && a.Heure == t.time().hour() && a.Minute == t.time().minute() && SonneLe(a, t.date());
    });
}
