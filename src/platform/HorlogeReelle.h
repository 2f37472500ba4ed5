#pragma once
#include "platform/Horloge.h"

// The system's local time, and a wait that sleeps in a nested event loop until a deadline on
// the monotonic clock: wall-clock changes and midnight neither stretch nor shorten it.
#include <vector>

class QEventLoop;

class HorlogeReelle : public Horloge {
public:
    QDateTime maintenant() const override;
    void attendre(double secondes) override;
    void interromptAttentes() override;

private:
    // The loops of the waits in progress, innermost last, and how many interruptions there were.
    std::vector<QEventLoop*> boucles_;
    unsigned interruptions_ = 0;
};
