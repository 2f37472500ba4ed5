// The clock's tick: the face refreshed from one reading of the clock, and the minute's work at
// second 0. The tick is scheduled to land just after each second boundary.
#include "clock/QUENTOR.h"

#include "alarms/DeclencheAlarmes.h"
#include "alarms/RattrapageAlarmes.h"
#include "alarms/Sonnerie.h"
#include "alarms/Calendrier.h"
#include "sound/Phrases.h"
#include "state/Etat.h"
#include "clock/BandeSecondes.h"
#include "art/Dessins.h"
#include "art/Twips.h"
#include "platform/Plateforme.h"
#include "sound/Annonce.h"
#include "sound/Sequenceur.h"
#include "sound/Silence.h"
#include "sound/DitHeure.h"
#include "sound/Son.h"
#include "timer/Minuteur.h"

#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {
// How far past the second boundary the tick aims: enough that a timer firing a hair early
// still reads the new second.
constexpr int MargeMs = 3;
// A forward jump this long is the computer waking from sleep, not a clock set right.
constexpr qint64 kSautReveilMs = 2 * 60 * 1000;
// From second 59 to the first alarm's sound: the chime, the longest spoken time and the 5 s pause.
constexpr double kAvantAlarmes = 11;
}  // namespace

void QUENTOR::demarreTimer() {
    timerActif_ = true;
    bulleEnRetard_ = true;  // the alarm editor may have changed the alarms
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
    // moves the next boundary. Compared as local fields: converting to the epoch costs more than
    // the rest of an idle tick.
    const QTime h = t.time(), l = derniereLecture_.time();
    if (!derniereLecture_.isValid() || t.date() != derniereLecture_.date() ||
        h.msecsSinceStartOfDay() / 1000 != l.msecsSinceStartOfDay() / 1000)
        Timer->start(0);
    else
        Timer->start(1000 - h.msec() + MargeMs);
}

void QUENTOR::QUENTOR_Timer_Timer() {
    // A tick that falls due while the previous one is under way is skipped, not queued; once the
    // close has begun there is no tick at all.
    if (enTic_ || Etat.FermetureEnCours)
        return;
    enTic_ = true;

    // One reading: caption, time, band, hour and minute all agree.
    suitZoneNotification();
    const QDateTime t = PF().horloge->maintenant();
    const LectureHorloge lecture{t, PF().horloge->monotoneMs()};
    // The local time ran ahead of the time that passed: the computer slept, or the clock was set
    // forward. A tick held by a window does not count: both clocks ran on.
    const qint64 saut = derniereLecture_.isValid() ? EcartHorlogeMs({derniereLecture_, derniereMonoMs_}, lecture) : 0;
    QDateTime avantSaut = saut > kSautHorlogeMs ? derniereLecture_ : QDateTime();
    // The first tick after a start catches up from the clock's last run, after the start clip.
    const bool depart = !derniereLecture_.isValid() && marchePrecedente_.isValid();
    if (depart)
        avantSaut = std::exchange(marchePrecedente_, QDateTime());
    derniereLecture_ = t;
    derniereMonoMs_ = lecture.monoMs;
    const int s = t.time().second();
    // A face nobody can see gets no marker and no layout work: it catches up when it shows.
    if (cadranVisible())
        Flash->show();
    metLegende(t);
    const QString hm = texteHeure(t.time());
    afficheHeure(hm, s);
    Etat.HeureActuelle = int16_t(t.time().hour());
    Etat.MinuteActuelle = int16_t(t.time().minute());
    Etat.JourActuel = t.date();
    // Only what changed reaches the screen, in one repaint as the event loop takes over: the
    // marker, the band's new end, and the time when its text changed.

    // The rest runs as a sequence on the clock's timers, which the close or the window's end
    // stops wherever it is. What the jump skipped rings first, before this second's own work.
    Etapes pas;
    if (avantSaut.isValid()) {
        Etapes rattrapage = RattrapeAlarmes(avantSaut, t);
        if (depart && !rattrapage.empty())
            pas.push_back(Pause(DureeWav(DonneesClip(kClipSignature))));
        Ajoute(pas, std::move(rattrapage));
    }
    // Back from sleep: the time, once, after what rang for it, unless this second's own work says it.
    if (saut > kSautReveilMs &&
        (s != 0 || !SonsDeLaMinute(Etat.DéclencheAnnonce, t.time().hour(), t.time().minute(), Etat.Silence).annonce))
        Ajoute(pas, AnnonceReveil());
    RepetitionsDues(t);
    suitProchaineAlarme(t, s == 0 || avantSaut.isValid());

    // The next second 0 will sound: the sound output gets ready for it.
    if (s == 59) {
        pas.push_back(Agit([t] {
            const QTime suivante = t.time().addSecs(1);
            const SonsMinute a =
                SonsDeLaMinute(Etat.DéclencheAnnonce, suivante.hour(), suivante.minute(), Etat.Silence);
            if (a.carillon || a.annonce)
                PrepareSon();
            // An alarm rings after the minute's 5-second pause: the output stays awake until then.
            if (AlarmeSonneA(t.addSecs(1)))
                PrepareSon(kAvantAlarmes);
        }));
    }

    if (s == 0) {
        // Kept with the reading's offset from UTC: in the autumn change's repeated hour, each
        // minute is another minute, and the clock speaks the time it is.
        const QDateTime minute = t.addMSecs(-t.time().msec());
        // Once per minute, even if this second 0 comes round again.
        pas.push_back(Selon([this, minute] {
            if (minute == derniereMinuteTraitee_)
                return Etapes{};
            derniereMinuteTraitee_ = minute;
            travailSonore_ = MinuteSonore(minute.time());
            Etapes travail = travailDeLaMinute();
            travail.push_back(Agit([this] { travailSonore_ = false; }));
            return travail;
        }));
    }

    // The pause only keeps the marker on screen: with no face to show it on, the tick ends
    // here, and the idle clock wakes once a second instead of twice.
    pas.push_back(Selon([this] { return cadranVisible() && !Flash->isHidden() ? Etapes{Pause(0.25)} : Etapes{}; }));
    pas.push_back(Agit([this] {
        Flash->hide();
        enTic_ = false;
        programmeProchainTic();
    }));
    LanceSequence(std::move(pas), this);
}

