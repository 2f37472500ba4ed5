#include "platform/DecodageWav.h"

#include "platform/BibliothequeSdl.h"

#include <cstring>

namespace {
// SDL hands back its buffer with SDL_FreeWAV; this keeps every exit path tidy.
struct TamponSdl {
    const FonctionsSdl& sdl;
    Uint8* octets = nullptr;
    Uint32 taille = 0;
    ~TamponSdl() { sdl.FreeWAV(octets); }
};
}  // namespace

std::shared_ptr<const Pcm> DecodeWav(const QByteArray& wav) {
    if (wav.isEmpty())
        return nullptr;
    const FonctionsSdl* sdl = Sdl();
    if (!sdl)
        return nullptr;
    SDL_RWops* flux = sdl->RWFromConstMem(wav.constData(), int(wav.size()));
    if (!flux)
        return nullptr;
    SDL_AudioSpec source{};
    TamponSdl brut{*sdl};
    if (!sdl->LoadWAV_RW(flux, 1, &source, &brut.octets, &brut.taille))
        return nullptr;

    const int octetsParTrame = SDL_AUDIO_BITSIZE(source.format) / 8 * source.channels;
    if (octetsParTrame <= 0 || source.freq <= 0)
        return nullptr;
    const Uint32 utile = brut.taille - brut.taille % Uint32(octetsParTrame);

    // SDL_AudioCVT converts the whole buffer in one go and keeps its length exact
    // (frames * 44100 / rate); the streaming converter would drop the last few hundred frames.
    SDL_AudioCVT cvt;
    const int r = sdl->BuildAudioCVT(&cvt, source.format, source.channels, source.freq, AUDIO_S16SYS, kCanauxSortie,
                                     kFrequenceSortie);
    if (r < 0)
        return nullptr;
    auto sortie = std::make_shared<Pcm>();
    if (r == 0) {
        sortie->resize(utile / sizeof(int16_t));
        std::memcpy(sortie->data(), brut.octets, utile);
        return sortie;
    }
    std::vector<Uint8> travail(std::size_t(utile) * std::size_t(cvt.len_mult));
    std::memcpy(travail.data(), brut.octets, utile);
    cvt.buf = travail.data();
    cvt.len = int(utile);
    if (sdl->ConvertAudio(&cvt) != 0)
        return nullptr;
    const std::size_t trames = std::size_t(cvt.len_cvt) / (sizeof(int16_t) * kCanauxSortie);
    sortie->resize(trames * kCanauxSortie);
    std::memcpy(sortie->data(), travail.data(), trames * kCanauxSortie * sizeof(int16_t));
    return sortie;
}
