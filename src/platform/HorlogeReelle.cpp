#include "platform/HorlogeReelle.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cmath>

namespace {
constexpr qint64 kAttenteEnDeuxFoisNs = 300'000'000;
}

QDateTime HorlogeReelle::maintenant() const { return QDateTime::currentDateTime(); }

void HorlogeReelle::attendre(double secondes) {
    // A day is far beyond any pause the program takes; NaN and negatives mean "no wait".
    if (!(secondes > 0))
        secondes = 0;
    secondes = std::min(secondes, 86400.0);
    const QDeadlineTimer fin(std::chrono::nanoseconds(std::llround(secondes * 1e9)), Qt::PreciseTimer);
    const unsigned interruptions = interruptions_;

    // Even a zero wait lets pending events run once.
    QCoreApplication::processEvents();

    QTimer reveil;
    reveil.setSingleShot(true);
    reveil.setTimerType(Qt::PreciseTimer);
    while (!fin.hasExpired() && interruptions == interruptions_) {
        // Timers fire late in proportion to their length (about 1.2 ms a second here), so a
        // long remainder is aimed a little short and the rest done by a second, short timer.
        // A short wait (the tick's quarter second, every second) ends less than half a
        // millisecond late on one timer: a second wake-up would cost more than it corrects.
        // Rounded up, so the loop never wakes early and spins on a sub-millisecond remainder.
        qint64 viseNs = fin.remainingTimeNSecs();
        if (viseNs > kAttenteEnDeuxFoisNs)
            viseNs -= viseNs / 64;
        reveil.start(int(std::min<qint64>((viseNs + 999'999) / 1'000'000, 3'600'000)));
        QEventLoop boucle;
        QObject::connect(&reveil, &QTimer::timeout, &boucle, &QEventLoop::quit);
        boucles_.push_back(&boucle);
        // Once the application has been asked to quit, a new event loop returns at once; the
        // remainder of the wait then blocks in the dispatcher until the timer or an event wakes it.
        const int r = boucle.exec();
        boucles_.pop_back();
        if (r < 0 && interruptions == interruptions_)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void HorlogeReelle::interromptAttentes() {
    ++interruptions_;
    for (QEventLoop* b : boucles_)
        b->quit();
}
