#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Small synthesis toolkit of the sound generator. Everything is deterministic:
// noise comes from our own generator, never from the standard library's.
namespace dsp {

constexpr int rate = 44100;
constexpr double pi = 3.14159265358979323846;

using Buffer = std::vector<float>;

// Linear congruential noise; the same seed always gives the same sound.
class Rng {
public:
    explicit Rng(uint32_t seed) : state(seed * 2654435761u + 12345u) {}
    // Uniform in [-1, 1).
    float bipolar();
    // Uniform in [0, 1).
    float unit();

private:
    uint32_t state = 1;
};

// RBJ biquad; coefficients may change every sample.
class Biquad {
public:
    enum class Kind { LowPass, HighPass, BandPass };
    void set(Kind kind, double freq, double q);
    float process(float x);

private:
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

int samples(double seconds);

// Band-limited oscillators over a running phase in cycles.
float sawAt(double phase, double phaseStep);
float squareAt(double phase, double phaseStep, double width = 0.5);

// Attack-then-exponential-decay envelope; reaches about -60 dB at `decay`.
float percEnv(double t, double attack, double decay);

// Exponential glide from a to b over the length (t from 0 to 1).
double glide(double a, double b, double t);

// Fades the first and last `seconds` so nothing starts or ends with a click.
void fadeEdges(Buffer& b, double inSeconds, double outSeconds);
// Scales so that the largest magnitude equals `peak`.
void normalise(Buffer& b, float peak);
void mixInto(Buffer& dst, const Buffer& src, size_t at, float gain);

// Runs a filter over a loop as if it had been playing forever, so the end
// flows into the start without a seam.
template <typename F>
Buffer loopFiltered(const Buffer& in, F&& filter) {
    Buffer out(in.size());
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < in.size(); ++i) out[i] = filter(in[i]);
    return out;
}

}  // namespace dsp
