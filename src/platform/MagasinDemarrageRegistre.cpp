#include "platform/MagasinDemarrageRegistre.h"

#ifdef Q_OS_WIN
#include <QFileInfo>
#include <QSettings>

namespace {

// The Run key as the registry names it (value names are appended after its final backslash).
const QString kCleRun = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\");

// The numbers the system's registry calls report for the refusals QSettings can tell apart: the
// Win32 errors ACCESS_DENIED and FILE_NOT_FOUND as negative 32-bit HRESULTs (0x80070005, 0x80070002).
constexpr int kAccesRefuse = -2147024891;
constexpr int kFichierIntrouvable = -2147024894;

QString cheminCle() { return kCleRun.chopped(1); }

MagasinDemarrage::Resultat resultat(const QSettings& s) {
    if (s.status() == QSettings::NoError)
        return {};
    return {kAccesRefuse, QStringLiteral("Accès refusé")};
}

}  // namespace

std::optional<QString> MagasinDemarrageRegistre::lit(const QString& nom) {
    QSettings s(cheminCle(), QSettings::NativeFormat);
    if (s.status() != QSettings::NoError || !s.contains(nom))
        return std::nullopt;
    return s.value(nom).toString();
}

MagasinDemarrage::Resultat MagasinDemarrageRegistre::ecrit(const QString& nom, const QString& commande) {
    QSettings s(cheminCle(), QSettings::NativeFormat);
    s.setValue(nom, commande);
    s.sync();
    if (s.status() == QSettings::NoError && s.value(nom).toString() != commande)
        return {kAccesRefuse, QStringLiteral("Accès refusé")};
    return resultat(s);
}

MagasinDemarrage::Resultat MagasinDemarrageRegistre::efface(const QString& nom) {
    QSettings s(cheminCle(), QSettings::NativeFormat);
    if (!s.contains(nom))
        return {kFichierIntrouvable, QStringLiteral("Le fichier spécifié est introuvable.")};
    s.remove(nom);
    s.sync();
    if (s.status() == QSettings::NoError && s.contains(nom))
        return {kAccesRefuse, QStringLiteral("Accès refusé")};
    return resultat(s);
}

bool MagasinDemarrageRegistre::fichierExiste(const QString& chemin) { return QFileInfo(chemin).isFile(); }
#endif
