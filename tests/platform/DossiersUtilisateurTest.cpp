// The user's own places on the desktop: the autostart desktop entry in a temporary
// XDG_CONFIG_HOME and the start-at-login calls over it; the single-instance lock's folder, only
// a folder of the user's alone.
#include "platform/BureauReel.h"
#include "platform/MagasinDemarrageXdg.h"
#include "preferences/Demarrage.h"
#include "support/Doubles.h"
#include "support/Fichiers.h"

#include <QDir>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Autostart : public AvecPlateforme {
protected:
    Autostart() {
        PF().demarrage = &xdg;
        bureau.programme = dossier.path() + QStringLiteral("/mon dossier");
        QDir().mkpath(bureau.programme);
        EcritOctets(programme, "#!/bin/sh\n");
        QDir().mkpath(autostart);
    }
    QTemporaryDir dossier, config;
    VariableTemporaire xdgConfig{"XDG_CONFIG_HOME", config.path().toUtf8()};
    QString programme = dossier.path() + QStringLiteral("/mon dossier/quentor"), autostart = config.path() + "/autostart";
    QString entree = autostart + QStringLiteral("/quentor.desktop");
    MagasinDemarrageXdg xdg;
};

// Written, read back (special characters quoted and escaped), tested and removed.
TEST_F(Autostart, AjouteTesteRetire) {
    EXPECT_FALSE(TesteDemarre("quentor"));
    EXPECT_TRUE(AjouteDémarre());
    EXPECT_EQ(LitOctets(entree), "[Desktop Entry]\nType=Application\nName=Quentor Sonalde\nExec=\"" + programme.toUtf8() +
                                     "\"\nX-GNOME-Autostart-Delay=5\nX-KDE-autostart-after=panel\nX-LXQt-Need-Tray=true\n");
    EXPECT_FALSE(RetireDémarre());
    EXPECT_FALSE(QFile::exists(entree));
    EXPECT_TRUE(dialogues.boites.empty());
    for (auto [chemin, exec] : {std::pair{"/usr/bin/q", "/usr/bin/q"}, {"/opt/100%/q", "/opt/100%%/q"}, {"/a b/q", "\"/a b/q\""},
                                {"/a\\b/$x`\"/q", "\"/a\\\\\\\\b/\\\\$x\\\\`\\\\\"/q\""}, {"/été/q", "/été/q"}}) {
        ASSERT_TRUE(xdg.ecrit("quentor", QString::fromUtf8(chemin)).ok());
        EXPECT_TRUE(LitOctets(entree).contains("\nExec=" + QByteArray(exec) + "\n")) << chemin;
        EXPECT_EQ(xdg.lit("quentor"), QString::fromUtf8(chemin));
    }
}

// Only the entry we write, switched on, naming an existing absolute path, counts as ours.
TEST_F(Autostart, UneEntreeQueNousNAvonsPasEcriteCompteCommeAbsente) {
    const QByteArray sh = "/bin/sh", p = programme.toUtf8();  // one exists and needs no quoting
    for (auto [texte, presente] : {std::pair{"Exec= " + sh, true}, {"Exec=\"" + sh + "\"", false}, {"Exec=" + sh + " %U", false},
             {"Exec=" + p, false}, {"Exec=sh", false}, {"Exec=" + sh + "\nHidden=true", false},
             {"Exec=" + sh + "\nX-GNOME-Autostart-enabled=false", false}, {"Name=x\n[Desktop Action x]\nExec=" + sh, false},
             {"Exec=/bin/introuvable", false}}) {  // a program since removed
        EcritOctets(entree, "[Desktop Entry]\nType=Application\n" + texte + "\n");
        EXPECT_EQ(TesteDemarre("quentor"), presente) << texte.constData();
    }
}

