#pragma once
#include "platform/Horloge.h"

// The system's local time, and a wait that sleeps in a nested event loop until a deadline on
// the monotonic clock: wall-clock changes and midnight neither stretch nor shorten it.
class HorlogeReelle : public Horloge {
public:
    QDateTime maintenant() const override;
    void attendre(double secondes) override;
};
