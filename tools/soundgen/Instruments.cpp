#include "Instruments.h"

#include <algorithm>
#include <cmath>

using namespace dsp;

namespace instruments {

double noteHz(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

Buffer kick(float punch) {
    Buffer out(samples(0.35));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double f = 45.0 + 110.0 * std::exp(-t * 35.0);
        phase += f / rate;
        const float click = t < 0.004 ? static_cast<float>(1.0 - t / 0.004) * 0.3f * punch : 0.0f;
        out[i] = static_cast<float>(std::sin(2.0 * pi * phase)) * percEnv(t, 0.001, 0.33) + click;
    }
    fadeEdges(out, 0.0005, 0.01);
    return out;
}

Buffer snare(uint32_t seed) {
    Rng rng(seed);
    Buffer out(samples(0.25));
    Biquad bp;
    bp.set(Biquad::Kind::BandPass, 2500, 0.8);
    Biquad hp;
    hp.set(Biquad::Kind::HighPass, 900, 0.7);
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        phase += (185.0 - 30.0 * t) / rate;
        const float body = static_cast<float>(std::sin(2.0 * pi * phase)) * percEnv(t, 0.001, 0.09);
        const float noise = hp.process(bp.process(rng.bipolar())) * percEnv(t, 0.001, 0.22);
        out[i] = body * 0.6f + noise * 1.8f;
    }
    fadeEdges(out, 0.0005, 0.01);
    return out;
}

Buffer hat(uint32_t seed, bool open) {
    Rng rng(seed);
    const double len = open ? 0.3 : 0.06;
    Buffer out(samples(len));
    Biquad hp;
    hp.set(Biquad::Kind::HighPass, 7000, 0.9);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        out[i] = hp.process(rng.bipolar()) * percEnv(t, 0.0005, len);
    }
    fadeEdges(out, 0.0005, 0.005);
    return out;
}

Buffer bass(double midi, double seconds, double brightness) {
    const double hz = noteHz(midi);
    Buffer out(samples(seconds + 0.05));
    Biquad lp;
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        phase += hz / rate;
        lp.set(Biquad::Kind::LowPass, hz * (1.5 + brightness * 10.0 * std::exp(-t * 12.0)), 1.2);
        const float v = sawAt(phase, hz / rate) * 0.6f + static_cast<float>(std::sin(2.0 * pi * phase)) * 0.6f;
        const float gate = t < seconds ? 1.0f : static_cast<float>(std::exp(-(t - seconds) * 120.0));
        out[i] = lp.process(v) * gate * percEnv(t, 0.003, seconds * 3.0 + 0.2);
    }
    fadeEdges(out, 0.002, 0.01);
    return out;
}

Buffer pluck(double midi, double seconds, double brightness) {
    const double hz = noteHz(midi);
    Buffer out(samples(seconds));
    Biquad lp;
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        phase += hz / rate;
        lp.set(Biquad::Kind::LowPass, hz * (1.0 + brightness * 8.0 * std::exp(-t * 18.0)), 0.9);
        out[i] = lp.process(squareAt(phase, hz / rate, 0.3)) * percEnv(t, 0.002, seconds);
    }
    fadeEdges(out, 0.001, 0.01);
    return out;
}

Buffer lead(double midi, double seconds) {
    const double hz = noteHz(midi);
    Buffer out(samples(seconds + 0.15));
    Biquad lp;
    lp.set(Biquad::Kind::LowPass, 3200, 0.8);
    double p1 = 0.0, p2 = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        // Vibrato that starts after the note has settled.
        const double vib = 1.0 + 0.006 * std::sin(2.0 * pi * 5.5 * t) * std::min(1.0, t * 4.0);
        p1 += hz * vib / rate;
        p2 += hz * vib * 1.005 / rate;
        const float v = (sawAt(p1, hz / rate) + sawAt(p2, hz / rate)) * 0.5f;
        const float gate = t < seconds ? 1.0f : static_cast<float>(std::exp(-(t - seconds) * 40.0));
        out[i] = lp.process(v) * gate * static_cast<float>(std::min(1.0, t / 0.01));
    }
    fadeEdges(out, 0.001, 0.01);
    return out;
}

Buffer pad(double midi, double seconds) {
    const double hz = noteHz(midi);
    const double release = 0.8;
    Buffer out(samples(seconds + release));
    Biquad lp;
    lp.set(Biquad::Kind::LowPass, 1400, 0.7);
    double p[3] = {0.0, 0.33, 0.67};
    const double detune[3] = {1.0, 1.004, 0.996};
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        float v = 0.0f;
        for (int k = 0; k < 3; ++k) {
            p[k] += hz * detune[k] / rate;
            v += sawAt(p[k], hz / rate);
        }
        double level = std::min(1.0, t / 0.4);
        if (t > seconds) level *= std::exp(-(t - seconds) * 6.0 / release);
        out[i] = lp.process(v / 3.0f) * static_cast<float>(level);
    }
    fadeEdges(out, 0.001, 0.02);
    return out;
}

Buffer bell(double midi, double seconds) {
    const double hz = noteHz(midi);
    Buffer out(samples(seconds));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double mod = std::sin(2.0 * pi * hz * 3.5 * t) * 1.8 * std::exp(-t * 6.0);
        out[i] = static_cast<float>(std::sin(2.0 * pi * hz * t + mod)) * percEnv(t, 0.002, seconds);
    }
    fadeEdges(out, 0.001, 0.01);
    return out;
}

}  // namespace instruments
