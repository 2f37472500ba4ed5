// The clock window's ways in: the notification icon, its popup menu, the toolbar over the face
// and mouse actions on the face.
#include "clock/QUENTOR.h"

#include "alarms/Calendrier.h"
#include "alarms/Sonnerie.h"
#include "state/Etat.h"
#include "art/Dessins.h"
#include "art/Twips.h"
#include "platform/Aide.h"
#include "platform/Plateforme.h"
#include "sound/DitHeure.h"
#include "sound/Son.h"
#include "timer/DureeMinuteur.h"
#include "timer/Minuteur.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

void QUENTOR::construitOutils() {
    CadreOutils = new QWidget(this);
    CadreOutils->setObjectName(QStringLiteral("CadreOutils"));
    CadreOutils->setAutoFillBackground(true);
    QPalette p = CadreOutils->palette();
    p.setColor(QPalette::Window, QColor(224, 224, 224));
    CadreOutils->setPalette(p);
    CadreOutils->setGeometry(EnPixels(720), 0, EnPixels(1815), EnPixels(330));
    CadreOutils->hide();

    struct Bouton {
        BoutonOutil** membre;
        const char* nom;
        SymboleOutil symbole;
        const char* bulle;
        void (QUENTOR::*clic)();
    };
    const Bouton boutons[] = {
        {&Image0, "Image0", SymboleOutil::Marteau, "Réglages", &QUENTOR::QUENTOR_Image0_Click},
        {&Image2, "Image2", SymboleOutil::Cloche, "Alarmes", &QUENTOR::QUENTOR_Image2_Click},
        {&Image3, "Image3", SymboleOutil::Info, "Informations", &QUENTOR::QUENTOR_Image3_Click},
        {&Image4, "Image4", SymboleOutil::Aide, "Aide", &QUENTOR::QUENTOR_Image4_Click},
        {&Image5, "Image5", SymboleOutil::Quitter, "Fermer Quentor Sonalde", &QUENTOR::QUENTOR_Image5_Click},
    };
    int gauche = 0;
    for (const Bouton& b : boutons) {
        auto* image = new BoutonOutil(b.symbole, CadreOutils);
        image->setObjectName(QString::fromLatin1(b.nom));
        image->setToolTip(QString::fromUtf8(b.bulle));
        image->setAccessibleName(image->toolTip());
        image->setGeometry(EnPixels(gauche), 0, EnPixels(360), EnPixels(330));
        image->surClic = [this, clic = b.clic] { (this->*clic)(); };
        *b.membre = image;
        gauche += 360;
    }

    // Runs freely: the toolbar goes at the next 15-second mark, whenever it was shown.
    Outils = new QTimer(this);
    Outils->setObjectName(QStringLiteral("Outils"));
    Outils->setInterval(15000);
    connect(Outils, &QTimer::timeout, this, [this] { QUENTOR_Outils_Timer(); });
    Outils->start();
}

