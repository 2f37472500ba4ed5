#include "platform/OuvertureAffichage.h"

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

struct MessageRetenu {
    QtMsgType type;
    QByteArray fichier, fonction, categorie;
    int ligne;
    QString texte;
};

// Qt's own threads (the X11 event reader) may speak while the connection is made.
std::mutex garde;
std::vector<MessageRetenu> retenus;
QtMessageHandler precedent = nullptr;
QByteArray ligneSansAffichage;

void Retient(QtMsgType type, const QMessageLogContext& c, const QString& texte) {
    if (type == QtFatalMsg) {
        // No display: nothing is open or written yet, and there is nothing to leave a core for.
        std::fputs(ligneSansAffichage.constData(), stderr);
        std::_Exit(1);
    }
    const std::lock_guard<std::mutex> verrou(garde);
    retenus.push_back({type, c.file, c.function, c.category, c.line, texte});
}

// The display the start asks for, as Qt looks for it: the platform from -platform or
// QT_QPA_PLATFORM (else Wayland first when there is a sign of it, then X11), the X11 display from
// -display or DISPLAY, the Wayland one from WAYLAND_DISPLAY.
QString AffichageDemande(int argc, char** argv) {
    QString plateforme = qEnvironmentVariable("QT_QPA_PLATFORM");
    QString x11 = qEnvironmentVariable("DISPLAY");
    for (int i = 1; i + 1 < argc; ++i) {
        QByteArray option(argv[i]);
        if (option.startsWith("--"))
            option.remove(0, 1);
        if (option == "-platform")
            plateforme = QString::fromLocal8Bit(argv[++i]);
        else if (option == "-display")
            x11 = QString::fromLocal8Bit(argv[++i]);
    }
    if (plateforme.isEmpty()) {
        if (x11.isEmpty() && !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
            return QStringLiteral("aucun affichage (ni DISPLAY ni WAYLAND_DISPLAY n'est défini)");
        plateforme =
            qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland"
                ? QStringLiteral("wayland;xcb")
                : QStringLiteral("xcb");
    }
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    QStringList raisons;
    for (const QString& choix : plateforme.split(u';', Qt::SkipEmptyParts)) {
        const QString nom = choix.section(u':', 0, 0);
        if (nom == u"xcb")
            raisons << (x11.isEmpty()
                            ? QStringLiteral("aucun affichage X11 (DISPLAY n'est pas défini)")
                            : QStringLiteral("l'affichage X11 « %1 » est absent ou refuse la connexion").arg(x11));
        else if (nom.startsWith(u"wayland"))
            raisons << QStringLiteral("l'affichage Wayland « %1 » est absent ou refuse la connexion").arg(wayland);
        else
            raisons << QStringLiteral("la plateforme graphique « %1 » ne peut pas s'ouvrir").arg(nom);
    }
    return raisons.join(QStringLiteral(" ; "));
}

}  // namespace

GardeAffichage::GardeAffichage(int argc, char** argv) {
    ligneSansAffichage = QStringLiteral("quentor : impossible d'afficher l'horloge : %1\n")
                             .arg(AffichageDemande(argc, argv))
                             .toLocal8Bit();
    precedent = qInstallMessageHandler(Retient);
}

void GardeAffichage::leve() {
    if (!active)
        return;
    active = false;
    const std::lock_guard<std::mutex> verrou(garde);
    qInstallMessageHandler(precedent);
    for (const MessageRetenu& m : retenus)
        qt_message_output(
            m.type, QMessageLogContext(m.fichier.constData(), m.ligne, m.fonction.constData(), m.categorie.constData()),
            m.texte);
    retenus.clear();
}
