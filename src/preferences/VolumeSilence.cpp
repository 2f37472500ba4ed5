#include "preferences/VolumeSilence.h"

#include "art/Dessins.h"
#include "art/FenetreModale.h"
#include "art/FenetreUnique.h"
#include "art/Twips.h"
#include "sound/DitHeure.h"
#include "sound/Son.h"
#include "state/Etat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimeEdit>

namespace {

template <class T>
T* Commande(QWidget* parent, const char* nom, QRect place, const char* nomLu = nullptr) {
    auto* c = new T(parent);
    c->setObjectName(QString::fromLatin1(nom));
    c->setGeometry(place);
    if (nomLu)
        c->setAccessibleName(QString::fromUtf8(nomLu));
    return c;
}

// A check box or an option, its caption its name for the keyboard and the screen reader.
template <class T>
T* Case(QWidget* parent, const char* nom, const char* texte, QRect place, const char* bulle) {
    auto* c = Commande<T>(parent, nom, place);
    c->setText(QString::fromUtf8(texte));
    c->setToolTip(QString::fromUtf8(bulle));
    return c;
}

QLabel* Etiquette(QWidget* parent, const char* nom, const char* texte, QRect place, QWidget* pour) {
    auto* l = Commande<QLabel>(parent, nom, place);
    l->setText(QString::fromUtf8(texte));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setBuddy(pour);
    return l;
}

QTime EnHeure(int minutes) { return QTime(minutes / 60, minutes % 60); }
int16_t EnMinutes(const QTime& t) { return int16_t(t.hour() * 60 + t.minute()); }

}  // namespace

