// The clock's tick: the face refreshed from one reading of the clock, and the minute's work at
// second 0. The tick is scheduled to land just after each second boundary.
#include "clock/QUENTOR.h"

#include "alarms/DeclencheAlarmes.h"
#include "state/Etat.h"
#include "clock/BandeSecondes.h"
#include "art/Dessins.h"
#include "art/Twips.h"
#include "platform/Plateforme.h"
#include "sound/Annonce.h"
#include "sound/Son.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTimer>

namespace {
// How far past the second boundary the tick aims: enough that a timer firing a hair early
// still reads the new second.
constexpr int MargeMs = 3;
}

void QUENTOR::demarreTimer() {
    timerActif_ = true;
    // A tick in progress re-arms the timer when it ends.
    if (!enTic_)
        programmeProchainTic();
}

void QUENTOR::arreteTimer() {
    timerActif_ = false;
    Timer->stop();
}

bool QUENTOR::timerActif() const { return timerActif_; }

void QUENTOR::programmeProchainTic() {
    if (!timerActif_ || !PF().horloge)
        return;
    const QDateTime t = PF().horloge->maintenant();
    // A second that began since the last reading (the tick was held, or the timer just came on)
    // is shown at once; otherwise the tick lands just after the next boundary. Measured from a
    // fresh reading, the delay is at most a second, and a clock set backwards or forwards only
    // moves the next boundary.
    if (!derniereLecture_.isValid() || t.toSecsSinceEpoch() != derniereLecture_.toSecsSinceEpoch())
        Timer->start(0);
    else
        Timer->start(1000 - t.time().msec() + MargeMs);
}

void QUENTOR::QUENTOR_Timer_Timer() {
    // A tick that falls due while the previous one waits is skipped, not queued; once the close
    // has begun there is no tick at all.
    if (enTic_ || Etat.FermetureEnCours)
        return;
    enTic_ = true;
    QPointer<QUENTOR> garde(this);
    struct Fin {
        QPointer<QUENTOR>& w;
        ~Fin() {
            if (w) {
                w->enTic_ = false;
                w->programmeProchainTic();
            }
        }
    } fin{garde};

    // One reading: caption, time, band, hour and minute all agree.
    suitZoneNotification();
    const QDateTime t = PF().horloge->maintenant();
    derniereLecture_ = t;
    const int s = t.time().second();
    Flash->show();
    metLegende(t);
    AffHEURE->setText(t.toString(QStringLiteral("hh:mm")));
    AffHEURE->adjustSize();
    bande->setX2(bande->X1() + EnTwips(AffHEURE->width()) * s / 60.0);
    Etat.HeureActuelle = t.toString(QStringLiteral("hh"));
    Etat.MinuteActuelle = t.toString(QStringLiteral("hh:mm")).right(2);
    // The marker, the time and the band reach the screen in one repaint, before any pause of the
    // minute's work: one repaint a second less keeps the idle clock cheap.
    repaint(Flash->geometry() | AffHEURE->geometry() | bande->geometry());
    QCoreApplication::processEvents();
    if (!garde || Etat.FermetureEnCours)
        return;

    if (s == 0) {
        QDateTime minute = t;
        minute.setTime(QTime(t.time().hour(), t.time().minute()));
        // Once per minute, even if this second 0 comes round again.
        if (minute != derniereMinuteTraitee_) {
            derniereMinuteTraitee_ = minute;
            travailDeLaMinute();
            if (!garde || Etat.FermetureEnCours)
                return;
        }
    }

    Attente(0.25);
    if (garde && !Etat.FermetureEnCours)
        Flash->hide();
}

// Each step may be where the close began: what follows it then does nothing.
void QUENTOR::travailDeLaMinute() {
    if (Etat.MinuteActuelle == QLatin1String("00"))
        CarillonHeure();
    if (!Etat.FermetureEnCours && AnnonceDue(Etat.DéclencheAnnonce, Etat.MinuteActuelle))
        AnnonceHeure();
    if (Etat.FermetureEnCours)
        return;
    Attente(5);
    if (!Etat.FermetureEnCours)
        VérifieAlarmes();
}
