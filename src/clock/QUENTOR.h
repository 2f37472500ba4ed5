#pragma once
// The clock window: the face (time, seconds band, background picture, tick marker), its tick,
// the notification-area icon, the popup menu and the toolbar.

#include "sound/Sequenceur.h"
#include "state/FenetreHorloge.h"

#include <QColor>
#include <QDateTime>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QLabel;
class QMenu;
class QAction;
class QTimer;
class BandeSecondes;
class ImageDessinee;
class BoutonOutil;

// Where the layout puts the time for an outer window height, all in twips and points.
struct MiseEnPageHeure {
    int policePt = 0;      // Int(H / 45) + 2
    double hautTwips = 0;  // H / 6 + 100
};
MiseEnPageHeure CalculeMiseEnPage(double hauteurExterieureTwips);
// The band's Y: just under the label, whose top and height are given in twips.
double OrdonneeBande(double hautHeureTwips, double hauteurHeureTwips);

class QUENTOR : public QWidget, public FenetreHorloge {
    Q_OBJECT
public:
    explicit QUENTOR(QWidget* parent = nullptr);
    ~QUENTOR() override;

    // Appearance, in the units the settings file keeps.
    QWidget* widget() override { return this; }
    QColor couleurFond() const override;
    void setCouleurFond(const QColor& c) override;
    QColor couleurEncre() const override;
    void setCouleurEncre(const QColor& c) override;
    QColor couleurBande() const override;
    void setCouleurBande(const QColor& c) override;

    RectTwips geometrieTwips() const override;
    void setGeometrieTwips(const RectTwips& r);
    // 0 normal, 1 minimised, 2 maximised; setEtatFenetre leaves the state as it is for any other.
    int16_t etatFenetre() const;
    void setEtatFenetre(int16_t etat);

    // Background picture PHOTO.
    bool imageVisible() const override;
    void setImageVisible(bool visible) override;
    QPixmap image() const override;
    void setImage(const QPixmap& p) override;
    // Loads a picture into PHOTO; on failure returns false with the French reason in *erreur.
    bool chargeImage(const QString& chemin, QString* erreur);

    // Load-time steps: band under the time's left edge, caption from `t`.
    void alignBandeSurHeure();
    void metLegende(const QDateTime& t);

    // The clock's Timer (the tick); the alarm editor switches it off while open.
    void demarreTimer() override;
    void arreteTimer() override;
    bool timerActif() const;
    // A tick is under way: its minute's work or its marker's quarter second.
    bool ticEnCours() const { return enTic_; }

    void cacheOutils() override;

    // Visible, then normal state.
    void restaure();

    // Whether the start shows the window, as the load decided. It shows once the icon is asked
    // for: the notification area docks the icon meanwhile, and the window maps already out of the
    // task list.
    void prevoitAffichage(bool montrer) { aMontrer_ = montrer; }
    void montreSiPrevu();
    // Notification-area icon: added once after load, removed by the close sequence.
    void LanceTrayIcon();
    void retireTrayIcon();
    // The window may only leave the screen while a notification area can bring it back.
    bool peutSeCacher() const;

    // The close sequence; every way of closing the window calls it.
    std::function<void()> surFermeture;
    // The windows the toolbar opens (settings, alarm editor, information), wired by start-up.
    std::function<void()> ouvreParametres, ouvreAlarmes, ouvreInfo;
    // The silent hours and volume window, from the popup menu.
    std::function<void()> ouvreVolumeSilence;
    // The timer's window, from the popup menu.
    std::function<void()> ouvreMinuteur;

    // Handlers, named after their control and event.
    void QUENTOR_Timer_Timer();
    void QUENTOR_Form_Resize();
    void QUENTOR_Form_MouseMove(int code);
    void QUENTOR_AffHEURE_MouseDown(Qt::MouseButton bouton);
    void QUENTOR_Outils_Timer();
    void QUENTOR_BULLE_Click();
    void QUENTOR_AffHoraire_Click();
    void QUENTOR_DitLHeure_Click();
    void QUENTOR_DitLaDate_Click();
    void QUENTOR_Agrandir_Click();
    void QUENTOR_VolumeSilence_Click();
    void QUENTOR_MenuMinuteur_Click();
    void QUENTOR_TempsRestant_Click();
    void QUENTOR_ArretMinuteur_Click();
    void QUENTOR_Fermeture_Click();
    void QUENTOR_ArretAlarme_Click();
    void QUENTOR_ReportAlarme_Click();
    // The clock last ran up to `marche` (the run record): the first tick catches up from there
    // as after a jump, once the start clip has played.
    void rattrapeDepuis(const QDateTime& marche) { marchePrecedente_ = marche; }
    void QUENTOR_Image0_Click();
    void QUENTOR_Image2_Click();
    void QUENTOR_Image3_Click();
    void QUENTOR_Image4_Click();
    void QUENTOR_Image5_Click();

