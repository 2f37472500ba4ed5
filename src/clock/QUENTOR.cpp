// The clock window: its face, appearance, geometry and layout.
#include "clock/QUENTOR.h"

#include "alarms/DeclencheAlarmes.h"
#include "alarms/Sonnerie.h"
#include "state/Etat.h"
#include "clock/BandeSecondes.h"
#include "clock/EtiquetteHeure.h"
#include "art/Dessins.h"
#include "art/Twips.h"
#include "platform/ListeTaches.h"
#include "platform/Plateforme.h"
#include "timer/Minuteur.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <cmath>

namespace {
constexpr double GaucheHeure = 135, HautHeureDessin = 90;
}

MiseEnPageHeure CalculeMiseEnPage(double h) { return {int(std::floor(h / 45)) + 2, h / 6 + 100}; }

double OrdonneeBande(double hautHeureTwips, double hauteurHeureTwips) {
    return hautHeureTwips + hauteurHeureTwips - 10;
}

QUENTOR::QUENTOR(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("QUENTOR"));
    setWindowTitle(QStringLiteral("il est ..."));
    setWindowIcon(IconeProgramme());
    setAutoFillBackground(true);
    setMouseTracking(true);
    construitCadran();
    construitOutils();
    construitMenu();
    relieMinuteur();
    InstalleRetourHorloge([this] {
        restaure();
        repaint();
    });
    if (PF().notifications)
        PF().notifications->surAction = [](const QString& cle, const QString& action) {
            ActionNotificationAlarme(cle, action) || LeMinuteur().actionNotification(cle);
        };
}

QUENTOR::~QUENTOR() {
    InstalleRetourHorloge(nullptr);
    Minuteur::HorlogeOccupee() = nullptr;
    if (PF().notifications)
        PF().notifications->surAction = nullptr;
    if (PF().notification && PF().notification->surNotification)
        PF().notification->surNotification = nullptr;
}

void QUENTOR::construitCadran() {
    // Created back to front: the picture lies behind everything.
    PHOTO = new QLabel(this);
    PHOTO->setObjectName(QStringLiteral("PHOTO"));
    PHOTO->setAttribute(Qt::WA_TransparentForMouseEvents);
    PHOTO->setScaledContents(true);
    PHOTO->setGeometry(EnPixels(-45), EnPixels(-45), EnPixels(2340), EnPixels(840));

    AffHEURE = new EtiquetteHeure(QStringLiteral("23:42"), this);
    AffHEURE->setObjectName(QStringLiteral("AffHEURE"));
    AffHEURE->setTextFormat(Qt::PlainText);
    AffHEURE->setAttribute(Qt::WA_TranslucentBackground);
    // Its own mouse input: moves over the time are not moves over the window.
    AffHEURE->setAttribute(Qt::WA_NoMousePropagation);
    AffHEURE->installEventFilter(this);
    QFont f;
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    f.setStyleHint(QFont::TypeWriter);
    f.setBold(true);
    f.setPointSizeF(13.5);
    AffHEURE->setFont(f);
    AffHEURE->move(EnPixels(GaucheHeure), EnPixels(HautHeureDessin));
    // Sized by its first measure (mesureCadran), not by Qt as the window first shows.
    AffHEURE->resize(0, 0);

    bande = new BandeSecondes(this);
    bande->setObjectName(QStringLiteral("bande"));

    Flash = new ImageDessinee(DessineHautParleur, this);
    Flash->setObjectName(QStringLiteral("Flash"));
    Flash->setAttribute(Qt::WA_TransparentForMouseEvents);
    Flash->setGeometry(0, 0, 32, 32);
    Flash->hide();

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setSingleShot(true);
    Timer->setTimerType(Qt::PreciseTimer);
    connect(Timer, &QTimer::timeout, this, [this] { QUENTOR_Timer_Timer(); });

    setCouleurFond(QColor(0, 0, 128));
    setCouleurEncre(QColor(255, 255, 0));
    setCouleurBande(QColor(255, 128, 0));
}

QColor QUENTOR::couleurFond() const { return palette().color(QPalette::Window); }

void QUENTOR::setCouleurFond(const QColor& c) {
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
}

QColor QUENTOR::couleurEncre() const { return AffHEURE->palette().color(QPalette::WindowText); }

void QUENTOR::setCouleurEncre(const QColor& c) {
    QPalette p = AffHEURE->palette();
    p.setColor(QPalette::WindowText, c);
    AffHEURE->setPalette(p);
}

QColor QUENTOR::couleurBande() const { return bande->couleur(); }
void QUENTOR::setCouleurBande(const QColor& c) { bande->setCouleur(c); }

RectTwips QUENTOR::geometrieTwips() const {
    if (geometrieDemandee_)
        return *geometrieDemandee_;
    // Minimised or maximised, the normal window's place and size are what is kept.
    const bool normale = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    const QRect g = normale || !normalGeometry().isValid() ? geometry() : normalGeometry();
    const QMargins m = margesCadre();
    return {EnTwips(g.x() - m.left()), EnTwips(g.y() - m.top()), EnTwips(g.width() + m.left() + m.right()),
            EnTwips(g.height() + m.top() + m.bottom())};
}

void QUENTOR::setGeometrieTwips(const RectTwips& r) {
    geometrieDemandee_ = r;
    appliqueGeometrie(r);
}

void QUENTOR::appliqueGeometrie(const RectTwips& r) {
    const QMargins m = margesCadre();
    move(EnPixels(r.left), EnPixels(r.top));  // a window's position is that of its frame
    resize(std::max(1, EnPixels(r.width) - m.left() - m.right()),
           std::max(1, EnPixels(r.height) - m.top() - m.bottom()));
}

