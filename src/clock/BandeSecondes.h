#pragma once
// The seconds band: a 5-pixel line under the time, its ends kept in twips like the window's design.

#include <QColor>
#include <QWidget>

class BandeSecondes : public QWidget {
public:
    explicit BandeSecondes(QWidget* parent = nullptr);
    double X1() const { return x1_; }
    double X2() const { return x2_; }
    double Y() const { return y_; }
    void setX1(double twips);
    void setX2(double twips);
    void setY(double twips);
    QColor couleur() const { return couleur_; }
    void setCouleur(const QColor& c);
    static constexpr int Epaisseur = 5;  // pixels

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void place();
    double x1_ = 180, x2_ = 855, y_ = 405;
    QColor couleur_{255, 128, 0};
};
