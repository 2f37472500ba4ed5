#include "app/Main.h"

#include "about/Info.h"
#include "alarms/ALARMES.h"
#include "alarms/DeclencheAlarmes.h"
#include "alarms/Sonnerie.h"
#include "state/Etat.h"
#include "state/FinProgramme.h"
#include "app/DossierReglages.h"
#include "app/Options.h"
#include "app/Sequences.h"
#include "app/SignauxFin.h"
#include "clock/QUENTOR.h"
#include "platform/BureauReel.h"
#include "platform/DialoguesQt.h"
#include "platform/HorlogeReelle.h"
#include "platform/LanceurProcessus.h"
#include "platform/MagasinDemarrageReel.h"
#include "platform/OuvertureAffichage.h"
#include "platform/Plateforme.h"
#include "platform/SonSdl.h"
#include "platform/BibliothequeSdl.h"
#include "platform/ZoneSysteme.h"
#ifdef QUENTOR_AVEC_DBUS
#include "platform/NePasDerangerDBus.h"
#include "platform/NotificationsDBus.h"
#endif
#include "preferences/PARAMETRES.h"
#include "preferences/VolumeSilence.h"
#include "settings/LitValeurs.h"
#include "settings/Reglages.h"
#include "settings/SilenceVolume.h"
#include "settings/TexteIni.h"
#include "sound/DitHeure.h"
#include "sound/Phrases.h"
#include "sound/Son.h"
#include "timer/FenetreMinuteur.h"
#include "timer/Minuteur.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>

#include <chrono>
#include <cstdio>

namespace {

void ecrit(std::FILE* flux, const QString& texte) { std::fputs(texte.toLocal8Bit().constData(), flux); }

// --dire-l-heure, --dire-la-date: the clock that runs says the time or the date; with none, this
// process says it in the voice and form the clock would use, and ends once it has been heard. No
// window, no file written. A command meant for a key of the desktop: it gives up within a few
// seconds on an output that does not answer, and says so.
int direSeul(int argc, char** argv, bool date) {
    QCoreApplication app(argc, argv);
    BureauReel bureau;
    if (bureau.envoieDemande(date ? Bureau::Demande::DitDate : Bureau::Demande::DitHeure, 0))
        return 0;
    const QString quoi = date ? QStringLiteral("la date") : QStringLiteral("l'heure");
    HorlogeReelle horloge;
    SonSdl son;
    son.taisAbsences();
    Plateforme p;
    p.horloge = &horloge;
    p.son = &son;
    p.bureau = &bureau;
    InstallePlateforme(p);
    Etat.CheminAppli = DossierReglagesALire();
    try {
        ChargeTexteIni();
        LitCles(ClesParole());
        Etat.Genre = LitOctet(QStringLiteral("Genre"));
        RegleVolume(VolumeDuFichier());
    } catch (const FinProgramme&) {
        ecrit(stderr, QStringLiteral("quentor : les réglages de %1 ne se lisent pas ; %2 est dite "
                                     "avec la voix d'homme.\n")
                          .arg(CheminIni(), quoi));
    }
    const auto debut = std::chrono::steady_clock::now();
    if (!(date ? DitDate() : DitHeure()))
        return 0;
    const auto abandonne = [&app, &quoi](const QString& raison) {
        ecrit(stderr, QStringLiteral("quentor : %1 n'a pas été dite : %2.\n").arg(quoi, raison));
        app.exit(1);
    };
    // The speech runs on the clock's timers; this one watches for its end, or for an output
    // that is away.
    QTimer suivi;
    QObject::connect(&suivi, &QTimer::timeout, &app, [&] {
        // In this order: the output may find itself silent while it is asked.
        const bool fini = !SonEnCours();
        if (const QString absence = son.absence(); !absence.isEmpty()) {
            suivi.stop();
            abandonne(QStringLiteral("pas de sortie son (%1)").arg(absence));
        } else if (fini) {
            // Ends once what the output still holds has reached the speakers.
            suivi.stop();
            QTimer::singleShot(300, &app, &QCoreApplication::quit);
        }
    });
    suivi.start(50);
    // An output that has played nothing of the speech 5 s after it was asked for is not waited for.
    QTimer::singleShot(5000, &app, [&] {
        if (suivi.isActive() && son.premiereTrame() < debut) {
            suivi.stop();
            abandonne(QStringLiteral("la sortie son n'a pas répondu en 5 s"));
        }
    });
    return app.exec();
}

// --arrete, --repousse: only the clock that runs has an alarm to stop or put off.
int commandeAlarme(int argc, char** argv, Bureau::Demande demande) {
    QCoreApplication app(argc, argv);
    BureauReel bureau;
    if (bureau.envoieDemande(demande, 0))
        return 0;
    ecrit(stderr,
          QStringLiteral("quentor : aucune horloge ne tourne pour cet utilisateur (%1) ; il n'y a pas "
                         "d'alarme à %2.\n")
              .arg(bureau.raisonDemande(),
                   demande == Bureau::Demande::ArreteAlarme ? QStringLiteral("arrêter") : QStringLiteral("repousser")));
    return 1;
}

// The timer's commands: said to the clock that runs, which answers with one line. With none, there
// is no timer to reach.
int commandeMinuteur(int argc, char** argv, const QString& ligne) {
    QCoreApplication app(argc, argv);
    BureauReel bureau;
    const std::optional<QString> reponse = bureau.envoieCommande(ligne);
    if (!reponse) {
        ecrit(stderr, QStringLiteral("quentor : aucune horloge ne tourne pour cet utilisateur (%1) ; le minuteur "
                                     "vit dans l'horloge : démarrez-la d'abord.\n")
                          .arg(bureau.raisonDemande()));
        return 1;
    }
    if (reponse->startsWith(u"ok ")) {
        ecrit(stdout, reponse->mid(3) + u'\n');
        return 0;
    }
    ecrit(stderr, QStringLiteral("quentor : l'horloge a refusé la commande (%1).\n").arg(*reponse));
    return 1;
}

}  // namespace

