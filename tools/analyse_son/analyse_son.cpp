// analyse_son CAPTURE ID...
// CAPTURE: raw S16LE stereo 44,100 Hz (parec --format=s16le --rate=44100 --channels=2, or SDL's
// disk driver). ID: a clip's number, a phrase as VOICE/NAME ("femme/plus_que"), or "alerte" for
// the default alert. For each ID in order, prints "id start_seconds played_ms clip_ms"; a clip not
// found prints "id - 0 clip_ms". Exit status: 0 when the capture was analysed, 2 on a usage or
// read error.
#include "AnalyseSon.h"
#include "platform/AlerteDefaut.h"
#include "sound/Clips.h"
#include "sound/Phrases.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: analyse_son CAPTURE.raw ID...\n");
        return 2;
    }
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "analyse_son: cannot read %s\n", argv[1]);
        return 2;
    }
    const QByteArray octets = f.readAll();
    Pcm capture(std::size_t(octets.size()) / 4 * 2);
    std::memcpy(capture.data(), octets.constData(), capture.size() * sizeof(int16_t));

    // A clip by its id ("124"), a phrase by its voice and name ("femme/et_demie"), or the alert.
    // Each after what sounded of the one before, so that a sound that comes twice is found twice.
    std::size_t depuis = 0;
    for (int i = 2; i < argc; ++i) {
        const QString nom = QString::fromLocal8Bit(argv[i]);
        const QByteArray wav = nom.contains(u'/')
                                   ? DonneesPhrase(nom.startsWith(u"femme/") ? 1 : 0, nom.section(u'/', 1))
                                   : DonneesClip(int16_t(nom.toInt()));
        ClipTrouve t;
        // A phrase's first tenth of a second may sound like another word's: a place where it does
        // not play on is not the phrase.
        for (auto pcm = nom == u"alerte" ? AlerteDefaut() : DecodeWav(wav); pcm;) {
            t = CherchePcm(capture, *pcm, depuis);
            if (!nom.contains(u'/') || t.debut < 0 || t.joue + 441 >= t.longueur)
                break;
            depuis = std::size_t(t.debut) + 1;
        }
        if (t.debut >= 0)
            depuis = std::size_t(t.debut) + std::max<std::size_t>(t.joue, 1);
        const double longueurMs = double(t.longueur) * 1000 / kFrequenceSortie;
        if (t.debut < 0)
            std::printf("%s - 0 %.1f\n", argv[i], longueurMs);
        else
            std::printf("%s %.4f %.1f %.1f\n", argv[i], double(t.debut) / kFrequenceSortie,
                        double(t.joue) * 1000 / kFrequenceSortie, longueurMs);
    }
    return 0;
}
