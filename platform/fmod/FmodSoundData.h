#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fmod.h"

// A whole decoded sound: interleaved 16-bit frames of one or two channels.
struct FmodSoundData {
    int channels = 1;
    int rate = 44100;
    std::vector<int16_t> samples;

    unsigned frames() const { return static_cast<unsigned>(samples.size() / static_cast<size_t>(channels)); }

    // Decodes a file (WAV, MP3 and whatever else libsndfile reads). On failure
    // returns null and sets error to FMOD_ERR_FILE_NOTFOUND, FMOD_ERR_FORMAT or
    // FMOD_ERR_MEMORY.
    static std::shared_ptr<const FmodSoundData> decode(const std::string& path, FMOD_RESULT& error);

    // A float sample (full scale -1..1) as 16 bits, rounded and clamped; NaN is silence.
    static int16_t toPcm16(double sample);
};
