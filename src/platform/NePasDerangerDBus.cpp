#include "platform/NePasDerangerDBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace {
const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");
const QString kCheminNotifications = QStringLiteral("/org/freedesktop/Notifications");
const QString kProprietes = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kPortail = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kCheminPortail = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kReglages = QStringLiteral("org.freedesktop.portal.Settings");
const QString kEspaceGnome = QStringLiteral("org.gnome.desktop.notifications");
const QString kBannieres = QStringLiteral("show-banners");

// Variants inside variants, as D-Bus answers carry them (the portal's Read wraps its value twice).
QVariant Deballe(QVariant v) {
    while (v.userType() == qMetaTypeId<QDBusVariant>())
        v = v.value<QDBusVariant>().variant();
    return v;
}

template <class Suite>
void Demande(QObject* contexte, const QDBusMessage& m, Suite suite) {
    auto* attente = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(m), contexte);
    QObject::connect(attente, &QDBusPendingCallWatcher::finished, contexte, [suite](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusMessage r = w->reply();
        if (r.type() == QDBusMessage::ReplyMessage && !r.arguments().isEmpty())
            suite(Deballe(r.arguments().constFirst()));
    });
}
}  // namespace

bool NePasDerangerDBus::actif() {
    suit();
    return sources_.actif();
}

void NePasDerangerDBus::suit() {
    if (suivi_)
        return;
    suivi_ = true;
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(kNotifications, kCheminNotifications, kProprietes, QStringLiteral("PropertiesChanged"), this,
                SLOT(proprietes(QString, QVariantMap, QStringList)));
    bus.connect(kPortail, kCheminPortail, kReglages, QStringLiteral("SettingChanged"), this,
                SLOT(reglage(QString, QString, QDBusVariant)));
    // A notification service that starts (or starts again) later is asked then; one that goes
    // takes its inhibition with it.
    auto* veille = new QDBusServiceWatcher(
        kNotifications, bus, QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration,
        this);
    connect(veille, &QDBusServiceWatcher::serviceRegistered, this, &NePasDerangerDBus::serviceLa);
    connect(veille, &QDBusServiceWatcher::serviceUnregistered, this, &NePasDerangerDBus::serviceParti);
    litInhibe();
    QDBusMessage m = QDBusMessage::createMethodCall(kPortail, kCheminPortail, kReglages, QStringLiteral("Read"));
    m << kEspaceGnome << kBannieres;
    Demande(this, m, [this](const QVariant& v) { sources_.reglageChange(kEspaceGnome, kBannieres, v); });
}

void NePasDerangerDBus::litInhibe() {
    QDBusMessage m =
        QDBusMessage::createMethodCall(kNotifications, kCheminNotifications, kProprietes, QStringLiteral("Get"));
    m << kNotifications << QStringLiteral("Inhibited");
    Demande(this, m, [this](const QVariant& v) {
        sources_.proprietesChangees(kNotifications, {{QStringLiteral("Inhibited"), v}}, {});
    });
}

void NePasDerangerDBus::proprietes(const QString& interface, const QVariantMap& changees,
                                   const QStringList& invalidees) {
    QVariantMap valeurs;
    for (auto it = changees.begin(); it != changees.end(); ++it)
        valeurs.insert(it.key(), Deballe(it.value()));
    sources_.proprietesChangees(interface, valeurs, invalidees);
    if (invalidees.contains(QStringLiteral("Inhibited")))
        litInhibe();
}

void NePasDerangerDBus::reglage(const QString& espace, const QString& cle, const QDBusVariant& valeur) {
    sources_.reglageChange(espace, cle, Deballe(valeur.variant()));
}

void NePasDerangerDBus::serviceLa() { litInhibe(); }

void NePasDerangerDBus::serviceParti() { sources_.inhibe.reset(); }
