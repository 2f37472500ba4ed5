#pragma once
// A clock window on the test platform, with the virtual clock at a chosen instant.

#include "alarms/MessAlarm.h"
#include "art/Dessins.h"
#include "clock/BandeSecondes.h"
#include "clock/QUENTOR.h"
#include "support/Doubles.h"

#include <QLabel>
#include <QPaintEvent>
#include <memory>

// Every region the face's widgets paint, in the window's coordinates.
struct Peintures : QObject {
    explicit Peintures(QUENTOR* f) : f_(f) {
        for (QWidget* w : std::initializer_list<QWidget*>{f, f->AffHEURE, f->bande, f->Flash, f->PHOTO})
            w->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(e)->region().translated(static_cast<QWidget*>(o)->mapTo(f_, QPoint()));
        return false;
    }
    QUENTOR* f_;
    QRegion region;
};

class AvecHorloge : public AvecPlateforme {
protected:
    AvecHorloge() : w(std::make_unique<QUENTOR>()) {
        w->mesureCadran();
        sansAlarme();
    }
    ~AvecHorloge() override { delete MessAlarmOuvert(); }
    // Time passes to h:m:s (or the clock is set back to it: the monotonic clock stays).
    void aLHeure(int h, int m, int s) {
        const QDateTime t(QDate(2009, 3, 3), QTime(h, m, s));
        horloge.mono += std::max<qint64>(0, horloge.t.msecsTo(t));
        horloge.t = t;
    }
    // One tick of the real clock window, run on the virtual clock until it ends.
    void tique() {
        w->QUENTOR_Timer_Timer();
        while (w->ticEnCours() && horloge.unPas()) {
        }
    }
    // The same at h:m:s.
    void tic(int h, int m, int s) {
        aLHeure(h, m, s);
        tique();
    }
    // Runs `pas` to its end on the virtual clock.
    void joue(Etapes pas) {
        LanceSequence(std::move(pas));
        horloge.deroule();
    }
    // No alarm at any time of day: an empty table would match midnight six times over.
    static void sansAlarme() {
        for (Alarme& a : Etat.Alarmes)
            a.Heure = 99;
    }
    // Alarm n (1 to 6) at h:m with the given actions.
    void alarme(int n, int h, int m, bool sonne, bool memo = false, bool appli = false, const QString& exe = {}) {
        Alarme& a = Etat.Alarmes[n - 1];
        a.Heure = int16_t(h);
        a.Minute = int16_t(m);
        a.Active = sonne;
        a.Message = memo;
        a.Appli = appli;
        a.Exe = exe;
        a.Son = QStringLiteral("/sons/alarme%1.wav").arg(n);
        a.Texte = QStringLiteral("mémo %1\r\n").arg(n);
    }
    // "hh:mm:ss.zzz quoi" for every sound event, for exact sequence checks.
    QStringList chronologie() const {
        QStringList l;
        for (const auto& e : son.evenements)
            l << e.t.toString(QStringLiteral("hh:mm:ss.zzz ")) + e.quoi;
        return l;
    }
    std::unique_ptr<QUENTOR> w;
};
