#include "support/Doubles.h"

#include "sound/Clips.h"
#include "sound/Phrases.h"

#include <QDirIterator>

void SonEnregistre::joueDonnees(const QByteArray& wav) {
    for (int16_t id : IdsClips())
        if (DonneesClip(id) == wav)
            return note(QStringLiteral("clip %1").arg(id));
    for (QDirIterator i(QStringLiteral(":/phrases"), QDir::Files, QDirIterator::Subdirectories); i.hasNext();)
        if (QFileInfo f(i.next()); DonneesPhrase(f.dir().dirName() == u"femme", f.baseName()) == wav)
            return note(f.dir().dirName() + u'/' + f.baseName());
    note(QStringLiteral("donnees"));
}

QStringList SonEnregistre::joues() const {
    QStringList l;
    for (const auto& e : evenements)
        if (e.quoi != QLatin1String("arret"))
            l << e.quoi;
    return l;
}
