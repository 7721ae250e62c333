#include "EffectSounds.h"

#include <cmath>

using namespace dsp;

namespace {

double noteHz(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

// Noise through a low-pass whose cutoff falls from `fromHz` to `toHz`, with
// a sine thump under it that drops in pitch: the body of every explosion.
Buffer explosion(double seconds, double fromHz, double toHz, double thumpHz, float thumpGain, uint32_t seed) {
    Rng rng(seed);
    Buffer out(samples(seconds));
    Biquad lp;
    Biquad lp2;
    double thumpPhase = 0.0;
    float crackle = 0.0f;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double k = t / seconds;
        const double cut = glide(fromHz, toHz, std::pow(k, 0.6));
        lp.set(Biquad::Kind::LowPass, cut, 0.9);
        lp2.set(Biquad::Kind::LowPass, cut * 1.5, 0.7);
        // Sparse crackles give the debris some grit.
        if (rng.unit() < 0.004 * (1.0 - k)) crackle = rng.bipolar();
        crackle *= 0.995f;
        const float noise = lp2.process(lp.process(rng.bipolar() + crackle * 0.8f));
        const double thumpFreq = glide(thumpHz, thumpHz * 0.35, k * 2.0);
        thumpPhase += thumpFreq / rate;
        const float thump = static_cast<float>(std::sin(2.0 * pi * thumpPhase)) * percEnv(t, 0.002, seconds * 0.45);
        out[i] = noise * 1.6f * percEnv(t, 0.003, seconds) + thump * thumpGain;
    }
    fadeEdges(out, 0.001, 0.02);
    return out;
}

// A tone with a pitch glide, plucked or held, in one of three timbres.
enum class Wave { Sine, Square, Saw };

Buffer tone(double seconds, double fromHz, double toHz, Wave wave, double attack, double decay, double lowPassHz = 8000) {
    Buffer out(samples(seconds));
    double phase = 0.0;
    Biquad lp;
    lp.set(Biquad::Kind::LowPass, lowPassHz, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double f = glide(fromHz, toHz, t / seconds);
        const double step = f / rate;
        phase += step;
        float v = 0.0f;
        switch (wave) {
        case Wave::Sine: v = static_cast<float>(std::sin(2.0 * pi * phase)); break;
        case Wave::Square: v = squareAt(phase, step); break;
        case Wave::Saw: v = sawAt(phase, step); break;
        }
        out[i] = lp.process(v) * percEnv(t, attack, decay);
    }
    fadeEdges(out, 0.0015, 0.01);
    return out;
}

// Frequency-modulated bell: bright strike, long mellow ring.
Buffer bell(double seconds, double hz, double ratio, double brightness) {
    Buffer out(samples(seconds));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double index = brightness * std::exp(-t * 8.0);
        const double mod = std::sin(2.0 * pi * hz * ratio * t) * index;
        out[i] = static_cast<float>(std::sin(2.0 * pi * hz * t + mod)) * percEnv(t, 0.002, seconds);
    }
    fadeEdges(out, 0.001, 0.01);
    return out;
}

Buffer sequence(const std::vector<double>& midiNotes, double step, double noteSeconds, Wave wave, double decay,
                double lowPassHz) {
    Buffer out;
    for (size_t n = 0; n < midiNotes.size(); ++n) {
        if (midiNotes[n] <= 0) continue;  // a rest
        const double hz = noteHz(midiNotes[n]);
        mixInto(out, tone(noteSeconds, hz, hz, wave, 0.004, decay, lowPassHz), samples(step * n), 1.0f);
    }
    return out;
}

