// The silent hours and volume window over a clock window on the test platform.
#include "clock/QUENTORFixture.h"
#include "preferences/VolumeSilence.h"

#include <QAccessible>
#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QTimeEdit>

// It shows the settings; each control changes its own at once; the volume goes by steps of 5 and "Essayer"
// speaks the time at it, silent hours or not. Every control is named and takes the focus from Tab.
TEST_F(AvecHorloge, VolumeSilenceShowsAndChangesTheSettingsAtOnce) {
    Etat.Silence = {true, 23 * 60, 6 * 60 + 30}, Etat.Volume = 35;
    aLHeure(23, 5, 10), w->CadreOutils->show();
    VolumeSilence* v = OuvreVolumeSilence(*w);
    EXPECT_TRUE(v->isVisible() && v->isModal() && v->CaseSilence->isChecked() && v->HeureDebut->time() == QTime(23, 0) &&
                v->HeureFin->time() == QTime(6, 30) && v->CurseurVolume->value() == 35 && v->AffVolume->text() == "35 %");
    v->CaseSilence->click(), v->HeureDebut->setTime(QTime(21, 45)), v->HeureFin->setTime(QTime(7, 0));
    v->CurseurVolume->setValue(52);
    EXPECT_EQ(QStringLiteral("%1 %2-%3 %4 %5 %6 ").arg(int(Etat.Silence.actif)).arg(Etat.Silence.debut).arg(Etat.Silence.fin)
                  .arg(Etat.Volume).arg(son.volume).arg(v->CurseurVolume->value()) + v->AffVolume->text(), "0 1305-420 50 50 50 50 %");
    Etat.Silence.actif = true;
    v->BoutonEssai->click();
    horloge.deroule();
    EXPECT_TRUE(son.joues() == (QStringList{"clip 23", "clip 70", "clip 5", "clip 71"}) && son.evenements.back().volume == 50);
    for (QWidget* c : std::initializer_list<QWidget*>{v->CaseSilence, v->HeureDebut, v->HeureFin, v->CurseurVolume,
                                                      v->BoutonEssai, v->Retour})
        EXPECT_TRUE((c->focusPolicy() & Qt::TabFocus) && !QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).isEmpty())
            << c->objectName().toStdString();
    v->Retour->click();
    EXPECT_TRUE(v->isHidden() && w->CadreOutils->isHidden());
}
