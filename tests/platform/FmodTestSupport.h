#pragma once

// Helpers shared by the sound tests: generated sound files, a private scratch
// folder per test process, and a recorder of the sound layer's calls.

#include <sndfile.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "FmodLayer.h"

namespace fmodtest {

// A fresh folder under /tmp, removed with the object.
class ScratchDir {
public:
    ScratchDir() {
        char pattern[] = "/tmp/vx_sound_XXXXXX";
        const char* made = mkdtemp(pattern);
        path = made ? made : "/tmp";
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (path != "/tmp") std::filesystem::remove_all(path, ignored);
    }
    std::string file(const std::string& name) const { return path + "/" + name; }

    std::string path;
};

// Writes 16-bit PCM interleaved samples; format may also be MP3.
inline bool writeSound(const std::string& path, int rate, int channels, const std::vector<int16_t>& samples,
                       int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
    SF_INFO info = {};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return false;
    sf_count_t frames = static_cast<sf_count_t>(samples.size() / static_cast<size_t>(channels));
    sf_count_t written = sf_writef_short(f, samples.data(), frames);
    sf_close(f);
    return written == frames;
}

// A constant mono level: every frame the same, so any resampling keeps it.
inline bool writeConstant(const std::string& path, int rate, unsigned frames, int16_t level) {
    return writeSound(path, rate, 1, std::vector<int16_t>(frames, level));
}

// Sample i holds the value i (mono), so a position can be read off the output.
inline bool writeRamp(const std::string& path, int rate, unsigned frames) {
    std::vector<int16_t> s(frames);
    for (unsigned i = 0; i < frames; ++i) s[i] = static_cast<int16_t>(i);
    return writeSound(path, rate, 1, s);
}

// Records every layer call with handles renamed in order of first appearance
// (system#7 -> sys1, sound#12 -> snd1, channel#40.3 -> ch1, group#7 -> grp1),
// so expectations do not depend on the layer's internal numbering.
class CallRecorder {
public:
    CallRecorder() {
        FmodLayer::setCallObserver([this](const std::string& line) { calls.push_back(rename(line)); });
    }
    ~CallRecorder() { FmodLayer::setCallObserver(nullptr); }

    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }

    std::vector<std::string> calls;

private:
    std::string rename(const std::string& line) {
        static const std::regex handle("(system|sound|channel|group)#[0-9.]+");
        static const std::map<std::string, std::string> prefix = {
            {"system", "sys"}, {"sound", "snd"}, {"channel", "ch"}, {"group", "grp"}};
        std::string out;
        auto last = line.cbegin();
        for (std::sregex_iterator it(line.begin(), line.end(), handle), end; it != end; ++it) {
            out.append(last, line.cbegin() + it->position());
            const std::string raw = it->str();
            auto found = names.find(raw);
            if (found == names.end()) {
                const std::string kind = (*it)[1];
                found = names.emplace(raw, prefix.at(kind) + std::to_string(++counts[kind])).first;
            }
            out += found->second;
            last = line.cbegin() + it->position() + it->length();
        }
        out.append(last, line.cend());
        return out;
    }

    std::map<std::string, std::string> names;
    std::map<std::string, int> counts;
};

// Frames of the mixer's output rate in `ms` milliseconds.
inline size_t framesFor(double ms) {
    return static_cast<size_t>(std::llround(ms * 44.1));
}

}  // namespace fmodtest
