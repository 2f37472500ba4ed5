#pragma once
// Shared by the benchmarks: process CPU time (all threads, the audio thread included).

#include <cstdlib>
#include <ctime>

inline double tempsCpu() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

inline double tempsMonotone() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Benchmarks run on SDL's dummy driver unless told otherwise (it paces like a real device).
inline void piloteParDefaut() { setenv("SDL_AUDIODRIVER", "dummy", 0); }
