#include "MusicTracks.h"

#include <string>
#include <vector>

#include "Instruments.h"
#include "LoopMix.h"

using namespace dsp;
namespace in = instruments;

namespace {

struct Chord {
    int root = 57;  // MIDI note of the root in the bass octave
    bool minor = true;
};

// One song: tempo, chords (one per bar, repeated round the loop) and
// sixteen-step patterns per bar ('x' hit, '.' rest).
struct Style {
    double bpm = 120;
    int bars = 16;
    std::vector<Chord> chords;
    std::string kick = "x.......x.......";
    std::string snare = "....x.......x...";
    std::string hat = "x.x.x.x.x.x.x.x.";
    // Bass steps: 'r' root, 'o' octave up, 'f' fifth, '.' rest.
    std::string bass = "r.r.r.r.r.r.r.r.";
    double bassBright = 0.5;
    // Arpeggio steps: chord tone 0-3 ('0' root ... '3' seventh), '.' rest.
    std::string arp = "0123012301230123";
    int arpOctave = 24;
    double leadLength = 0.0;  // beats a melody note holds; 0: no melody
    uint32_t seed = 1;
    bool drums = true;
    bool pads = true;
    float peak = 0.8f;
};

int chordTone(const Chord& c, int index) {
    const int minorTones[] = {0, 3, 7, 10};
    const int majorTones[] = {0, 4, 7, 11};
    const int octave = index / 4;
    const int k = index % 4;
    return c.root + (c.minor ? minorTones[k] : majorTones[k]) + 12 * octave;
}

// Whether a section of the loop carries the given layer: the loop opens
// sparse and builds, so each pass breathes.
bool layerOn(int bar, int bars, int fromBar) {
    return bar % bars >= fromBar;
}

Buffer render(const Style& s) {
    LoopMix mix(s.bpm, s.bars);
    Rng rng(s.seed);
    const double step = 0.25;  // beats per sixteenth
    const Buffer kick = in::kick();
    const Buffer snareHits[2] = {in::snare(s.seed + 10), in::snare(s.seed + 11)};
    const Buffer closedHat = in::hat(s.seed + 20, false);
    const Buffer openHat = in::hat(s.seed + 21, true);

    // A four-bar melody rhythm fixed once and replayed over changing chords,
    // so the tune repeats like a written one.
    std::vector<int> rhythm(64, -1);
    if (s.leadLength > 0) {
        for (int i = 0; i < 64; i += 2) {
            if (rng.unit() < 0.55f) rhythm[i] = static_cast<int>(rng.unit() * 5.0f);
        }
    }

    for (int bar = 0; bar < s.bars; ++bar) {
        const Chord& chord = s.chords[bar % s.chords.size()];
        const double barBeat = bar * 4.0;
        if (s.pads) {
            for (int k = 0; k < 3; ++k)
                mix.add(in::pad(chordTone(chord, k) + 12, 4 * mix.beatSeconds()), barBeat, 0.11f,
                        k == 0 ? 0.0f : (k == 1 ? -0.5f : 0.5f));
        }
        for (int i = 0; i < 16; ++i) {
            const double at = barBeat + i * step;
            if (s.drums) {
                if (s.kick[i] == 'x') mix.add(kick, at, 0.9f, 0.0f);
                if (s.snare[i] == 'x' && layerOn(bar, s.bars, 2)) mix.add(snareHits[i / 8 % 2], at, 0.5f, 0.1f);
                if (s.hat[i] == 'x' && layerOn(bar, s.bars, 1)) {
                    const bool open = i == 14 && bar % 4 == 3;
                    mix.add(open ? openHat : closedHat, at, open ? 0.18f : 0.2f + 0.06f * (i % 4 == 0), -0.3f);
                }
            }
            const char b = s.bass[i];
            if (b != '.') {
                int note = chord.root - 12;
                if (b == 'o') note += 12;
                if (b == 'f') note += 7;
                // A bass note lasts until the next one, at most a quarter.
                int len = 1;
                while (i + len < 16 && s.bass[i + len] == '.' && len < 4) ++len;
                mix.add(in::bass(note, len * step * mix.beatSeconds() * 0.9, s.bassBright), at, 0.45f, 0.0f);
            }
            const char a = s.arp[i];
            if (a != '.' && layerOn(bar, s.bars, 4)) {
                const int note = chordTone(chord, a - '0') + s.arpOctave - 12;
                mix.add(in::pluck(note, 0.25, 0.6), at, 0.12f, (i % 2) ? 0.4f : -0.4f, true);
            }
        }
        if (s.leadLength > 0 && layerOn(bar, s.bars, 8)) {
            for (int i = 0; i < 16; ++i) {
                const int tone = rhythm[(bar % 4) * 16 + i];
                if (tone < 0) continue;
                const int note = chordTone(chord, tone) + 24;
                mix.add(in::lead(note, s.leadLength * mix.beatSeconds()), barBeat + i * step, 0.1f, 0.15f, true);
            }
        }
    }
    return mix.finish(s.peak);
}

}  // namespace

