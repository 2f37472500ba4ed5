#pragma once
// The help document, beside the settings or where the program installed it, opened in the
// desktop's viewer.

#include <QString>

class QWidget;

void PrépareAide(QWidget* fenetre);
QString CheminAide();
void OuvreAide();
