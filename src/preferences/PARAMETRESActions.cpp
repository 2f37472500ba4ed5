// The settings window's load step and handlers. Every control acts at once on the clock window
// and the shared state.
#include "preferences/PARAMETRES.h"

#include "art/Twips.h"
#include "platform/Plateforme.h"
#include "preferences/Demarrage.h"
#include "preferences/FichiersImages.h"
#include "preferences/VolumeSilence.h"
#include "state/Etat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>

void PARAMETRES::PARAMETRES_Form_Load() {
    const PointTwips place = PositionParametres(horloge_.geometrieTwips());
    move(EnPixels(place.left), EnPixels(place.top));
    colorieEchantillon(0, horloge_.couleurFond());
    colorieEchantillon(1, horloge_.couleurEncre());
    colorieEchantillon(2, horloge_.couleurBande());
    montreApercu(horloge_.image());
    CaseIma->setChecked(horloge_.imageVisible());
    selectionne(groupeQS_, Etat.DéclencheAnnonce);
    selectionne(groupeGenre_, Etat.Genre);
    Visibilité->setChecked(Etat.ResteVisible);
    // Ticking the box runs its handler: the entry is written again, and a refusal is reported.
    if (Etat.AutoDemarre) {
        CheckDémarre->setChecked(true);
        PARAMETRES_CheckDémarre_Click();
    }
    // The background picture failed at start-up: the user is offered another one at once, once.
    if (Etat.ErreurImage != 0) {
        Etat.ErreurImage = 0;
        show();  // the chooser must open over the window, not under it
        PARAMETRES_BoutonImage_Click();
    }
}

void PARAMETRES::PARAMETRES_BoutonCouleur_Click(int Index) {
    if (Index < 0 || Index > 2)
        return;
    const QColor actuelle = Index == 0   ? horloge_.couleurFond()
                            : Index == 1 ? horloge_.couleurEncre()
                                         : horloge_.couleurBande();
    QPointer<PARAMETRES> moi(this);
    PF().dialogues->choisitCouleur(this, actuelle, [moi, Index](std::optional<QColor> c) {
        // A cancelled chooser changes nothing, neither the clock nor the sample.
        if (!moi || !c)
            return;
        FenetreHorloge& h = moi->horloge_;
        if (Index == 0)
            h.setCouleurFond(*c);
        else if (Index == 1)
            h.setCouleurEncre(*c);
        else
            h.setCouleurBande(*c);
        moi->colorieEchantillon(Index, *c);
    });
}

void PARAMETRES::PARAMETRES_BoutonImage_Click() {
    QPointer<PARAMETRES> moi(this);
    PF().dialogues->choisitFichier(this, Etat.CheminAppli, FiltresImages(), [moi](const QString& chemin) {
        if (moi)
            moi->imageChoisie(chemin);
    });
}

void PARAMETRES::imageChoisie(const QString& chemin) {
    if (chemin.isEmpty())
        return;
    QString raison;
    const QPixmap image = LitImage(chemin, &raison);
    // The path is only kept for a picture that loaded: the clock keeps showing the previous one.
    if (image.isNull()) {
        PF().dialogues->boiteModale(
            Dialogues::Icone::Critique, QStringLiteral("Image de fond"),
            QStringLiteral("L'image « %1 » n'a pas pu être chargée : %2\n\nL'image de fond reste "
                           "celle d'avant.")
                .arg(chemin, raison));
        return;
    }
    Etat.ImageFond = chemin;
    montreApercu(image);
    horloge_.setImage(image);
}

void PARAMETRES::PARAMETRES_CaseIma_Click() { horloge_.setImageVisible(CaseIma->isChecked()); }

void PARAMETRES::PARAMETRES_Visibilité_Click() { Etat.ResteVisible = Visibilité->isChecked(); }

void PARAMETRES::PARAMETRES_CheckDémarre_Click() {
    // A refused change has shown its message; the box and the flag then show what is really in
    // place, not what was asked for.
    const bool enPlace = CheckDémarre->isChecked() ? AjouteDémarre() : RetireDémarre();
    CheckDémarre->setChecked(enPlace);
    Etat.AutoDemarre = enPlace;
}

void PARAMETRES::PARAMETRES_Genre_Click(int Index) { Etat.Genre = uint8_t(Index); }

void PARAMETRES::PARAMETRES_BoutonVolume_Click() { OuvreVolumeSilence(horloge_, this); }

void PARAMETRES::PARAMETRES_OptionQS_Click(int Index) { Etat.DéclencheAnnonce = int16_t(Index); }

void PARAMETRES::PARAMETRES_Retour1_Click() {
    horloge_.cacheOutils();
    close();
}
