#pragma once

// Helpers shared by the sound tests: generated sound files and a recorder of
// the sound layer's calls.

#include <sndfile.h>

#include <cstdint>
#include <map>
#include <regex>
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
        size_t last = 0;
        for (std::sregex_iterator it(line.begin(), line.end(), handle), end; it != end; ++it) {
            out += line.substr(last, static_cast<size_t>(it->position()) - last);
            std::string& name = names[it->str()];
            if (name.empty()) name = prefix.at((*it)[1]) + std::to_string(++counts[(*it)[1]]);
            out += name;
            last = static_cast<size_t>(it->position() + it->length());
        }
        return out + line.substr(last);
    }

    std::map<std::string, std::string> names;
    std::map<std::string, int> counts;
};

}  // namespace fmodtest
