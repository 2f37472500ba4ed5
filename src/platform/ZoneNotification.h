#pragma once
#include <QIcon>
#include <QString>
#include <functional>

class QMenu;

// The notification-area icon. Mouse actions arrive as the Windows mouse-message codes the clock's
// handler works with: 512 move, 514 left release, 515 left double click, 517 right release.
class ZoneNotification {
public:
    enum Code { Deplacement = 512, GaucheRelache = 514, GaucheDouble = 515, DroitRelache = 517, MilieuRelache = 520 };
    virtual ~ZoneNotification() = default;
    virtual bool disponible() const = 0;
    // `menu` is opened by the platform on a right click, after `surNotification(517)`.
    virtual void ajoute(const QIcon& icone, const QString& bulle, QMenu* menu) = 0;
    virtual void retire() = 0;
    // The icon's tooltip, once it is added.
    virtual void changeBulle(const QString& bulle) = 0;
    std::function<void(int code)> surNotification;
};