void QUENTOR::construitMenu() {
    BULLE = new QMenu(this);
    BULLE->setObjectName(QStringLiteral("BULLE"));
    AffHoraire = BULLE->addAction(QStringLiteral("il est ..."));
    AffHoraire->setObjectName(QStringLiteral("AffHoraire"));
    DitLHeure = BULLE->addAction(QStringLiteral("Dire l'heure"));
    DitLHeure->setObjectName(QStringLiteral("DitLHeure"));
    DitLaDate = BULLE->addAction(QStringLiteral("Dire la date"));
    DitLaDate->setObjectName(QStringLiteral("DitLaDate"));
    connect(DitLaDate, &QAction::triggered, this, [this] { QUENTOR_DitLaDate_Click(); });
    Agrandir = BULLE->addAction(QStringLiteral("Agrandir"));
    Agrandir->setObjectName(QStringLiteral("Agrandir"));
    VolumeSilence = BULLE->addAction(QStringLiteral("Volume et silence…"));
    VolumeSilence->setObjectName(QStringLiteral("VolumeSilence"));
    connect(VolumeSilence, &QAction::triggered, this, [this] { QUENTOR_VolumeSilence_Click(); });
    MenuMinuteur = BULLE->addAction(QStringLiteral("Minuteur…"));
    MenuMinuteur->setObjectName(QStringLiteral("MenuMinuteur"));
    // These two are in the menu only while a timer runs or rings (see suitMinuteur).
    TempsRestant = new QAction(QStringLiteral("Temps restant"), BULLE);
    TempsRestant->setObjectName(QStringLiteral("TempsRestant"));
    ArretMinuteur = new QAction(QStringLiteral("Arrêter le minuteur"), BULLE);
    ArretMinuteur->setObjectName(QStringLiteral("ArretMinuteur"));
    connect(MenuMinuteur, &QAction::triggered, this, [this] { QUENTOR_MenuMinuteur_Click(); });
    connect(TempsRestant, &QAction::triggered, this, [this] { QUENTOR_TempsRestant_Click(); });
    connect(ArretMinuteur, &QAction::triggered, this, [this] { QUENTOR_ArretMinuteur_Click(); });
    Fermeture = BULLE->addAction(QStringLiteral("Ferme Quentor Sonalde"));
    Fermeture->setObjectName(QStringLiteral("Fermeture"));
    connect(&LeMinuteur(), &Minuteur::change, this, [this] { suitMinuteur(); });
    suitMinuteur();
    connect(AffHoraire, &QAction::triggered, this, [this] { QUENTOR_AffHoraire_Click(); });
    connect(DitLHeure, &QAction::triggered, this, [this] { QUENTOR_DitLHeure_Click(); });
    connect(Agrandir, &QAction::triggered, this, [this] { QUENTOR_Agrandir_Click(); });
    connect(Fermeture, &QAction::triggered, this, [this] { QUENTOR_Fermeture_Click(); });
    // In the menu only while an alarm rings or waits to ring again (QUENTOR_BULLE_Click).
    ArretAlarme = new QAction(QStringLiteral("Arrêter l'alarme"), BULLE);
    ArretAlarme->setObjectName(QStringLiteral("ArretAlarme"));
    ReportAlarme = new QAction(QStringLiteral("Répéter"), BULLE);
    ReportAlarme->setObjectName(QStringLiteral("ReportAlarme"));
    SeparateurAlarme = new QAction(BULLE);
    SeparateurAlarme->setSeparator(true);
    connect(ArretAlarme, &QAction::triggered, this, [this] { QUENTOR_ArretAlarme_Click(); });
    connect(ReportAlarme, &QAction::triggered, this, [this] { QUENTOR_ReportAlarme_Click(); });
    // The platform may open the menu itself on a right click.
    connect(BULLE, &QMenu::aboutToShow, this, [this] { QUENTOR_BULLE_Click(); });
}

void QUENTOR::LanceTrayIcon() {
    ZoneNotification* zone = PF().notification;
    if (!zone)
        return;
    zone->surNotification = [this](int code) { QUENTOR_Form_MouseMove(code); };
    // Added even when there is no notification area yet: the icon docks into one that appears
    // later (a panel that starts after us).
    zone->ajoute(IconeProgramme(), QStringLiteral("Quentor Sonalde ") + Etat.VersionTexte, BULLE);
    iconeAjoutee_ = true;
    suitZoneNotification();
}

void QUENTOR::suitZoneNotification() {
    // The task list is the way back to the window whenever the icon is not in an area.
    const bool dansLaZone = iconeAjoutee_ && peutSeCacher();
    if (dansLaZone == horsListeDesTaches_)
        return;
    horsListeDesTaches_ = dansLaZone;
    appliqueListeDesTaches();
    // The area went away (its panel ended) while the window was hidden in it.
    if (!dansLaZone && isHidden())
        restaure();
}

void QUENTOR::retireTrayIcon() {
    ZoneNotification* zone = PF().notification;
    if (!zone)
        return;
    iconeAjoutee_ = false;
    zone->retire();
    zone->surNotification = nullptr;
}

