#pragma once

#include "Dsp.h"

// A stereo music loop of a whole number of bars. Everything mixed in wraps
// around the end, so a note ringing past the last bar sounds at the start of
// the next pass and the loop has no seam.
class LoopMix {
public:
    LoopMix(double bpm, int bars);

    double beatSeconds() const { return beat; }
    size_t length() const { return left.size(); }

    // Mixes a mono sound at a beat position (pan -1 left to 1 right).
    void add(const dsp::Buffer& mono, double atBeat, float gain, float pan, bool echo = false);

    // Echo of the sends, then a soft saturation and the final level;
    // returns interleaved left/right samples.
    dsp::Buffer finish(float peak);

private:
    double beat = 0.5;
    dsp::Buffer left;
    dsp::Buffer right;
    dsp::Buffer sendLeft;
    dsp::Buffer sendRight;
};
