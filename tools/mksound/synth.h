#pragma once

// The instruments the two sounds are played on: a plucked string, an FM bell
// and a soft pad, each rendered to a mono buffer that a Stereo mix places in
// time and space.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mksound {

constexpr int kRate = 44100;

std::size_t toFrames(double seconds);
// MIDI note number to hertz (69 is A4, 440 Hz).
double noteFrequency(double midiNote);

// A fixed-seed generator of our own: the standard distributions may differ
// between library versions, and every build must write the same bytes.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    double uniform();                       // in [-1, 1)
    double between(double low, double high);

private:
    std::uint64_t state_;
};

struct Stereo {
    std::vector<double> left;
    std::vector<double> right;

    explicit Stereo(double seconds);
    std::size_t frames() const { return left.size(); }
    // Adds a mono voice from time 'at', panned from -1 (left) to 1 (right)
    // with constant power.
    void mix(const std::vector<double> &voice, double at, double gain, double pan);
};

// Karplus-Strong string with a tuned loop, so that notes stay in tune high up.
struct Pluck {
    double frequency;
    double seconds;          // length of the rendered buffer
    double ring;             // seconds for the fundamental to fall by 60 dB
    double brightness;       // 0 a soft finger, 1 a hard plectrum
    double position = 0.13;  // where along the string it is plucked
};
std::vector<double> pluck(const Pluck &string, Rng &rng);

// Two-operator FM bell: the modulation index falls faster than the level, so
// the strike is bright and the tail is a pure tone.
struct Bell {
    double frequency;
    double seconds;
    double ring;             // seconds to fall by 60 dB
    double ratio = 3.5;      // modulator to carrier
    double index = 2.0;      // modulation depth at the strike
};
std::vector<double> bell(const Bell &bell);

// One oscillator of a pad: a warm harmonic wave whose brightness drifts
// slowly, with raised-cosine attack and release.
struct PadTone {
    double frequency;
    double seconds;
    double attack;
    double release;
    double drift = 0.0;      // phase of the brightness drift, in cycles
};
std::vector<double> padTone(const PadTone &tone);

} // namespace mksound