// A seamless loop of filtered noise shaped by slow swells whose periods
// divide the loop length.
Buffer noiseLoop(double seconds, uint32_t seed, Biquad::Kind kind, double centreHz, double q, double swellDepth,
                 int swells) {
    Rng rng(seed);
    Buffer raw(samples(seconds));
    for (float& v : raw) v = rng.bipolar();
    Biquad f;
    f.set(kind, centreHz, q);
    Biquad hp;
    hp.set(Biquad::Kind::HighPass, 180.0, 0.7);
    Buffer out = loopFiltered(raw, [&](float x) { return hp.process(f.process(x)); });
    for (size_t i = 0; i < out.size(); ++i) {
        const double k = static_cast<double>(i) / out.size();
        out[i] *= static_cast<float>(1.0 - swellDepth * 0.5 * (1.0 + std::sin(2.0 * pi * swells * k)));
    }
    return out;
}

}  // namespace

namespace effects {

Buffer playerDeath() {
    Buffer out = explosion(1.4, 7000, 120, 110, 0.9f, 4);
    // A falling whine: the ship's engine dying.
    mixInto(out, tone(0.9, 1400, 90, Wave::Saw, 0.005, 0.9, 3000), 0, 0.18f);
    normalise(out, 0.9f);
    return out;
}

Buffer multiplayerDeath(int n) {
    const double pitch[] = {1.0, 0.85, 1.15, 0.72};
    const double p = pitch[(n - 1) & 3];
    Buffer out = explosion(0.9, 6500 * p, 150 * p, 95 * p, 0.8f, 40 + n);
    mixInto(out, tone(0.35, 900 * p, 200 * p, Wave::Square, 0.003, 0.35, 2500), 0, 0.12f);
    normalise(out, 0.88f);
    return out;
}

Buffer missionCrush() {
    Buffer out;
    mixInto(out, tone(0.16, 2400, 600, Wave::Square, 0.002, 0.15, 5000), 0, 0.5f);
    mixInto(out, tone(0.16, 2400, 600, Wave::Square, 0.002, 0.15, 5000), samples(0.12), 0.5f);
    // The zoom: noise and a saw rising together.
    Buffer zoom = tone(0.55, 150, 1800, Wave::Saw, 0.25, 0.6, 4000);
    Rng rng(7);
    Biquad bp;
    for (size_t i = 0; i < zoom.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        bp.set(Biquad::Kind::BandPass, glide(300, 5000, t / 0.55), 2.0);
        zoom[i] += bp.process(rng.bipolar()) * percEnv(t, 0.3, 0.5) * 1.5f;
    }
    fadeEdges(zoom, 0.01, 0.05);
    mixInto(out, zoom, samples(0.24), 0.8f);
    normalise(out, 0.85f);
    return out;
}

Buffer startGame() {
    // A rising major arpeggio that lands on a held octave.
    Buffer out = sequence({60, 64, 67, 72}, 0.07, 0.25, Wave::Square, 0.22, 3500);
    mixInto(out, tone(0.6, noteHz(84), noteHz(84), Wave::Square, 0.005, 0.55, 4000), samples(0.28), 0.8f);
    mixInto(out, tone(0.6, noteHz(72), noteHz(72), Wave::Saw, 0.005, 0.55, 2500), samples(0.28), 0.5f);
    normalise(out, 0.75f);
    return out;
}

Buffer foeKill() {
    // Short and punchy: it plays many times a second, faster with each multikill step.
    Buffer out = explosion(0.42, 9000, 300, 160, 0.7f, 11);
    mixInto(out, tone(0.08, 1800, 500, Wave::Square, 0.001, 0.08, 6000), 0, 0.25f);
    normalise(out, 0.85f);
    return out;
}

Buffer foeKillPowered() {
    Buffer out = explosion(0.7, 10000, 200, 120, 0.9f, 12);
    mixInto(out, bell(0.7, 1320, 1.41, 3.0), 0, 0.35f);
    mixInto(out, tone(0.5, 600, 2400, Wave::Saw, 0.003, 0.45, 6000), 0, 0.15f);
    normalise(out, 0.9f);
    return out;
}

Buffer multikillEnd() {
    // Power-down: a falling sweep with a wobble, settling into a low hum.
    Buffer out(samples(0.9));
    double phase = 0.0;
    Biquad lp;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double f = glide(900, 70, t / 0.9) * (1.0 + 0.04 * std::sin(2.0 * pi * 11.0 * t));
        phase += f / rate;
        lp.set(Biquad::Kind::LowPass, glide(6000, 400, t / 0.9), 1.5);
        out[i] = lp.process(sawAt(phase, f / rate)) * percEnv(t, 0.01, 1.0);
    }
    fadeEdges(out, 0.002, 0.08);
    normalise(out, 0.75f);
    return out;
}