void QUENTOR::QUENTOR_Form_MouseMove(int code) {
    CadreOutils->show();
    CadreOutils->raise();
    // The open menu keeps the notifications busy for as long as it is shown, whoever opened it
    // (this handler, or the platform on a right click); a menu the platform shows by its own
    // means never does.
    if (TrayOccupé || BULLE->isVisible())
        return;
    TrayOccupé = true;
    switch (code) {
    case ZoneNotification::GaucheRelache:
    case ZoneNotification::GaucheDouble: restaure(); break;
    case ZoneNotification::DroitRelache:
        if (!BULLE->isVisible())
            BULLE->popup(QCursor::pos());
        break;
    case ZoneNotification::MilieuRelache: DitHeure(); break;
    default: break;
    }
    TrayOccupé = false;
}

void QUENTOR::mouseMoveEvent(QMouseEvent* e) {
    // An ordinary move over the face: it shows the toolbar and nothing else, wherever the
    // pointer is.
    QUENTOR_Form_MouseMove(ZoneNotification::Deplacement);
    QWidget::mouseMoveEvent(e);
}

bool QUENTOR::eventFilter(QObject* o, QEvent* e) {
    if (o == AffHEURE && e->type() == QEvent::MouseButtonPress) {
        QUENTOR_AffHEURE_MouseDown(static_cast<QMouseEvent*>(e)->button());
        return true;
    }
    return QWidget::eventFilter(o, e);
}

void QUENTOR::QUENTOR_AffHEURE_MouseDown(Qt::MouseButton bouton) {
    if (bouton == Qt::LeftButton) {
        CadreOutils->show();
        CadreOutils->raise();
    } else if (bouton == Qt::RightButton) {
        CadreOutils->hide();
    }
}

// The toolbar from the keyboard: a key pressed in the clock window (but H and D, which say the time
// and the date)
// shows it as a mouse move does, with the focus on its first button (on the last for Shift+Tab);
// Tab, Left and Right go from button to button, Space and Enter press them, Escape hides it. Its buttons take the
// focus only then: shown by the mouse, the toolbar draws no focus and takes no key.
void QUENTOR::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr: return QWidget::keyPressEvent(e);
    case Qt::Key_Escape: cacheOutils(); return;
    // H says the time, D the date, in either case, but not as part of a shortcut; T the timer's
    // time left, while one runs.
    case Qt::Key_H:
    case Qt::Key_D:
        if (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            e->key() == Qt::Key_H ? DitHeure() : DitDate();
            return;
        }
        break;
    case Qt::Key_T:
        if (LeMinuteur().actif() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            LeMinuteur().ditRestant();
            return;
        }
        break;
    default: break;
    }
    if (CadreOutils->isVisible() && CadreOutils->isAncestorOf(focusWidget()))
        return QWidget::keyPressEvent(e);
    CadreOutils->show();
    CadreOutils->raise();
    for (BoutonOutil* b : {Image0, Image2, Image3, Image4, Image5})
        b->setFocusPolicy(Qt::TabFocus);
    (e->key() == Qt::Key_Backtab ? Image5 : Image0)->setFocus(Qt::TabFocusReason);
}

void QUENTOR::QUENTOR_Outils_Timer() {
    // Not from under the keyboard: while one of its buttons has the focus the toolbar stays, and
    // goes at the first mark after the focus has left it.
    if (CadreOutils->isVisible() && CadreOutils->isAncestorOf(QApplication::focusWidget()))
        return;
    cacheOutils();
}

void QUENTOR::cacheOutils() {
    CadreOutils->hide();
    for (BoutonOutil* b : {Image0, Image2, Image3, Image4, Image5})
        b->setFocusPolicy(Qt::NoFocus);
}

void QUENTOR::QUENTOR_BULLE_Click() {
    const QString hm = PF().horloge->maintenant().toString(QStringLiteral("hh:mm"));
    BULLE->setTitle(hm);
    AffHoraire->setText(QStringLiteral("Il est ") + hm);
    // Added and taken away rather than hidden: a D-Bus menu lists hidden items too.
    const int16_t n = AlarmeEnCours();
    const bool presentes = BULLE->actions().contains(ArretAlarme);
    if (n >= 0 && !presentes)
        BULLE->insertActions(AffHoraire, {ArretAlarme, ReportAlarme, SeparateurAlarme});
    if (n < 0 && presentes)
        for (QAction* a : {ArretAlarme, ReportAlarme, SeparateurAlarme})
            BULLE->removeAction(a);
    if (n >= 0)
        ReportAlarme->setText(QStringLiteral("Répéter dans %1 min").arg(Etat.Alarmes[n].Repete));
}