QMargins QUENTOR::margesCadre() const {
    const QRect f = frameGeometry(), g = geometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

// The frame arrives after the window is mapped: the outer size asked for is then applied again
// with it, or the window would grow by its frame at every start. Any other change of place or
// size is the user's, and ends the wait.
void QUENTOR::suitGeometrieDemandee() {
    if (!geometrieDemandee_ || !isVisible() || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        return;
    const RectTwips r = *geometrieDemandee_;
    if (!margesCadre().isNull()) {
        geometrieDemandee_.reset();
        appliqueGeometrie(r);
        return;
    }
    const QRect voulu(EnPixels(r.left), EnPixels(r.top), EnPixels(r.width), EnPixels(r.height));
    if (frameGeometry() != voulu)
        geometrieDemandee_.reset();
}

int16_t QUENTOR::etatFenetre() const {
    if (windowState() & Qt::WindowMinimized)
        return 1;
    if (windowState() & Qt::WindowMaximized)
        return 2;
    return 0;
}

void QUENTOR::setEtatFenetre(int16_t etat) {
    const Qt::WindowStates autres = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    switch (etat) {
    case 0: setWindowState(autres); break;
    case 1: setWindowState(autres | Qt::WindowMinimized); break;
    case 2: setWindowState(autres | Qt::WindowMaximized); break;
    default: break;  // the settings' read refuses any other value
    }
}

bool QUENTOR::imageVisible() const { return !PHOTO->isHidden(); }
void QUENTOR::setImageVisible(bool visible) { PHOTO->setVisible(visible); }
QPixmap QUENTOR::image() const { return PHOTO->pixmap(); }
void QUENTOR::setImage(const QPixmap& p) { PHOTO->setPixmap(p); }

bool QUENTOR::chargeImage(const QString& chemin, QString* erreur) {
    auto echec = [&](const QString& raison) {
        PHOTO->clear();
        if (erreur)
            *erreur = raison;
        return false;
    };
    if (chemin.isEmpty())
        return echec(QStringLiteral("Aucune image n'est indiquée."));
    if (!QFileInfo(chemin).isFile())
        return echec(QStringLiteral("Fichier introuvable."));
    QImageReader lecteur(chemin);
    const QImage image = lecteur.read();
    if (image.isNull())
        return echec(QStringLiteral("Ce fichier n'est pas une image lisible."));
    PHOTO->setPixmap(QPixmap::fromImage(image));
    return true;
}

void QUENTOR::alignBandeSurHeure() {
    bande->setX1(EnTwips(AffHEURE->x()));
    bande->setX2(bande->X1());
}

void QUENTOR::metLegende(const QDateTime& t) {
    // The caption names the minute: it is formatted again only when the minute changes.
    const QDate jour = t.date();
    const int minute = t.time().hour() * 60 + t.time().minute();
    if (jour == jourLegende_ && minute == minuteLegende_ && windowTitle() == legende_)
        return;
    jourLegende_ = jour;
    minuteLegende_ = minute;
    // The default locale is the system's; day and month names follow it.
    legende_ = QLocale().toString(t, QStringLiteral(" hh:mm - dddd d MMM yy"));
    setWindowTitle(legende_);
}

double QUENTOR::bandeY() const { return bande->Y(); }
double QUENTOR::bandeX1() const { return bande->X1(); }
double QUENTOR::bandeX2() const { return bande->X2(); }

void QUENTOR::mesureCadran() {
    cadranMesurable_ = true;
    metEnPage(EnTwips(frameGeometry().height()));
    rattrapeCadran();
}

void QUENTOR::metEnPage(double hauteurExterieureTwips) {
    if (!cadranMesurable_)
        return;
    const MiseEnPageHeure m = CalculeMiseEnPage(hauteurExterieureTwips);
    QFont f = AffHEURE->font();
    f.setPointSizeF(std::max(1, m.policePt));
    AffHEURE->setFont(f);
    AffHEURE->adjustSize();
    hautHeureTwips_ = m.hautTwips;
    AffHEURE->move(AffHEURE->x(), EnPixels(m.hautTwips));
    bande->setY(OrdonneeBande(m.hautTwips, EnTwips(AffHEURE->height())));
}

void QUENTOR::QUENTOR_Form_Resize() {
    metEnPage(EnTwips(frameGeometry().height()));
    // Hidden only when the notification icon can bring it back.
    if ((windowState() & Qt::WindowMinimized) && !Etat.ResteVisible && peutSeCacher() && !isHidden())
        hide();
}

void QUENTOR::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    suitGeometrieDemandee();
    QUENTOR_Form_Resize();
}

void QUENTOR::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    suitGeometrieDemandee();
}

void QUENTOR::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) {
        QUENTOR_Form_Resize();
        rattrapeCadran();
    }
}

void QUENTOR::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // The window system forgets the state each time the window is withdrawn.
    if (horsListeDesTaches_)
        ExclutDeLaListeDesTaches(this, true);
    rattrapeCadran();
}

void QUENTOR::closeEvent(QCloseEvent* e) {
    if (!surFermeture)
        return QWidget::closeEvent(e);
    // The close sequence hides the window and ends the program itself.
    e->ignore();
    surFermeture();
}

void QUENTOR::montreSiPrevu() {
    if (aMontrer_)
        show();
}

void QUENTOR::restaure() {
    setVisible(true);
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

bool QUENTOR::peutSeCacher() const { return PF().notification && PF().notification->disponible(); }

void QUENTOR::appliqueListeDesTaches() {
    if (windowHandle())
        ExclutDeLaListeDesTaches(this, horsListeDesTaches_);
}
