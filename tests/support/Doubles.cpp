#include "support/Doubles.h"

#include "sound/Clips.h"

void SonEnregistre::joueDonnees(const QByteArray& wav) {
    for (int16_t id : IdsClips())
        if (DonneesClip(id) == wav)
            return note(QStringLiteral("clip %1").arg(id));
    note(QStringLiteral("donnees"));
}

QStringList SonEnregistre::joues() const {
    QStringList l;
    for (const auto& e : evenements)
        if (e.quoi != QLatin1String("arret"))
            l << e.quoi;
    return l;
}
