// The autostart desktop entry in a temporary XDG_CONFIG_HOME.
#include "platform/MagasinDemarrageXdg.h"
#include "preferences/Demarrage.h"
#include "support/Doubles.h"
#include "support/Fichiers.h"

#include <QDir>
#include <QTemporaryDir>

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
    QString autostart() const { return config.path() + QStringLiteral("/autostart"); }
    QString entree() const { return autostart() + QStringLiteral("/quentor.desktop"); }
    QTemporaryDir dossier, config;
    VariableTemporaire xdgConfig{"XDG_CONFIG_HOME", config.path().toUtf8()};
    MagasinDemarrageXdg xdg;
};

TEST_F(Autostart, AjouteTesteRetire) {
    EXPECT_FALSE(TesteDemarre(QStringLiteral("quentor")));
    EXPECT_TRUE(AjouteDémarre());
    EXPECT_EQ(LitOctets(entree()), "[Desktop Entry]\nType=Application\nName=Quentor Sonalde\nExec=\"" + programme().toUtf8() +
                                       "\"\nX-GNOME-Autostart-Delay=5\nX-KDE-autostart-after=panel\nX-LXQt-Need-Tray=true\n");
    EXPECT_EQ(xdg.lit(QStringLiteral("quentor")), programme());
    EXPECT_FALSE(RetireDémarre());
    EXPECT_FALSE(QFile::exists(entree()));
    EXPECT_TRUE(dialogues.boites.empty());
    const auto r = xdg.efface(QStringLiteral("quentor"));  // nothing left to remove
    EXPECT_EQ(QString::number(r.numero) + u' ' + r.description, QStringLiteral("%1 Fichier ou dossier introuvable").arg(ENOENT));
}

TEST_F(Autostart, LesCheminsSpeciauxSontCitesEtRelusTelsQuels) {
    const struct { QString chemin, exec; } cas[] = {
        {"/usr/bin/quentor", "/usr/bin/quentor"}, {"/opt/100%/q", "/opt/100%%/q"}, {"/a b/q", "\"/a b/q\""},
        {"/a\\b/$x`\"/q", "\"/a\\\\\\\\b/\\\\$x\\\\`\\\\\"/q\""}, {"/été/q", "/été/q"},
    };
    for (const auto& c : cas) {
        ASSERT_TRUE(xdg.ecrit(QStringLiteral("quentor"), c.chemin).ok());
        EXPECT_TRUE(LitOctets(entree()).contains("\nExec=" + c.exec.toUtf8() + "\n")) << c.chemin.toStdString();
        EXPECT_EQ(xdg.lit(QStringLiteral("quentor")), c.chemin);
    }
}

// Only the entry we write, switched on, naming an existing absolute path, counts as ours.
TEST_F(Autostart, UneEntreeQueNousNAvonsPasEcriteCompteCommeAbsente) {
    const QByteArray sh = "/bin/sh";  // exists, needs no quoting
    const struct { QByteArray texte; bool presente; } cas[] = {
        {"Exec=" + sh, true}, {"Exec= " + sh, true}, {"Exec=\"" + sh + "\"", false}, {"Exec=" + sh + " --minimise", false},
        {"Exec=" + sh + " %U", false}, {"Exec=\"" + programme().toUtf8() + "\" -x", false},
        {"Exec=" + programme().toUtf8(), false},  // a path with a blank, not quoted
        {"Exec=sh", false}, {"Exec=" + sh + "\nHidden=true", false},
        {"Exec=" + sh + "\nX-GNOME-Autostart-enabled=false", false}, {"Exec=/bin/introuvable", false},
        {"Name=x\n[Desktop Action x]\nExec=" + sh, false},  // not the entry's own group
    };
    QDir().mkpath(autostart());
    for (const auto& c : cas) {
        EcritOctets(entree(), "[Desktop Entry]\nType=Application\n" + c.texte + "\n");
        EXPECT_EQ(TesteDemarre(QStringLiteral("quentor")), c.presente) << c.texte.constData();
    }
}

// A refused write gives the system's error number and leaves nothing behind; the settings
// window's add shows it in the "Erreur N°" box.
TEST_F(Autostart, UneEcritureRefuseeDonneLeNumeroDuSysteme) {
    EXPECT_EQ(xdg.ecrit(QStringLiteral("../x"), programme()).numero, EINVAL);
    EXPECT_EQ(xdg.ecrit(QStringLiteral("quentor"), QStringLiteral("/a\nb")).numero, EINVAL);
    EXPECT_EQ(xdg.ecrit(QString(250, u'q'), programme()).numero, ENAMETOOLONG);
    {
        DisquePlein plein(10);
        EXPECT_EQ(xdg.ecrit(QStringLiteral("quentor"), programme()).numero, EFBIG);
    }
    EXPECT_EQ(QDir(autostart()).entryList(QDir::Files), QStringList());
    QDir(autostart()).removeRecursively();
    EcritOctets(autostart(), "un fichier, pas un dossier");
    const int numero = xdg.ecrit(QStringLiteral("quentor"), programme()).numero;
    EXPECT_FALSE(AjouteDémarre());
    ASSERT_EQ(dialogues.boites.size(), 1u);
    const auto& b = dialogues.boites[0];
    EXPECT_EQ(b.titre + u'|' + b.texte, QStringLiteral("Erreur N°%1|impossible de créer un démarrage automatique "
                                                       "dans la base de registre !").arg(ENOTDIR));
    EXPECT_EQ(numero, ENOTDIR);
}

TEST_F(Autostart, SansXdgConfigHomeLEntreeVaDansPointConfig) {
    VariableTemporaire maison("HOME", dossier.path().toUtf8());
    VariableTemporaire vide("XDG_CONFIG_HOME", "");
    ASSERT_TRUE(xdg.ecrit(QStringLiteral("quentor"), programme()).ok());
    EXPECT_TRUE(QFile::exists(dossier.path() + QStringLiteral("/.config/autostart/quentor.desktop")));
}

}  // namespace
