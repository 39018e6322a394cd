#pragma once

#include "synth.h"

namespace mksound {

// The start-up chime played while the splash fills its bar (s0.wav).
Stereo startupChime();
// The calm night piece of the main menu and the about box (kelvra.wav).
Stereo nightPiece();

} // namespace mksound
