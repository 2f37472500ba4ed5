#pragma once
// Background pictures chosen by the user: the chooser's filters and the load with a reason.

#include <QPixmap>
#include <QString>
#include <QStringList>

// "Images(*.bmp)" first, then one entry for every other picture type this system can read.
QStringList FiltresImages();

// The picture in `chemin`, or a null pixmap with the reason in French in *raison.
QPixmap LitImage(const QString& chemin, QString* raison);
