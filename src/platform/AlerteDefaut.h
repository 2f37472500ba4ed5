#pragma once
// The program's own alert, played when a wave file cannot be: a short two-tone chime,
// synthesised once, in the output format.

#include "platform/DecodageWav.h"

std::shared_ptr<const Pcm> AlerteDefaut();