    // The large digits are measured from here on, and laid out at once. Their first measure
    // starts the font system, milliseconds of work that the notification icon need not wait for:
    // the start calls this once the icon is asked for, before the window is first painted.
    void mesureCadran();
    // The layout for a given outer height (twips); QUENTOR_Form_Resize measures it.
    void metEnPage(double hauteurExterieureTwips);
    // Top of the time label and Y of the band, in twips, as the last layout left them.
    double hautHeureTwips() const { return hautHeureTwips_; }
    double bandeY() const;
    double bandeX1() const;
    double bandeX2() const;

    // Controls, named and objectNamed like the window's design.
    QLabel* AffHEURE = nullptr;
    BandeSecondes* bande = nullptr;
    QLabel* PHOTO = nullptr;
    ImageDessinee* Flash = nullptr;
    QTimer* Timer = nullptr;
    QWidget* CadreOutils = nullptr;
    BoutonOutil* Image0 = nullptr;
    BoutonOutil* Image2 = nullptr;
    BoutonOutil* Image3 = nullptr;
    BoutonOutil* Image4 = nullptr;
    BoutonOutil* Image5 = nullptr;
    QTimer* Outils = nullptr;
    QMenu* BULLE = nullptr;
    QAction* AffHoraire = nullptr;
    QAction* DitLHeure = nullptr;
    QAction* DitLaDate = nullptr;
    QAction* Agrandir = nullptr;
    QAction* VolumeSilence = nullptr;
    // The timer: its window; while one runs, the time left said and the way to stop it.
    QAction* MenuMinuteur = nullptr;
    QAction* TempsRestant = nullptr;
    QAction* ArretMinuteur = nullptr;
    QAction* Fermeture = nullptr;
    // At the top of the menu while an alarm rings or waits to ring again.
    QAction* ArretAlarme = nullptr;
    QAction* ReportAlarme = nullptr;
    QAction* SeparateurAlarme = nullptr;

    // True while a notification is being acted on (the popup menu is open, a restore runs).
    bool TrayOccupé = false;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void construitCadran();
    void construitOutils();
    void construitMenu();
    // The timer's menu items and the icon's tooltip follow it.
    void suitMinuteur();
    // The minute's work at the minute `t` will sound: the chime, an announcement or an alarm.
    static bool MinuteSonore(const QTime& t);
    void relieMinuteur();
    void programmeProchainTic();
    Etapes travailDeLaMinute();
    void appliqueListeDesTaches();
    // Follows the notification area: out of the task list while the icon is in one.
    void suitZoneNotification();
    // The tooltip's second line, the next alarm, when it may have changed.
    void suitProchaineAlarme(const QDateTime& t, bool minute);
    void changeBulle();
    QMargins margesCadre() const;
    void appliqueGeometrie(const RectTwips& r);
    void suitGeometrieDemandee();
    // True while the face can be seen: the window is shown and not minimised.
    bool cadranVisible() const;
    // The time and the band from a reading; left for later while the face can't be seen.
    void afficheHeure(const QString& hm, int seconde);
    QString texteHeure(const QTime& h);
    // A face shown again catches up with the last reading before it is painted.
    void rattrapeCadran();

    bool cadranMesurable_ = false;
    bool aMontrer_ = false;
    double hautHeureTwips_ = 90;
    // The outer geometry asked for, until the window manager's frame is known and it has been
    // applied with it; reading it back meanwhile gives what was asked, so a window that was
    // never shown saves exactly what it loaded.
    std::optional<RectTwips> geometrieDemandee_;
    bool timerActif_ = false;
    bool enTic_ = false;
    QDateTime derniereMinuteTraitee_;
    QDateTime derniereLecture_;
    qint64 derniereMonoMs_ = 0;
    // The face missed ticks while it could not be seen.
    bool cadranEnRetard_ = false;
    // The time's text and the minute it names.
    QString heureTexte_;
    int minuteHeure_ = -1;
    // The caption last written and the minute it names.
    QString legende_;
    QDate jourLegende_;
    int minuteLegende_ = -1;
    bool horsListeDesTaches_ = false;
    bool iconeAjoutee_ = false;
    // The minute's work is sounding: the timer's words wait for its end.
    bool travailSonore_ = false;
    QString bulleMinuteur_;
    QDateTime marchePrecedente_;
    int generationBulle_ = -1;
    bool bulleEnRetard_ = true;
    QString prochaineAlarme_;
};
