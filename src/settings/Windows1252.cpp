#include "settings/Windows1252.h"

#include <QStringDecoder>

#include <array>
#include <optional>

namespace {

// 0x80..0x9F; the undefined bytes keep their own code (as the system's converters do).
constexpr std::array<char16_t, 32> kHaut = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QByteArray kMarqueUtf8("\xEF\xBB\xBF", 3);

int octetPour(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHaut[i] == c)
            return 0x80 + i;
    return -1;
}

// `octets` as UTF-8 when they are valid UTF-8 (a byte-order mark among them is kept as a
// character), else nothing: invalid bytes would come back as replacement characters, lost.
std::optional<QString> utf8Valide(QByteArrayView octets) {
    QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString texte = d(octets);
    if (d.hasError())
        return std::nullopt;
    return texte;
}

}  // namespace

QString DepuisWindows1252(const QByteArray& octets) {
    QString texte(octets.size(), Qt::Uninitialized);
    QChar* sortie = texte.data();
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const auto b = static_cast<unsigned char>(octets[i]);
        sortie[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHaut[b - 0x80]) : QChar(b);
    }
    return texte;
}

QByteArray VersWindows1252(const QString& texte, bool* complet) {
    QByteArray octets(texte.size(), Qt::Uninitialized);
    bool tout = true;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const int b = octetPour(texte[i].unicode());
        if (b < 0)
            tout = false;
        octets[i] = static_cast<char>(b < 0 ? 0x1A : b);
    }
    if (complet)
        *complet = tout;
    return octets;
}

QString DecodeFichierTexte(const QByteArray& octets, bool* utf8) {
    if (octets.startsWith(kMarqueUtf8)) {
        if (auto texte = utf8Valide(QByteArrayView(octets).sliced(3))) {
            if (utf8)
                *utf8 = true;
            return *texte;
        }
    }
    if (utf8)
        *utf8 = false;
    return DepuisWindows1252(octets);
}

QByteArray EncodeFichierTexte(const QString& texte, bool utf8) {
    if (!utf8) {
        bool complet = false;
        QByteArray octets = VersWindows1252(texte, &complet);
        // Bytes that would read back as UTF-8 behind a byte-order mark go out as UTF-8 indeed.
        if (complet && !(octets.startsWith(kMarqueUtf8) && utf8Valide(QByteArrayView(octets).sliced(3))))
            return octets;
    }
    return kMarqueUtf8 + texte.toUtf8();
}
