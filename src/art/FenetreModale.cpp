#include "art/FenetreModale.h"

#include "art/Dessins.h"
#include "art/Twips.h"

#include <QFont>
#include <QWidget>

void PrepareFenetreModale(QWidget* fenetre, const QString& nom, const QString& titre, int largeurTwips,
                          int hauteurTwips) {
    fenetre->setObjectName(nom);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setWindowModality(Qt::ApplicationModal);
    fenetre->setWindowTitle(titre);
    fenetre->setWindowIcon(IconeProgramme());
    fenetre->setFixedSize(EnPixels(largeurTwips), EnPixels(hauteurTwips));
    QFont police;
    police.setFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    police.setPointSizeF(8.25);
    fenetre->setFont(police);
}
