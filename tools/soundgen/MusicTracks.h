#pragma once

#include "Dsp.h"

// The music loops, interleaved stereo at dsp::rate, each a whole number of
// bars that loops without a seam.
namespace music {

dsp::Buffer easy();
dsp::Buffer hard();
dsp::Buffer mission();
dsp::Buffer asteroid();
dsp::Buffer versus();
dsp::Buffer versusToo();

}  // namespace music
