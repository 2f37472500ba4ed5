#include "alarms/DeclencheAlarmes.h"

#include "alarms/MessAlarm.h"
#include "state/Etat.h"
#include "platform/Plateforme.h"
#include "sound/Son.h"

#include <QCoreApplication>
#include <QTimeZone>

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
    return QStringLiteral("L'erreur n° ") + QString::number(numero) + QStringLiteral(" a été générée par ") +
           source + QStringLiteral("\r") + description;
}

void VérifieAlarmes() {
    const int h = Etat.HeureActuelle;
    const int m = Etat.MinuteActuelle;
    for (int16_t n = 0; n < NombreAlarmes && !Etat.FermetureEnCours; ++n)
        if (Etat.Alarmes[n].Heure == h && Etat.Alarmes[n].Minute == m)
            SonneUneFois(n, Etat.JourActuel, QTime(h, m));
}

void SonneUneFois(int16_t n, const QDate& jour, const QTime& heure) {
    if (n < 0 || n >= NombreAlarmes)
        return;
    const QDateTime minute(jour, heure, QTimeZone::utc());
    if (minute.isValid()) {
        if (Etat.Alarmes[n].SonnéePour == minute)
            return;
        Etat.Alarmes[n].SonnéePour = minute;
    }
    DéclencheAlarme(n);
}

// A close that begins in one of the pauses ends the firing there: nothing starts, rings or opens
// behind the saved files.
void DéclencheAlarme(int16_t n) {
    if (n < 0 || n >= NombreAlarmes || Etat.FermetureEnCours)
        return;
    // The whole firing counts as sounding: the time asked for meanwhile is not said over it.
    SequenceSonore sequence;
    if (Etat.Alarmes[n].Appli && !Etat.Alarmes[n].Exe.isEmpty()) {
        const Lanceur::Erreur e = PF().lanceur->lance(Etat.Alarmes[n].Exe);
        // A program that cannot start must not cost the user the ringing and the memo, nor hold
        // the clock until the box is dismissed.
        if (e.numero != 0)
            PF().dialogues->boiteSansAttente(Dialogues::Icone::Aucune, QStringLiteral("Erreur"),
                                             TexteErreurAlarme(e.numero, SourceErreur, e.description));
    }
    if (Etat.Alarmes[n].Active) {
        JoueFichierSon(Etat.Alarmes[n].Son);
        QCoreApplication::processEvents();
        if (!Etat.FermetureEnCours)
            Attente(1.5);
        if (Etat.FermetureEnCours)
            return;
        if (RetourHorloge())
            RetourHorloge()();
    }
    Attente(2);
    QCoreApplication::processEvents();
    if (!Etat.FermetureEnCours && Etat.Alarmes[n].Message) {
        Etat.AlarmeAffichée = n;
        AfficheMessAlarm();
    }
}
