#include "effects.h"
#include "pieces.h"

#include <algorithm>

namespace mksound {

namespace {

constexpr double kLength = 2.4;  // well inside the splash's three seconds

struct Note {
    double at;
    double midi;
    double gain;
    double pan;
};

// A kanun string: three strings to a course, tuned a hair apart.
void kanunNote(Stereo &mix, const Note &note, Rng &rng)
{
    constexpr double cents[] = {0.0, 3.0, -2.5};
    for (int i = 0; i < 3; ++i) {
        const double at = note.at + 0.003 * i;
        const Pluck string{noteFrequency(note.midi + cents[i] / 100.0), kLength - at, 2.0, 0.5};
        mix.mix(pluck(string, rng), at, note.gain * (i == 0 ? 0.5 : 0.3), note.pan + 0.1 * i);
    }
}

} // namespace

Stereo startupChime()
{
    Stereo mix(kLength);
    Rng rng(0x50A0);

    // A rising run on maqam Hijaz from D: the wide step from E-flat to
    // F-sharp gives it its colour; it settles on the octave.
    const Note run[] = {
        {0.04, 62, 0.85, -0.45},  // D4
        {0.21, 63, 0.70, -0.25},  // E-flat 4
        {0.38, 66, 0.75, -0.05},  // F-sharp 4
        {0.56, 69, 0.80, 0.15},   // A4
        {0.80, 74, 0.95, 0.30},   // D5
    };
    for (const Note &note : run)
        kanunNote(mix, note, rng);

    // The low octave under the first note, and a bell that lights the last one.
    mix.mix(pluck({noteFrequency(50), kLength - 0.04, 2.5, 0.25}, rng), 0.04, 0.45, 0.0);
    mix.mix(bell({noteFrequency(74), kLength - 0.80, 1.8, 3.5, 1.4}), 0.80, 0.22, 0.35);
    mix.mix(bell({noteFrequency(81), kLength - 0.83, 1.5, 3.5, 1.0}), 0.83, 0.08, 0.55);

    // A soft open fifth that swells underneath and carries the warmth.
    constexpr double pad[] = {50, 57};
    constexpr double detune[] = {-0.06, 0.06};
    for (double midi : pad)
        for (int i = 0; i < 2; ++i)
            mix.mix(padTone({noteFrequency(midi + detune[i]), kLength, 0.5, 1.2, 0.1 * i}), 0.0, 0.05,
                    i == 0 ? -0.5 : 0.5);

    finish(mix, Reverb(0.6, 0.5, 1.0), 0.5, 0.02, 0.6);
    return mix;
}

} // namespace mksound
