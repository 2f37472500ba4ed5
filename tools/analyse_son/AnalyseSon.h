#pragma once
// Finds the program's clips in a raw capture of its sound output (S16LE stereo 44,100 Hz) and
// tells how much of each sounded before something else took over.

#include "platform/DecodageWav.h"

#include <cstdint>
#include <vector>

struct ClipTrouve {
    int16_t id = 0;
    long debut = -1;           // frame where the clip starts in the capture; -1: not found
    std::size_t joue = 0;      // frames from its start that match the clip
    std::size_t longueur = 0;  // the clip's own length in frames
};

// Looks for each clip in turn, each one after the start of the one before, so a clip that
// comes twice is found twice.
std::vector<ClipTrouve> AnalyseCapture(const Pcm& capture, const std::vector<int16_t>& ids);

// The same search for any reference sound (already at 44,100 Hz stereo), from frame `depuis`.
ClipTrouve CherchePcm(const Pcm& capture, const Pcm& reference, std::size_t depuis);
