#pragma once

#include <cstdint>

#include "Dsp.h"

// The voices the music is made of; each renders one hit or one note, mono.
namespace instruments {

double noteHz(double midi);

dsp::Buffer kick(float punch = 1.0f);
dsp::Buffer snare(uint32_t seed);
dsp::Buffer hat(uint32_t seed, bool open);
dsp::Buffer bass(double midi, double seconds, double brightness);
dsp::Buffer pluck(double midi, double seconds, double brightness);
dsp::Buffer lead(double midi, double seconds);
dsp::Buffer pad(double midi, double seconds);
dsp::Buffer bell(double midi, double seconds);

}  // namespace instruments
