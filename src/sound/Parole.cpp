#include "sound/Parole.h"

#include "sound/Annonce.h"
#include "sound/Phrases.h"
#include "state/Etat.h"

namespace {

const QString kHeures = QStringLiteral("70");  // the numbered set's "heures"

// The hour as the clock's face of twelve says it, 0 to 23.
QStringList Heure(int heure) {
    if (heure == 0)
        return {QStringLiteral("minuit")};
    if (heure == 12)
        return {QStringLiteral("midi")};
    const int h = heure % 12;  // clip 1 says "une", as "une heure" wants
    return {QString::number(h), h == 1 ? QStringLiteral("heure") : kHeures};
}

QString PartieDuJour(int heure) {
    if (heure == 0 || heure == 12)
        return {};
    if (heure < 12)
        return QStringLiteral("du_matin");
    return heure < 18 ? QStringLiteral("de_l_apres_midi") : QStringLiteral("du_soir");
}

// Day numbers and years are masculine where the numbered set's 1, 21 and 31 are feminine.
QString NombreMasculin(int n) {
    switch (n) {
    case 1: return QStringLiteral("un");
    case 21: return QStringLiteral("vingt_et_un");
    case 31: return QStringLiteral("trente_et_un");
    default: return QString::number(n);
    }
}

}  // namespace

QStringList MotsHeureCourante(int heure, int minute) {
    // From twenty-five to the hour on, the next hour less the minutes left.
    const bool moins = minute >= 35 && minute % 5 == 0;
    const int h = moins ? (heure + 1) % 24 : heure;
    QStringList mots{QStringLiteral("il_est")};
    mots << Heure(h);
    if (minute == 15)
        mots << QStringLiteral("et_quart");
    else if (minute == 30)
        mots << (h % 12 == 0 ? QStringLiteral("et_demi") : QStringLiteral("et_demie"));
    else if (minute == 45)
        mots << QStringLiteral("moins_le_quart");
    else if (moins)
        mots << QStringLiteral("moins") << QString::number(60 - minute);
    else if (minute != 0)
        mots << QString::number(minute);
    if (const QString partie = PartieDuJour(h); !partie.isEmpty())
        mots << partie;
    return mots;
}

QStringList MotsDate(const QDate& jour) {
    static const char* const jours[] = {"lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche"};
    static const char* const mois[] = {"janvier", "fevrier", "mars",      "avril",   "mai",      "juin",
                                       "juillet", "aout",    "septembre", "octobre", "novembre", "decembre"};
    if (!jour.isValid())
        return {};
    QStringList mots{QStringLiteral("nous_sommes_le"), QString::fromLatin1(jours[jour.dayOfWeek() - 1])};
    mots << (jour.day() == 1 ? QStringLiteral("premier") : NombreMasculin(jour.day()));
    mots << QString::fromLatin1(mois[jour.month() - 1]);
    // The years of the voices' own phrases; around them, "deux mille" and a number up to 59.
    const int an = jour.year(), reste = an - 2000;
    if (an >= 2025 && an <= 2040)
        mots << QString::number(an);
    else if (reste == 0)
        mots << QStringLiteral("deux_mille");
    else if (reste > 0 && reste < 60 && reste != 41 && reste != 51)  // no "quarante et un", "cinquante et un"
        mots << QStringLiteral("deux_mille") << NombreMasculin(reste);
    return mots;
}

Etapes EtapesMots(uint8_t genre, const QStringList& mots) {
    Etapes pas;
    for (const QString& mot : mots) {
        bool nombre = false;
        const int n = mot.toInt(&nombre);
        pas.push_back(nombre && n < 100 ? MotClip(int16_t(genre * 100 + n)) : Mot(genre, mot));
    }
    return pas;
}

Etapes EtapesHeureChoisie(uint8_t genre, int heure, int minute) {
    if (Etat.HeureCourante)
        return EtapesMots(genre, MotsHeureCourante(heure, minute));
    return EtapesHeure(genre, heure, minute);
}
