// The user's own places on the desktop: the autostart desktop entry in a temporary
// XDG_CONFIG_HOME and the start-at-login calls over it; the single-instance lock, only in a
// folder of the user's alone.
#include "platform/BureauReel.h"
#include "platform/DossierInstance.h"
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
    QString programme = dossier.path() + QStringLiteral("/mon dossier/quentor"),
            autostart = config.path() + "/autostart";
    QString entree = autostart + QStringLiteral("/quentor.desktop");
    MagasinDemarrageXdg xdg;
};

// Written, read back (special characters quoted and escaped), tested and removed.
TEST_F(Autostart, AjouteTesteRetire) {
    EXPECT_FALSE(TesteDemarre("quentor"));
    EXPECT_TRUE(AjouteDémarre());
    EXPECT_EQ(LitOctets(entree),
              "[Desktop Entry]\nType=Application\nName=Quentor Sonalde\nExec=\"" + programme.toUtf8() +
                  "\"\nX-GNOME-Autostart-Delay=5\nX-KDE-autostart-after=panel\nX-LXQt-Need-Tray=true\n");
    EXPECT_FALSE(RetireDémarre());
    EXPECT_FALSE(QFile::exists(entree));
    for (auto [chemin, exec] : {std::pair{"/usr/bin/q", "/usr/bin/q"},
                                {"/opt/100%/q", "/opt/100%%/q"},
                                {"/a b/q", "\"/a b/q\""},
                                {"/a\\b/$x`\"/q", "\"/a\\\\\\\\b/\\\\$x\\\\`\\\\\"/q\""},
                                {"/été/q", "/été/q"}}) {
        ASSERT_TRUE(xdg.ecrit("quentor", QString::fromUtf8(chemin)).ok());
        EXPECT_TRUE(LitOctets(entree).contains("\nExec=" + QByteArray(exec) + "\n")) << chemin;
        EXPECT_EQ(xdg.lit("quentor"), QString::fromUtf8(chemin));
    }
}

// Only the entry we write, switched on, naming an existing absolute path, counts as ours.
TEST_F(Autostart, UneEntreeQueNousNAvonsPasEcriteCompteCommeAbsente) {
    const QByteArray sh = "/bin/sh", p = programme.toUtf8();  // one exists and needs no quoting
    for (auto [texte, presente] : {std::pair{"Exec= " + sh, true},
                                   {"Exec=\"" + sh + "\"", false},
                                   {"Exec=" + sh + " %U", false},
                                   {"Exec=" + p, false},
                                   {"Exec=sh", false},
                                   {"Exec=" + sh + "\nHidden=true", false},
                                   {"Exec=" + sh + "\nX-GNOME-Autostart-enabled=false", false},
                                   {"Name=x\n[Desktop Action x]\nExec=" + sh, false},
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
              QStringLiteral("Erreur N°%1|impossible de créer un démarrage automatique dans la base de registre !")
                  .arg(ENOTDIR));
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

// The clock locks in a folder of the user's alone, writable, unless a live clock holds the lock
// there: what a lock file holds, and what else stands in its place, never keeps it from starting.
TEST(BureauReel, UnDossierPriveEtUnVerrouQuAucuneHorlogeVivanteNeTient) {
    QTemporaryDir d;
    const bool root = geteuid() == 0;
    const QString dehors = d.path() + QStringLiteral("/dehors");
    EcritOctets(dehors, "intact");
    VerrouInstance vivant;
    enum Verrou { Aucun, Vide, Vivant, Lien, Etranger, Dossier };
    // clang-format off
    const struct { const char* nom; char type; int droits; Verrou verrou; const char* attendu; } cas[] = {
        {"absent", '-', 0, Aucun, "pris"}, {"prive", 'd', 0700, Aucun, "pris"},
        {"ouvert", 'd', 0755, Aucun, "ouvert à d'autres utilisateurs (droits 755)"},
        {"partage", 'd', 01777, Aucun, "ouvert à d'autres utilisateurs (droits 1777)"},
        {"autrui", 'a', 0700, Aucun, root ? "appartient à un autre utilisateur" : "pris"},
        {"lecture", 'd', 0500, Aucun, root ? "pris" : "n'accepte pas d'écriture (Permission refusée)"},
        {"lien", 'l', 0, Aucun, "n'est pas un dossier"}, {"fichier", 'f', 0, Aucun, "n'est pas un dossier"},
        {"vide", 'd', 0700, Vide, "pris"}, {"vivant", 'd', 0700, Vivant, "tenu"},
        {"verrou-lien", 'd', 0700, Lien, "pris"},
        {"verrou-etranger", 'd', 0700, Etranger, "pris"},
        {"verrou-dossier", 'd', 0700, Dossier, "inutilisable (C'est un dossier)"},
    };
    // clang-format on
    for (const auto& x : cas) {
        const QString dossier = d.path() + u'/' + QLatin1String(x.nom),
                      verrou = dossier + QStringLiteral("/quentor.lock");
        const QByteArray c = QFile::encodeName(dossier), v = QFile::encodeName(verrou);
        if (x.type == 'd' || x.type == 'a') {
            mkdir(c, 0700);
            chmod(c, mode_t(x.droits));
        }
        if (x.type == 'a' && root) {
            ASSERT_EQ(chown(c, 65534, 65534), 0);
        }
        if (x.type == 'l')
            symlink(QFile::encodeName(d.path() + QStringLiteral("/prive")), c);
        if (x.type == 'f' || x.verrou == Vide || x.verrou == Etranger)
            EcritOctets(x.type == 'f' ? dossier : verrou, "");
        if (x.verrou == Etranger && root) {
            ASSERT_EQ(chown(v, 65534, 65534), 0);
        }
        if (x.verrou == Lien)
            symlink(QFile::encodeName(dehors), v);
        if (x.verrou == Dossier)
            mkdir(v, 0700);
        QString raison;
        if (x.verrou == Vivant) {
            ASSERT_EQ(vivant.prend(verrou, &raison), VerrouInstance::Issue::Pris);
        }
        VerrouInstance essai;
        QString verdict = DossierPrive(dossier, &raison) ? QString() : raison;
        if (verdict.isEmpty()) {
            const auto issue = essai.prend(verrou, &raison);
            verdict = issue == VerrouInstance::Issue::Pris                ? QStringLiteral("pris")
                      : issue == VerrouInstance::Issue::TenuParUneHorloge ? QStringLiteral("tenu")
                                                                          : raison;
        }
        EXPECT_TRUE(verdict.endsWith(QString::fromUtf8(x.attendu))) << x.nom << ": " << verdict.toStdString();
    }
    EXPECT_EQ(LitOctets(dehors), "intact");
    struct stat e {};
    EXPECT_TRUE(lstat(QFile::encodeName(d.path() + QStringLiteral("/absent")), &e) == 0 && S_ISDIR(e.st_mode) &&
                (e.st_mode & 0777) == 0700);
}

}  // namespace
