#include "sound/Clips.h"

#include <QFile>
#include <QString>

#include <algorithm>

const std::vector<int16_t>& IdsClips() {
    // Each voice: every number 1-59 (1-23 serve as hours and as minutes), "heures", "minutes",
    // hour 0; voice 1 is voice 0 plus 100. Then the sound effects.
    static const std::vector<int16_t> ids = [] {
        std::vector<int16_t> v;
        for (int voix : {0, 100}) {
            for (int n = 1; n <= 59; ++n)
                v.push_back(int16_t(voix + n));
            for (int n : {70, 71, 99})
                v.push_back(int16_t(voix + n));
        }
        for (int n = 80; n <= 86; ++n)
            v.push_back(int16_t(n));
        std::sort(v.begin(), v.end());
        return v;
    }();
    return ids;
}

QByteArray DonneesClip(int16_t id) {
    QFile f(QStringLiteral(":/wave/%1.wav").arg(id));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}
