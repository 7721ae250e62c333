#pragma once

#include <string>

#include "Dsp.h"

// Writes through a temporary file renamed into place, so an interrupted run
// never leaves a half-written sound behind. Returns false (and says why on
// standard error) when the file cannot be written.
bool writeWav(const std::string& path, const dsp::Buffer& mono);
bool writeMp3(const std::string& path, const dsp::Buffer& stereo);
