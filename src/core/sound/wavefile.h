#pragma once

#include <QString>

namespace velkaram {

// What the Sound control learns about a wave file before it hands the file to
// the media back end.
struct WaveFileInfo {
    bool valid = false;
    qint64 lengthMs = 0;
};

// Reads the RIFF header only. A missing, unreadable, empty or non-wave file
// comes back invalid, so that it never reaches the back end, which would fail
// later, asynchronously, and print warnings on the way.
WaveFileInfo probeWaveFile(const QString &path);

} // namespace velkaram
