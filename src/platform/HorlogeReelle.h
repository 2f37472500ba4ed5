#pragma once
#include "platform/Horloge.h"

// The system's local time, and timers aimed at a
// deadline on the monotonic clock: wall-clock changes and midnight neither stretch nor shorten them.
#include <QByteArray>

class HorlogeReelle : public Horloge {
public:
    // The time zone's file is looked at no more often than every `verificationFuseauMs`.
    explicit HorlogeReelle(qint64 verificationFuseauMs = 10'000) : verificationFuseauMs_(verificationFuseauMs) {}
    QDateTime maintenant() const override;
    qint64 monotoneMs() const override;
    void plusTard(double secondes, QObject* contexte, std::function<void()> suite) override;

private:
    // The C library reads the system's time zone once; a zone changed in the settings while the
    // clock runs is taken up by the next reading after a check that finds its file replaced.
    void suitFuseau() const;
    qint64 verificationFuseauMs_;
    mutable qint64 prochaineVerificationFuseauMs_ = -1;
    mutable QByteArray identiteFuseau_;
};
