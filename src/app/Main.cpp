#include "app/Main.h"

#include "state/Etat.h"
#include "state/FinProgramme.h"
#include "app/DossierReglages.h"
#include "app/Sequences.h"
#include "app/SignauxFin.h"
#include "clock/QUENTOR.h"
#include "platform/BureauReel.h"
#include "platform/DialoguesQt.h"
#include "platform/HorlogeReelle.h"
#include "platform/LanceurProcessus.h"
#include "platform/MagasinDemarrageReel.h"
#include "platform/Plateforme.h"
#include "platform/SonSdl.h"
#include "platform/ZoneSysteme.h"
#include "sound/Son.h"

#include <QApplication>
#include <QSessionManager>

int Main(int argc, char** argv) {
    // The face repaints a few small areas every second. On X11, shared-memory transfers cost more
    // than they save for such areas (measured: half the idle CPU), so they are left out.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("quentor"));
    app.setQuitOnLastWindowClosed(false);

    BureauReel bureau;
    if (!bureau.prendInstanceUnique())
        return 0;

    HorlogeReelle horloge;
    SonSdl son;
    LanceurProcessus lanceur;
    const auto demarrage = CreeMagasinDemarrage();
    DialoguesQt dialogues;
    ZoneSysteme zone;
    Plateforme p;
    p.horloge = &horloge;
    p.son = &son;
    p.lanceur = &lanceur;
    p.demarrage = demarrage.get();
    p.dialogues = &dialogues;
    p.bureau = &bureau;
    p.notification = &zone;
    InstallePlateforme(p);

    RemplitEtat();
    if (!PlaceReglages())
        return 1;
    JoueSon(84);

    QUENTOR fenetre;
    auto fermeture = [&fenetre] { QUENTOR_Form_QueryUnload(fenetre); };
    fenetre.surFermeture = fermeture;
    LorsErreurImage = [](QUENTOR&, const QString& raison) {
        PF().dialogues->boite(Dialogues::Icone::Information, QStringLiteral("Image de fond"),
                              QStringLiteral("L'image de fond n'a pas pu être chargée.\n\n") +
                                  raison);
    };
    try {
        QUENTOR_Form_Load(fenetre);
    } catch (const FinProgramme& fin) {
        return fin.code;
    }
    fenetre.LanceTrayIcon();

    InstalleSignauxFin(fermeture);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &fenetre,
                     [fermeture](QSessionManager&) { fermeture(); });
    return app.exec();
}