// "hh:mm", formatted once a minute: the same text as QTime's own format, far cheaper to test.
QString QUENTOR::texteHeure(const QTime& h) {
    const int minute = h.hour() * 60 + h.minute();
    if (minute != minuteHeure_) {
        minuteHeure_ = minute;
        const QChar c[] = {QChar(u'0' + h.hour() / 10), QChar(u'0' + h.hour() % 10), QChar(u':'),
                           QChar(u'0' + h.minute() / 10), QChar(u'0' + h.minute() % 10)};
        heureTexte_ = QString(c, 5);
    }
    return heureTexte_;
}

bool QUENTOR::cadranVisible() const { return isVisible() && !isMinimized(); }

// The face at each tick, the time and the seconds band: the time is written only when its text
// changes; the band grows from its left end, so only its new part is painted.
void QUENTOR::afficheHeure(const QString& hm, int seconde) {
    const bool nouvelle = AffHEURE->text() != hm;
    if (nouvelle)
        AffHEURE->setText(hm);
    if (!cadranVisible() || !cadranMesurable_) {
        cadranEnRetard_ = true;
        return;
    }
    if (nouvelle || cadranEnRetard_)
        AffHEURE->adjustSize();
    cadranEnRetard_ = false;
    bande->setX2(bande->X1() + EnTwips(AffHEURE->width()) * seconde / 60.0);
}

void QUENTOR::rattrapeCadran() {
    if (!cadranEnRetard_ || !cadranVisible() || !derniereLecture_.isValid())
        return;
    afficheHeure(texteHeure(derniereLecture_.time()), derniereLecture_.time().second());
    // During the minute's work the marker stays up until the tick ends.
    Flash->setVisible(enTic_);
}

// Nothing of it in the silent hours but the alarms.
Etapes QUENTOR::travailDeLaMinute() {
    const SonsMinute sons =
        SonsDeLaMinute(Etat.DéclencheAnnonce, Etat.HeureActuelle, Etat.MinuteActuelle, Etat.Silence);
    Etapes pas;
    if (sons.carillon)
        Ajoute(pas, CarillonHeure());
    if (sons.annonce)
        pas.push_back(Selon(AnnonceHeure));
    pas.push_back(Pause(5));
    Ajoute(pas, VérifieAlarmes());
    // When the clock last ran, for a restart, kept while an alarm could be missed: once this
    // minute's alarms have rung, so that a power cut before them leaves them to the restart.
    pas.push_back(Agit([] {
        if (std::any_of(Etat.Alarmes.begin(), Etat.Alarmes.end(), AlarmeEnService))
            NoteMarche();
    }));
    return pas;
}

bool QUENTOR::MinuteSonore(const QTime& t) {
    const SonsMinute sons = SonsDeLaMinute(Etat.DéclencheAnnonce, t.hour(), t.minute(), Etat.Silence);
    if (sons.carillon || sons.annonce)
        return true;
    for (const Alarme& a : Etat.Alarmes)
        if (a.Heure == t.hour() && a.Minute == t.minute() && (a.Active || a.Message || a.Appli))
            return true;
    return false;
}

// The timer waits for the minute's work when it sounds, and for one about to begin: its words
// are said after the clock's, not over them.
void QUENTOR::relieMinuteur() {
    Minuteur::HorlogeOccupee() = [this](double secondes) {
        if (travailSonore_)
            return true;
        const QDateTime t = PF().horloge->maintenant();
        // This minute's own work, its tick a few milliseconds away.
        if (t.time().second() == 0 && t.time().msec() < 100 && MinuteSonore(t.time()))
            return true;
        const QDateTime minute = t.addSecs(60 - t.time().second()).addMSecs(-t.time().msec());
        return t.msecsTo(minute) <= qint64((secondes + 0.5) * 1000) && MinuteSonore(minute.time());
    };
}
