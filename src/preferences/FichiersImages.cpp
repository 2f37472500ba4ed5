#include "preferences/FichiersImages.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>

QStringList FiltresImages() {
    QStringList filtres{QStringLiteral("Images(*.bmp)")};
    const QMimeDatabase types;
    for (const QByteArray& nom : QImageReader::supportedMimeTypes()) {
        const QMimeType type = types.mimeTypeForName(QString::fromLatin1(nom));
        if (!type.isValid() || type.globPatterns().isEmpty() || type.name() == u"image/bmp")
            continue;
        const QString filtre = type.filterString();
        if (!filtres.contains(filtre))
            filtres << filtre;
    }
    return filtres;
}

QPixmap LitImage(const QString& chemin, QString* raison) {
    auto echec = [raison](const QString& texte) {
        if (raison)
            *raison = texte;
        return QPixmap();
    };
    if (!QFileInfo(chemin).isFile())
        return echec(QStringLiteral("le fichier n'existe pas."));
    QImageReader lecteur(chemin);
    // A picture whose name does not match its content is still a picture.
    lecteur.setDecideFormatFromContent(true);
    const QImage image = lecteur.read();
    if (!image.isNull())
        return QPixmap::fromImage(image);
    switch (lecteur.error()) {
    case QImageReader::DeviceError: return echec(QStringLiteral("le fichier ne peut pas être lu."));
    case QImageReader::UnsupportedFormatError:
        return echec(QStringLiteral("ce n'est pas une image d'un format connu."));
    case QImageReader::InvalidDataError: return echec(QStringLiteral("l'image est abîmée ou incomplète."));
    default: return echec(QStringLiteral("l'image ne peut pas être chargée."));
    }
}
