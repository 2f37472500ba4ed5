// analyse_son CAPTURE ID...
// CAPTURE: raw S16LE stereo 44,100 Hz (parec --format=s16le --rate=44100 --channels=2, or SDL's
// disk driver). For each ID in order, prints "id start_seconds played_ms clip_ms"; a clip not
// found prints "id - 0 clip_ms". Exit status: 0 when the capture was analysed, 2 on a usage or
// read error.
#include "AnalyseSon.h"

#include <QFile>

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

    std::vector<int16_t> ids;
    for (int i = 2; i < argc; ++i)
        ids.push_back(int16_t(std::atoi(argv[i])));
    for (const ClipTrouve& t : AnalyseCapture(capture, ids)) {
        const double longueurMs = double(t.longueur) * 1000 / kFrequenceSortie;
        if (t.debut < 0)
            std::printf("%d - 0 %.1f\n", t.id, longueurMs);
        else
            std::printf("%d %.4f %.1f %.1f\n", t.id, double(t.debut) / kFrequenceSortie,
                        double(t.joue) * 1000 / kFrequenceSortie, longueurMs);
    }
    return 0;
}
