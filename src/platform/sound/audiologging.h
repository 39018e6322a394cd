#pragma once

namespace velkaram {

// Keeps the audio stack's complaints about a missing audio server out of the
// terminal. Called where the program starts; later calls do nothing.
void quietAudioLogging();

} // namespace velkaram
