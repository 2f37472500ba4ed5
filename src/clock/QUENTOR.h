#pragma once
// The clock window: the face (time, seconds band, background picture, tick marker), its tick,
// the notification-area icon, the popup menu and the toolbar.

#include <QColor>
#include <QDateTime>
#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;
class QMenu;
class QAction;
class QTimer;

// Window geometry in twips (15 to a pixel at 96 DPI), outer frame included.
struct RectTwips {
    double left = 0, top = 0, width = 0, height = 0;
};

class QUENTOR : public QWidget {
    Q_OBJECT
public:
    explicit QUENTOR(QWidget* parent = nullptr);
    ~QUENTOR() override;

    // Appearance, in the units the settings file keeps.
    QColor couleurFond() const;
    void setCouleurFond(const QColor& c);
    QColor couleurEncre() const;
    void setCouleurEncre(const QColor& c);
    QColor couleurBande() const;
    void setCouleurBande(const QColor& c);

    RectTwips geometrieTwips() const;
    void setGeometrieTwips(const RectTwips& r);
    // 0 normal, 1 minimised, 2 maximised. setEtatFenetre returns false for any other value.
    int16_t etatFenetre() const;
    bool setEtatFenetre(int16_t etat);

    // Background picture PHOTO.
    bool imageVisible() const;
    void setImageVisible(bool visible);
    // Loads a picture into PHOTO; on failure returns false with the French reason in *erreur.
    bool chargeImage(const QString& chemin, QString* erreur);

    // Load-time steps: band under the time's left edge, caption from `t`.
    void alignBandeSurHeure();
    void metLegende(const QDateTime& t);

    // The clock's Timer (the tick); the alarm editor switches it off while open.
    void demarreTimer();
    void arreteTimer();
    bool timerActif() const;

    // Visible, then normal state.
    void restaure();

    // Notification-area icon: added once after load, removed by the close sequence.
    void LanceTrayIcon();
    void retireTrayIcon();

    // The close sequence; every way of closing the window calls it.
    std::function<void()> surFermeture;
};
