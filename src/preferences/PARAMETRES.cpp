// The settings window's controls, in the places and states of its design.

#include "preferences/PARAMETRES.h"

#include "art/Dessins.h"
#include "art/FenetreModale.h"
#include "art/FenetreUnique.h"
#include "art/Twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <class T>
T* Commande(QWidget* parent, const char* nom, const char* legende, QRect place, const char* bulle = nullptr) {
    auto* c = new T(QString::fromUtf8(legende), parent);
    c->setObjectName(QString::fromLatin1(nom));
    c->setGeometry(place);
    if (bulle)
        c->setToolTip(QString::fromUtf8(bulle));
    return c;
}

const QColor GrisClair(192, 192, 192);

}  // namespace

PointTwips PositionParametres(const RectTwips& horloge) { return PlaceSurHorloge(horloge, 2850, 4000, 3040); }

PARAMETRES::PARAMETRES(FenetreHorloge& horloge) : QWidget(horloge.widget(), Qt::Dialog), horloge_(horloge) {
    PrepareFenetreModale(this, QStringLiteral("PARAMETRES"), QStringLiteral("QUENTOR SONALDE 95"), 3795, 4965);
    construitCommandes();
    relieCommandes();
    // The design places controls from the frame's outer top, its caption set into the top line:
    // without this, the style puts the line under the caption, through the first row of controls.
    // Set last: a style sheet set before the controls exist keeps them from taking the font above.
    setStyleSheet(
        QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
}

// Created in the order the keyboard visits them.
void PARAMETRES::construitCommandes() {
    CheckDémarre = Commande<QCheckBox>(this, "CheckDemarre", "Auto démarre", Place(135, 10, 1365, 285),
                                       "cochez cette case pour lancer automatiquement Quentor Sonalde au démarrage de "
                                       "l'ordinateur");
    Visibilité = Commande<QCheckBox>(this, "Visibilite", "Visible aprés réduction", Place(1800, 10, 2265, 285),
                                     "cochez cette case pour voir l'icone du programme réduit");
    Visibilité->setChecked(true);

    CadreVoix = Commande<QGroupBox>(this, "CadreVoix", "Voix", Place(120, 320, 3555, 495),
                                    "choisissez le type de voix pour les annonces horaires");
    groupeGenre_ = new QButtonGroup(this);
    const char* voix[] = {"homme", "femme"};
    for (int i = 0; i < 2; ++i) {
        Genre[i] =
            Commande<QRadioButton>(CadreVoix, i ? "Genre1" : "Genre0", voix[i], Place(660 + 1020 * i, 120, 840, 330));
        groupeGenre_->addButton(Genre[i], i);
    }
    // In the room the voices leave free at the right of their frame.
    BoutonVolume = Commande<QPushButton>(CadreVoix, "BoutonVolume", "Volume…", Place(2625, 120, 840, 330),
                                         "volume des sons et heures de silence");
    BoutonVolume->setAccessibleName(QStringLiteral("Volume et silence"));
    BoutonVolume->setAutoDefault(true);

    OptionAnnonce = Commande<QGroupBox>(this, "OptionAnnonce", "Annonces", Place(135, 885, 1635, 1590),
                                        "périodicité des annonces vocales");
    groupeQS_ = new QButtonGroup(this);
    const struct {
        const char* nom;
        const char* legende;
        double haut, largeur;
    } periodes[] = {{"OptionQS0", "chaque heure", 270, 1320},
                    {"OptionQS1", "chaque 1/2 H", 540, 1320},
                    {"OptionQS2", "chaque 1/4 H", 855, 1320},
                    {"OptionQS3", "chaque 5 mn", 1125, 1275}};
    for (int i = 0; i < 4; ++i) {
        OptionQS[i] = Commande<QRadioButton>(OptionAnnonce, periodes[i].nom, periodes[i].legende,
                                             Place(180, periodes[i].haut, periodes[i].largeur, 330));
        groupeQS_->addButton(OptionQS[i], i);
    }
    OptionQS[2]->setChecked(true);

    OptionCouleurs = Commande<QGroupBox>(this, "OptionCouleurs", "Couleurs", Place(1845, 885, 1815, 1590));
    const char* couleurs[] = {"Fond", "Encre", "Bande"};
    for (int i = 0; i < 3; ++i) {
        const double haut = 315 + 405 * i;
        const QByteArray nom = "BoutonCouleur" + QByteArray::number(i);
        BoutonCouleur[i] = Commande<QPushButton>(OptionCouleurs, nom.constData(), couleurs[i],
                                                 Place(585, haut, 1050, 285), "choisissez vos couleurs");
        BoutonCouleur[i]->setAutoDefault(true);
        Echantillon[i] = new QFrame(OptionCouleurs);
        Echantillon[i]->setObjectName(QStringLiteral("Echantillon%1").arg(i));
        Echantillon[i]->setGeometry(Place(180, haut, 285, 285));
        Echantillon[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        Echantillon[i]->setAutoFillBackground(true);
        Echantillon[i]->setAccessibleName(QStringLiteral("Échantillon ") + QString::fromUtf8(couleurs[i]));
        colorieEchantillon(i, GrisClair);
    }

    OptionImage = Commande<QGroupBox>(this, "OptionImage", "Image de fond", Place(135, 2505, 3525, 1995));
    CaseIma = Commande<QCheckBox>(OptionImage, "CaseIma", "Image active", Place(135, 225, 1545, 285));
    BoutonImage = Commande<QPushButton>(OptionImage, "BoutonImage", "BMP", Place(2070, 225, 870, 285),
                                        "choisir une image pour habiller l'quentor");
    BoutonImage->setAutoDefault(true);
    PictureBox = new QLabel(OptionImage);
    PictureBox->setObjectName(QStringLiteral("PictureBox"));
    PictureBox->setGeometry(Place(90, 585, 3345, 1320));
    PictureBox->setAlignment(Qt::AlignCenter);
    PictureBox->setAutoFillBackground(true);
    PictureBox->setAccessibleName(QStringLiteral("Aperçu de l'image de fond"));
    QPalette fond = PictureBox->palette();
    fond.setColor(QPalette::Window, GrisClair);
    PictureBox->setPalette(fond);

    Retour1 = Commande<QPushButton>(this, "Retour1", "Terminé", Place(135, 4575, 3525, 285));
    QFont gras = Retour1->font();
    gras.setBold(true);
    Retour1->setFont(gras);
    Retour1->setAutoDefault(true);
}

void PARAMETRES::relieCommandes() {
    for (int i = 0; i < 3; ++i)
        connect(BoutonCouleur[i], &QPushButton::clicked, this, [this, i] { PARAMETRES_BoutonCouleur_Click(i); });
    connect(BoutonImage, &QPushButton::clicked, this, [this] { PARAMETRES_BoutonImage_Click(); });
    connect(CaseIma, &QCheckBox::clicked, this, [this] { PARAMETRES_CaseIma_Click(); });
    connect(Visibilité, &QCheckBox::clicked, this, [this] { PARAMETRES_Visibilité_Click(); });
    connect(CheckDémarre, &QCheckBox::clicked, this, [this] { PARAMETRES_CheckDémarre_Click(); });
    // Arrow keys inside a group click the next button, so the keyboard reaches these too.
    connect(groupeGenre_, &QButtonGroup::idClicked, this, [this](int i) { PARAMETRES_Genre_Click(i); });
    connect(groupeQS_, &QButtonGroup::idClicked, this, [this](int i) { PARAMETRES_OptionQS_Click(i); });
    connect(BoutonVolume, &QPushButton::clicked, this, [this] { PARAMETRES_BoutonVolume_Click(); });
    connect(Retour1, &QPushButton::clicked, this, [this] { PARAMETRES_Retour1_Click(); });
    // Escape is the close box: the window goes, the clock's toolbar stays as it is.
    FermeParEchap(this);
}

void PARAMETRES::colorieEchantillon(int index, const QColor& c) {
    QPalette p = Echantillon[index]->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::WindowText, Qt::black);
    Echantillon[index]->setPalette(p);
    Echantillon[index]->setAccessibleDescription(c.name());
}

void PARAMETRES::montreApercu(const QPixmap& p) {
    // The whole picture, as large as the box allows without distorting it.
    PictureBox->setPixmap(p.isNull() ? QPixmap()
                                     : p.scaled(PictureBox->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void PARAMETRES::selectionne(QButtonGroup* groupe, int index) {
    if (QAbstractButton* b = groupe->button(index)) {
        b->setChecked(true);
    } else {
        // A code from a hand-edited file: no button stands for it, and it stays until the user
        // picks one.
        groupe->setExclusive(false);
        for (QAbstractButton* b : groupe->buttons())
            b->setChecked(false);
        groupe->setExclusive(true);
    }
    // Tab enters a group on its chosen button (on the first when none is), arrows move inside.
    for (QAbstractButton* b : groupe->buttons())
        b->setFocusPolicy(b->isChecked() || !groupe->checkedButton() ? Qt::StrongFocus : Qt::ClickFocus);
}

PARAMETRES* OuvreParametres(FenetreHorloge& horloge) {
    static QPointer<PARAMETRES> ouvert;
    return OuvreUneFois(ouvert, [&] {
        auto* w = new PARAMETRES(horloge);
        w->PARAMETRES_Form_Load();
        return w;
    });
}
