#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fmod.h"

// A whole decoded sound: interleaved 16-bit frames of one or two channels.
struct FmodSoundData {
    int channels = 1;
    int rate = 44100;
    std::vector<int16_t> samples;
    // False while a stream is still being decoded elsewhere: no samples yet.
    bool ready = true;

    unsigned frames() const { return static_cast<unsigned>(samples.size() / static_cast<size_t>(channels)); }

    // Asked between decoded blocks; false abandons the decode.
    using KeepGoing = std::function<bool()>;

    // Decodes a file (WAV, MP3 and whatever else libsndfile reads). On failure
    // returns null and sets error to FMOD_ERR_FILE_NOTFOUND, FMOD_ERR_FORMAT or
    // FMOD_ERR_MEMORY; an abandoned decode gives FMOD_ERR_UNINITIALIZED.
    static std::shared_ptr<FmodSoundData> decode(const std::string& path, FMOD_RESULT& error,
                                                 const KeepGoing& keepGoing = nullptr);

    // Reads only what a decode would give beside the samples: channels and
    // rate into `info`, the frame count into `frames`. Fails as decode does.
    static FMOD_RESULT probe(const std::string& path, FmodSoundData& info, unsigned& frames);

    // A float sample (full scale -1..1) as 16 bits, rounded and clamped; NaN is silence.
    static int16_t toPcm16(double sample);
};
