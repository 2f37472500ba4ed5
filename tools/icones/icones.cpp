// Renders the program icon, which is drawn in code, into the icon theme's sizes and into SVG for
// installation: one drawing for every size, no hand-made copies to keep in step with it.
// Usage: quentor_icones DOSSIER NOM
//   writes DOSSIER/hicolor/NxN/apps/NOM.png and DOSSIER/hicolor/scalable/apps/NOM.svg
#include "art/Dessins.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DOSSIER NOM\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString racine = QFile::decodeName(argv[1]) + QStringLiteral("/hicolor/");
    const QString nom = QFile::decodeName(argv[2]);

    for (int cote : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dossier = racine + QStringLiteral("%1x%1/apps").arg(cote);
        QImage image(cote, cote, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        DessineIconeProgramme(p, QRectF(0, 0, cote, cote));
        p.end();
        if (!QDir().mkpath(dossier) || !image.save(dossier + u'/' + nom + QStringLiteral(".png"))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(dossier));
            return 1;
        }
    }

    const QString dossier = racine + QStringLiteral("scalable/apps");
    QSvgGenerator svg;
    svg.setFileName(dossier + u'/' + nom + QStringLiteral(".svg"));
    svg.setSize(QSize(48, 48));
    svg.setViewBox(QRect(0, 0, 48, 48));
    svg.setTitle(QStringLiteral("Quentor Sonalde"));
    if (!QDir().mkpath(dossier))
        return 1;
    QPainter p;
    if (!p.begin(&svg))
        return 1;
    DessineIconeProgramme(p, QRectF(0, 0, 48, 48));
    return p.end() ? 0 : 1;
}
