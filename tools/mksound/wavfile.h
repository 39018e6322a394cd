#pragma once

#include "synth.h"

#include <string>

namespace mksound {

// Writes 16-bit stereo PCM at kRate in the canonical 44-byte RIFF layout
// (fmt chunk of 16 bytes, then data), which every WAV reader accepts.
// Returns false when the file cannot be written.
bool writeWav(const std::string &path, const Stereo &sound);

} // namespace mksound