int Main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Options options = LitOptions(arguments);
    switch (options.action) {
    case Options::Action::Erreur: ecrit(stderr, options.erreur + u'\n'); return 2;
    case Options::Action::Aide: ecrit(stdout, TexteAideOptions()); return 0;
    case Options::Action::Version: ecrit(stdout, TexteVersionProgramme()); return 0;
    case Options::Action::DitHeure: return direSeul(argc, argv, false);
    case Options::Action::DitDate: return direSeul(argc, argv, true);
    case Options::Action::ArreteAlarme: return commandeAlarme(argc, argv, Bureau::Demande::ArreteAlarme);
    case Options::Action::RepousseAlarme: return commandeAlarme(argc, argv, Bureau::Demande::RepousseAlarme);
    case Options::Action::Minuteur: return commandeMinuteur(argc, argv, options.commande);
    case Options::Action::Horloge: break;
    }

    InstalleSignauxFin();
    // The sound system takes its time to start and nothing before the icon needs it: it starts
    // beside the display's connection and the window's making, ready for the start clip.
    SonSdl::demarreEnParallele();
    // The face repaints a few small areas every second. On X11, shared-memory transfers cost more
    // than they save for such areas (measured: half the idle CPU), so they are left out.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    GardeAffichage garde(argc, argv);
    QApplication app(argc, argv);
    garde.leve();
    // The name notification areas show beside the icon; Wayland compositors find the menu entry
    // (its name and icon) by the desktop file name.
    app.setApplicationName(QStringLiteral("Quentor Sonalde"));
    app.setDesktopFileName(QStringLiteral("org.quentor.Sonalde"));
    app.setQuitOnLastWindowClosed(false);
    // The program speaks French, whatever the system's language: so do Qt's own choosers and
    // buttons, when the system has their translations.
    QTranslator traductionQt;
    if (traductionQt.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&traductionQt);

    BureauReel bureau;
    // Another clock runs for this user: it shows itself, as a click on its icon does. It may
    // still be starting, and listens only once its icon is up.
    if (!bureau.prendInstanceUnique()) {
        if (bureau.envoieDemande(Bureau::Demande::Montre, 3000)) {
            ecrit(stderr,
                  QStringLiteral("quentor : une horloge tourne déjà pour cet utilisateur ; elle est montrée.\n"));
            return 0;
        }
        ecrit(stderr, QStringLiteral("quentor : une horloge tourne déjà pour cet utilisateur mais ne peut être montrée "
                                     "(%1) ; rien n'est démarré.\n")
                          .arg(bureau.raisonDemande()));
        return 1;
    }

    HorlogeReelle horloge;
    SonSdl son;  // takes over the sound system started above
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
#ifdef QUENTOR_AVEC_DBUS
    NotificationsDBus notifications;
    p.notifications = &notifications;
    NePasDerangerDBus nePasDeranger;  // asks the desktop only when the clock first wants to know
    p.nePasDeranger = &nePasDeranger;
