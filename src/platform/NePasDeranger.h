#pragma once
// The desktop's "do not disturb": whether it asks, now, that notifications keep quiet.

#include <QString>
#include <QVariant>
#include <optional>

class NePasDeranger {
public:
    virtual ~NePasDeranger() = default;
    // As last heard from the desktop: false until it has answered, and where it has no such
    // setting. Never waits for it.
    virtual bool actif() = 0;
};

// What the two sources last said: the notification service's `Inhibited` property (KDE Plasma),
// and GNOME's `show-banners` setting, read through the desktop portal. Nothing said by either:
// nothing is held back.
struct SourcesNePasDeranger {
    std::optional<bool> inhibe, bannieres;
    bool actif() const { return inhibe.value_or(false) || !bannieres.value_or(true); }
    // org.freedesktop.DBus.Properties.PropertiesChanged of the notification service, or the answer
    // of Get: a property invalidated without its value is no longer known. Values unwrapped.
    void proprietesChangees(const QString& interface, const QVariantMap& changees, const QStringList& invalidees);
    // org.freedesktop.portal.Settings.SettingChanged, or the answer of Read.
    void reglageChange(const QString& espace, const QString& cle, const QVariant& valeur);
};
