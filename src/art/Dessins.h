#pragma once
// The program's own pictures, drawn as vectors so they stay crisp at any size and pixel density:
// the loudspeaker tick marker, the program icon, the toolbar buttons, the memo window's logo and
// the alarm editor's bell.

#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QWidget>
#include <functional>

class QPainter;

using Dessin = std::function<void(QPainter&, const QRectF&)>;

void DessineHautParleur(QPainter& p, const QRectF& r);
void DessineIconeProgramme(QPainter& p, const QRectF& r);
void DessineLogo(QPainter& p, const QRectF& r);
// A ringing bell, designed on a 32 x 32 grid.
void DessineClocheAlarme(QPainter& p, const QRectF& r);

// Toolbar pictures: a raised grey button holding its symbol.
enum class SymboleOutil { Marteau, Cloche, Info, Aide, Quitter };
void DessineBoutonOutil(QPainter& p, const QRectF& r, SymboleOutil s, bool enfonce);

// The program icon at 16, 32 and 48 px (and their double-density versions).
QIcon IconeProgramme();
// `dessin` rendered into a pixmap of `taille` logical pixels at density `dpr`.
QPixmap RenduDessin(const Dessin& dessin, QSize taille, qreal dpr = 1.0);

// A widget that paints one picture over its whole surface, at the screen's own density.
class ImageDessinee : public QWidget {
public:
    explicit ImageDessinee(Dessin dessin, QWidget* parent = nullptr);
    // Left-button click (press then release inside), or Space / Enter when it has the focus.
    std::function<void()> surClic;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

    bool enfonce_ = false;

private:
    Dessin dessin_;
    QPixmap cache_;
    bool cacheEnfonce_ = false;
};

// A toolbar button: its picture drawn raised, or pressed while the button is held down. When its
// toolbar lets it take the focus, Left and Right go to its neighbours. Screen readers see a push
// button named by its accessible name.
class BoutonOutil : public ImageDessinee {
public:
    BoutonOutil(SymboleOutil s, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;
};
