#pragma once
// "Do not disturb" read from the session bus: the freedesktop notification service's `Inhibited`
// property where it has one (KDE Plasma), and GNOME's `show-banners` through the desktop portal's
// settings, which GNOME's portal reads from its own settings store. Both are followed by their
// change signals; every call is asynchronous, so a slow or stalled service never holds the clock,
// and nothing is asked before the first time the clock wants to know (not at start). Without a
// session bus nothing is asked at all: no bus is launched for it.

#include "platform/NePasDeranger.h"

#include <QDBusVariant>
#include <QObject>

class NePasDerangerDBus : public QObject, public NePasDeranger {
    Q_OBJECT
public:
    bool actif() override;

private slots:
    void proprietes(const QString& interface, const QVariantMap& changees, const QStringList& invalidees);
    void reglage(const QString& espace, const QString& cle, const QDBusVariant& valeur);
    void serviceLa();
    void serviceParti();

private:
    void suit();
    void litInhibe();
    bool suivi_ = false;
    SourcesNePasDeranger sources_;
};
