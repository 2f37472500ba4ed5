#include "app/Main.h"

#include "about/Info.h"
#include "alarms/ALARMES.h"
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
#include "preferences/PARAMETRES.h"
#include "sound/Son.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>

int Main(int argc, char** argv) {
    InstalleSignauxFin();
    // The face repaints a few small areas every second. On X11, shared-memory transfers cost more
    // than they save for such areas (measured: half the idle CPU), so they are left out.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    // The name notification areas show beside the icon; Wayland compositors find the menu entry
    // (its name and icon) by the desktop file name.
    app.setApplicationName(QStringLiteral("Quentor Sonalde"));
    app.setDesktopFileName(QStringLiteral("org.quentor.Sonalde"));
    app.setQuitOnLastWindowClosed(false);
    // The program speaks French, whatever the system's language: so do Qt's own choosers and
    // buttons, when the system has their translations.
    QTranslator traductionQt;
    if (traductionQt.load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&traductionQt);

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
    fenetre.ouvreParametres = [&fenetre] { OuvreParametres(fenetre); };
    fenetre.ouvreInfo = [&fenetre] { OuvreInfo(fenetre); };
    fenetre.ouvreAlarmes = [&fenetre] { OuvreALARMES(fenetre); };
    // A background picture that can't be shown: the settings window and its picture chooser open
    // as soon as the clock window and its icon are up, before the user can do anything. They
    // never hold the load step, which runs on without waiting for them.
    LorsErreurImage = [](QUENTOR& f, const QString&) {
        QTimer::singleShot(0, &f, [&f] { OuvreParametres(f); });
    };
    try {
        QUENTOR_Form_Load(fenetre);
    } catch (const FinProgramme& fin) {
        return fin.code;
    }
    // Armed before the icon appears: whoever sees the icon may end the program by a signal and
    // find its settings saved.
    FermetureSurSignal(fermeture);
    fenetre.LanceTrayIcon();

    QObject::connect(&app, &QGuiApplication::commitDataRequest, &fenetre,
                     [fermeture](QSessionManager&) { fermeture(); });
    return app.exec();
}
