#include "platform/NotificationsDBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kChemin = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
}  // namespace

void NotificationsDBus::relie() {
    if (relie_)
        return;
    relie_ = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(kService, kChemin, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(actionInvoquee(uint, QString)));
    bus.connect(kService, kChemin, kInterface, QStringLiteral("NotificationClosed"), this, SLOT(fermee(uint, uint)));
}

void NotificationsDBus::montre(const QString& cle, const QString& resume, const QString& corps,
                               const QStringList& actions, bool urgente) {
    relie();
    Suivi& s = suivis_[cle];
    const int envoi = ++s.envoi;
    s.aRetirer = false;
    QVariantMap indices{{QStringLiteral("desktop-entry"), QStringLiteral("org.quentor.Sonalde")}};
    if (urgente)
        indices.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2)));
    QDBusMessage m = QDBusMessage::createMethodCall(kService, kChemin, kInterface, QStringLiteral("Notify"));
    m << QStringLiteral("Quentor Sonalde") << s.id << QStringLiteral("org.quentor.Sonalde") << resume << corps
      << actions << indices << int(-1);
    auto* attente = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(m), this);
    connect(attente, &QDBusPendingCallWatcher::finished, this, [this, cle, envoi](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        QDBusPendingReply<uint> r = *w;
        const uint id = r.isError() ? 0 : r.value();
        auto it = suivis_.find(cle);
        if (it == suivis_.end())
            return ferme(id);
        Suivi& s = it->second;
        // Shown anew before this answer came: the newer one stands (under the same number when
        // it replaced this one).
        if (envoi != s.envoi)
            return id != s.id ? ferme(id) : void();
        if (s.aRetirer) {
            ferme(id);
            suivis_.erase(it);
            return;
        }
        s.reponse = envoi;
        if (id != 0)
            s.id = id;
    });
}

void NotificationsDBus::retire(const QString& cle) {
    auto it = suivis_.find(cle);
    if (it == suivis_.end())
        return;
    if (it->second.reponse == it->second.envoi) {
        ferme(it->second.id);
        suivis_.erase(it);
    } else {
        it->second.aRetirer = true;  // closed when the service answers
    }
}

void NotificationsDBus::ferme(uint id) {
    if (id == 0)
        return;
    QDBusMessage m = QDBusMessage::createMethodCall(kService, kChemin, kInterface, QStringLiteral("CloseNotification"));
    m << id;
    QDBusConnection::sessionBus().asyncCall(m);
}

void NotificationsDBus::actionInvoquee(uint id, const QString& action) {
    for (const auto& [cle, s] : suivis_)
        if (s.id == id && id != 0) {
            if (surAction)
                surAction(QString(cle), action);
            return;
        }
}

void NotificationsDBus::fermee(uint id, uint) {
    std::erase_if(suivis_, [id](const auto& e) { return e.second.id == id && e.second.reponse == e.second.envoi; });
}
