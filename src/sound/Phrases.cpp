#include "sound/Phrases.h"

#include "sound/Son.h"

#include <QFile>
#include <QtEndian>

QByteArray DonneesPhrase(uint8_t genre, const QString& nom) {
    QFile f(QStringLiteral(":/phrases/%1/%2.wav").arg(genre == 1 ? "femme" : "homme", nom));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

double DureeWav(const QByteArray& wav) {
    // RIFF chunks after the 12-byte header: "fmt " gives the bytes per second, "data" the length.
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        return 0;
    const auto* d = reinterpret_cast<const uchar*>(wav.constData());
    quint32 octetsParSeconde = 0;
    qsizetype pos = 12;
    while (pos + 8 <= wav.size()) {
        const QByteArray id = wav.mid(pos, 4);
        const quint32 taille = qFromLittleEndian<quint32>(d + pos + 4);
        if (id == "fmt " && taille >= 12 && pos + 20 <= wav.size())
            octetsParSeconde = qFromLittleEndian<quint32>(d + pos + 16);
        if (id == "data") {
            const qsizetype reste = wav.size() - pos - 8;
            const double octets = double(std::min<qsizetype>(taille, reste));
            return octetsParSeconde ? octets / octetsParSeconde : 0;
        }
        pos += 8 + qsizetype(taille) + (taille & 1);
    }
    return 0;
}

namespace {
Etape Dit(QByteArray wav, double ecart) {
    const double duree = DureeWav(wav);
    return Agit([wav = std::move(wav)] { JoueDonnees(wav); }, duree + ecart);
}
}  // namespace

Etape Mot(uint8_t genre, const QString& nom, double ecart) { return Dit(DonneesPhrase(genre, nom), ecart); }

Etape MotClip(int16_t id, double ecart) { return Dit(DonneesClip(id), ecart); }
