#include "art/Dessins.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFont>
#include <QIconEngine>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QtMath>
#include <map>
#include <vector>

namespace {

// Works in a nominal w x h grid stretched over `r`.
void Repere(QPainter& p, const QRectF& r, qreal w, qreal h) {
    p.translate(r.topLeft());
    p.scale(r.width() / w, r.height() / h);
}

void Aiguilles(QPainter& p, QPointF c, qreal rayon, const QColor& couleur, qreal epaisseur) {
    p.setPen(QPen(couleur, epaisseur, Qt::SolidLine, Qt::RoundCap));
    // Ten past ten: the hands frame the face.
    const qreal a1 = qDegreesToRadians(-60.0), a2 = qDegreesToRadians(-150.0);
    p.drawLine(c, c + QPointF(std::cos(a1), std::sin(a1)) * rayon * 0.85);
    p.drawLine(c, c + QPointF(std::cos(a2), std::sin(a2)) * rayon * 0.55);
}

void Cadran(QPainter& p, QPointF c, qreal rayon, qreal bord) {
    QRadialGradient g(c - QPointF(rayon / 3, rayon / 3), rayon * 1.6);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(214, 226, 240));
    p.setBrush(g);
    p.setPen(QPen(QColor(30, 70, 150), bord));
    p.drawEllipse(c, rayon, rayon);
    p.setPen(QPen(QColor(40, 40, 40), bord * 0.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; i += 3) {
        const qreal a = qDegreesToRadians(30.0 * i);
        const QPointF d(std::cos(a), std::sin(a));
        p.drawLine(c + d * rayon * 0.72, c + d * rayon * 0.86);
    }
}

void Relief(QPainter& p, qreal w, qreal h, bool enfonce) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(QRectF(0, 0, w, h));
    const QColor clair = enfonce ? QColor(128, 128, 128) : Qt::white;
    const QColor sombre = enfonce ? Qt::white : QColor(128, 128, 128);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(clair, 1));
    p.drawLine(QPointF(0.5, h - 1.5), QPointF(0.5, 0.5));
    p.drawLine(QPointF(0.5, 0.5), QPointF(w - 1.5, 0.5));
    p.setPen(QPen(sombre, 1));
    p.drawLine(QPointF(1.5, h - 1.5), QPointF(w - 1.5, h - 1.5));
    p.drawLine(QPointF(w - 1.5, h - 1.5), QPointF(w - 1.5, 1.5));
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(0.5, h - 0.5), QPointF(w - 0.5, h - 0.5));
    p.drawLine(QPointF(w - 0.5, h - 0.5), QPointF(w - 0.5, 0.5));
}

void Marteau(QPainter& p) {
    p.setPen(QPen(QColor(140, 80, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 17), QPointF(14, 9));
    p.setPen(QPen(QColor(60, 60, 70), 4.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(10.5, 5.5), QPointF(17.5, 12.5));
    p.setPen(QPen(QColor(150, 150, 160), 1.0));
    p.drawLine(QPointF(11.5, 5.2), QPointF(17.8, 11.5));
}

void Cloche(QPainter& p) {
    QPainterPath c;
    c.moveTo(12, 3.5);
    c.cubicTo(16.5, 3.5, 16.5, 9, 17, 12);
    c.cubicTo(17.3, 14, 19, 15, 19, 16);
    c.lineTo(5, 16);
    c.cubicTo(5, 15, 6.7, 14, 7, 12);
    c.cubicTo(7.5, 9, 7.5, 3.5, 12, 3.5);
    QLinearGradient g(5, 0, 19, 0);
    g.setColorAt(0, QColor(255, 240, 120));
    g.setColorAt(1, QColor(200, 150, 0));
    p.setBrush(g);
    p.setPen(QPen(QColor(110, 80, 0), 0.9));
    p.drawPath(c);
    p.setBrush(QColor(110, 80, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 17.6), 1.6, 1.6);
}

void Info(QPainter& p) {
    QPainterPath b;
    b.addRoundedRect(QRectF(3.5, 2.5, 17, 12.5), 4, 4);
    QPainterPath queue;
    queue.moveTo(7, 14);
    queue.lineTo(5.5, 19);
    queue.lineTo(11, 14);
    b = b.united(queue);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(60, 60, 60), 0.9));
    p.drawPath(b);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 70, 200));
    p.drawEllipse(QPointF(12, 5.3), 1.3, 1.3);
    p.drawRoundedRect(QRectF(10.9, 7.4, 2.3, 5.6), 0.6, 0.6);
}

