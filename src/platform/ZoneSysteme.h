#pragma once
// The notification-area icon of the desktop (QSystemTrayIcon), its clicks turned into the codes
// the clock window works with.

#include "platform/ZoneNotification.h"

#include <memory>

class QSystemTrayIcon;

class ZoneSysteme : public ZoneNotification {
public:
    ZoneSysteme();
    ~ZoneSysteme() override;
    bool disponible() const override;
    void ajoute(const QIcon& icone, const QString& bulle, QMenu* menu) override;
    void retire() override;
    void changeBulle(const QString& bulle) override;

private:
    std::unique_ptr<QSystemTrayIcon> icone_;
};

// The code a tray activation reason maps to, or 0 for none.
int CodeNotification(int raison);
