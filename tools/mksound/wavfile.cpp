#include "wavfile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace mksound {

namespace {

// Little-endian whatever the host, byte by byte.
void put(std::string &bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(char((value >> (8 * i)) & 0xff));
}

std::int16_t toPcm(double sample)
{
    return std::int16_t(std::clamp(std::lround(sample * 32767.0), -32767L, 32767L));
}

} // namespace

bool writeWav(const std::string &path, const Stereo &sound)
{
    constexpr std::uint32_t channels = 2;
    constexpr std::uint32_t bytesPerSample = 2;
    const auto dataSize = std::uint32_t(sound.frames() * channels * bytesPerSample);

    std::string bytes = "RIFF";
    put(bytes, 36 + dataSize, 4);
    bytes += "WAVEfmt ";
    put(bytes, 16, 4);                                 // fmt chunk size
    put(bytes, 1, 2);                                  // PCM
    put(bytes, channels, 2);
    put(bytes, kRate, 4);
    put(bytes, kRate * channels * bytesPerSample, 4);  // byte rate
    put(bytes, channels * bytesPerSample, 2);          // block align
    put(bytes, 8 * bytesPerSample, 2);                 // bits per sample
    bytes += "data";
    put(bytes, dataSize, 4);
    bytes.reserve(bytes.size() + dataSize);
    for (std::size_t i = 0; i < sound.frames(); ++i) {
        put(bytes, std::uint16_t(toPcm(sound.left[i])), 2);
        put(bytes, std::uint16_t(toPcm(sound.right[i])), 2);
    }

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file.flush());
}

} // namespace mksound