void Aide(QPainter& p) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(17);
    QPainterPath t;
    t.addText(0, 0, f, QStringLiteral("?"));
    const QRectF b = t.boundingRect();
    t.translate(12 - b.center().x(), 11 - b.center().y());
    p.setPen(QPen(QColor(120, 90, 0), 1.1));
    p.setBrush(QColor(255, 220, 0));
    p.drawPath(t);
}

void Quitter(QPainter& p) {
    Cadran(p, QPointF(12, 11), 7.5, 1.2);
    Aiguilles(p, QPointF(12, 11), 7.5, Qt::black, 1.1);
    p.setPen(QPen(QColor(220, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 4), QPointF(19, 18));
    p.drawLine(QPointF(19, 4), QPointF(5, 18));
}

// A toolbar button as screen readers see it: a push button that can be pressed.
class AccesBoutonOutil : public QAccessibleWidget {
public:
    explicit AccesBoutonOutil(ImageDessinee* b) : QAccessibleWidget(b, QAccessible::Button) {}
    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString& action) override {
        auto* b = static_cast<ImageDessinee*>(widget());
        if (action == pressAction() && b->surClic)
            b->surClic();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* FabriqueAccesOutil(const QString&, QObject* o) {
    if (auto* b = dynamic_cast<BoutonOutil*>(o))
        return new AccesBoutonOutil(b);
    return nullptr;
}

}  // namespace

void DessineHautParleur(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    Repere(p, r, 32, 32);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(80, 80, 90));
    p.drawRect(QRectF(4, 12, 6, 8));
    QPolygonF cone{{10, 12}, {18, 5}, {18, 27}, {10, 20}};
    QLinearGradient g(10, 0, 18, 0);
    g.setColorAt(0, QColor(170, 170, 180));
    g.setColorAt(1, QColor(235, 235, 240));
    p.setBrush(g);
    p.drawPolygon(cone);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 60, 200), 2, Qt::SolidLine, Qt::RoundCap));
    for (qreal rayon : {4.5, 8.5, 12.5})
        p.drawArc(QRectF(18 - rayon, 16 - rayon, 2 * rayon, 2 * rayon), -40 * 16, 80 * 16);
    p.restore();
}

void DessineIconeProgramme(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // At notification-area sizes thin strokes blur into grey: fewer, bolder strokes.
    const bool petit = std::min(r.width(), r.height()) < 24;
    Repere(p, r, 48, 48);
    const QPointF centre(20, 20);
    Cadran(p, centre, 18, petit ? 4.5 : 3);
    Aiguilles(p, centre, 18, QColor(20, 20, 20), petit ? 5 : 3);
    // Sound waves leaving the lower right of the face.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 110, 0), petit ? 5.5 : 3.2, Qt::SolidLine, Qt::RoundCap));
    const std::vector<qreal> rayons = petit ? std::vector<qreal>{10.5} : std::vector<qreal>{7.0, 12.5};
    for (qreal rayon : rayons)
        p.drawArc(QRectF(33 - rayon, 33 - rayon, 2 * rayon, 2 * rayon), -8 * 16, -74 * 16);
    p.restore();
}

