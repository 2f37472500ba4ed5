// The information window: its message with the version (major + minor / 10 with two decimals, in
// the language's own way), the clip at each showing, and its two ways out.
#include "about/Info.h"
#include "app/Sequences.h"
#include "clock/QUENTORFixture.h"

#include <QPushButton>

using InfoFenetre = AvecHorloge;

TEST_F(InfoFenetre, ShowsTheVersionAgainOnRequestAndQuitHidesTheToolbar) {
    Etat.VersionTexte = TexteVersion(6, 1, QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(TexteVersion(6, 1, QLocale(QLocale::English, QLocale::UnitedKingdom)), "6.10");
    for (bool quitte : {true, false}) {
        son.evenements.clear();
        w->CadreOutils->show();
        Info* i = OuvreInfo(*w);
        EXPECT_TRUE(i->isVisible() && i->isModal() && i->windowTitle() == "Informations" &&
                    i->InfoMsg->textFormat() == Qt::PlainText);
        EXPECT_EQ(i->InfoMsg->text(), "\n\nVersion 32 bits N° 6,10\n\n");
        i->Info_version->click();
        EXPECT_EQ(son.joues(), QStringList({"clip 84", "clip 84"}));
        quitte ? i->Retour_Quentor->click() : void(i->close());
        EXPECT_TRUE(i->isHidden());
        EXPECT_EQ(w->CadreOutils->isHidden(), quitte) << "Quitte hides the toolbar, the close box does not";
    }
}
