#include "settings/ValeursIni.h"

#include <QLocale>
#include <cfloat>
#include <cmath>

namespace {

// Numbers in the file are ASCII digits and "-", with the decimal separator of this system; the
// other separator is no part of a number here.
std::optional<double> convertitDecimal(const QString& texte) {
    QString t = texte.trimmed();
    const QChar sep = SeparateurDecimal(), autre = sep == u',' ? u'.' : u',';
    if (t.isEmpty() || t.contains(autre))
        return std::nullopt;
    t.replace(sep, u'.');
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = c.toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

}  // namespace

QChar SeparateurDecimal() {
    const QString d = QLocale().decimalPoint();
    return d == u"," ? u',' : u'.';
}

std::optional<int64_t> ConvertitEntier(const QString& texte, int64_t min, int64_t max) {
    const auto v = convertitDecimal(texte);
    if (!v)
        return std::nullopt;
    const double arrondi = std::nearbyint(*v);  // the default rounding mode sends halves to even
    if (arrondi < static_cast<double>(min) || arrondi > static_cast<double>(max))
        return std::nullopt;
    return static_cast<int64_t>(arrondi);
}

std::optional<double> ConvertitSimple(const QString& texte) {
    const auto v = convertitDecimal(texte);
    if (!v || std::fabs(*v) > FLT_MAX)
        return std::nullopt;
    return static_cast<double>(static_cast<float>(*v));
}

std::optional<bool> ConvertitBooleen(const QString& texte) {
    const QString t = texte.trimmed();
    for (const char* vrai : {"True", "Vrai"})
        if (t.compare(QLatin1String(vrai), Qt::CaseInsensitive) == 0)
            return true;
    for (const char* faux : {"False", "Faux"})
        if (t.compare(QLatin1String(faux), Qt::CaseInsensitive) == 0)
            return false;
    if (const auto v = convertitDecimal(t))
        return *v != 0.0;
    return std::nullopt;
}

std::optional<int> ConvertitHeureMinute(const QString& texte) {
    const QString t = texte.trimmed();
    const qsizetype deuxPoints = t.indexOf(u':');
    if (deuxPoints < 1 || deuxPoints > 2 || t.size() != deuxPoints + 3)
        return std::nullopt;
    int heure = 0, minute = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (i == deuxPoints)
            continue;
        if (t[i] < u'0' || t[i] > u'9')
            return std::nullopt;
        int& champ = i < deuxPoints ? heure : minute;
        champ = champ * 10 + (t[i].unicode() - u'0');
    }
    if (heure > 23 || minute > 59)
        return std::nullopt;
    return heure * 60 + minute;
}

QString TexteHeureMinute(int minutes) {
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString TexteSimple(double valeur) {
    const float f = static_cast<float>(valeur);
    if (f == 0.0f || !std::isfinite(f))
        return QStringLiteral("0");
    // Fewest significant digits that give the same single-precision value back.
    int chiffres = 7;
    for (int p = 1; p < 7; ++p) {
        if (static_cast<float>(QString::number(f, 'e', p - 1).toDouble()) == f) {
            chiffres = p;
            break;
        }
    }
    QString sci = QString::number(f, 'e', chiffres - 1);
    // Rounded to seven digits, a number may end with zeros: they are not written, or the value
    // read back would be written differently at the next save.
    while (chiffres > 1 && sci[sci.indexOf(u'e') - 1] == u'0') {
        --chiffres;
        sci = QString::number(f, 'e', chiffres - 1);
    }
    const int exposant = sci.mid(sci.indexOf(u'e') + 1).toInt();
    QString texte;
    if (exposant >= -5 && exposant < 7) {
        texte = QString::number(f, 'f', std::max(0, chiffres - 1 - exposant));
    } else {
        // 1.5e+07 -> 1.5E+07, as the system's own conversions write it.
        texte = sci.toUpper();
        const qsizetype e = texte.indexOf(u'E');
        const int valExp = texte.mid(e + 1).toInt();
        texte = texte.left(e) + (valExp < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) +
                QStringLiteral("%1").arg(std::abs(valExp), 2, 10, QLatin1Char('0'));
    }
    return texte.replace(u'.', SeparateurDecimal());
}

QString TexteBooleen(bool valeur) {
    if (QLocale().language() == QLocale::French)
        return valeur ? QStringLiteral("Vrai") : QStringLiteral("Faux");
    return valeur ? QStringLiteral("True") : QStringLiteral("False");
}
