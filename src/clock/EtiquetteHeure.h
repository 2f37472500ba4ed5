#pragma once
// The time's label: a plain-text label whose rendered text is kept, so that the marker
// appearing and going over it every second only copies pixels instead of laying out the
// large digits again.

#include <QLabel>
#include <QPixmap>

class EtiquetteHeure : public QLabel {
public:
    explicit EtiquetteHeure(const QString& texte, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap rendu_;
    QString texteRendu_;
    QFont policeRendue_;
    QColor encreRendue_;
};
