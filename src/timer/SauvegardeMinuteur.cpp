#include "timer/SauvegardeMinuteur.h"

#include "state/Releve.h"

namespace {

const QString kCle = QStringLiteral("minuteur");
const QString kFormatHeure = QStringLiteral("HH:mm");

}  // namespace

// One value, so that its parts are written together: "END LENGTH [HH:MM]", END the end in UTC
// while it runs, or "pause:MS", the time left while it is held.
void SauveFinMinuteur(const std::optional<FinMinuteur>& f) {
    if (!f) {
        NoteReleve(kCle, {});
        return;
    }
    QStringList parts{
        f->fin.isValid() ? f->fin.toUTC().toString(Qt::ISODateWithMs) : QStringLiteral("pause:%1").arg(f->restantMs),
        QString::number(f->longueur)};
    if (f->jusqua.isValid())
        parts << f->jusqua.toString(kFormatHeure);
    NoteReleve(kCle, parts.join(u' '));
}

std::optional<FinMinuteur> LitFinMinuteur() {
    const QStringList parts = ValeurReleve(kCle).split(u' ');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    FinMinuteur m;
    bool restantLu = false;
    if (parts[0].startsWith(u"pause:"))
        m.restantMs = parts[0].mid(6).toLongLong(&restantLu);
    else
        m.fin = QDateTime::fromString(parts[0], Qt::ISODateWithMs);
    m.longueur = parts[1].toInt();
    if (parts.size() == 3)
        m.jusqua = QTime::fromString(parts[2], kFormatHeure);
    const bool tient = (m.fin.isValid() || (restantLu && m.restantMs > 0)) && m.longueur > 0 &&
                       (parts.size() == 2 || m.jusqua.isValid());
    return tient ? std::optional<FinMinuteur>(m) : std::nullopt;
}
