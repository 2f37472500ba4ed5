// The four keys of the silent hours and the volume: never an error, written back at the close.
#include "settings/ReglagesTest.h"
#include "settings/SilenceVolume.h"

namespace {

using SilenceVolume = AvecFichierIni;
const QByteArray kDefauts = "silence_actif=Faux\r\nsilence_debut=22:00\r\nsilence_fin=07:00\r\nvolume=100\r\n";

QString lus() {
    return QStringLiteral("%1 %2-%3 %4").arg(int(Etat.Silence.actif)).arg(Etat.Silence.debut).arg(Etat.Silence.fin).arg(Etat.Volume);
}

// A file without them, or with a value that does not convert, or a line of theirs that is broken,
// gets the defaults, said nowhere, and the close writes them: the lines they have corrected in
// place, the others at the end; every other byte stays.
TEST_F(SilenceVolume, MissingOrBadValuesGetTheirDefaultsWrittenBack) {
    const struct { QByteArray fichier, lu, enregistre; } cas[] = {
        {"a=1\r\n; fin\t", "0 1320-420 100", "a=1\r\n; fin\t\r\n" + kDefauts},  // no line end, nor added at the load
        {"silence_debut=25:99\r\nvolume=abc\r\na=1\r\n", "0 1320-420 100",
         "silence_debut=22:00\r\nvolume=100\r\na=1\r\nsilence_actif=Faux\r\nsilence_fin=07:00\r\n"},
        {"VOLUME =250\r\nsilence_fin=7h\r\nSilence_actif=oui\r\n", "0 1320-420 100",
         "VOLUME =100\r\nsilence_fin=07:00\r\nSilence_actif=Faux\r\nsilence_debut=22:00\r\n"},
        {"volume 5\r\nsilence_debut=6:30\nb=2\r\nsilence_actif = -1\r\nsilence_fin= 23:5\r\n", "1 1320-420 100",
         "volume=100\r\nsilence_debut=22:00\r\nb=2\r\nsilence_actif =Vrai\r\nsilence_fin=07:00\r\n"},
        {"volume=52\r\nsilence_debut= 6:30 \r\nsilence_fin=00:00\r\nsilence_actif=vrai\r\n", "1 390-0 50",
         "volume=50\r\nsilence_debut=06:30\r\nsilence_fin=00:00\r\nsilence_actif=Vrai\r\n"},
    };
    for (const auto& c : cas) {
        charge(c.fichier);
        LitSilenceEtVolume();
        EXPECT_EQ(lus(), QString::fromLatin1(c.lu)) << c.fichier.constData();
        EcritSilenceEtVolume(), EnregistreTexteIni();
        EXPECT_EQ(ini(), c.enregistre) << c.fichier.constData();
        EXPECT_EQ(VolumeDuFichier(), Etat.Volume);
    }
    EXPECT_TRUE(dialogues.boites.empty());
}

// What the window sets comes back at the next start, in the system's words for booleans.
TEST_F(SilenceVolume, ARoundTripKeepsThem) {
    const LocaleTemporaire anglais(QLocale(QLocale::English, QLocale::UnitedKingdom));
    charge("a=1\r\n");
    Etat.Silence = {true, 23 * 60 + 15, 6 * 60 + 45}, Etat.Volume = 35;
    EcritSilenceEtVolume(), EnregistreTexteIni();
    EXPECT_EQ(ini(), "a=1\r\nsilence_actif=True\r\nsilence_debut=23:15\r\nsilence_fin=06:45\r\nvolume=35\r\n");
    Etat = EtatProgramme{}, Etat.CheminAppli = dossier.path();
    ChargeTexteIni(), LitSilenceEtVolume();
    EXPECT_EQ(lus(), "1 1395-405 35");
    Etat.TexteIni.clear(), EcritSilenceEtVolume();  // never loaded: nothing to write, not even these
    EXPECT_TRUE(Etat.TexteIni.isEmpty());
}

}  // namespace
