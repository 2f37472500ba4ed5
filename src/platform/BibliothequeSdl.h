#pragma once
// SDL2 is opened when the sound first needs it, on the sound thread, instead of by the dynamic
// loader before anything else: with its sound and display back ends it brings some thirty shared
// libraries, none of which the window or the icon needs. Its headers still give the types.

#include <SDL.h>

// The few functions the program uses, resolved by name once the library is open.
struct FonctionsSdl {
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_LogSetOutputFunction) LogSetOutputFunction;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_LockAudioDevice) LockAudioDevice;
    decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice;
    decltype(&SDL_RWFromConstMem) RWFromConstMem;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;
};

// Opens the library at the first call (from any thread; the others wait for that first one) and
// sets what must be set before SDL starts. nullptr when it or one of its functions is missing:
// the program then runs in silence, and ErreurChargementSdl() says why.
const FonctionsSdl* Sdl();
const char* ErreurChargementSdl();

// The window and its icon come first. While a thread opens the library, the dynamic loader holds
// every other thread that starts a thread or opens a plugin: the interface thread starting up
// waited about 90 ms for it. So the start holds the opening until its icon is up (never more than
// a second); a sound asked for meanwhile is heard once the library is open.
void RetiensChargementSdl();
void LibereChargementSdl();

// Keeps ALSA's own error messages off the console (see the .cpp); before SDL probes the drivers.
void FaisTaireAlsa();
