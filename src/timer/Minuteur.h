#pragma once
// The timer: one at a time, counting down to an end that is a time on the clock (so it runs on
// across a sleep and a restart), speaking as the end nears, then ringing until stopped. Its
// words wait for the clock's own (the chime, an announcement, an alarm) rather than talk over
// them; the silent hours never hush it, the volume applies.

#include "alarms/RattrapageAlarmes.h"
#include "sound/Sequenceur.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class Minuteur : public QObject {
    Q_OBJECT
public:
    enum class Phase { Arrete, EnCours, EnPause, Sonne };

    // Starts a timer of `secondes`, or one to the next `heure` of the day, in place of any other.
    void lance(int secondes);
    void lanceJusqua(const QTime& heure);
    void pause();
    void reprend();
    // Ends the timer, running, held or ringing; a running one says so.
    void arrete();
    // Says the time left, when a timer runs and nothing else is being said.
    bool ditRestant();
    // The timer kept by the last run, taken up again: it runs on, or, when its end passed while
    // no clock ran, follows the rule of an end passed in a sleep.
    void reprendSauvegarde();

    Phase phase() const { return phase_; }
    bool actif() const { return phase_ == Phase::EnCours || phase_ == Phase::EnPause; }
    // Whole seconds left, rounded up; 0 when none runs.
    int restant() const;
    int longueur() const { return longueur_; }
    // The time of day it counts down to; invalid for a length.
    QTime jusqua() const { return jusqua_; }

    // The line a command to the running clock gets back; `ligne` without its end of line.
    // Empty for a line that is not the timer's.
    QString commande(const QString& ligne);

    // What the timer speaks, for voice `genre`: the steps it says, the length, the time left.
    static Etapes MotsDuree(uint8_t genre, int secondes);
    Etapes motsAvant(uint8_t genre) const;

    // A notification's action: true when it was the timer's, whose only action stops it.
    bool actionNotification(const QString& cle);

    // The clock's own sounds are under way or begin within `secondes`: installed by the clock
    // window, which knows its minute's work.
    static std::function<bool(double secondes)>& HorlogeOccupee();

    // The steps said as the end nears, in seconds left: those under the length it started with.
    static constexpr int kSeuils[] = {3600, 1800, 900, 600, 300, 120, 60, 10};
    // An end missed by more than this, in a sleep or with no clock running, is told, not rung, as
    // an alarm is.
    static constexpr int kRetardMaxMn = kRetardMaxAlarmeMn;
    // The ringing stops by itself after this long.
    static constexpr int kSonnerieMaxS = 300;

signals:
    // The phase or the time left changed: each second while it runs.
    void change();

private:
    void demarre(const QDateTime& fin, int longueur, const QTime& jusqua);
    void verifie();
    void programme(qint64 dansMs);
    void dit(Etapes mots);
    void parle();
    void termine(qint64 retardMs);
    Etapes motsSeuil(int seuil) const;
    Etapes sonnerie();
    // Silences the ring; `seul`: it rang its whole time, and the notification says so.
    void finSonnerie(bool seul);
    void annule();
    void sauve() const;

    Phase phase_ = Phase::Arrete;
    QDateTime fin_;
    qint64 restantPauseMs_ = 0;
    int longueur_ = 0;
    QTime jusqua_;
    int dernierRestant_ = 0;
    int plafond_ = 0;  // the most restant() shows: what was left at the start or the resume
    int tour_ = 0;     // the check scheduled last; older ones do nothing
    // What is waiting to be said, and what says it or rings: deleting it ends its sequence.
    std::optional<Etapes> aDire_;
    QPointer<QObject> parole_;
    bool parleEnCours_ = false;
    bool attente_ = false;
    qint64 debutSonnerieMs_ = 0;
    double periodeSonnerie_ = 1.5;
};

// The one timer of the program.
Minuteur& LeMinuteur();
