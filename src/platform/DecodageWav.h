#pragma once
// WAVE images turned into the one format the output device runs at: 44,100 Hz, signed 16-bit,
// stereo, interleaved. Every clip and file is converted once, before it is handed to the device.

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <vector>

constexpr int kFrequenceSortie = 44100;
constexpr int kCanauxSortie = 2;

// Interleaved stereo frames at kFrequenceSortie.
using Pcm = std::vector<int16_t>;

// The decoded, converted sound; nullptr when the bytes are not a WAVE image SDL can decode
// (8/16-bit PCM, mono or stereo, MS ADPCM, IMA ADPCM ...). Never loses the sound's last frames.
std::shared_ptr<const Pcm> DecodeWav(const QByteArray& wav);

// Frames in an interleaved stereo buffer.
inline std::size_t TramesPcm(const Pcm& p) { return p.size() / kCanauxSortie; }
