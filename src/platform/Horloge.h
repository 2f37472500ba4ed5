#pragma once
#include <QDateTime>
#include <QTimer>

#include <cmath>
#include <functional>

// The wall clock and its timers, which pace every sequence. Real: system time and timers aimed at
// a monotonic deadline. Test double: a virtual clock whose timers run in microseconds at their
// exact virtual times.
class Horloge {
public:
    virtual ~Horloge() = default;
    // Local date and time, read once per use.
    virtual QDateTime maintenant() const = 0;
    // Milliseconds on a clock that is never set and stands still while the computer sleeps: set
    // against the local time, it tells a sleep or a change of the clock from time passing.
    virtual qint64 monotoneMs() const = 0;
    // Calls `suite` from the event loop once `secondes` have passed, without waiting here; never
    // once `contexte` is gone.
    virtual void plusTard(double secondes, QObject* contexte, std::function<void()> suite) {
        QTimer::singleShot(std::chrono::milliseconds(std::lround(secondes * 1000)), Qt::PreciseTimer, contexte,
                           std::move(suite));
    }
};
