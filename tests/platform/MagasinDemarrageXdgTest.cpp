// The autostart desktop entry in a temporary XDG_CONFIG_HOME.
#include "platform/MagasinDemarrageXdg.h"
#include "preferences/Demarrage.h"
#include "support/Doubles.h"
#include "support/Fichiers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <unistd.h>

namespace {

class Autostart : public AvecPlateforme {
protected:
    Autostart() {
        Plateforme p = PF();
        p.demarrage = &xdg;
        InstallePlateforme(p);
        bureau.programme = dossier.path() + QStringLiteral("/mon dossier");
        QDir().mkpath(bureau.programme);
        EcritOctets(programme(), "#!/bin/sh\n");
    }
    QString programme() const { return bureau.programme + QStringLiteral("/quentor"); }
    QString entree() const { return config.path() + QStringLiteral("/autostart/quentor.desktop"); }
    void entreeALaMain(const QByteArray& exec, const QByteArray& plus = {}) {
        QDir().mkpath(config.path() + QStringLiteral("/autostart"));
        EcritOctets(entree(),
                    "[Desktop Entry]\nType=Application\nName=x\nExec=" + exec + "\n" + plus);
    }
    QTemporaryDir dossier, config;
    VariableTemporaire xdgConfig{"XDG_CONFIG_HOME", config.path().toUtf8()};
    MagasinDemarrageXdg xdg;
};

TEST_F(Autostart, AjouteTesteRetire) {
    EXPECT_FALSE(TesteDemarre(QStringLiteral("quentor")));
    EXPECT_TRUE(AjouteDémarre());
    EXPECT_EQ(
        LitOctets(entree()),
        QByteArray("[Desktop Entry]\nType=Application\nName=Quentor Sonalde\n"
                   "Exec=\"") +
            programme().toUtf8() +
            QByteArray(
                "\"\n"
                "X-GNOME-Autostart-Delay=5\nX-KDE-autostart-after=panel\nX-LXQt-Need-Tray=true\n"));
    EXPECT_EQ(xdg.lit(QStringLiteral("quentor")), programme());
    EXPECT_TRUE(TesteDemarre(QStringLiteral("quentor")));
    EXPECT_FALSE(RetireDémarre());
    EXPECT_FALSE(QFile::exists(entree()));
    EXPECT_TRUE(dialogues.boites.empty());

    // Nothing left to remove: a failure with its number.
    const auto r = xdg.efface(QStringLiteral("quentor"));
    EXPECT_EQ(r.numero, ENOENT);
    EXPECT_EQ(r.description, QStringLiteral("Fichier ou dossier introuvable"));
}

TEST_F(Autostart, LesCheminsSpeciauxSontCitesEtRelusTelsQuels) {
    const struct {
        QString chemin;
        QString exec;
    } cas[] = {
        {QStringLiteral("/usr/bin/quentor"), QStringLiteral("/usr/bin/quentor")},
        {QStringLiteral("/opt/100%/q"), QStringLiteral("/opt/100%%/q")},
        {QStringLiteral("/a b/q"), QStringLiteral("\"/a b/q\"")},
        {QStringLiteral("/a\\b/$x`\"/q"), QStringLiteral("\"/a\\\\\\\\b/\\\\$x\\\\`\\\\\"/q\"")},
        {QStringLiteral("/été/q"), QStringLiteral("/été/q")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.chemin.toStdString());
        EXPECT_EQ(MagasinDemarrageXdg::valeurExec(c.chemin), c.exec);
        ASSERT_TRUE(xdg.ecrit(QStringLiteral("quentor"), c.chemin).ok());
        EXPECT_TRUE(LitOctets(entree()).contains("\nExec=" + c.exec.toUtf8() + "\n"));
        EXPECT_EQ(xdg.lit(QStringLiteral("quentor")), c.chemin);
    }
}

TEST_F(Autostart, UneEntreeQueNousNAvonsPasEcriteCompteCommeAbsente) {
    const QByteArray chemin = programme().toUtf8();
    const QByteArray enClair = "/bin/sh";  // exists, needs no quoting
    const struct {
        QByteArray exec, plus;
        bool presente;
    } cas[] = {
        {enClair, {}, true},
        {" " + enClair, {}, true},           // blanks after "=" do not count
        {"\"" + enClair + "\"", {}, false},  // quoted without need
        {enClair + " --minimise", {}, false},
        {enClair + " %U", {}, false},
        {"\"" + chemin + "\" -x", {}, false},
        {chemin, {}, false},  // a path with a blank, not quoted
        {"sh", {}, false},    // not an absolute path
        {enClair, "Hidden=true\n", false},
        {enClair, "X-GNOME-Autostart-enabled=false\n", false},
        {"/bin/introuvable", {}, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE((c.exec + " " + c.plus).constData());
        entreeALaMain(c.exec, c.plus);
        EXPECT_EQ(TesteDemarre(QStringLiteral("quentor")), c.presente);
    }
    // An Exec outside the [Desktop Entry] group is not the entry's.
    QDir().mkpath(config.path() + QStringLiteral("/autostart"));
    EcritOctets(entree(), "[Desktop Action x]\nExec=/bin/sh\n");
    EXPECT_FALSE(TesteDemarre(QStringLiteral("quentor")));
}

TEST_F(Autostart, UnDossierImpossibleACreerDonneLeMessageDeCreation) {
    EcritOctets(config.path() + QStringLiteral("/autostart"), "un fichier, pas un dossier");
    const auto r = xdg.ecrit(QStringLiteral("quentor"), programme());
    EXPECT_NE(r.numero, 0);
    EXPECT_FALSE(r.description.isEmpty());
    EXPECT_FALSE(AjouteDémarre());
    ASSERT_EQ(dialogues.boites.size(), 1u);
    EXPECT_EQ(dialogues.boites[0].icone, Dialogues::Icone::Critique);
    EXPECT_EQ(dialogues.boites[0].titre, QStringLiteral("Erreur N°%1").arg(r.numero));
    EXPECT_EQ(
        dialogues.boites[0].texte,
        QStringLiteral("impossible de créer un démarrage automatique dans la base de registre !"));
}

TEST_F(Autostart, UnDossierEnLectureSeuleDonneLeMessageDeCreation) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root écrit même dans un dossier en lecture seule";
    const QString dossierAutostart = config.path() + QStringLiteral("/autostart");
    QDir().mkpath(dossierAutostart);
    QFile::setPermissions(dossierAutostart, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(AjouteDémarre());
    QFile::setPermissions(dossierAutostart,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(dialogues.boites.size(), 1u);
    EXPECT_EQ(dialogues.boites[0].titre, QStringLiteral("Erreur N°%1").arg(EACCES));
    EXPECT_TRUE(QDir(dossierAutostart).isEmpty());
}

TEST_F(Autostart, SansXdgConfigHomeLEntreeVaDansPointConfig) {
    VariableTemporaire maison("HOME", dossier.path().toUtf8());
    VariableTemporaire vide("XDG_CONFIG_HOME", "");
    EXPECT_EQ(MagasinDemarrageXdg::dossierAutostart(),
              dossier.path() + QStringLiteral("/.config/autostart"));
    ASSERT_TRUE(xdg.ecrit(QStringLiteral("quentor"), programme()).ok());
    EXPECT_TRUE(
        QFile::exists(dossier.path() + QStringLiteral("/.config/autostart/quentor.desktop")));
    EXPECT_EQ(xdg.ecrit(QStringLiteral("../x"), programme()).numero, EINVAL);
    EXPECT_EQ(xdg.ecrit(QStringLiteral("quentor"), QStringLiteral("/a\nb")).numero, EINVAL);
}

}  // namespace
