#pragma once
// What the other windows may do to the clock window. Start-up hands it to them when they open, so
// that no window includes another.

#include <QColor>
#include <QPixmap>

class QWidget;

// A window's outer geometry in twips (15 to a pixel at 96 DPI), frame included.
struct RectTwips {
    double left = 0, top = 0, width = 0, height = 0;
};

struct PointTwips {
    double left = 0, top = 0;
};

// Where a window opened over the clock goes (its outer top-left corner): `haut` above and `gauche`
// left of the clock's; at 50 from the top when that would leave the screen at the top, and
// `droite` right of the clock's left edge when it would leave it at the left.
inline PointTwips PlaceSurHorloge(const RectTwips& horloge, double haut, double gauche, double droite) {
    PointTwips p{horloge.left - gauche, horloge.top - haut};
    if (p.top < 0)
        p.top = 50;
    if (p.left < 0)
        p.left = horloge.left + droite;
    return p;
}

class FenetreHorloge {
public:
    virtual ~FenetreHorloge() = default;
    // The clock window itself: the parent of the windows and choosers opened over it.
    virtual QWidget* widget() = 0;
    virtual RectTwips geometrieTwips() const = 0;

    // The tick; the alarm editor holds it while it is open.
    virtual void arreteTimer() = 0;
    virtual void demarreTimer() = 0;
    // The toolbar over the face; the windows' return buttons hide it.
    virtual void cacheOutils() = 0;

    virtual QColor couleurFond() const = 0;
    virtual void setCouleurFond(const QColor& c) = 0;
    virtual QColor couleurEncre() const = 0;
    virtual void setCouleurEncre(const QColor& c) = 0;
    virtual QColor couleurBande() const = 0;
    virtual void setCouleurBande(const QColor& c) = 0;

    // The background picture PHOTO: what it holds, and whether it is shown.
    virtual QPixmap image() const = 0;
    virtual void setImage(const QPixmap& p) = 0;
    virtual bool imageVisible() const = 0;
    virtual void setImageVisible(bool visible) = 0;
};