// A refused write gives the system's error number and leaves nothing behind; the settings
// window's add shows it in the "Erreur N°" box.
TEST_F(Autostart, UneEcritureRefuseeDonneLeNumeroDuSysteme) {
    EXPECT_EQ(xdg.ecrit("../x", programme).numero, EINVAL);
    EXPECT_EQ(xdg.ecrit("quentor", "/a\nb").numero, EINVAL);
    EXPECT_EQ(xdg.ecrit(QString(250, u'q'), programme).numero, ENAMETOOLONG);
    {
        DisquePlein plein(10);
        EXPECT_EQ(xdg.ecrit("quentor", programme).numero, EFBIG);
    }
    EXPECT_EQ(QDir(autostart).entryList(QDir::Files), QStringList());
    QDir(autostart).removeRecursively();
    EcritOctets(autostart, "un fichier, pas un dossier");
    EXPECT_FALSE(AjouteDémarre());
    ASSERT_EQ(dialogues.boites.size(), 1u);
    EXPECT_EQ(dialogues.boites[0].vue(),
              QStringLiteral("Erreur N°%1|impossible de créer un démarrage automatique dans la base de registre !").arg(ENOTDIR));
    VariableTemporaire maison("HOME", dossier.path().toUtf8()), vide("XDG_CONFIG_HOME", "");  // then ~/.config
    ASSERT_TRUE(xdg.ecrit("quentor", programme).ok());
    EXPECT_TRUE(QFile::exists(dossier.path() + QStringLiteral("/.config/autostart/quentor.desktop")));
}

// Nothing to remove is said, as every refusal, in a modal critical box with the store's number; no
// store at all is no entry. The entry's name: "quentor-6.1" has no extension to take off here.
TEST_F(AvecPlateforme, RetraitSansEntreeEtNomDeLEntree) {
    EXPECT_FALSE(RetireDémarre());
    ASSERT_EQ(dialogues.boites.size(), 1u);
    const auto& b = dialogues.boites[0];
    EXPECT_TRUE(b.modale && b.icone == Dialogues::Icone::Critique);
    EXPECT_EQ(b.vue(), QStringLiteral("Erreur N°2|Une erreur s'est produite dans la base de registre de Windows!"));
    InstallePlateforme(Plateforme{});
    EXPECT_FALSE(TesteDemarre("quentor"));
    EXPECT_EQ(NomExecutable("/opt/q/quentor-6.1") + NomExecutable("/usr/bin/quentor"), "quentor-6.1quentor");
}

TEST(BureauReel, OnlyAFolderOfTheUsersAloneIsPrivate) {
    QTemporaryDir d;
    const auto chemin = [&](const char* nom) { return d.path() + u'/' + QLatin1String(nom); };
    const auto c = [&](const char* nom) { return QFile::encodeName(chemin(nom)); };
    mkdir(c("prive"), 0700), mkdir(c("ouvert"), 0755), chmod(c("ouvert"), 0755), mkdir(c("autrui"), 0700);
    symlink(c("prive").constData(), c("lien"));
    QFile(chemin("fichier")).open(QIODevice::WriteOnly);
    const bool root = geteuid() == 0 && chown(c("autrui"), 65534, 65534) == 0;
    const struct { const char* nom; bool prive; const char* raison; } cas[] = {
        {"absent", true, ""}, {"prive", true, ""}, {"ouvert", false, "ouvert à d'autres utilisateurs (droits 755)"},
        {"lien", false, "n'est pas un dossier"}, {"fichier", false, "n'est pas un dossier"},
        {"autrui", !root, root ? "appartient à un autre utilisateur" : ""},
    };
    for (const auto& x : cas) {
        QString raison;
        EXPECT_EQ(DossierPrive(chemin(x.nom), &raison), x.prive) << x.nom;
        EXPECT_TRUE(*x.raison ? raison.endsWith(QString::fromUtf8(x.raison)) : raison.isEmpty()) << x.nom << ": " << raison.toStdString();
    }
    struct stat e {};
    EXPECT_TRUE(lstat(c("absent"), &e) == 0 && S_ISDIR(e.st_mode) && (e.st_mode & 0777) == 0700);
}

}  // namespace