Buffer rockSmash(int n) {
    // Crunchy rubble: several tight noise bursts over a dull thud.
    Rng rng(60 + n);
    const double len = 0.55 + 0.05 * n;
    Buffer out = explosion(len, 3500 + 400 * n, 250, 70 + 8 * n, 1.0f, 70 + n);
    for (int k = 0; k < 5 + n; ++k) {
        const double at = 0.01 + rng.unit() * 0.18;
        Buffer chunk(samples(0.05));
        Biquad bp;
        bp.set(Biquad::Kind::BandPass, 800 + rng.unit() * 2500, 3.0);
        for (size_t i = 0; i < chunk.size(); ++i)
            chunk[i] = bp.process(rng.bipolar()) * percEnv(static_cast<double>(i) / rate, 0.001, 0.05) * 3.0f;
        mixInto(out, chunk, samples(at), 0.5f);
    }
    fadeEdges(out, 0.001, 0.03);
    normalise(out, 0.85f);
    return out;
}

Buffer thrustLoop() {
    // Bassless engine hiss; it is faded in and out by the game, so it only has to loop cleanly.
    Buffer out = noiseLoop(2.0, 90, Biquad::Kind::BandPass, 1100, 0.7, 0.25, 6);
    Buffer air = noiseLoop(2.0, 91, Biquad::Kind::HighPass, 5000, 0.7, 0.4, 4);
    for (size_t i = 0; i < out.size(); ++i) out[i] += air[i] * 0.2f;
    normalise(out, 0.6f);
    return out;
}

Buffer menuReturn() {
    Buffer out = sequence({76, 69}, 0.06, 0.1, Wave::Square, 0.09, 3000);
    normalise(out, 0.55f);
    return out;
}

Buffer menuBeep() {
    Buffer out = tone(0.07, noteHz(81), noteHz(81), Wave::Square, 0.001, 0.065, 3500);
    normalise(out, 0.5f);
    return out;
}

Buffer wayPoint() {
    Buffer out = bell(0.6, noteHz(79), 2.0, 1.5);
    mixInto(out, bell(0.6, noteHz(86), 2.0, 1.0), samples(0.0), 0.4f);
    normalise(out, 0.7f);
    return out;
}

Buffer missionComplete() {
    Buffer out = bell(0.5, noteHz(76), 2.0, 1.2);
    mixInto(out, bell(0.6, noteHz(83), 2.0, 1.2), samples(0.09), 1.0f);
    normalise(out, 0.75f);
    return out;
}

Buffer missionCongrats() {
    // A funky little fanfare: syncopated stabs, then a bent final chord.
    Buffer out = sequence({67, 70, 72, 0, 72, 75}, 0.11, 0.12, Wave::Saw, 0.1, 2800);
    const double chord[] = {72, 76, 79, 84};
    for (double note : chord) {
        const double hz = noteHz(note);
        mixInto(out, tone(0.7, hz * 0.94, hz, Wave::Saw, 0.01, 0.7, 3200), samples(0.66), 0.35f);
    }
    normalise(out, 0.75f);
    return out;
}