VolumeSilence::VolumeSilence(FenetreHorloge& horloge, QWidget* parent)
    : QWidget(parent, Qt::Dialog), horloge_(horloge) {
    PrepareFenetreModale(this, QStringLiteral("VolumeSilence"), QStringLiteral("Volume et silence"), 4395, 4230);
    construitCommandes();
    relieCommandes();
    // The frame's caption set into its top line, as in the settings window; set last, as there.
    setStyleSheet(
        QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
}

// Created in the order the keyboard visits them.
void VolumeSilence::construitCommandes() {
    CaseSilence = Commande<QCheckBox>(this, "CaseSilence", Place(135, 120, 3525, 285));
    CaseSilence->setText(QStringLiteral("Heures de silence"));
    CaseSilence->setToolTip(
        QStringLiteral("ni carillon ni annonce pendant ces heures ; les alarmes "
                       "sonnent toujours"));

    // The times in the clock's own digits.
    QFont chiffres;
    chiffres.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    chiffres.setStyleHint(QFont::TypeWriter);
    chiffres.setBold(true);
    chiffres.setPointSizeF(10);
    HeureDebut = Commande<QTimeEdit>(this, "HeureDebut", Place(735, 480, 1080, 375), "Début du silence");
    HeureFin = Commande<QTimeEdit>(this, "HeureFin", Place(2295, 480, 1080, 375), "Fin du silence");
    for (QTimeEdit* h : {HeureDebut, HeureFin}) {
        h->setDisplayFormat(QStringLiteral("HH:mm"));
        h->setWrapping(true);
        h->setFont(chiffres);
    }
    EtiquetteDebut = Etiquette(this, "EtiquetteDebut", "de", Place(255, 525, 420, 285), HeureDebut);
    EtiquetteFin = Etiquette(this, "EtiquetteFin", "à", Place(1875, 525, 360, 285), HeureFin);

    CurseurVolume = Commande<QSlider>(this, "CurseurVolume", Place(975, 1035, 1935, 375), "Volume");
    CurseurVolume->setOrientation(Qt::Horizontal);
    CurseurVolume->setRange(0, 100);
    CurseurVolume->setSingleStep(5);
    CurseurVolume->setPageStep(25);
    CurseurVolume->setTickInterval(25);
    CurseurVolume->setTickPosition(QSlider::TicksBelow);
    CurseurVolume->setToolTip(QStringLiteral("volume des sons de l'horloge"));
    EtiquetteVolume = Etiquette(this, "EtiquetteVolume", "Volume", Place(135, 1080, 780, 285), CurseurVolume);
    AffVolume = Commande<QLabel>(this, "AffVolume", Place(2970, 1080, 690, 285));
    AffVolume->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    construitParole();

    BoutonEssai = Commande<QPushButton>(this, "BoutonEssai", Place(135, 3780, 1650, 330));
    BoutonEssai->setText(QStringLiteral("Essayer"));
    BoutonEssai->setToolTip(QStringLiteral("dit l'heure à ce volume, sous la forme choisie"));
    Retour = Commande<QPushButton>(this, "Retour", Place(2610, 3780, 1650, 330));
    Retour->setText(QStringLiteral("Terminé"));
    QFont gras = Retour->font();
    gras.setBold(true);
    Retour->setFont(gras);
    for (QPushButton* b : {BoutonEssai, Retour})
        b->setAutoDefault(true);
}

void VolumeSilence::construitParole() {
    CadreParole = Commande<QGroupBox>(this, "CadreParole", Place(135, 1560, 4125, 2100), "Parole");
    CadreParole->setTitle(QStringLiteral("Parole"));
    groupeForme_ = new QButtonGroup(this);
    const char* formes[] = {"quatorze heures trente", "deux heures et demie de l'après-midi"};
    for (int i = 0; i < 2; ++i) {
        OptionForme[i] = Case<QRadioButton>(CadreParole, i ? "OptionForme1" : "OptionForme0", formes[i],
                                            Place(120, 255 + 300 * i, 3885, 285), "la forme de l'heure dite");
        groupeForme_->addButton(OptionForme[i], i);
    }
    CaseDemarrage = Case<QCheckBox>(CadreParole, "CaseDemarrage", "Annoncer l'heure au démarrage",
                                    Place(120, 855, 3885, 285), "dit l'heure après le son du démarrage");
    CaseReveil = Case<QCheckBox>(CadreParole, "CaseReveil", "Annoncer l'heure au réveil", Place(120, 1155, 3885, 285),
                                 "dit l'heure une fois quand l'ordinateur sort de veille");
    CaseNePasDeranger = Case<QCheckBox>(CadreParole, "CaseNePasDeranger", "Se taire en mode « Ne pas déranger »",
                                        Place(120, 1455, 3885, 285),
                                        "ni carillon ni annonce quand le bureau est en mode « Ne pas déranger » ; "
                                        "les alarmes sonnent toujours");
    CaseEveillee =
        Case<QCheckBox>(CadreParole, "CaseEveillee", "Garder la sortie son éveillée", Place(120, 1755, 3885, 285),
                        "pour les casques et sorties qui s'endorment et mangent le début des sons");
}

void VolumeSilence::relieCommandes() {
    connect(CaseSilence, &QCheckBox::clicked, this, [this] { VolumeSilence_CaseSilence_Click(); });
    connect(HeureDebut, &QTimeEdit::timeChanged, this, [this] { VolumeSilence_HeureDebut_Change(); });
    connect(HeureFin, &QTimeEdit::timeChanged, this, [this] { VolumeSilence_HeureFin_Change(); });
    connect(CurseurVolume, &QSlider::valueChanged, this, [this] { VolumeSilence_CurseurVolume_Change(); });
    connect(groupeForme_, &QButtonGroup::idClicked, this, [this](int i) { VolumeSilence_OptionForme_Click(i); });
    connect(CaseDemarrage, &QCheckBox::clicked, this, [this] { VolumeSilence_CaseDemarrage_Click(); });
    connect(CaseReveil, &QCheckBox::clicked, this, [this] { VolumeSilence_CaseReveil_Click(); });
    connect(CaseNePasDeranger, &QCheckBox::clicked, this, [this] { VolumeSilence_CaseNePasDeranger_Click(); });
    connect(CaseEveillee, &QCheckBox::clicked, this, [this] { VolumeSilence_CaseEveillee_Click(); });
    connect(BoutonEssai, &QPushButton::clicked, this, [this] { VolumeSilence_BoutonEssai_Click(); });
    connect(Retour, &QPushButton::clicked, this, [this] { VolumeSilence_Retour_Click(); });
    // Escape is the close box: the window goes, the clock's toolbar stays as it is.
    FermeParEchap(this);
}

void VolumeSilence::VolumeSilence_Form_Load() {
    const PointTwips place = PlaceSurHorloge(horloge_.geometrieTwips(), 2400, 4000, 3040);
    move(EnPixels(place.left), EnPixels(place.top));
    // Setting the controls runs their handlers, which write back the same values.
    const HeuresSilence s = Etat.Silence;
    const int16_t volume = Etat.Volume;
    CaseSilence->setChecked(s.actif);
    HeureDebut->setTime(EnHeure(s.debut));
    HeureFin->setTime(EnHeure(s.fin));
    CurseurVolume->setValue(volume);
    VolumeSilence_CurseurVolume_Change();  // the value shown, even when the slider stood there
    OptionForme[Etat.HeureCourante ? 1 : 0]->setChecked(true);
    CaseDemarrage->setChecked(Etat.AnnonceDemarrage);
    CaseReveil->setChecked(Etat.AnnonceReveil);
    CaseNePasDeranger->setChecked(Etat.NePasDeranger);
    CaseEveillee->setChecked(Etat.SortieEveillee);
}

void VolumeSilence::VolumeSilence_CaseSilence_Click() { Etat.Silence.actif = CaseSilence->isChecked(); }
void VolumeSilence::VolumeSilence_HeureDebut_Change() { Etat.Silence.debut = EnMinutes(HeureDebut->time()); }
void VolumeSilence::VolumeSilence_HeureFin_Change() { Etat.Silence.fin = EnMinutes(HeureFin->time()); }

void VolumeSilence::VolumeSilence_CurseurVolume_Change() {
    // A drag stops anywhere: the volume goes by steps of 5.
    const int v = CurseurVolume->value(), pas = (v + 2) / 5 * 5;
    if (pas != v)
        return CurseurVolume->setValue(pas);
    RegleVolume(int16_t(v));
    AffVolume->setText(QStringLiteral("%1 %").arg(v));
    AffVolume->setAccessibleName(QStringLiteral("Volume %1 %").arg(v));
}

void VolumeSilence::VolumeSilence_OptionForme_Click(int Index) { Etat.HeureCourante = Index == 1; }
void VolumeSilence::VolumeSilence_CaseDemarrage_Click() { Etat.AnnonceDemarrage = CaseDemarrage->isChecked(); }
void VolumeSilence::VolumeSilence_CaseReveil_Click() { Etat.AnnonceReveil = CaseReveil->isChecked(); }
void VolumeSilence::VolumeSilence_CaseNePasDeranger_Click() { Etat.NePasDeranger = CaseNePasDeranger->isChecked(); }
void VolumeSilence::VolumeSilence_CaseEveillee_Click() { GardeSortieEveillee(CaseEveillee->isChecked()); }

void VolumeSilence::VolumeSilence_BoutonEssai_Click() { DitHeure(); }

void VolumeSilence::VolumeSilence_Retour_Click() {
    horloge_.cacheOutils();
    close();
}

VolumeSilence* OuvreVolumeSilence(FenetreHorloge& horloge, QWidget* parent) {
    static QPointer<VolumeSilence> ouvert;
    return OuvreUneFois(ouvert, [&] {
        auto* w = new VolumeSilence(horloge, parent ? parent : horloge.widget());
        w->VolumeSilence_Form_Load();
        return w;
    });
}
