// The settings window, and the silent hours and volume window, over a clock window on the test platform.
#include "art/Twips.h"
#include "clock/QUENTORFixture.h"
#include "preferences/PARAMETRES.h"
#include "preferences/VolumeSilence.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <algorithm>
#include <set>

namespace {

class Parametres : public AvecHorloge {
protected:
    void ouvre() {  // a fresh window each time: the one open before is closed first
        if (p)
            p->close();
        p = OuvreParametres(*w);
    }
    // Everything a control of the window may change, by name.
    std::map<std::string, QString> reglages() const {
        auto n = [](auto v) { return QString::number(v); };
        auto ech = [this](int i) { return p->Echantillon[i]->palette().color(QPalette::Window).name(); };
        return {{"fond", w->couleurFond().name()},
                {"encre", w->couleurEncre().name()},
                {"bande", w->couleurBande().name()},
                {"ech0", ech(0)},
                {"ech1", ech(1)},
                {"ech2", ech(2)},
                {"photo", n(w->imageVisible())},
                {"image", n(w->image().cacheKey())},
                {"ImageFond", Etat.ImageFond},
                {"apercu", n(p->PictureBox->pixmap().isNull())},
                {"qs", n(Etat.DéclencheAnnonce)},
                {"genre", n(Etat.Genre)},
                {"visible", n(Etat.ResteVisible)},
                {"auto", n(Etat.AutoDemarre)},
                {"entree", n(magasin.entrees.size())},
                {"outils", n(w->CadreOutils->isHidden())},
                {"ouverte", n(p->isHidden())},
                {"boites", n(dialogues.boites.size())},
                {"volume", n(std::ranges::count_if(p->findChildren<QWidget*>("VolumeSilence"), &QWidget::isVisible))}};
    }
    PARAMETRES* p = nullptr;
};

// Above and left of the clock, or beside it where that would leave the screen.
TEST_F(Parametres, LoadPlacesTheWindowAndShowsEverySettingButNoButtonForACodeOutOfRange) {
    // clang-format off
    const struct { double top, left, y, x; int16_t qs; uint8_t genre; bool visible, photo; int qsVu, genreVu; }
        cas[] = {{1000, 6000, 50, 2000, 3, 1, false, true, 3, 1},
                 {5000, 3000, 2150, 6040, 0, 0, true, false, 0, 0},
                 {1000, 3000, 50, 6040, 7, 5, true, false, -1, -1}};
    // clang-format on
    for (auto c : cas) {
        Etat.DéclencheAnnonce = c.qs;
        Etat.Genre = c.genre;
        Etat.ResteVisible = c.visible;
        w->setGeometrieTwips({c.left, c.top, 3000, 1500});
        w->setImage(c.photo ? QPixmap(4, 4) : QPixmap());
        w->setImageVisible(c.photo);
        const QColor couleurs[] = {QColor(c.qs, 1, 2), QColor(3, c.qs, 4), QColor(5, 6, c.qs)};
        w->setCouleurFond(couleurs[0]);
        w->setCouleurEncre(couleurs[1]);
        w->setCouleurBande(couleurs[2]);
        ouvre();
        EXPECT_EQ(p->pos(), QPoint(EnPixels(c.x), EnPixels(c.y))) << c.top << " " << c.left;
        EXPECT_EQ(p->OptionQS[0]->group()->checkedId(), c.qsVu);
        EXPECT_EQ(p->Genre[0]->group()->checkedId(), c.genreVu);
        EXPECT_TRUE(p->Visibilité->isChecked() == c.visible && p->CaseIma->isChecked() == c.photo &&
                    p->PictureBox->pixmap().isNull() != c.photo);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(p->Echantillon[i]->palette().color(QPalette::Window), couleurs[i]);
        EXPECT_TRUE(Etat.DéclencheAnnonce == c.qs && Etat.Genre == c.genre && dialogues.boites.empty())
            << "a code is kept until the user picks, and nothing is reported";
    }
}

// A picture that failed at start-up opens the chooser once; then each control acts on its own.
TEST_F(Parametres, EachControlChangesItsOwnSettingAndNothingElse) {
    QTemporaryDir dir;
    QImage(8, 8, QImage::Format_RGB32).save(dir.filePath("bon.bmp"));
    magasin.fichiers << "/tmp/quentor";
    Etat.ErreurImage = 53;
    Etat.ImageFond = "/x/absent.bmp";
    Etat.CheminAppli = "/prog";
    w->CadreOutils->show();
    ouvre();
    const QString filtres = dialogues.fichiers.at(0).filtres.join('|');
    EXPECT_TRUE(filtres.startsWith("Images(*.bmp)|") && filtres.contains("*.png") && filtres.contains("*.jpg"));
    EXPECT_TRUE(Etat.ErreurImage == 0 && dialogues.fichiers[0].dossier == "/prog");
    auto couleur = [&](int i, std::optional<QColor> c) {
        p->BoutonCouleur[i]->click();
        dialogues.couleurs.back().suite(c);
    };
    auto image = [&](const QString& f) {
        p->BoutonImage->click();
        dialogues.fichiers.back().suite(f);
    };
    // clang-format off
    const struct { const char* quoi; std::function<void()> agit; std::set<std::string> change; } cas[] = {
        {"BMP annulé", [&] { dialogues.fichiers.back().suite(""); }, {}},
        {"Encre", [&] { couleur(1, QColor(1, 2, 3)); }, {"encre", "ech1"}},
        {"Fond", [&] { couleur(0, QColor(4, 5, 6)); }, {"fond", "ech0"}},
        {"Bande", [&] { couleur(2, QColor(7, 8, 9)); }, {"bande", "ech2"}},
        {"Fond annulé", [&] { couleur(0, std::nullopt); }, {}},
        {"chaque 5 mn", [&] { p->OptionQS[3]->click(); }, {"qs"}},
        {"femme", [&] { p->Genre[1]->click(); }, {"genre"}},
        {"Visible", [&] { p->Visibilité->click(); }, {"visible"}},
        {"Image active", [&] { p->CaseIma->click(); }, {"photo"}},
        {"Auto démarre", [&] { p->CheckDémarre->click(); }, {"auto", "entree"}},
        {"BMP", [&] { image(dir.filePath("bon.bmp")); }, {"ImageFond", "image", "apercu"}},
        {"BMP illisible", [&] { image(QCoreApplication::applicationFilePath()); }, {"boites"}},
        {"Volume…", [&] { p->BoutonVolume->click(); }, {"volume"}},
        {"Volume et silence fermée", [&] { p->findChild<QWidget*>("VolumeSilence")->close(); }, {"volume"}},
        {"case de fermeture", [&] { p->close(); }, {"ouverte"}},
        {"rouverte", [&] { ouvre(); }, {"ouverte"}},
        {"Terminé", [&] { p->Retour1->click(); }, {"outils", "ouverte"}},
    };
    // clang-format on
    for (const auto& c : cas) {
        const auto avant = reglages();
        c.agit();
        std::set<std::string> change;
        for (const auto& [cle, valeur] : reglages())
            if (avant.at(cle) != valeur)
                change.insert(cle);
        EXPECT_EQ(change, c.change) << c.quoi;
    }
    EXPECT_TRUE(p->isHidden() && dialogues.boites.back().texte.contains(QCoreApplication::applicationFilePath()));
    EXPECT_EQ(dialogues.fichiers.size(), 3u) << "the start-up chooser opens once";
    // The new button takes room the voices left free, over no other control.
    EXPECT_TRUE(p->CadreVoix->rect().contains(p->BoutonVolume->geometry()) &&
                !p->BoutonVolume->geometry().intersects(p->Genre[1]->geometry()));
}

// One story, each step starting from the entry the one before left; boxes are counted throughout.
TEST_F(Parametres, StartAtLoginShowsTheRealStateAfterEveryChange) {
    // clang-format off
    const struct { bool autoDemarre, refuse, clic, attendu; size_t boites; } cas[] = {
        {true, false, false, true, 0},  // opening while it is on writes the entry again
        {true, true, true, true, 2},    // rewriting it, then removing it, refused: it stays
        {true, false, true, false, 2},  // removed
        {false, true, true, false, 3},  // adding it refused
        {true, true, false, false, 4}}; // on at opening, but it can't be written
    magasin.fichiers << "/tmp/quentor";
    // clang-format on
    for (auto c : cas) {
        magasin.refuse = c.refuse;
        Etat.AutoDemarre = c.autoDemarre;
        ouvre();
        if (c.clic)
            p->CheckDémarre->click();
        EXPECT_TRUE(p->CheckDémarre->isChecked() == c.attendu && Etat.AutoDemarre == c.attendu &&
                    magasin.entrees.count("quentor") == size_t(c.attendu));
        EXPECT_EQ(dialogues.boites.size(), c.boites);
    }
}

// It shows the settings; each control changes its own at once; the volume goes by steps of 5 and "Essayer"
// speaks the time at it, silent hours or not. Every control is named and takes the focus from Tab.
TEST_F(AvecHorloge, VolumeSilenceShowsAndChangesTheSettingsAtOnce) {
    Etat.Silence = {true, 23 * 60, 6 * 60 + 30};
    Etat.Volume = 35;
    aLHeure(23, 5, 10);
    w->CadreOutils->show();
    VolumeSilence* v = OuvreVolumeSilence(*w);
    EXPECT_TRUE(v->isVisible() && v->isModal() && v->CaseSilence->isChecked() &&
                v->HeureDebut->time() == QTime(23, 0) && v->HeureFin->time() == QTime(6, 30) &&
                v->CurseurVolume->value() == 35 && v->AffVolume->text() == "35 %");
    v->CaseSilence->click();
    v->HeureDebut->setTime(QTime(21, 45));
    v->HeureFin->setTime(QTime(7, 0));
    v->CurseurVolume->setValue(52);
    const QString lus = QStringLiteral("%1 %2-%3 %4 %5 %6 ")
                            .arg(int(Etat.Silence.actif))
                            .arg(Etat.Silence.debut)
                            .arg(Etat.Silence.fin)
                            .arg(Etat.Volume)
                            .arg(son.volume)
                            .arg(v->CurseurVolume->value());
    EXPECT_EQ(lus + v->AffVolume->text(), "0 1305-420 50 50 50 50 %");
    Etat.Silence.actif = true;
    v->BoutonEssai->click();
    horloge.deroule();
    EXPECT_TRUE(son.joues() == (QStringList{"clip 23", "clip 70", "clip 5", "clip 71"}) &&
                son.evenements.back().volume == 50);
    for (QWidget* c : std::initializer_list<QWidget*>{
             v->CaseSilence, v->HeureDebut, v->HeureFin, v->CurseurVolume, v->OptionForme[0], v->OptionForme[1],
             v->CaseDemarrage, v->CaseReveil, v->CaseNePasDeranger, v->CaseEveillee, v->BoutonEssai, v->Retour})
        EXPECT_TRUE((c->focusPolicy() & Qt::TabFocus) &&
                    !QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).isEmpty())
            << c->objectName().toStdString();
    v->Retour->click();
    EXPECT_TRUE(v->isHidden() && w->CadreOutils->isHidden());
}

}  // namespace