void DessineLogo(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    Repere(p, r, 119, 42);
    QLinearGradient g(0, 0, 0, 42);
    g.setColorAt(0, QColor(60, 110, 200));
    g.setColorAt(1, QColor(20, 50, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 118, 41), 7, 7);
    DessineIconeProgramme(p, QRectF(4, 5, 32, 32));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(15);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(38, 4, 80, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quentor"));
    f.setBold(false);
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(QColor(255, 200, 120));
    p.drawText(QRectF(38, 21, 80, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Sonalde"));
    p.restore();
}

void DessineClocheAlarme(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    Repere(p, r, 32, 32);
    // The toolbar's bell, larger and swinging, with the sound it makes on either side.
    p.save();
    p.translate(16, 18);
    p.rotate(-12);
    p.scale(4.0 / 3, 4.0 / 3);
    p.translate(-12, -11.5);
    Cloche(p);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 40, 0), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (qreal rayon : {3.0, 6.0}) {
        p.drawArc(QRectF(24 - rayon, 8 - rayon, 2 * rayon, 2 * rayon), -20 * 16, 80 * 16);
        p.drawArc(QRectF(8 - rayon, 8 - rayon, 2 * rayon, 2 * rayon), 120 * 16, 80 * 16);
    }
    p.restore();
}

void DessineBoutonOutil(QPainter& p, const QRectF& r, SymboleOutil s, bool enfonce) {
    p.save();
    Repere(p, r, 24, 22);
    Relief(p, 24, 22, enfonce);
    p.setRenderHint(QPainter::Antialiasing);
    if (enfonce)
        p.translate(1, 1);
    switch (s) {
    case SymboleOutil::Marteau: Marteau(p); break;
    case SymboleOutil::Cloche: Cloche(p); break;
    case SymboleOutil::Info: Info(p); break;
    case SymboleOutil::Aide: Aide(p); break;
    case SymboleOutil::Quitter: Quitter(p); break;
    }
    p.restore();
}

QPixmap RenduDessin(const Dessin& dessin, QSize taille, qreal dpr) {
    QPixmap pm(taille * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    dessin(p, QRectF(QPointF(0, 0), QSizeF(taille)));
    return pm;
}

namespace {

// The drawing rendered at each size it is asked for, when it is first asked for: every size, the
// notification area's as the About window's, is drawn for itself rather than scaled from another,
// and the start renders only the few sizes the window system wants.
class IconeDessinee : public QIconEngine {
public:
    explicit IconeDessinee(Dessin dessin) : dessin_(std::move(dessin)) {}
    void paint(QPainter* p, const QRect& r, QIcon::Mode, QIcon::State) override { dessin_(*p, QRectF(r)); }
    QPixmap pixmap(const QSize& taille, QIcon::Mode, QIcon::State) override {
        QPixmap& pm = rendus_[{taille.width(), taille.height()}];
        if (pm.isNull())
            pm = RenduDessin(dessin_, taille);
        return pm;
    }
    QSize actualSize(const QSize& taille, QIcon::Mode, QIcon::State) override { return taille; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {{16, 16}, {32, 32}, {48, 48}}; }
    QIconEngine* clone() const override { return new IconeDessinee(dessin_); }

private:
    Dessin dessin_;
    std::map<std::pair<int, int>, QPixmap> rendus_;
};

}  // namespace

QIcon IconeProgramme() {
    static const QIcon icone(new IconeDessinee(DessineIconeProgramme));
    return icone;
}

ImageDessinee::ImageDessinee(Dessin dessin, QWidget* parent) : QWidget(parent), dessin_(std::move(dessin)) {
    setAttribute(Qt::WA_TranslucentBackground);
}

// The tick marker is shown every second: its vector drawing is rendered once per size, state
// and pixel density, then only copied, which keeps the idle clock's CPU cost low.
void ImageDessinee::paintEvent(QPaintEvent*) {
    const qreal dpr = devicePixelRatioF();
    if (cache_.isNull() || cache_.deviceIndependentSize() != QSizeF(size()) || cache_.devicePixelRatio() != dpr ||
        cacheEnfonce_ != enfonce_) {
        cache_ = QPixmap((QSizeF(size()) * dpr).toSize());
        cache_.setDevicePixelRatio(dpr);
        cache_.fill(Qt::transparent);
        QPainter c(&cache_);
        c.setRenderHint(QPainter::Antialiasing);
        dessin_(c, QRectF(rect()));
        cacheEnfonce_ = enfonce_;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, cache_);
    if (hasFocus()) {
        QStyleOptionFocusRect cadre;
        cadre.initFrom(this);
        cadre.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &cadre, &p, this);
    }
}

void ImageDessinee::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    enfonce_ = true;
    update();
}

void ImageDessinee::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !enfonce_)
        return QWidget::mouseReleaseEvent(e);
    enfonce_ = false;
    update();
    if (rect().contains(e->position().toPoint()) && surClic)
        surClic();
}

void ImageDessinee::keyPressEvent(QKeyEvent* e) {
    const bool presse = e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (!presse || !surClic)
        return QWidget::keyPressEvent(e);
    if (!e->isAutoRepeat())
        surClic();
}

BoutonOutil::BoutonOutil(SymboleOutil s, QWidget* parent)
    : ImageDessinee([this, s](QPainter& p, const QRectF& r) { DessineBoutonOutil(p, r, s, enfonce_); }, parent) {
    static const bool fabriqueInstallee = (QAccessible::installFactory(FabriqueAccesOutil), true);
    (void)fabriqueInstallee;
}

void BoutonOutil::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)
        focusNextPrevChild(e->key() == Qt::Key_Right);
    else
        ImageDessinee::keyPressEvent(e);
}
