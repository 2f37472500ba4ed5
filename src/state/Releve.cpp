#include "state/Releve.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <cstdio>
#include <map>

namespace {
struct Releve {
    QString chemin;  // empty: not open
    std::map<QString, QString> valeurs;
    bool echecDit = false;
};

Releve& R() {
    static Releve r;
    return r;
}

// Every line "key=value" with a key, the last one ended: anything else is not a record of ours.
bool Lit(const QByteArray& octets, std::map<QString, QString>& valeurs) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texte = utf8(octets);
    if (utf8.hasError() || texte.isEmpty() || !texte.endsWith(u'\n'))
        return false;
    for (const QString& ligne : texte.chopped(1).split(u'\n')) {
        const qsizetype egal = ligne.indexOf(u'=');
        if (egal <= 0)
            return false;
        valeurs[ligne.left(egal)] = ligne.mid(egal + 1);
    }
    return true;
}

void Ecrit() {
    Releve& r = R();
    QByteArray octets;
    for (const auto& [cle, valeur] : r.valeurs)
        octets += (cle + u'=' + valeur + u'\n').toUtf8();
    QSaveFile f(r.chemin);
    if (f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && f.write(octets) == octets.size() && f.commit())
        return;
    if (!r.echecDit)
        std::fprintf(stderr, "quentor : le relevé %s n'a pas pu être écrit (%s)\n", qPrintable(r.chemin),
                     qPrintable(f.errorString()));
    r.echecDit = true;
}
}  // namespace

bool OuvreReleve(const QString& chemin) {
    Releve& r = R();
    r = Releve{chemin, {}, false};
    QFile f(chemin);
    if (f.open(QIODevice::ReadOnly) && Lit(f.readAll(), r.valeurs))
        return true;
    r.valeurs.clear();
    return false;
}

void FermeReleve() { R() = Releve{}; }

QString ValeurReleve(const QString& cle) {
    const auto it = R().valeurs.find(cle);
    return it == R().valeurs.end() ? QString() : it->second;
}

void NoteReleve(const QString& cle, const QString& valeur) {
    Releve& r = R();
    if (r.chemin.isEmpty() || cle.isEmpty() || cle.contains(u'=') || cle.contains(u'\n'))
        return;
    QString v = valeur;
    v.replace(u'\n', u' ');
    auto [it, nouveau] = r.valeurs.try_emplace(cle, v);
    if (!nouveau && it->second == v)
        return;
    it->second = v;
    Ecrit();
}
