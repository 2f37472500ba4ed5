#include "timer/SauvegardeMinuteur.h"

#include "state/Etat.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

QString chemin() { return Etat.CheminAppli + QStringLiteral("/QS32.minuteur"); }

}  // namespace

bool SauveFinMinuteur(const std::optional<FinMinuteur>& f) {
    if (Etat.CheminAppli.isEmpty())
        return false;
    if (!f) {
        QFile::remove(chemin());
        return !QFile::exists(chemin());
    }
    QByteArray texte;
    if (f->fin.isValid())
        texte += "fin=" + f->fin.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    else
        texte += "restant_ms=" + QByteArray::number(f->restantMs) + '\n';
    texte += "longueur=" + QByteArray::number(f->longueur) + '\n';
    if (f->jusqua.isValid())
        texte += "jusqua=" + f->jusqua.toString(QStringLiteral("HH:mm")).toLatin1() + '\n';
    QSaveFile s(chemin());
    if (s.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && s.write(texte) == texte.size() && s.commit())
        return true;
    std::fprintf(stderr, "quentor : le minuteur n'a pas pu être gardé dans %s (%s)\n", qPrintable(chemin()),
                 qPrintable(s.errorString()));
    return false;
}

std::optional<FinMinuteur> LitFinMinuteur() {
    QFile f(chemin());
    if (Etat.CheminAppli.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    FinMinuteur m;
    bool restantLu = false;
    for (const QByteArray& ligne : f.read(4096).split('\n')) {
        const qsizetype egal = ligne.indexOf('=');
        const QByteArray cle = ligne.left(egal), valeur = ligne.mid(egal + 1);
        if (cle == "fin")
            m.fin = QDateTime::fromString(QString::fromLatin1(valeur), Qt::ISODateWithMs);
        else if (cle == "restant_ms")
            m.restantMs = valeur.toLongLong(&restantLu);
        else if (cle == "longueur")
            m.longueur = valeur.toInt();
        else if (cle == "jusqua")
            m.jusqua = QTime::fromString(QString::fromLatin1(valeur), QStringLiteral("HH:mm"));
    }
    const bool tient = (m.fin.isValid() || (restantLu && m.restantMs > 0)) && m.longueur > 0;
    return tient ? std::optional<FinMinuteur>(m) : std::nullopt;
}
