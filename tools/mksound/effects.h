#pragma once

// What turns a dry mix into a finished file: a room around it, no DC, soft
// ends and a safe peak level.

#include "synth.h"

#include <array>
#include <vector>

namespace mksound {

// Schroeder-Moorer reverb in the Freeverb layout: eight damped combs in
// parallel, then four all-passes in series, per channel, the right channel's
// delays a little longer for width.
class Reverb {
public:
    Reverb(double roomSize, double damping, double width);
    // Replaces the sound by dry * sound + wet * its reverberation.
    void apply(Stereo &sound, double wet, double dry);

private:
    struct Comb {
        std::vector<double> buffer;
        std::size_t index = 0;
        double store = 0;
        double process(double input, double feedback, double damping);
    };
    struct AllPass {
        std::vector<double> buffer;
        std::size_t index = 0;
        double process(double input);
    };
    struct Channel {
        std::array<Comb, 8> combs;
        std::array<AllPass, 4> allPasses;
        double process(double input, double feedback, double damping);
    };

    Channel left_;
    Channel right_;
    double feedback_;
    double damping_;
    double width_;
};

// Removes any DC a plucked string's excitation left behind.
void removeDc(Stereo &sound);
// Raised-cosine fades; the first and the last frame become exactly zero.
void fade(Stereo &sound, double inSeconds, double outSeconds);
// Scales the sound so that its highest sample sits at 'peakDb' dBFS.
void normalize(Stereo &sound, double peakDb);
// The last steps of every piece: the room, no DC, the fades, 3 dB of headroom.
void finish(Stereo &sound, Reverb room, double wet, double fadeInSeconds, double fadeOutSeconds);

} // namespace mksound
