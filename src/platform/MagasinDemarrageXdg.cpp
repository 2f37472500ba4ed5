#include "platform/MagasinDemarrageXdg.h"

#include "platform/ErreurSysteme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#if !defined(Q_OS_WIN)
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kGroupe = QStringLiteral("[Desktop Entry]");

MagasinDemarrage::Resultat echec(int numero) { return {numero, DescriptionErreurSysteme(numero)}; }

bool nomValide(const QString& nom) {
    return !nom.isEmpty() && nom != u"." && nom != u".." && !nom.contains(u'/') && !nom.contains(QChar(0));
}

bool contientControle(const QString& s) {
    for (QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    return false;
}

// Characters that the desktop entry format only allows inside a quoted argument.
bool estReserve(QChar c) { return QStringView(u" \t\n\"'\\><~|&;$*?#()`").contains(c); }

// The string-level escapes of a desktop entry value.
QString sansEchappementsTexte(const QString& v) {
    QString r;
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] == u'\\' && i + 1 < v.size()) {
            const QChar c = v[++i];
            r += c == u's'   ? QChar(u' ')
                 : c == u'n' ? QChar(u'\n')
                 : c == u't' ? QChar(u'\t')
                 : c == u'r' ? QChar(u'\r')
                             : c;
        } else {
            r += v[i];
        }
    }
    return r;
}

// The program path a canonical Exec value names (the caller checks it is canonical).
QString cheminCandidat(const QString& exec) {
    QString arg = sansEchappementsTexte(exec);
    if (arg.size() >= 2 && arg.startsWith(u'"') && arg.endsWith(u'"')) {
        const QString dedans = arg.mid(1, arg.size() - 2);
        arg.clear();
        for (qsizetype i = 0; i < dedans.size(); ++i) {
            if (dedans[i] == u'\\' && i + 1 < dedans.size())
                ++i;
            arg += dedans[i];
        }
    }
    return arg.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

struct Entree {
    QString exec;
    bool eteinte = false;
    bool aExec = false;
};

Entree analyse(const QString& texte) {
    Entree e;
    bool dansGroupe = false;
    for (QString ligne : texte.split(u'\n')) {
        if (ligne.endsWith(u'\r'))
            ligne.chop(1);
        if (ligne.startsWith(u'[')) {
            dansGroupe = ligne.trimmed() == kGroupe;
            continue;
        }
        const qsizetype egal = ligne.indexOf(u'=');
        if (!dansGroupe || egal < 0 || ligne.startsWith(u'#'))
            continue;
        const QString cle = ligne.left(egal).trimmed();
        QString valeur = ligne.mid(egal + 1);
        while (valeur.startsWith(u' ') || valeur.startsWith(u'\t'))
            valeur.remove(0, 1);
        if (cle == u"Exec" && !e.aExec) {
            e.exec = valeur;
            e.aExec = true;
        } else if (cle == u"Hidden" && valeur.trimmed() == u"true") {
            e.eteinte = true;
        } else if (cle == u"X-GNOME-Autostart-enabled" && valeur.trimmed() == u"false") {
            e.eteinte = true;
        }
    }
    return e;
}

// Writes all of `octets` into a new file beside `chemin`, then renames it over `chemin`.
int ecritAtomique(const QByteArray& chemin, const QByteArray& octets) {
    QByteArray modele = chemin + ".XXXXXX";
    const int fd = ::mkstemp(modele.data());
    if (fd < 0)
        return errno;
    int erreur = 0;
    qsizetype fait = 0;
    while (fait < octets.size() && erreur == 0) {
        const ssize_t n = ::write(fd, octets.constData() + fait, size_t(octets.size() - fait));
        if (n < 0 && errno != EINTR)
            erreur = errno;
        else if (n > 0)
            fait += n;
    }
    if (erreur == 0 && ::fchmod(fd, 0644) != 0)
        erreur = errno;
    if (erreur == 0 && ::fsync(fd) != 0)
        erreur = errno;
    if (::close(fd) != 0 && erreur == 0)
        erreur = errno;
    if (erreur == 0 && ::rename(modele.constData(), chemin.constData()) != 0)
        erreur = errno;
    if (erreur != 0)
        ::unlink(modele.constData());
    return erreur;
}

}  // namespace

QString MagasinDemarrageXdg::dossierAutostart() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The variable only counts when it holds an absolute path.
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/autostart");
}

QString MagasinDemarrageXdg::cheminEntree(const QString& nom) {
    return dossierAutostart() + u'/' + nom + QStringLiteral(".desktop");
}

QString MagasinDemarrageXdg::valeurExec(const QString& commande) {
    bool guillemets = commande.isEmpty();
    for (QChar c : commande)
        guillemets = guillemets || estReserve(c);
    QString arg;
    if (guillemets) {
        arg += u'"';
        for (QChar c : commande) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                arg += u'\\';
            arg += c;
        }
        arg += u'"';
    } else {
        arg = commande;
    }
    arg.replace(QStringLiteral("%"), QStringLiteral("%%"));
    // The string-level escape comes on top of the quoting one.
    return arg.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
}

std::optional<QString> MagasinDemarrageXdg::lit(const QString& nom) {
    if (!nomValide(nom))
        return std::nullopt;
    QFile f(cheminEntree(nom));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const Entree e = analyse(QString::fromUtf8(f.readAll()));
    if (e.eteinte || !e.aExec)
        return std::nullopt;
    // Only the one form we write is a program path: unquoted blanks split arguments, field codes
    // and other quoting mean a command line that is not ours.
    const QString chemin = cheminCandidat(e.exec);
    if (valeurExec(chemin) != e.exec)
        return std::nullopt;
    return chemin;
}

MagasinDemarrage::Resultat MagasinDemarrageXdg::ecrit(const QString& nom, const QString& commande) {
    if (!nomValide(nom) || commande.isEmpty() || contientControle(commande))
        return echec(EINVAL);
    std::error_code ec;
    std::filesystem::create_directories(QFile::encodeName(dossierAutostart()).toStdString(), ec);
    if (ec)
        return echec(ec.value());
    const QString texte = kGroupe +
                          QStringLiteral(
                              "\n"
                              "Type=Application\n"
                              "Name=Quentor Sonalde\n"
                              "Exec=") +
                          valeurExec(commande) +
                          QStringLiteral(
                              "\n"
                              "X-GNOME-Autostart-Delay=5\n"
                              "X-KDE-autostart-after=panel\n"
                              "X-LXQt-Need-Tray=true\n");
    if (const int erreur = ecritAtomique(QFile::encodeName(cheminEntree(nom)), texte.toUtf8()))
        return echec(erreur);
    return {};
}

MagasinDemarrage::Resultat MagasinDemarrageXdg::efface(const QString& nom) {
    if (!nomValide(nom))
        return echec(EINVAL);
    if (::unlink(QFile::encodeName(cheminEntree(nom)).constData()) != 0)
        return echec(errno);
    return {};
}

bool MagasinDemarrageXdg::fichierExiste(const QString& chemin) {
    const QFileInfo info(chemin);
    return info.isAbsolute() && info.isFile();
}

#endif  // !Q_OS_WIN
