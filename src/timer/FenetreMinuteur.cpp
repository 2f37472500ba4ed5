#include "timer/FenetreMinuteur.h"

#include "art/Dessins.h"
#include "art/FenetreUnique.h"
#include "art/Twips.h"
#include "platform/Plateforme.h"
#include "state/Etat.h"
#include "timer/DureeMinuteur.h"
#include "timer/Minuteur.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>

namespace {

template <class T>
T* Commande(QWidget* parent, const char* nom, const char* texte = nullptr, const char* nomLu = nullptr) {
    auto* c = new T(parent);
    c->setObjectName(QString::fromLatin1(nom));
    if constexpr (requires { c->setText(QString()); })
        if (texte)
            c->setText(QString::fromUtf8(texte));
    if (nomLu)
        c->setAccessibleName(QString::fromUtf8(nomLu));
    return c;
}

QSpinBox* Nombre(QWidget* parent, const char* nom, const char* nomLu, int max, const char* suffixe) {
    auto* s = Commande<QSpinBox>(parent, nom, nullptr, nomLu);
    s->setRange(0, max);
    s->setSuffix(QString::fromUtf8(suffixe));
    s->setWrapping(true);
    return s;
}

}  // namespace

FenetreMinuteur::FenetreMinuteur(FenetreHorloge& horloge, QWidget* parent)
    : QWidget(parent, Qt::Dialog), horloge_(horloge) {
    setObjectName(QStringLiteral("FenetreMinuteur"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Minuteur"));
    setWindowIcon(IconeProgramme());
    construitCommandes();
    relieCommandes();
}

// Created in the order the keyboard visits them.
void FenetreMinuteur::construitCommandes() {
    OptionDuree = Commande<QRadioButton>(this, "OptionDuree", "Durée");
    Heures = Nombre(this, "Heures", "Heures", 23, " h");
    Minutes = Nombre(this, "Minutes", "Minutes", 59, " min");
    Secondes = Nombre(this, "Secondes", "Secondes", 59, " s");
    OptionJusqua = Commande<QRadioButton>(this, "OptionJusqua", "Jusqu'à");
    HeureFin = Commande<QTimeEdit>(this, "HeureFin", nullptr, "Heure de fin");
    HeureFin->setDisplayFormat(QStringLiteral("HH:mm"));
    HeureFin->setWrapping(true);
    CaseAnnonces = Commande<QCheckBox>(this, "CaseAnnonces", "Annoncer le temps restant");
    CaseAnnonces->setToolTip(QStringLiteral("plus que 5 minutes, plus qu'une minute… à l'approche de la fin"));
    BoutonSon = Commande<QPushButton>(this, "BoutonSon", "Son…");
    BoutonSon->setToolTip(QStringLiteral("choisir le fichier WAVE que sonne la fin"));
    AffSon = Commande<QLabel>(this, "AffSon");
    AffSon->setTextFormat(Qt::PlainText);
    BoutonSonDefaut = Commande<QPushButton>(this, "BoutonSonDefaut", "Par défaut", "Son par défaut");
    BoutonSonDefaut->setToolTip(QStringLiteral("le son d'alerte de l'horloge"));
    BoutonDemarrer = Commande<QPushButton>(this, "BoutonDemarrer", "Démarrer");
    AffRestant = Commande<QLabel>(this, "AffRestant");
    // Read out as its text, the time left, and described.
    AffRestant->setAccessibleDescription(QStringLiteral("Temps restant"));
    AffRestant->setAlignment(Qt::AlignCenter);
    AffRestant->setAutoFillBackground(true);
    // The clock's own digits and colours.
    QFont chiffres;
    chiffres.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    chiffres.setStyleHint(QFont::TypeWriter);
    chiffres.setBold(true);
    chiffres.setPointSizeF(30);
    AffRestant->setFont(chiffres);
    QPalette p = AffRestant->palette();
    p.setColor(QPalette::Window, horloge_.couleurFond());
    p.setColor(QPalette::WindowText, horloge_.couleurEncre());
    AffRestant->setPalette(p);
    BoutonPause = Commande<QPushButton>(this, "BoutonPause", "Pause");
    BoutonArreter = Commande<QPushButton>(this, "BoutonArreter", "Arrêter");
    Retour = Commande<QPushButton>(this, "Retour", "Fermer");
    Retour->setToolTip(QStringLiteral("ferme la fenêtre ; le minuteur continue"));
    for (QPushButton* b : {BoutonSon, BoutonSonDefaut, BoutonDemarrer, BoutonPause, BoutonArreter, Retour})
        b->setAutoDefault(true);

    auto* grille = new QGridLayout(this);
    grille->addWidget(OptionDuree, 0, 0);
    auto* duree = new QHBoxLayout;
    for (QSpinBox* s : {Heures, Minutes, Secondes})
        duree->addWidget(s);
    grille->addLayout(duree, 0, 1, 1, 2);
    grille->addWidget(OptionJusqua, 1, 0);
    grille->addWidget(HeureFin, 1, 1);
    grille->addWidget(CaseAnnonces, 2, 0, 1, 3);
    grille->addWidget(BoutonSon, 3, 0);
    grille->addWidget(AffSon, 3, 1);
    grille->addWidget(BoutonSonDefaut, 3, 2);
    grille->addWidget(BoutonDemarrer, 4, 0, 1, 3);
    grille->addWidget(AffRestant, 5, 0, 1, 3);
    grille->addWidget(BoutonPause, 6, 0);
    grille->addWidget(BoutonArreter, 6, 1);
    grille->addWidget(Retour, 6, 2);
    QWidget* avant = OptionDuree;
    for (QWidget* w :
         std::initializer_list<QWidget*>{Heures, Minutes, Secondes, OptionJusqua, HeureFin, CaseAnnonces, BoutonSon,
                                         BoutonSonDefaut, BoutonDemarrer, BoutonPause, BoutonArreter, Retour})
        setTabOrder(std::exchange(avant, w), w);
}

void FenetreMinuteur::relieCommandes() {
    connect(BoutonDemarrer, &QPushButton::clicked, this, [this] { FenetreMinuteur_BoutonDemarrer_Click(); });
    connect(BoutonPause, &QPushButton::clicked, this, [this] { FenetreMinuteur_BoutonPause_Click(); });
    connect(BoutonArreter, &QPushButton::clicked, this, [this] { FenetreMinuteur_BoutonArreter_Click(); });
    connect(BoutonSon, &QPushButton::clicked, this, [this] { FenetreMinuteur_BoutonSon_Click(); });
    connect(BoutonSonDefaut, &QPushButton::clicked, this, [this] { FenetreMinuteur_BoutonSonDefaut_Click(); });
    connect(CaseAnnonces, &QCheckBox::clicked, this, [this] { FenetreMinuteur_CaseAnnonces_Click(); });
    connect(Retour, &QPushButton::clicked, this, [this] { FenetreMinuteur_Retour_Click(); });
    // Choosing a length or a time chooses its way of counting.
    for (QSpinBox* s : {Heures, Minutes, Secondes})
        connect(s, &QSpinBox::valueChanged, this, [this] {
            OptionDuree->setChecked(true);
            suitMinuteur();
        });
    connect(HeureFin, &QTimeEdit::timeChanged, this, [this] { OptionJusqua->setChecked(true); });
    connect(&LeMinuteur(), &Minuteur::change, this, [this] { suitMinuteur(); });
    FermeParEchap(this);
}

int FenetreMinuteur::dureeChoisie() const { return Heures->value() * 3600 + Minutes->value() * 60 + Secondes->value(); }

void FenetreMinuteur::FenetreMinuteur_Form_Load() {
    const PointTwips place = PlaceSurHorloge(horloge_.geometrieTwips(), 4200, 4000, 3040);
    move(EnPixels(place.left), EnPixels(place.top));
    const int d = std::clamp<int>(Etat.MinuteurDuree, 1, kDureeMaxMinuteur);
    Heures->setValue(d / 3600);
    Minutes->setValue(d % 3600 / 60);
    Secondes->setValue(d % 60);
    const Minuteur& m = LeMinuteur();
    HeureFin->setTime(m.jusqua().isValid() ? m.jusqua() : PF().horloge->maintenant().time().addSecs(3600));
    (m.jusqua().isValid() ? OptionJusqua : OptionDuree)->setChecked(true);
    CaseAnnonces->setChecked(Etat.MinuteurAnnonces);
    suitMinuteur();
}

void FenetreMinuteur::suitMinuteur() {
    const Minuteur& m = LeMinuteur();
    const bool arrete = m.phase() == Minuteur::Phase::Arrete;
    AffRestant->setText(TexteRestant(m.actif() ? m.restant() : arrete ? dureeChoisie() : 0));
    BoutonPause->setText(m.phase() == Minuteur::Phase::EnPause ? QStringLiteral("Reprendre") : QStringLiteral("Pause"));
    BoutonPause->setEnabled(m.actif());
    BoutonArreter->setEnabled(!arrete);
    AffSon->setText(Etat.MinuteurSon.isEmpty() ? QStringLiteral("son par défaut")
                                               : QFileInfo(Etat.MinuteurSon).fileName());
    AffSon->setToolTip(Etat.MinuteurSon);
}

void FenetreMinuteur::FenetreMinuteur_BoutonDemarrer_Click() {
    if (OptionDuree->isChecked() && dureeChoisie() == 0) {
        PF().dialogues->bip();
        return;
    }
    // A timer that runs is the user's too: it goes only if they say so.
    if (!LeMinuteur().actif())
        return demarre();
    QPointer<FenetreMinuteur> moi(this);
    PF().dialogues->question(this, QStringLiteral("Minuteur"),
                             QStringLiteral("Un minuteur tourne encore (reste %1). Le remplacer par le nouveau ?")
                                 .arg(TexteRestant(LeMinuteur().restant())),
                             QStringLiteral("Remplacer"), QStringLiteral("Garder"), [moi](bool remplace) {
                                 if (remplace && moi)
                                     moi->demarre();
                             });
}

void FenetreMinuteur::demarre() {
    if (OptionJusqua->isChecked())
        LeMinuteur().lanceJusqua(HeureFin->time());
    else
        LeMinuteur().lance(dureeChoisie());
}

void FenetreMinuteur::FenetreMinuteur_BoutonPause_Click() {
    Minuteur& m = LeMinuteur();
    m.phase() == Minuteur::Phase::EnPause ? m.reprend() : m.pause();
}

void FenetreMinuteur::FenetreMinuteur_BoutonArreter_Click() { LeMinuteur().arrete(); }

void FenetreMinuteur::FenetreMinuteur_BoutonSon_Click() {
    const QString dossier = Etat.MinuteurSon.isEmpty() ? Etat.CheminAppli : QFileInfo(Etat.MinuteurSon).absolutePath();
    QPointer<FenetreMinuteur> moi(this);
    PF().dialogues->choisitFichier(this, dossier,
                                   {QStringLiteral("Sons WAVE (*.wav *.WAV)"), QStringLiteral("Tous les fichiers (*)")},
                                   [moi](const QString& chemin) {
                                       if (chemin.isEmpty())
                                           return;
                                       Etat.MinuteurSon = chemin;
                                       if (moi)
                                           moi->suitMinuteur();
                                   });
}

void FenetreMinuteur::FenetreMinuteur_BoutonSonDefaut_Click() {
    Etat.MinuteurSon.clear();
    suitMinuteur();
}

void FenetreMinuteur::FenetreMinuteur_CaseAnnonces_Click() { Etat.MinuteurAnnonces = CaseAnnonces->isChecked(); }

void FenetreMinuteur::FenetreMinuteur_Retour_Click() {
    horloge_.cacheOutils();
    close();
}

FenetreMinuteur* OuvreFenetreMinuteur(FenetreHorloge& horloge, QWidget* parent) {
    static QPointer<FenetreMinuteur> ouverte;
    return OuvreUneFois(ouverte, [&] {
        auto* w = new FenetreMinuteur(horloge, parent ? parent : horloge.widget());
        w->FenetreMinuteur_Form_Load();
        return w;
    });
}
