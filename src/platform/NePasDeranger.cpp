#include "platform/NePasDeranger.h"

namespace {
std::optional<bool> Booleen(const QVariant& v) {
    if (v.userType() != QMetaType::Bool)
        return std::nullopt;  // a value of another type says nothing
    return v.toBool();
}
}  // namespace

void SourcesNePasDeranger::proprietesChangees(const QString& interface, const QVariantMap& changees,
                                              const QStringList& invalidees) {
    if (interface != u"org.freedesktop.Notifications")
        return;
    const QString nom = QStringLiteral("Inhibited");
    if (changees.contains(nom))
        inhibe = Booleen(changees.value(nom));
    else if (invalidees.contains(nom))
        inhibe.reset();
}

void SourcesNePasDeranger::reglageChange(const QString& espace, const QString& cle, const QVariant& valeur) {
    if (espace == u"org.gnome.desktop.notifications" && cle == u"show-banners")
        bannieres = Booleen(valeur);
}
