#include "app/Options.h"

#include "timer/DureeMinuteur.h"

#include <algorithm>

namespace {

// Read by Qt itself when the clock starts, followed by a value, or standing alone.
const QStringList kQtAvecValeur{"platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
                                "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
                                "style",       "stylesheet",         "qmljsdebugger"};
const QStringList kQtSeules{"reverse", "widgetcount", "nograb", "dograb", "sync"};

// The timer's options: the verb sent to the clock, and whether a value follows.
struct OptionMinuteur {
    QStringList noms;
    const char* verbe;
    bool avecValeur;
};
const OptionMinuteur kMinuteur[] = {
    {{"--minuteur", "--timer"}, "minuteur", true},
    {{"--minuteur-jusqu-a", "--timer-until"}, "minuteur-jusqu-a", true},
    {{"--minuteur-restant", "--timer-left"}, "minuteur-restant", false},
    {{"--minuteur-arret", "--timer-stop"}, "minuteur-arret", false},
};

// The timer's value checked before the clock is asked: nothing when it reads, else what is wrong.
QString ValeurFautive(const QString& verbe, const QString& valeur) {
    if (verbe == u"minuteur" && !LitDureeMinuteur(valeur))
        return QStringLiteral(
                   "quentor : durée « %1 » illisible : 25 (minutes), 25m, 1h30, 90s ou 1:30:00, de 1 s à "
                   "23:59:59")
            .arg(valeur);
    if (verbe == u"minuteur-jusqu-a" && !LitHeureMinuteur(valeur))
        return QStringLiteral("quentor : heure « %1 » illisible : HH:MM, de 00:00 à 23:59").arg(valeur);
    return {};
}

}  // namespace

Options LitOptions(const QStringList& arguments) {
    bool aide = false, version = false, dit = false, date = false, arrete = false, repousse = false;
    QString minuteur;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const QString nomSeul = a.section(u'=', 0, 0);
        const auto option = std::find_if(std::begin(kMinuteur), std::end(kMinuteur),
                                         [&](const OptionMinuteur& o) { return o.noms.contains(nomSeul); });
        if (option != std::end(kMinuteur) && (option->avecValeur || !a.contains(u'='))) {
            QString valeur;
            if (option->avecValeur && a.contains(u'='))
                valeur = a.section(u'=', 1);
            else if (option->avecValeur && i + 1 < arguments.size())
                valeur = arguments[++i];
            else if (option->avecValeur)
                return {Options::Action::Erreur, QStringLiteral("quentor : « %1 » attend une valeur").arg(a), {}};
            const QString verbe = QString::fromLatin1(option->verbe);
            if (const QString faute = ValeurFautive(verbe, valeur); !faute.isEmpty())
                return {Options::Action::Erreur, faute, {}};
            minuteur = option->avecValeur ? verbe + u' ' + valeur.trimmed() : verbe;
        } else if (a == u"--dire-l-heure" || a == u"--say-time")
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
                        QStringLiteral("quentor : argument inconnu « %1 » (quentor --help donne les options)").arg(a),
                        {}};
            }
        }
    }
    using A = Options::Action;
    const A action = aide                  ? A::Aide
                     : version             ? A::Version
                     : dit                 ? A::DitHeure
                     : date                ? A::DitDate
                     : arrete              ? A::ArreteAlarme
                     : repousse            ? A::RepousseAlarme
                     : !minuteur.isEmpty() ? A::Minuteur
                                           : A::Horloge;
    return {action, {}, action == A::Minuteur ? minuteur : QString()};
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
        "  --minuteur DURÉE, --timer DURÉE\n"
        "                           lance le minuteur de l'horloge qui tourne, à la place de celui en\n"
        "                           cours : DURÉE en minutes (25) ou 25m, 1h30, 90s, 1:30:00\n"
        "  --minuteur-jusqu-a HH:MM, --timer-until HH:MM\n"
        "                           lance le minuteur jusqu'à cette heure (la prochaine fois qu'elle vient)\n"
        "  --minuteur-restant, --timer-left\n"
        "                           dit et affiche le temps restant du minuteur\n"
        "  --minuteur-arret, --timer-stop\n"
        "                           arrête le minuteur, ou sa sonnerie\n"
        "  -h, --help               affiche cette aide\n"
        "  --version                affiche la version\n");
}

QString TexteVersionProgramme() {
    return QStringLiteral("Quentor Sonalde %1.%2\n").arg(QUENTOR_VERSION_MAJOR).arg(QUENTOR_VERSION_MINOR);
}
