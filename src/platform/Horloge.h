#pragma once
#include <QDateTime>

// The wall clock and the paced wait. Real: system time and a nested event loop with a monotonic
// deadline. Test double: a virtual clock that jumps forward and still delivers posted events.
class Horloge {
public:
    virtual ~Horloge() = default;
    // Local date and time, read once per use.
    virtual QDateTime maintenant() const = 0;
    // Returns once at least `secondes` have passed, letting events run at least once meanwhile.
    virtual void attendre(double secondes) = 0;
};
