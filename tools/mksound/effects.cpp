#include "effects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mksound {

namespace {

// Freeverb's delay lengths at 44.1 kHz: mutually prime, so the echoes do not
// pile up on one pitch.
constexpr std::array<std::size_t, 8> kCombLengths{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<std::size_t, 4> kAllPassLengths{556, 441, 341, 225};
constexpr std::size_t kStereoSpread = 23;
constexpr double kInputGain = 0.015;

} // namespace

double Reverb::Comb::process(double input, double feedback, double damping)
{
    const double output = buffer[index];
    store = output * (1.0 - damping) + store * damping;
    buffer[index] = input + store * feedback;
    index = (index + 1) % buffer.size();
    return output;
}

double Reverb::AllPass::process(double input)
{
    const double delayed = buffer[index];
    buffer[index] = input + delayed * 0.5;
    index = (index + 1) % buffer.size();
    return delayed - input;
}

double Reverb::Channel::process(double input, double feedback, double damping)
{
    double sum = 0;
    for (Comb &comb : combs)
        sum += comb.process(input, feedback, damping);
    for (AllPass &allPass : allPasses)
        sum = allPass.process(sum);
    return sum;
}

Reverb::Reverb(double roomSize, double damping, double width)
    : feedback_(0.28 + 0.7 * roomSize), damping_(0.4 * damping), width_(width)
{
    for (std::size_t i = 0; i < kCombLengths.size(); ++i) {
        left_.combs[i].buffer.assign(kCombLengths[i], 0.0);
        right_.combs[i].buffer.assign(kCombLengths[i] + kStereoSpread, 0.0);
    }
    for (std::size_t i = 0; i < kAllPassLengths.size(); ++i) {
        left_.allPasses[i].buffer.assign(kAllPassLengths[i], 0.0);
        right_.allPasses[i].buffer.assign(kAllPassLengths[i] + kStereoSpread, 0.0);
    }
}

void Reverb::apply(Stereo &sound, double wet, double dry)
{
    const double same = wet * (width_ / 2.0 + 0.5);
    const double cross = wet * ((1.0 - width_) / 2.0);
    for (std::size_t i = 0; i < sound.frames(); ++i) {
        const double input = (sound.left[i] + sound.right[i]) * kInputGain;
        const double l = left_.process(input, feedback_, damping_);
        const double r = right_.process(input, feedback_, damping_);
        sound.left[i] = dry * sound.left[i] + same * l + cross * r;
        sound.right[i] = dry * sound.right[i] + same * r + cross * l;
    }
}

void removeDc(Stereo &sound)
{
    // One-pole high-pass at about 5 Hz, far below the lowest note.
    constexpr double pole = 0.9993;
    for (std::vector<double> *channel : {&sound.left, &sound.right}) {
        double lastIn = 0, lastOut = 0;
        for (double &v : *channel) {
            const double out = v - lastIn + pole * lastOut;
            lastIn = v;
            lastOut = out;
            v = out;
        }
    }
}

void fade(Stereo &sound, double inSeconds, double outSeconds)
{
    const std::size_t frames = sound.frames();
    const std::size_t in = std::min(frames, toFrames(inSeconds));
    const std::size_t out = std::min(frames, toFrames(outSeconds));
    for (std::vector<double> *channel : {&sound.left, &sound.right}) {
        for (std::size_t i = 0; i < in; ++i)
            (*channel)[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(in));
        for (std::size_t i = 0; i < out; ++i)
            (*channel)[frames - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(out));
    }
}

void normalize(Stereo &sound, double peakDb)
{
    double peak = 1e-12;
    for (const std::vector<double> *channel : {&sound.left, &sound.right})
        for (double v : *channel)
            peak = std::max(peak, std::abs(v));
    const double gain = std::pow(10.0, peakDb / 20.0) / peak;
    for (std::vector<double> *channel : {&sound.left, &sound.right})
        for (double &v : *channel)
            v *= gain;
}

void finish(Stereo &sound, Reverb room, double wet, double fadeInSeconds, double fadeOutSeconds)
{
    room.apply(sound, wet, 1.0);
    removeDc(sound);
    fade(sound, fadeInSeconds, fadeOutSeconds);
    normalize(sound, -3.0);
}

} // namespace mksound