namespace music {

Buffer easy() {
    Style s;
    s.bpm = 120;  // 16 bars: 32 s
    s.chords = {{57, true}, {53, false}, {48, false}, {55, false}};  // Am F C G
    s.bass = "r..rr..r.r..r.o.";
    s.arp = "0120012001200123";
    s.leadLength = 0.4;
    s.seed = 11;
    return render(s);
}

Buffer hard() {
    Style s;
    s.bpm = 140;  // 16 bars: 27.4 s
    s.chords = {{50, true}, {46, false}, {48, false}, {45, true}};  // Dm Bb C Am
    s.kick = "x...x...x...x...";
    s.hat = "xxx.xxx.xxx.xxxx";
    s.bass = "rrorrrorrrorrfro";
    s.bassBright = 0.9;
    s.arp = "0213021302130213";
    s.leadLength = 0.45;
    s.seed = 23;
    s.peak = 0.8f;
    return render(s);
}

Buffer mission() {
    Style s;
    s.bpm = 110;  // 16 bars: 34.9 s
    s.chords = {{52, true}, {48, false}, {50, false}, {47, true}};  // Em C D Bm
    s.kick = "x.....x...x.....";
    s.snare = "....x.......x..x";
    s.hat = "..x...x...x...x.";
    s.bass = "r.....r...f.....";
    s.bassBright = 0.3;
    s.arp = "0.1.2.3.2.1.0.2.";
    s.seed = 31;
    return render(s);
}

Buffer asteroid() {
    // Ambient drift: pads and far-off bells, no drums. 8 bars at 60: 32 s.
    Style s;
    s.bpm = 60;
    s.bars = 8;
    s.chords = {{45, true}, {41, false}, {43, false}, {40, true}};  // Am F G Em
    s.drums = false;
    s.bass = "r...............";
    s.bassBright = 0.1;
    s.arp = "0.......2.......";
    s.arpOctave = 36;
    s.seed = 41;
    Buffer out = render(s);
    // Bells scattered by a fixed seed, mixed on top of the rendered loop.
    Rng rng(42);
    const size_t frames = out.size() / 2;
    for (int k = 0; k < 14; ++k) {
        const size_t at = static_cast<size_t>(rng.unit() * frames);
        const double note = 81 + (static_cast<int>(rng.unit() * 5.0f) * 2);
        const Buffer b = in::bell(note, 2.5);
        const float pan = rng.bipolar() * 0.7f;
        for (size_t i = 0; i < b.size(); ++i) {
            const size_t f = (at + i) % frames;
            out[2 * f] += b[i] * 0.08f * (1.0f - pan) * 0.5f;
            out[2 * f + 1] += b[i] * 0.08f * (1.0f + pan) * 0.5f;
        }
    }
    normalise(out, 0.7f);
    return out;
}

Buffer versus() {
    Style s;
    s.bpm = 128;  // 16 bars: 30 s
    s.chords = {{52, true}, {52, true}, {48, false}, {50, false}};  // Em Em C D
    s.kick = "x...x...x...x...";
    s.hat = "..x...x...x...x.";
    s.bass = "roroforoororofor";
    s.bassBright = 0.7;
    s.arp = "0123210301232103";
    s.leadLength = 0.3;
    s.seed = 51;
    return render(s);
}

Buffer versusToo() {
    Style s;
    s.bpm = 132;  // 16 bars: 29.1 s
    s.chords = {{49, true}, {45, false}, {52, false}, {47, false}};  // C#m A E B
    s.kick = "x..x..x...x..x..";
    s.snare = "....x.......x.x.";
    s.hat = "xxxxxxxxxxxxxxxx";
    s.bass = "r..r..r...r..o..";
    s.bassBright = 0.8;
    s.arp = "0.2.1.3.0.2.1.3.";
    s.leadLength = 0.5;
    s.seed = 61;
    return render(s);
}

}  // namespace music
