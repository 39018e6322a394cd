#include "effects.h"
#include "pieces.h"

#include <algorithm>
#include <vector>

namespace mksound {

namespace {

constexpr double kLength = 40.0;
constexpr double kBeat = 0.8;          // 75 beats a minute
constexpr double kFirstPhrase = 3.2;   // after the pad has faded in
constexpr double kPhraseBeats = 10.0;  // eight beats sung, two of rest

// Maqam Hijaz on D, as MIDI notes.
constexpr double D4 = 62, Eb4 = 63, Fs4 = 66, G4 = 67, A4 = 69, Bb4 = 70, C5 = 72;

struct Step {
    double midi;
    double beats;
};

// Four phrases of eight beats: a question, its answer, a turn through the
// upper tetrachord and a descent home to D.
const std::vector<std::vector<Step>> kPhrases{
    {{A4, 1}, {Bb4, .5}, {A4, .5}, {G4, 1}, {Fs4, 1}, {G4, .5}, {Fs4, .5}, {Eb4, 1}, {D4, 2}},
    {{D4, .5}, {Eb4, .5}, {Fs4, 1}, {G4, 1}, {A4, 1}, {Bb4, 1}, {A4, .5}, {G4, .5}, {A4, 2}},
    {{C5, 1}, {Bb4, .5}, {A4, .5}, {G4, 1}, {Eb4, 1}, {Fs4, .5}, {G4, .5}, {A4, 1}, {G4, 2}},
    {{A4, 1}, {G4, .5}, {Fs4, .5}, {Eb4, 1}, {Fs4, 1}, {Eb4, 1}, {D4, 3}},
};

double phraseStart(int phrase)
{
    return kFirstPhrase + phrase * kPhraseBeats * kBeat;
}

// An oud note: two strings to a course, a few cents apart and a few
// milliseconds apart, which gives the instrument its slow shimmer.
void oudNote(Stereo &mix, double at, double midi, double gain, Rng &rng)
{
    constexpr double cents[] = {-2.5, 2.5};
    for (int i = 0; i < 2; ++i) {
        const double start = at + 0.004 * i;
        const double seconds = std::min(3.5, kLength - start);
        const Pluck string{noteFrequency(midi + cents[i] / 100.0), seconds, 2.4, 0.45, 0.18};
        mix.mix(pluck(string, rng), start, gain * (i == 0 ? 0.55 : 0.45), -0.25 + 0.2 * i);
    }
}

void playMelody(Stereo &mix, Rng &rng)
{
    for (std::size_t p = 0; p < kPhrases.size(); ++p) {
        double beat = 0;
        for (const Step &step : kPhrases[p]) {
            // A player's small unevenness in time and touch.
            const double at = phraseStart(int(p)) + beat * kBeat + rng.between(-0.012, 0.012);
            const double accent = (beat == 0 ? 1.0 : 0.85) * rng.between(0.88, 1.0);
            oudNote(mix, at, step.midi, accent, rng);
            beat += step.beats;
        }
    }
}

// Distant bells on each phrase's first beat, and a last open fifth.
void playBells(Stereo &mix)
{
    const Bell bells[] = {
        {noteFrequency(74), 6.0, 5.0, 3.5, 1.2},  // D5
        {noteFrequency(81), 6.0, 5.0, 3.5, 1.0},  // A5
        {noteFrequency(79), 6.0, 5.0, 3.5, 1.0},  // G5
        {noteFrequency(78), 6.0, 5.0, 3.5, 1.0},  // F-sharp 5
    };
    for (int i = 0; i < 4; ++i)
        mix.mix(bell(bells[i]), phraseStart(i) + 0.02, 0.18, 0.5);
    const double end = phraseStart(4) - 2 * kBeat;
    mix.mix(bell({noteFrequency(74), 6.0, 6.0, 3.5, 1.2}), end, 0.12, 0.4);
    mix.mix(bell({noteFrequency(81), 6.0, 6.0, 3.5, 0.8}), end + 0.15, 0.07, 0.6);
}

// Low kanun strings that mark where the harmony moves.
void playBass(Stereo &mix, Rng &rng)
{
    constexpr double roots[] = {38, 43, 48, 38};  // D2, G2, C3, D2
    for (int i = 0; i < 4; ++i) {
        const Pluck string{noteFrequency(roots[i]), 6.0, 4.0, 0.2, 0.2};
        mix.mix(pluck(string, rng), phraseStart(i), 0.45, 0.0);
    }
}

// A pad of three slightly detuned oscillators per note, spread across the
// stereo field: a chorus without a modulated delay.
void padChord(Stereo &mix, std::initializer_list<double> notes, double from, double to, double release,
              double gain)
{
    constexpr double detune[] = {-0.07, 0.0, 0.07};
    constexpr double pans[] = {-0.6, 0.0, 0.6};
    double drift = 0;
    for (double midi : notes) {
        for (int i = 0; i < 3; ++i) {
            drift += 0.17;
            const PadTone tone{noteFrequency(midi + detune[i]), to - from, 3.0, release, drift};
            mix.mix(padTone(tone), from, gain, pans[i]);
        }
    }
}

void playPad(Stereo &mix)
{
    // The drone on D and A holds the whole piece; above it the chords follow
    // the phrases: D, G minor, C minor over D, and home to D.
    padChord(mix, {38, 45}, 0.0, kLength, 6.0, 0.028);
    const double lead = 2 * kBeat;
    padChord(mix, {50, 54, 57}, 0.0, phraseStart(1) + 1.0, 3.0, 0.02);
    padChord(mix, {55, 58, 62}, phraseStart(1) - lead, phraseStart(2) + 1.0, 3.0, 0.02);
    padChord(mix, {51, 55, 60}, phraseStart(2) - lead, phraseStart(3) + 1.0, 3.0, 0.02);
    padChord(mix, {50, 54, 57}, phraseStart(3) - lead, kLength, 8.0, 0.02);
}

} // namespace

Stereo nightPiece()
{
    Stereo mix(kLength);
    Rng rng(0x4B454C);
    playPad(mix);
    playBass(mix, rng);
    playMelody(mix, rng);
    playBells(mix);

    // Long soft ends: the about box loops the track, so its end must meet its
    // start in silence.
    finish(mix, Reverb(0.82, 0.5, 1.0), 0.7, 2.0, 5.0);
    return mix;
}

} // namespace mksound
