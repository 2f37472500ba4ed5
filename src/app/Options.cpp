#include "app/Options.h"

namespace {

// Read by Qt itself when the clock starts, followed by a value, or standing alone.
const QStringList kQtAvecValeur{"platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
                                "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
                                "style",       "stylesheet",         "qmljsdebugger"};
const QStringList kQtSeules{"reverse", "widgetcount", "nograb", "dograb", "sync"};

}  // namespace

Options LitOptions(const QStringList& arguments) {
    bool aide = false, version = false, dit = false, date = false, arrete = false, repousse = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--dire-l-heure" || a == u"--say-time")
            dit = true;
        else if (a == u"--dire-la-date" || a == u"--say-date")
            date = true;
        else if (a == u"--arrete" || a == u"--stop-alarm")
            arrete = true;
        else if (a == u"--repousse" || a == u"--snooze")
            repousse = true;
        else if (a == u"--help" || a == u"-h")
            aide = true;
        else if (a == u"--version")
            version = true;
        else {
            // Qt takes "-name value", "-name=value" and the same with two dashes.
            const qsizetype tirets = a.startsWith(u"--") ? 2 : a.startsWith(u'-') ? 1 : 0;
            const QString nom = a.mid(tirets).section(u'=', 0, 0);
            const bool parQt = tirets > 0 && !nom.isEmpty();
            if (parQt && kQtAvecValeur.contains(nom)) {
                if (!a.contains(u'='))
                    ++i;
            } else if (!(parQt && kQtSeules.contains(nom))) {
                return {Options::Action::Erreur,
                        QStringLiteral("quentor : argument inconnu « %1 » (quentor --help donne les options)").arg(a)};
            }
        }
    }
    using A = Options::Action;
    return {aide       ? A::Aide
            : version  ? A::Version
            : dit      ? A::DitHeure
            : date     ? A::DitDate
            : arrete   ? A::ArreteAlarme
            : repousse ? A::RepousseAlarme
                       : A::Horloge,
            {}};
}

QString TexteAideOptions() {
    return QStringLiteral(
        "Usage : quentor [OPTION]\n"
        "Quentor Sonalde, l'horloge parlante.\n"
        "\n"
        "  (sans option)            démarre l'horloge ; quand elle tourne déjà, montre sa fenêtre\n"
        "  --dire-l-heure, --say-time\n"
        "                           dit l'heure : l'horloge qui tourne la dit ; sans horloge, la\n"
        "                           commande la dit elle-même avec la voix choisie, puis se termine\n"
        "  --dire-la-date, --say-date\n"
        "                           dit la date, de la même façon\n"
        "  --arrete, --stop-alarm   arrête l'alarme qui sonne (ou qui attend de sonner à nouveau)\n"
        "  --repousse, --snooze     repousse l'alarme qui sonne : elle sonnera à nouveau dans le\n"
        "                           nombre de minutes choisi pour elle (10 par défaut)\n"
        "  -h, --help               affiche cette aide\n"
        "  --version                affiche la version\n");
}

QString TexteVersionProgramme() {
    return QStringLiteral("Quentor Sonalde %1.%2\n").arg(QUENTOR_VERSION_MAJOR).arg(QUENTOR_VERSION_MINOR);
}