Buffer missionFailed() {
    // A glitchy descent: a buzzing tone stepping down, broken by gaps.
    Buffer out;
    const double notes[] = {64, 61, 57, 52};
    for (int n = 0; n < 4; ++n) {
        const double hz = noteHz(notes[n]);
        mixInto(out, tone(0.18, hz, hz * 0.97, Wave::Square, 0.003, 0.16, 1800), samples(0.16 * n), 0.8f);
    }
    mixInto(out, tone(0.5, noteHz(40), noteHz(36), Wave::Saw, 0.01, 0.5, 900), samples(0.6), 0.9f);
    normalise(out, 0.75f);
    return out;
}

Buffer unlock() {
    // Rising shimmer: fast bell arpeggio over two octaves.
    Buffer out;
    const double notes[] = {72, 76, 79, 84, 88, 91, 96};
    for (int n = 0; n < 7; ++n) mixInto(out, bell(0.5, noteHz(notes[n]), 1.0, 1.5), samples(0.06 * n), 0.7f);
    mixInto(out, bell(1.0, noteHz(84), 2.0, 2.0), samples(0.42), 0.8f);
    normalise(out, 0.75f);
    return out;
}

Buffer error() {
    Buffer out = tone(0.1, 140, 140, Wave::Square, 0.002, 0.12, 1500);
    mixInto(out, tone(0.14, 130, 130, Wave::Square, 0.002, 0.16, 1500), samples(0.13), 1.0f);
    normalise(out, 0.6f);
    return out;
}

Buffer gameOver() {
    // A slow minor chord grinding downward under rough noise.
    Buffer out(samples(2.2));
    const double chord[] = {45, 48, 52, 57};
    for (double note : chord) {
        const double hz = noteHz(note);
        mixInto(out, tone(2.2, hz, hz * 0.5, Wave::Saw, 0.02, 2.2, 1600), 0, 0.3f);
    }
    Rng rng(150);
    Biquad bp;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        bp.set(Biquad::Kind::BandPass, glide(1200, 200, t / 2.2), 4.0);
        out[i] += bp.process(rng.bipolar()) * percEnv(t, 0.05, 2.0) * 0.7f;
    }
    fadeEdges(out, 0.002, 0.2);
    normalise(out, 0.8f);
    return out;
}

Buffer multiplayerComplete() {
    // "Wah wah wah waaah": the awkward descending horn.
    Buffer out;
    const double notes[] = {58, 57, 56};
    for (int n = 0; n < 3; ++n) {
        const double hz = noteHz(notes[n]);
        mixInto(out, tone(0.34, hz, hz * 0.985, Wave::Saw, 0.03, 0.4, 1400), samples(0.36 * n), 0.8f);
    }
    Buffer last(samples(1.0));
    double phase = 0.0;
    Biquad lp;
    for (size_t i = 0; i < last.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double hz = noteHz(55) * (1.0 + 0.02 * std::sin(2.0 * pi * 6.0 * t));
        phase += hz / rate;
        lp.set(Biquad::Kind::LowPass, 500 + 900 * (0.5 + 0.5 * std::sin(2.0 * pi * 3.0 * t)), 2.0);
        last[i] = lp.process(sawAt(phase, hz / rate)) * percEnv(t, 0.03, 1.3);
    }
    fadeEdges(last, 0.002, 0.15);
    mixInto(out, last, samples(1.08), 0.9f);
    normalise(out, 0.7f);
    return out;
}

Buffer grindLoop() {
    // Metal on metal: resonant noise with a fast rattle, looping cleanly.
    Buffer out = noiseLoop(1.5, 200, Biquad::Kind::BandPass, 2600, 4.0, 0.0, 1);
    Buffer low = noiseLoop(1.5, 201, Biquad::Kind::BandPass, 700, 2.5, 0.0, 1);
    for (size_t i = 0; i < out.size(); ++i) {
        const double k = static_cast<double>(i) / out.size();
        // 45 rattles a loop: 30 a second.
        const double rattle = 0.6 + 0.4 * std::fabs(std::sin(pi * 45.0 * k));
        out[i] = static_cast<float>((out[i] + low[i] * 0.7f) * rattle);
    }
    normalise(out, 0.7f);
    return out;
}

}  // namespace effects
