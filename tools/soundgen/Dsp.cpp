#include "Dsp.h"

#include <algorithm>
#include <cmath>

namespace dsp {

float Rng::bipolar() {
    return unit() * 2.0f - 1.0f;
}

float Rng::unit() {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / 16777216.0f;
}

void Biquad::set(Kind kind, double freq, double q) {
    freq = std::clamp(freq, 10.0, rate * 0.45);
    const double w = 2.0 * pi * freq / rate;
    const double cw = std::cos(w);
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    switch (kind) {
    case Kind::LowPass:
        b0 = (1.0 - cw) / 2.0;
        b1 = 1.0 - cw;
        b2 = b0;
        break;
    case Kind::HighPass:
        b0 = (1.0 + cw) / 2.0;
        b1 = -(1.0 + cw);
        b2 = b0;
        break;
    case Kind::BandPass:
        b0 = alpha;
        b1 = 0.0;
        b2 = -alpha;
        break;
    }
    b0 /= a0;
    b1 /= a0;
    b2 /= a0;
    a1 = -2.0 * cw / a0;
    a2 = (1.0 - alpha) / a0;
}

float Biquad::process(float x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return static_cast<float>(y);
}

int samples(double seconds) {
    return static_cast<int>(std::lround(seconds * rate));
}

namespace {

// Smooths the jump of a naive waveform over the two samples around it.
double polyBlep(double t, double dt) {
    if (dt <= 0.0) return 0.0;
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double wrap(double phase) {
    return phase - std::floor(phase);
}

}  // namespace

float sawAt(double phase, double phaseStep) {
    const double t = wrap(phase);
    return static_cast<float>(2.0 * t - 1.0 - polyBlep(t, phaseStep));
}

float squareAt(double phase, double phaseStep, double width) {
    const double t = wrap(phase);
    double v = t < width ? 1.0 : -1.0;
    v += polyBlep(t, phaseStep);
    v -= polyBlep(wrap(t - width + 1.0), phaseStep);
    return static_cast<float>(v);
}

float percEnv(double t, double attack, double decay) {
    if (t < 0.0) return 0.0f;
    if (t < attack) return static_cast<float>(t / attack);
    return static_cast<float>(std::exp(-6.9 * (t - attack) / decay));
}

double glide(double a, double b, double t) {
    return a * std::pow(b / a, std::clamp(t, 0.0, 1.0));
}

void fadeEdges(Buffer& b, double inSeconds, double outSeconds) {
    const size_t in = std::min(b.size(), static_cast<size_t>(samples(inSeconds)));
    const size_t out = std::min(b.size(), static_cast<size_t>(samples(outSeconds)));
    for (size_t i = 0; i < in; ++i) b[i] *= static_cast<float>(i) / in;
    for (size_t i = 0; i < out; ++i) b[b.size() - 1 - i] *= static_cast<float>(i) / out;
}

void normalise(Buffer& b, float peak) {
    float most = 0.0f;
    for (float v : b) most = std::max(most, std::fabs(v));
    if (most <= 0.0f) return;
    const float k = peak / most;
    for (float& v : b) v *= k;
}

void mixInto(Buffer& dst, const Buffer& src, size_t at, float gain) {
    if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dst[at + i] += src[i] * gain;
}

}  // namespace dsp
