#include "clock/BandeSecondes.h"

#include "art/Twips.h"

#include <QPainter>
#include <cmath>

BandeSecondes::BandeSecondes(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Solid, and it grows from its left end: when it lengthens, only the new part is painted,
    // and nothing behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    place();
}

void BandeSecondes::setX1(double twips) {
    x1_ = twips;
    place();
}
void BandeSecondes::setX2(double twips) {
    x2_ = twips;
    place();
}
void BandeSecondes::setY(double twips) {
    y_ = twips;
    place();
}

void BandeSecondes::setCouleur(const QColor& c) {
    couleur_ = c;
    update();
}

void BandeSecondes::place() {
    // The line is centred on Y, as a thick pen would draw it.
    const int gauche = EnPixels(std::min(x1_, x2_));
    const int droite = EnPixels(std::max(x1_, x2_));
    setGeometry(gauche, EnPixels(y_) - Epaisseur / 2, droite - gauche, Epaisseur);
    setVisible(droite > gauche);
}

void BandeSecondes::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), couleur_);
}