void QUENTOR::QUENTOR_ArretAlarme_Click() { ArreteAlarme(AlarmeEnCours()); }
void QUENTOR::QUENTOR_ReportAlarme_Click() { RepousseAlarme(AlarmeEnCours()); }

void QUENTOR::suitProchaineAlarme(const QDateTime& t, bool minute) {
    if (!minute && !bulleEnRetard_ && generationBulle_ == GenerationSonnerie())
        return;
    bulleEnRetard_ = false;
    generationBulle_ = GenerationSonnerie();
    const QString texte = TexteProchaineAlarme(t);
    if (texte == prochaineAlarme_ || !iconeAjoutee_ || !PF().notification)
        return;
    prochaineAlarme_ = texte;
    changeBulle();
}

// The tooltip tells the version, then the next alarm and the timer when there are.
void QUENTOR::changeBulle() {
    QString bulle = QStringLiteral("Quentor Sonalde ") + Etat.VersionTexte;
    if (!prochaineAlarme_.isEmpty())
        bulle += QStringLiteral("\nProchaine alarme : ") + prochaineAlarme_;
    if (!bulleMinuteur_.isEmpty())
        bulle += u'\n' + bulleMinuteur_;
    PF().notification->changeBulle(bulle);
}

void QUENTOR::QUENTOR_AffHoraire_Click() { JoueSon(kClipCarillon); }
void QUENTOR::QUENTOR_DitLHeure_Click() { DitHeure(); }
void QUENTOR::QUENTOR_DitLaDate_Click() { DitDate(); }
void QUENTOR::QUENTOR_Agrandir_Click() { restaure(); }

void QUENTOR::QUENTOR_VolumeSilence_Click() {
    if (ouvreVolumeSilence)
        ouvreVolumeSilence();
}

void QUENTOR::QUENTOR_MenuMinuteur_Click() {
    if (ouvreMinuteur)
        ouvreMinuteur();
}

void QUENTOR::QUENTOR_TempsRestant_Click() { LeMinuteur().ditRestant(); }
void QUENTOR::QUENTOR_ArretMinuteur_Click() { LeMinuteur().arrete(); }

void QUENTOR::suitMinuteur() {
    const Minuteur& m = LeMinuteur();
    // Added and taken away rather than hidden, as the alarm's items are.
    const auto place = [this](QAction* a, bool present) {
        if (present && !BULLE->actions().contains(a))
            BULLE->insertAction(Fermeture, a);
        if (!present)
            BULLE->removeAction(a);
    };
    place(TempsRestant, m.actif());
    place(ArretMinuteur, m.phase() != Minuteur::Phase::Arrete);
    const QString enPause = m.phase() == Minuteur::Phase::EnPause ? QStringLiteral(" (en pause)") : QString();
    const QString bulle = m.actif() ? QStringLiteral("Minuteur : ") + TexteRestant(m.restant()) + enPause
                          : m.phase() == Minuteur::Phase::Sonne ? QStringLiteral("Minuteur terminé")
                                                                : QString();
    if (bulle == bulleMinuteur_ || !PF().notification || !iconeAjoutee_)
        return;
    bulleMinuteur_ = bulle;
    changeBulle();
}

void QUENTOR::QUENTOR_Fermeture_Click() {
    if (surFermeture)
        surFermeture();
}

void QUENTOR::QUENTOR_Image0_Click() {
    JoueSon(kClipSignature);
    if (ouvreParametres)
        ouvreParametres();
}

void QUENTOR::QUENTOR_Image2_Click() {
    JoueSon(kClipSignature);
    if (ouvreAlarmes)
        ouvreAlarmes();
}

void QUENTOR::QUENTOR_Image3_Click() {
    JoueSon(kClipSignature);
    if (ouvreInfo)
        ouvreInfo();
}

void QUENTOR::QUENTOR_Image4_Click() {
    JoueSon(kClipSignature);
    OuvreAide();
}

void QUENTOR::QUENTOR_Image5_Click() {
    JoueSon(kClipSignature);
    if (surFermeture)
        surFermeture();
}
