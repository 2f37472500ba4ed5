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

    // Each one after what sounded of the one before, so that a sound that comes twice is found twice.
    std::size_t depuis = 0;
    for (int i = 2; i < argc; ++i) {
        const QString id = QString::fromLocal8Bit(argv[i]);
        std::shared_ptr<const Pcm> pcm;
        if (id == u"alerte")
            pcm = AlerteDefaut();
        else if (id.contains(u'/'))
            pcm = DecodeWav(DonneesPhrase(id.section(u'/', 0, 0) == u"femme", id.section(u'/', 1)));
        else
            pcm = DecodeWav(DonneesClip(int16_t(id.toInt())));
        ClipTrouve t;
        if (pcm)
            t = CherchePcm(capture, *pcm, depuis);
        const double longueurMs = double(pcm ? TramesPcm(*pcm) : 0) * 1000 / kFrequenceSortie;
        if (t.debut < 0) {
            std::printf("%s - 0 %.1f\n", argv[i], longueurMs);
            continue;
        }
        depuis = std::size_t(t.debut) + std::max<std::size_t>(t.joue, 1);
        std::printf("%s %.4f %.1f %.1f\n", argv[i], double(t.debut) / kFrequenceSortie,
                    double(t.joue) * 1000 / kFrequenceSortie, longueurMs);
    }
    return 0;
}
