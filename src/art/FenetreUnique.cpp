#include "art/FenetreUnique.h"

#include <QShortcut>

void FermeParEchap(QWidget* fenetre) {
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), fenetre), &QShortcut::activated, fenetre,
                     &QWidget::close);
}
