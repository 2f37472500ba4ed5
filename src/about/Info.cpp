#include "about/Info.h"

#include "art/Dessins.h"
#include "art/FenetreModale.h"
#include "art/FenetreUnique.h"
#include "art/Twips.h"
#include "sound/Son.h"
#include "state/Etat.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

QPushButton* Bouton(QWidget* parent, const char* nom, const QString& legende, QRect place) {
    auto* b = new QPushButton(legende, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(place);
    b->setAutoDefault(true);
    return b;
}

}  // namespace

Info::Info(FenetreHorloge& horloge) : QWidget(horloge.widget(), Qt::Dialog), horloge_(horloge) {
    PrepareFenetreModale(this, QStringLiteral("Info"), QStringLiteral("Informations"), 5625, 4800);
    setAutoFillBackground(true);
    QPalette gris = palette();
    gris.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(gris);

    TitreInfo = new QGroupBox(this);
    TitreInfo->setObjectName(QStringLiteral("TitreInfo"));
    TitreInfo->setGeometry(Place(120, 0, 5415, 4260));

    MainIcon = new QLabel(TitreInfo);
    MainIcon->setObjectName(QStringLiteral("MainIcon"));
    MainIcon->setGeometry(Place(4725, 225, 600, 510));
    MainIcon->setAlignment(Qt::AlignCenter);
    MainIcon->setAccessibleName(QStringLiteral("Icône de Quentor Sonalde"));

    InfoMsg = new QLabel(TitreInfo);
    InfoMsg->setObjectName(QStringLiteral("InfoMsg"));
    InfoMsg->setGeometry(Place(135, 360, 5100, 3495));
    InfoMsg->setTextFormat(Qt::PlainText);
    InfoMsg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    InfoMsg->setWordWrap(true);

    // Created in the order the keyboard visits them.
    Info_version = Bouton(this, "Info_version", QStringLiteral("A propos de ..."), Place(135, 4380, 1230, 300));
    Retour_Quentor = Bouton(this, "Retour_Quentor", QStringLiteral("Quitte"), Place(4455, 4380, 1050, 300));
    connect(Info_version, &QPushButton::clicked, this, [this] { Info_Info_version_Click(); });
    connect(Retour_Quentor, &QPushButton::clicked, this, [this] { Info_Retour_Quentor_Click(); });
    // Escape is the close box: the window goes, the clock's toolbar stays as it is.
    FermeParEchap(this);
}

void Info::afficheMessage() {
    MainIcon->setPixmap(IconeProgramme().pixmap(32));
    // A label breaks lines on LF alone.
    InfoMsg->setText(QStringLiteral("\n\nVersion 32 bits N° ") + Etat.VersionTexte + QStringLiteral("\n\n"));
    QPalette p = InfoMsg->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 192));
    InfoMsg->setPalette(p);
    QFont f = InfoMsg->font();
    f.setPointSizeF(12);
    InfoMsg->setFont(f);
    TitreInfo->setTitle(QStringLiteral("A propos ..."));
    JoueSon(kClipSignature);
}

void Info::Info_Form_Load() { afficheMessage(); }
void Info::Info_Info_version_Click() { afficheMessage(); }

void Info::Info_Retour_Quentor_Click() {
    close();
    horloge_.cacheOutils();
}

Info* OuvreInfo(FenetreHorloge& horloge) {
    static QPointer<Info> ouvert;
    return OuvreUneFois(ouvert, [&] {
        auto* w = new Info(horloge);
        w->Info_Form_Load();
        return w;
    });
}
