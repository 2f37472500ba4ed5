#include "timer/DureeMinuteur.h"

#include <QRegularExpression>

namespace {

std::optional<int> dansLesBornes(qint64 secondes) {
    if (secondes < 1 || secondes > kDureeMaxMinuteur)
        return std::nullopt;
    return int(secondes);
}

}  // namespace

std::optional<int> LitDureeMinuteur(const QString& texte) {
    const QString t = texte.trimmed().toLower();
    // Bounded digit runs: a huge number is refused, never wrapped round.
    static const QRegularExpression nombre(QStringLiteral("^\\d{1,6}$"));
    // Hours, minutes, seconds, each with its unit; the minutes may go without one after the
    // hours, at the end: "1h30".
    static const QRegularExpression unites(
        QStringLiteral("^(?:(\\d{1,5})h(?:(\\d{1,2})$)?)?(?:(\\d{1,5})(?:min|m))?(?:(\\d{1,6})s)?$"));
    static const QRegularExpression deuxPoints(QStringLiteral("^(?:(\\d{1,2}):)?(\\d{1,2}):(\\d{2})$"));
    if (nombre.match(t).hasMatch())
        return dansLesBornes(t.toLongLong() * 60);
    if (const auto m = deuxPoints.match(t); m.hasMatch()) {
        const qint64 h = m.captured(1).toLongLong(), mn = m.captured(2).toLongLong(), s = m.captured(3).toLongLong();
        if ((m.hasCaptured(1) && mn > 59) || s > 59)
            return std::nullopt;
        return dansLesBornes(h * 3600 + mn * 60 + s);
    }
    const auto m = unites.match(t);
    if (!m.hasMatch() || t.isEmpty())
        return std::nullopt;
    return dansLesBornes(m.captured(1).toLongLong() * 3600 +
                         (m.captured(2).toLongLong() + m.captured(3).toLongLong()) * 60 + m.captured(4).toLongLong());
}

std::optional<QTime> LitHeureMinuteur(const QString& texte) {
    static const QRegularExpression hm(QStringLiteral("^(\\d{1,2})[:h](\\d{2})$"));
    const auto m = hm.match(texte.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt());
    return t.isValid() ? std::optional<QTime>(t) : std::nullopt;
}

QString TexteRestant(int secondes) {
    const int s = std::max(0, secondes);
    const QChar zero(u'0');
    if (s >= 3600)
        return QStringLiteral("%1:%2:%3").arg(s / 3600).arg(s % 3600 / 60, 2, 10, zero).arg(s % 60, 2, 10, zero);
    return QStringLiteral("%1:%2").arg(s / 60, 2, 10, zero).arg(s % 60, 2, 10, zero);
}

QString TexteDuree(int secondes) {
    QStringList parts;
    if (secondes >= 3600)
        parts << QStringLiteral("%1 h").arg(secondes / 3600);
    if (secondes % 3600 >= 60)
        parts << QStringLiteral("%1 min").arg(secondes % 3600 / 60);
    if (secondes % 60 || parts.isEmpty())
        parts << QStringLiteral("%1 s").arg(secondes % 60);
    return parts.join(u' ');
}