#endif
    InstallePlateforme(p);

    RemplitEtat();
    if (!PlaceReglages())
        return 1;
    // The start clip too plays at the user's volume.
    RegleVolume(VolumeDuFichier());
    RetiensChargementSdl();
    JoueSon(kClipSignature);

    QUENTOR fenetre;
    auto fermeture = [&fenetre] { QUENTOR_Form_QueryUnload(fenetre); };
    fenetre.surFermeture = fermeture;
    fenetre.ouvreParametres = [&fenetre] { OuvreParametres(fenetre); };
    fenetre.ouvreInfo = [&fenetre] { OuvreInfo(fenetre); };
    fenetre.ouvreAlarmes = [&fenetre] { OuvreALARMES(fenetre); };
    fenetre.ouvreVolumeSilence = [&fenetre] { OuvreVolumeSilence(fenetre); };
    fenetre.ouvreMinuteur = [&fenetre] { OuvreFenetreMinuteur(fenetre); };
    // A background picture that can't be shown: the settings window and its picture chooser open
    // as soon as the clock window and its icon are up, before the user can do anything. They
    // never hold the load step, which runs on without waiting for them.
    LorsErreurImage = [](QUENTOR& f, const QString&) { QTimer::singleShot(0, &f, [&f] { OuvreParametres(f); }); };
    try {
        QUENTOR_Form_Load(fenetre);
    } catch (const FinProgramme& fin) {
        LibereChargementSdl();
        return fin.code;
    }
    // Other starts are heard once the clock is loaded, and before its icon shows: whoever sees the
    // icon finds the clock listening. Their requests are read by the event loop, with the clock whole.
    bureau.surCommande = [](const QString& ligne) {
        return Etat.FermetureEnCours ? QString() : LeMinuteur().commande(ligne);
    };
    bureau.ecouteDemandes([&fenetre](Bureau::Demande d) {
        if (Etat.FermetureEnCours)
            return;
        if (d == Bureau::Demande::DitHeure) {
            DitHeure();
            return;
        }
        if (d == Bureau::Demande::DitDate) {
            DitDate();
            return;
        }
        if (d == Bureau::Demande::ArreteAlarme || d == Bureau::Demande::RepousseAlarme) {
            (d == Bureau::Demande::ArreteAlarme ? ArreteAlarme : RepousseAlarme)(AlarmeEnCours());
            return;
        }
        fenetre.restaure();
        fenetre.raise();
        fenetre.activateWindow();
    });
    // Armed before the icon appears: whoever sees the icon may end the program by a signal and
    // find its settings saved.
    FermetureSurSignal(fermeture);
    fenetre.LanceTrayIcon();
    fenetre.mesureCadran();
    fenetre.montreSiPrevu();
    // Once the icon is asked for: the record's write waits for the disk.
    NoteMarche();
    QTimer::singleShot(0, &LibereChargementSdl);
    GardeSortieEveillee(Etat.SortieEveillee);
    LanceSequence(AnnonceDemarrage(DureeWav(DonneesClip(kClipSignature))), &fenetre);

    QObject::connect(&app, &QGuiApplication::commitDataRequest, &fenetre,
                     [fermeture](QSessionManager&) { fermeture(); });
    // A timer that ran at the last close runs on, or rings if its end passed meanwhile.
    LeMinuteur().reprendSauvegarde();
    return app.exec();
}
