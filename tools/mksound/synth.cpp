#include "synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace mksound {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Level after 'seconds' of a decay that loses 60 dB in 'ring' seconds.
double decayLevel(double seconds, double ring)
{
    return std::exp(-6.907755 * seconds / ring);
}

// Raised-cosine ramps at both ends, so that no voice starts or stops with a step.
void smoothEnds(std::vector<double> &voice, double attack, double release)
{
    const std::size_t in = std::min(voice.size(), toFrames(attack));
    const std::size_t out = std::min(voice.size(), toFrames(release));
    for (std::size_t i = 0; i < in; ++i)
        voice[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(in));
    for (std::size_t i = 0; i < out; ++i)
        voice[voice.size() - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(out));
}

constexpr std::size_t kTableSize = 4096;
using Wavetable = std::array<double, kTableSize + 1>;

Wavetable harmonicTable(int harmonics, double rolloff)
{
    Wavetable table{};
    for (std::size_t i = 0; i <= kTableSize; ++i) {
        const double phase = kTwoPi * double(i) / double(kTableSize);
        double sum = 0;
        for (int k = 1; k <= harmonics; ++k)
            sum += std::sin(k * phase) / std::pow(double(k), rolloff);
        table[i] = sum;
    }
    const double peak = *std::max_element(table.begin(), table.end(),
                                          [](double a, double b) { return std::abs(a) < std::abs(b); });
    for (double &v : table)
        v /= std::abs(peak);
    return table;
}

double readTable(const Wavetable &table, double phase)
{
    const double position = phase * double(kTableSize);
    const auto index = std::size_t(position);
    const double fraction = position - double(index);
    return table[index] + fraction * (table[index + 1] - table[index]);
}

} // namespace

std::size_t toFrames(double seconds)
{
    return std::size_t(std::max(0.0, std::round(seconds * kRate)));
}

double noteFrequency(double midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

double Rng::uniform()
{
    // xorshift64*: small, fast and the same on every platform.
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    const std::uint64_t bits = (state_ * 2685821657736338717ULL) >> 11;
    return double(bits) / double(1ULL << 52) - 1.0;
}

double Rng::between(double low, double high)
{
    return low + (high - low) * 0.5 * (uniform() + 1.0);
}

Stereo::Stereo(double seconds) : left(toFrames(seconds)), right(toFrames(seconds)) {}

void Stereo::mix(const std::vector<double> &voice, double at, double gain, double pan)
{
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * std::numbers::pi / 4.0;
    const double toLeft = gain * std::cos(angle);
    const double toRight = gain * std::sin(angle);
    const std::size_t start = toFrames(at);
    for (std::size_t i = 0; i < voice.size() && start + i < frames(); ++i) {
        left[start + i] += toLeft * voice[i];
        right[start + i] += toRight * voice[i];
    }
}

std::vector<double> pluck(const Pluck &string, Rng &rng)
{
    // The loop is the delay line, a two-point average (half a sample) and a
    // first-order all-pass that supplies the rest of the period.
    const double period = kRate / string.frequency;
    const auto delay = std::size_t(std::max(2.0, std::floor(period - 0.6)));
    const double fraction = period - 0.5 - double(delay);
    const double allpass = (1.0 - fraction) / (1.0 + fraction);
    const double loopGain = std::pow(0.001, 1.0 / (string.frequency * string.ring));

    // Excitation: noise through a one-pole low-pass (darker for a softer
    // pluck), minus a delayed copy of itself, since a string plucked at a
    // point does not sound the harmonics that have a node there.
    std::vector<double> noise(delay);
    const double smoothing = 0.12 + 0.8 * std::clamp(string.brightness, 0.0, 1.0);
    double low = 0;
    for (double &v : noise) {
        low += smoothing * (rng.uniform() - low);
        v = low;
    }
    const auto pick = std::max<std::size_t>(1, std::size_t(std::round(string.position * double(delay))));
    std::vector<double> line(delay);
    double mean = 0;
    for (std::size_t i = 0; i < delay; ++i) {
        line[i] = noise[i] - (i >= pick ? noise[i - pick] : 0.0);
        mean += line[i] / double(delay);
    }
    double peak = 1e-9;
    for (double &v : line) {
        v -= mean;
        peak = std::max(peak, std::abs(v));
    }
    for (double &v : line)
        v /= peak;

    std::vector<double> out(toFrames(string.seconds));
    std::size_t index = 0;
    double previous = 0, allpassIn = 0, allpassOut = 0;
    for (double &sample : out) {
        const double delayed = line[index];
        const double averaged = loopGain * 0.5 * (delayed + previous);
        previous = delayed;
        const double tuned = allpass * averaged + allpassIn - allpass * allpassOut;
        allpassIn = averaged;
        allpassOut = tuned;
        line[index] = tuned;
        index = (index + 1) % delay;
        sample = delayed;
    }
    // Two gentle low-pass poles stand for the instrument's body, so that the
    // pluck's noise does not hiss above the harmonics.
    const double cutoff = 1800.0 + 7000.0 * std::clamp(string.brightness, 0.0, 1.0);
    const double coefficient = 1.0 - std::exp(-kTwoPi * cutoff / kRate);
    double first = 0, second = 0;
    for (double &sample : out) {
        first += coefficient * (sample - first);
        second += coefficient * (first - second);
        sample = second;
    }
    smoothEnds(out, 0.0015, 0.05);
    return out;
}

std::vector<double> bell(const Bell &b)
{
    std::vector<double> out(toFrames(b.seconds));
    double carrier = 0, modulator = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / kRate;
        const double index = b.index * decayLevel(t, b.ring * 0.35);
        out[i] = decayLevel(t, b.ring) * std::sin(kTwoPi * carrier + index * std::sin(kTwoPi * modulator));
        carrier = std::fmod(carrier + b.frequency / kRate, 1.0);
        modulator = std::fmod(modulator + b.frequency * b.ratio / kRate, 1.0);
    }
    smoothEnds(out, 0.004, 0.05);
    return out;
}

std::vector<double> padTone(const PadTone &tone)
{
    static const Wavetable soft = harmonicTable(4, 2.2);
    static const Wavetable rich = harmonicTable(10, 1.3);
    std::vector<double> out(toFrames(tone.seconds));
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / kRate;
        // One slow breath of brightness every 13 seconds or so.
        const double brightness = 0.3 + 0.2 * std::sin(kTwoPi * (t / 13.0 + tone.drift));
        out[i] = (1.0 - brightness) * readTable(soft, phase) + brightness * readTable(rich, phase);
        phase += tone.frequency / kRate;
        phase -= std::floor(phase);
    }
    smoothEnds(out, tone.attack, tone.release);
    return out;
}

} // namespace mksound
