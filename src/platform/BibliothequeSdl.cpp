#include "platform/BibliothequeSdl.h"

#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <type_traits>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

#if defined(Q_OS_WIN)
constexpr const wchar_t* kNomSdl = L"SDL2.dll";
#elif defined(Q_OS_MACOS)
constexpr const char* kNomSdl = "libSDL2-2.0.0.dylib";
#else
constexpr const char* kNomSdl = "libSDL2-2.0.so.0";
#endif

// The library stays open until the process ends: its threads and callbacks may outlive any
// object of ours.
void* ouvreBibliotheque(std::string& erreur) {
#ifdef Q_OS_WIN
    void* lib = reinterpret_cast<void*>(LoadLibraryW(kNomSdl));
    if (!lib)
        erreur = "SDL2.dll introuvable";
#else
    void* lib = dlopen(kNomSdl, RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        const char* raison = dlerror();
        erreur = raison ? raison : kNomSdl;
    }
#endif
    return lib;
}

void* symbole(void* lib, const char* nom) {
#ifdef Q_OS_WIN
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(lib), nom));
#else
    return dlsym(lib, nom);
#endif
}

std::once_flag unique;
const FonctionsSdl* fonctions = nullptr;
std::string erreurChargement;

void charge() {
    void* lib = ouvreBibliotheque(erreurChargement);
    if (!lib)
        return;
    static FonctionsSdl f{};
    bool complet = true;
    const auto resous = [&](auto& pointeur, const char* nom) {
        pointeur = reinterpret_cast<std::remove_reference_t<decltype(pointeur)>>(symbole(lib, nom));
        if (!pointeur && complet) {
            complet = false;
            erreurChargement = std::string(nom) + " absente de SDL2";
        }
    };
#define QUENTOR_RESOUS(nom) resous(f.nom, "SDL_" #nom)
    QUENTOR_RESOUS(SetHint);
    QUENTOR_RESOUS(GetError);
    QUENTOR_RESOUS(LogSetOutputFunction);
    QUENTOR_RESOUS(InitSubSystem);
    QUENTOR_RESOUS(QuitSubSystem);
    QUENTOR_RESOUS(OpenAudioDevice);
    QUENTOR_RESOUS(CloseAudioDevice);
    QUENTOR_RESOUS(GetAudioDeviceStatus);
    QUENTOR_RESOUS(PauseAudioDevice);
    QUENTOR_RESOUS(LockAudioDevice);
    QUENTOR_RESOUS(UnlockAudioDevice);
    QUENTOR_RESOUS(RWFromConstMem);
    QUENTOR_RESOUS(LoadWAV_RW);
    QUENTOR_RESOUS(FreeWAV);
    QUENTOR_RESOUS(BuildAudioCVT);
    QUENTOR_RESOUS(ConvertAudio);
#undef QUENTOR_RESOUS
    if (!complet)
        return;
    // Without the first SDL installs its own SIGINT/SIGTERM handlers when it starts and a
    // session's SIGTERM is lost; without the second a driver's warnings land on the console.
    f.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    f.LogSetOutputFunction([](void*, int, SDL_LogPriority, const char*) {}, nullptr);
    // ADPCM pads its last block; the fact chunk holds the true length, so the end of a clip is
    // its last recorded sample and not the padding.
    f.SetHint(SDL_HINT_WAVE_FACT_CHUNK, "truncate");
    fonctions = &f;
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
void alsaMuet(const char*, int, const char*, int, const char*, ...) {}
#endif

std::mutex porteMutex;
std::condition_variable porteOuverte;
std::atomic<bool> retenu{false};

}  // namespace

void RetiensChargementSdl() { retenu = true; }

void LibereChargementSdl() {
    {
        std::lock_guard<std::mutex> l(porteMutex);
        retenu = false;
    }
    porteOuverte.notify_all();
}

const FonctionsSdl* Sdl() {
    if (retenu) {
        std::unique_lock<std::mutex> l(porteMutex);
        porteOuverte.wait_for(l, std::chrono::seconds(1), [] { return !retenu; });
    }
    std::call_once(unique, charge);
    return fonctions;
}

const char* ErreurChargementSdl() {
    Sdl();
    return erreurChargement.c_str();
}

// ALSA writes its configuration errors straight to stderr when SDL probes a machine without a
// sound card; the program stays silent on the console, so give ALSA a handler that drops them.
// SDL itself loads the same libasound later, so the handler applies to its calls.
void FaisTaireAlsa() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    static const bool fait = [] {
        void* lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL | RTLD_NOLOAD);
        if (!lib)
            lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
        if (!lib)
            return true;
        using Gestionnaire = void (*)(const char*, int, const char*, int, const char*, ...);
        using Installe = int (*)(Gestionnaire);
        if (auto installe = reinterpret_cast<Installe>(dlsym(lib, "snd_lib_error_set_handler")))
            installe(&alsaMuet);
        return true;  // the library stays loaded so the handler stays in force
    }();
    (void)fait;
#endif
}
