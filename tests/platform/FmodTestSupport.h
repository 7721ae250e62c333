#pragma once

// Generated sound files for the sound tests.

#include <sndfile.h>
#include <stdlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FmodLayer.h"
#include "ScratchDir.h"

namespace fmodtest {

using ::ScratchDir;

// Writes 16-bit PCM interleaved samples; format may also be MP3.
inline bool writeSound(const std::string& path, int rate, int channels, const std::vector<int16_t>& samples,
                       int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
    SF_INFO info = {};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return false;
    const sf_count_t frames = static_cast<sf_count_t>(samples.size() / static_cast<size_t>(channels));
    const sf_count_t written = sf_writef_short(f, samples.data(), frames);
    sf_close(f);
    return written == frames;
}

// A constant mono level: every frame the same, so any resampling keeps it.
inline bool writeConstant(const std::string& path, int rate, unsigned frames, int16_t level) {
    return writeSound(path, rate, 1, std::vector<int16_t>(frames, level));
}

// Sets a variable of the process's environment until the end of the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name(name), had(getenv(name) != nullptr) {
        if (had) previous = getenv(name);
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { had ? setenv(name, previous.c_str(), 1) : unsetenv(name); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name;
    bool had;
    std::string previous;
};

}  // namespace fmodtest
