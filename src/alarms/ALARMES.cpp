// The alarm editor's window: its controls where the design puts them, its opening and closing.

#include "alarms/ALARMES.h"

#include "alarms/BoutonFleches.h"
#include "art/Dessins.h"
#include "art/FenetreModale.h"
#include "art/FenetreUnique.h"
#include "art/Twips.h"
#include "state/Etat.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>

namespace {

const QString BulleSonnerie = QStringLiteral(
    "Pour déclencher une sonnerie, cochez la case [active] et choisissez le type de sonnerie avec "
    "le bouton [SON]");
const QString BulleProgramme = QStringLiteral(
    "Pour lancer automatiquement un programme, cochez la case [Actif] et choisir l'application à "
    "lancer avec le bouton [EXE]");
const QString BulleMessage = QStringLiteral(
    "Si vous désirez ouvrir automatiquement un mémo, cochez la case [actif] et saisissez votre "
    "message ");

QPointer<ALARMES>& Ouvert() {
    static QPointer<ALARMES> w;
    return w;
}

// Design positions are in twips inside the parent's client area: a framed page's border is not
// part of it, a frame's caption is.
template <class W>
W* Place(W* w, double gauche, double haut, double largeur, double hauteur) {
    auto* cadre = qobject_cast<QFrame*>(w->parentWidget());
    const int bord = cadre ? cadre->frameWidth() : 0;
    w->setGeometry(bord + EnPixels(gauche), bord + EnPixels(haut), EnPixels(largeur), EnPixels(hauteur));
    return w;
}

template <class W>
W* Nomme(W* w, const char* nom) {
    w->setObjectName(QString::fromLatin1(nom));
    return w;
}

QFont Police(const QStringList& familles, double points, bool gras) {
    QFont f;
    f.setFamilies(familles);
    f.setPointSizeF(points);
    f.setBold(gras);
    return f;
}

// The design's fonts and the ones that stand in for them where they are missing.
QFont Arial(double points, bool gras = false) {
    return Police({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, points, gras);
}
QFont TimesNewRoman(double points) {
    return Police({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")}, points, false);
}
QFont MSSansSerif(double points, bool gras = false) {
    const QString systeme = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return Police({QStringLiteral("MS Sans Serif"), systeme}, points, gras);
}

void Couleurs(QLabel* l, const QColor& texte, const QColor& fond) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, texte);
    p.setColor(QPalette::Window, fond);
    l->setPalette(p);
    l->setAutoFillBackground(true);
}

// A label shows its text as it stands, from its top left corner.
QLabel* Etiquette(const QString& texte, QWidget* parent) {
    auto* l = new QLabel(texte, parent);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

}  // namespace

PointTwips PlacementALARMES(const RectTwips& horloge) { return PlaceSurHorloge(horloge, 2600, 3000, 2400); }

QString TexteMinute(int minute) {
    return minute >= 10 ? QString::number(minute) : QStringLiteral("0") + QString::number(minute);
}

ALARMES::ALARMES(FenetreHorloge& horloge) : QWidget(horloge.widget(), Qt::Dialog), horloge_(horloge) {
    PrepareFenetreModale(this, QStringLiteral("ALARMES"), QStringLiteral("Réglages des alarmes"), 6660, 5280);
    // The window's own font, for every control the design gives no font of its own.
    setFont(MSSansSerif(8.25));
    construitFenetre();
    relieEvenements();
    FermeParEchap(this);
}

void ALARMES::construitFenetre() {
    for (int i = 1; i <= NombreAlarmes; ++i) {
        auto* b = new QPushButton(QStringLiteral("Alarme %1").arg(i), this);
        b->setObjectName(QStringLiteral("ChoixAlarme%1").arg(i));
        b->setFont(Arial(9.75));
        b->setAutoDefault(true);  // Enter presses the button that has the focus
        Place(b, 20 + 1100 * (i - 1), 45, 1100, 330);
        ChoixAlarme[i] = b;
    }

    auto* page = Nomme(new QFrame(this), "Onglet");
    page->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Onglet = Place(page, 0, 405, 6615, 4275);

    TitreAlarme = Place(Nomme(Etiquette(QStringLiteral("ALARME"), Onglet), "TitreAlarme"), 495, 135, 1395, 390);
    Couleurs(TitreAlarme, QColor(0, 255, 0), Qt::black);
    TitreAlarme->setFont(Arial(15.75, true));
    TitreAlarme->setToolTip(BulleSonnerie);

    ActiveAlarme = Place(Nomme(new QCheckBox(QStringLiteral("active"), Onglet), "ActiveAlarme"), 2250, 225, 960, 240);
    ActiveAlarme->setFont(Arial(9.75, true));
    ActiveAlarme->setToolTip(BulleSonnerie);

    BoutonWave = Place(Nomme(new QPushButton(QStringLiteral("SON"), Onglet), "BoutonWave"), 3900, 180, 1320, 330);
    BoutonWave->setAutoDefault(true);

    // In the free space of the top line, between the ringing's check box and its sound.
    Plus = Place(Nomme(new QPushButton(QStringLiteral("Plus…"), Onglet), "Plus"), 3240, 180, 630, 330);
    Plus->setToolTip(QStringLiteral("Jours, date, répétition et durée de la sonnerie (touche P)"));
    Plus->setAutoDefault(true);

    Ima_Alarme = Place(Nomme(new ImageDessinee(DessineClocheAlarme, Onglet), "Ima_Alarme"), 5600, 90, 480, 480);
    // A picture without a tooltip: a name all the same, so that a screen reader says what it is.
    Ima_Alarme->setAccessibleName(QStringLiteral("Cloche"));

    construitHoraire();
    construitProgramme();
    construitMessage();
    // Frames with their caption set in the top line, as the design places what they hold: the
    // memo's check box sits just under that line.
    if (QStyle* cadres = QStyleFactory::create(QStringLiteral("Windows"))) {
        cadres->setParent(this);
        for (QGroupBox* g : {Cadre1, OptionEXE, Cadre2})
            g->setStyle(cadres);
    }

    Retour_Quentor =
        Place(Nomme(new QPushButton(QStringLiteral("RETOUR"), this), "Retour_Quentor"), 480, 4800, 5700, 375);
    Retour_Quentor->setFont(Arial(11.25, true));
    Retour_Quentor->setAutoDefault(true);
}

void ALARMES::construitHoraire() {
    Cadre1 =
        Place(Nomme(new QGroupBox(QStringLiteral("Horaire de déclenchement"), Onglet), "Cadre1"), 180, 720, 2625, 1515);
    Cadre1->setToolTip(QStringLiteral("Réglez exactement le déclenchement de cette alarme !"));

    Bouton = Place(Nomme(new BoutonFleches(Cadre1), "Bouton"), 150, 440, 360, 600);
    Bouton->setToolTip(QStringLiteral("Réglage Heure"));
    Bouton->setAccessibleName(Bouton->toolTip());

    AffAlarme = Place(Nomme(Etiquette(QString(), Cadre1), "AffAlarme"), 630, 440, 555, 600);
    Etiquette1 = Place(Nomme(Etiquette(QStringLiteral(":"), Cadre1), "Etiquette1"), 1215, 495, 195, 465);
    Etiquette1->setFont(Arial(18, true));
    AffMn = Place(Nomme(Etiquette(QString(), Cadre1), "AffMn"), 1440, 440, 555, 600);
    for (QLabel* l : {AffAlarme, AffMn}) {
        Couleurs(l, QColor(0, 192, 0), QColor(64, 64, 64));
        l->setFont(Arial(18, true));
    }

    BoutonMn = Place(Nomme(new BoutonFleches(Cadre1), "BoutonMn"), 2115, 440, 360, 600);
    BoutonMn->setToolTip(QStringLiteral("Réglage Minutes"));
    BoutonMn->setAccessibleName(BoutonMn->toolTip());

    Etiquette2 = Place(Nomme(Etiquette(QStringLiteral("Heure"), Cadre1), "Etiquette2"), 630, 1100, 600, 240);
    Etiquette3 = Place(Nomme(Etiquette(QStringLiteral("Mn"), Cadre1), "Etiquette3"), 1440, 1100, 555, 240);
    // The time's two halves are read with the words printed under them.
    AffAlarme->setAccessibleDescription(Etiquette2->text());
    AffMn->setAccessibleDescription(Etiquette3->text());
}

void ALARMES::construitProgramme() {
    OptionEXE = Place(Nomme(new QGroupBox(QStringLiteral("Lancement d'un programme"), Onglet), "OptionEXE"), 2970, 720,
                      3435, 1515);
    OptionEXE->setToolTip(BulleProgramme);

    CaseEXE = Place(Nomme(new QCheckBox(QStringLiteral("Actif"), OptionEXE), "CaseEXE"), 135, 300, 870, 240);
    CaseEXE->setFont(MSSansSerif(9.75, true));

    BoutonEXE = Place(Nomme(new QPushButton(QStringLiteral("EXE"), OptionEXE), "BoutonEXE"), 1440, 260, 1800, 340);
    BoutonEXE->setToolTip(BulleProgramme);
    BoutonEXE->setAutoDefault(true);

    // Created "Programmes" first: the design's tab order, and the one selected at every opening.
    DossierApp[1] =
        Place(Nomme(new QRadioButton(QStringLiteral("Programmes"), OptionEXE), "DossierApp1"), 120, 660, 1180, 240);
    DossierApp[1]->setToolTip(QStringLiteral("choisir dans le dossier [Program Files]"));
    DossierApp[1]->setChecked(true);
    DossierApp[0] =
        Place(Nomme(new QRadioButton(QStringLiteral("Systeme"), OptionEXE), "DossierApp0"), 1500, 660, 1000, 240);
    DossierApp[0]->setToolTip(QStringLiteral("choisir dans un utilitaire de Windows"));
    largeurPourTexte(DossierApp[1], 120, 1500);

    AffEXE = Place(Nomme(Etiquette(QStringLiteral("   "), OptionEXE), "AffEXE"), 105, 900, 3195, 540);
    Couleurs(AffEXE, QColor(0, 0, 192), QColor(192, 192, 192));
    AffEXE->setFont(TimesNewRoman(8.25));
    AffEXE->setWordWrap(true);
}

void ALARMES::construitMessage() {
    Cadre2 = Place(Nomme(new QGroupBox(QStringLiteral("Message"), Onglet), "Cadre2"), 180, 2340, 6225, 1800);
    Cadre2->setToolTip(BulleMessage);

    ActiveMsg = Place(Nomme(new QCheckBox(QStringLiteral("actif"), Cadre2), "ActiveMsg"), 2740, 180, 735, 240);

    MsgSonne = Place(Nomme(new QPlainTextEdit(Cadre2), "MsgSonne"), 150, 450, 5925, 1220);
    MsgSonne->setFont(Arial(8.25));
    MsgSonne->setToolTip(BulleMessage);
    MsgSonne->setAccessibleName(Cadre2->title());
    // Both scroll bars: lines are not wrapped.
    MsgSonne->setLineWrapMode(QPlainTextEdit::NoWrap);
    MsgSonne->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MsgSonne->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab leaves the memo for the next control, as in every other field.
    MsgSonne->setTabChangesFocus(true);
}

// The stand-in fonts are wider than the design's: a caption that no longer fits its control's
// design width takes the room up to the next control (`limiteTwips`) rather than being cut.
void ALARMES::largeurPourTexte(QWidget* w, double gaucheTwips, double limiteTwips) {
    const int place = EnPixels(limiteTwips) - EnPixels(gaucheTwips);
    w->resize(std::min(place, std::max(w->width(), w->sizeHint().width())), w->height());
}

void ALARMES::ALARMES_Form_Load() {
    horloge_.arreteTimer();
    charge_ = true;
    const PointTwips p = PlacementALARMES(horloge_.geometrieTwips());
    move(EnPixels(p.left), EnPixels(p.top));  // a window's position is that of its frame
    metEnGras(1);
    Etat.AlarmeChoisie = 0;
    MAJChoixAlarme();
}

void ALARMES::ALARMES_Form_Unload() {
    if (!charge_)
        return;
    charge_ = false;
    // Closed is unloaded: the next opening builds a new editor even before this one is deleted.
    if (Ouvert() == this)
        Ouvert() = nullptr;
    horloge_.demarreTimer();
}

void ALARMES::closeEvent(QCloseEvent* e) {
    ALARMES_Form_Unload();
    e->accept();
}

void OuvreALARMES(FenetreHorloge& horloge) {
    OuvreUneFois(Ouvert(), [&] {
        auto* w = new ALARMES(horloge);
        w->ALARMES_Form_Load();
        return w;
    });
}

ALARMES* ALARMESOuvert() { return Ouvert().data(); }
