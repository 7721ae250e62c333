#include "LoopMix.h"

#include <algorithm>
#include <cmath>

using namespace dsp;

LoopMix::LoopMix(double bpm, int bars) : beat(60.0 / bpm) {
    const size_t n = static_cast<size_t>(samples(beat * 4 * bars));
    left.assign(n, 0.0f);
    right.assign(n, 0.0f);
    sendLeft.assign(n, 0.0f);
    sendRight.assign(n, 0.0f);
}

void LoopMix::add(const Buffer& mono, double atBeat, float gain, float pan, bool echo) {
    const size_t n = left.size();
    const size_t start = static_cast<size_t>(samples(atBeat * beat)) % n;
    // Equal-power pan.
    const double angle = (pan + 1.0) * pi / 4.0;
    const float gl = gain * static_cast<float>(std::cos(angle));
    const float gr = gain * static_cast<float>(std::sin(angle));
    for (size_t i = 0; i < mono.size(); ++i) {
        const size_t at = (start + i) % n;
        left[at] += mono[i] * gl;
        right[at] += mono[i] * gr;
        if (echo) {
            sendLeft[at] += mono[i] * gl;
            sendRight[at] += mono[i] * gr;
        }
    }
}

Buffer LoopMix::finish(float peak) {
    const size_t n = left.size();
    // Ping-pong echo of three quarters of a beat, run round the loop until it settles.
    const size_t delay = static_cast<size_t>(samples(beat * 0.75)) % n;
    Buffer echoL(n, 0.0f), echoR(n, 0.0f);
    Biquad darkL, darkR;
    darkL.set(Biquad::Kind::LowPass, 3500, 0.7);
    darkR.set(Biquad::Kind::LowPass, 3500, 0.7);
    for (int pass = 0; pass < 4; ++pass) {
        for (size_t i = 0; i < n; ++i) {
            const size_t from = (i + n - delay) % n;
            const float l = sendLeft[i] * 0.5f + darkL.process(echoR[from]) * 0.45f;
            const float r = sendRight[i] * 0.5f + darkR.process(echoL[from]) * 0.45f;
            echoL[i] = l;
            echoR[i] = r;
        }
    }
    Buffer out(n * 2);
    float most = 0.0f;
    for (size_t i = 0; i < n; ++i) {
        out[2 * i] = left[i] + echoL[i] * 0.6f;
        out[2 * i + 1] = right[i] + echoR[i] * 0.6f;
        most = std::max(most, std::max(std::fabs(out[2 * i]), std::fabs(out[2 * i + 1])));
    }
    // Gentle saturation rounds the drum peaks off before the level is set.
    if (most > 0.0f)
        for (float& v : out) v = static_cast<float>(std::tanh(1.6 * v / most));
    normalise(out, peak);
    return out;
}
