// The tick paints only what changed on a shown face, nothing on a hidden one, which is right when shown.
#include "art/Dessins.h"
#include "clock/BandeSecondes.h"
#include "clock/QUENTORFixture.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPaintEvent>

namespace {
// Every region the face's widgets paint, in the window's coordinates.
struct Peintures : QObject {
    explicit Peintures(QUENTOR* f) : f_(f) {
        for (QWidget* w : std::initializer_list<QWidget*>{f, f->AffHEURE, f->bande, f->Flash, f->PHOTO})
            w->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(e)->region().translated(static_cast<QWidget*>(o)->mapTo(f_, QPoint()));
        return false;
    }
    QUENTOR* f_;
    QRegion region;
};
}  // namespace

class Repeint : public AvecHorloge {
protected:
    void tic(int h, int m, int s) { aLHeure(h, m, s), w->QUENTOR_Timer_Timer(); }
};

TEST_F(Repeint, AShownFaceRepaintsOnlyTheMarkerAndTheBandsNewEnd) {
    w->alignBandeSurHeure();
    w->resize(250, 150);
    w->show();
    tic(14, 5, 30);
    QCoreApplication::processEvents();
    const QRect avant = w->bande->geometry();
    Peintures p(w.get());
    tic(14, 5, 31);  // the marker comes and goes, the band grows, the time's text stays
    QCoreApplication::processEvents();
    const QRect apres = w->bande->geometry();
    ASSERT_GT(apres.right(), avant.right());
    const QRegion attendu = QRegion(w->Flash->geometry()) + QRect(avant.topRight(), apres.bottomRight());
    EXPECT_TRUE(!p.region.isEmpty() && (p.region - attendu).isEmpty());
}

TEST_F(Repeint, AHiddenFacePaintsNothingEndsWithoutThePauseAndIsRightWhenShown) {
    Etat.DéclencheAnnonce = 0;
    w->alignBandeSurHeure();
    Peintures p(w.get());
    tic(10, 16, 45);
    EXPECT_EQ(horloge.t.time(), QTime(10, 16, 45));  // no quarter second: no marker to keep up
    tic(10, 17, 0);
    EXPECT_EQ(horloge.t.time(), QTime(10, 17, 5));  // the minute's work still ran, its pause whole
    EXPECT_EQ(w->windowTitle() + Etat.HeureActuelle + Etat.MinuteActuelle, QStringLiteral(" 10:17 - mardi 3 mars 091017"));
    tic(10, 17, 30);
    QCoreApplication::processEvents();
    EXPECT_TRUE(p.region.isEmpty());
    w->show();  // before its first paint, the face shows the last reading
    EXPECT_EQ(w->AffHEURE->text(), QStringLiteral("10:17"));
    EXPECT_DOUBLE_EQ(w->bandeX2() - w->bandeX1(), w->AffHEURE->width() * 15.0 * 30 / 60);
    EXPECT_TRUE(w->Flash->isHidden());
}
