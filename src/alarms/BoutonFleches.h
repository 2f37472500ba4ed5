#pragma once
// A spin button: an up arrow above a down arrow filling the widget, one signal per arrow. An arrow
// held down (mouse, or Up / Down key while the widget has the focus) repeats until released.
// The value the arrows change is shown by the window elsewhere; the widget only tells it to
// assistive technologies.

#include <QTimer>
#include <QWidget>

class BoutonFleches : public QWidget {
    Q_OBJECT
public:
    enum class Fleche { Aucune, Haut, Bas };
    explicit BoutonFleches(QWidget* parent = nullptr);

    // What assistive technologies read as the current value and its range.
    void setValeur(int valeur, int minimum, int maximum);
    int valeur() const { return valeur_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // One step, as a single click on the arrow.
    void pas(Fleche f);
    // A step that goes on after its handler has returned (a clip and its pause) holds the repeat
    // from its handler until it ends: the next step counts its delay from there.
    void retiensRepetition();
    void reprendRepetition();

signals:
    void SpinUp();
    void SpinDown();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    QRect zone(Fleche f) const;
    Fleche flecheEn(QPoint p) const;
    void appuie(Fleche f);
    void relache();
    void emetPuisRearme(int delaiMs);

    Fleche tenue_ = Fleche::Aucune;
    bool dessus_ = false;  // the pointer is over the arrow held down
    QTimer repetition_;
    int retenues_ = 0;
    int delaiSuivantMs_ = 0;
    int valeur_ = 0, minimum_ = 0, maximum_ = 0;
};
