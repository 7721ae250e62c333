#include "FmodSoundData.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <limits>
#include <new>

namespace {

struct SndFileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

// Anything beyond stereo is folded down to one channel.
void appendFrames(FmodSoundData& data, const std::vector<short>& block, sf_count_t frames, int fileChannels) {
    if (fileChannels <= 2) {
        data.samples.insert(data.samples.end(), block.begin(), block.begin() + frames * fileChannels);
        return;
    }
    for (sf_count_t f = 0; f < frames; ++f) {
        long sum = 0;
        for (int c = 0; c < fileChannels; ++c) sum += block[static_cast<size_t>(f * fileChannels + c)];
        data.samples.push_back(static_cast<int16_t>(sum / fileChannels));
    }
}

}  // namespace

std::shared_ptr<const FmodSoundData> FmodSoundData::decode(const std::string& path, FMOD_RESULT& error) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        error = FMOD_ERR_FILE_NOTFOUND;
        return nullptr;
    }
    SF_INFO info = {};
    std::unique_ptr<SNDFILE, SndFileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file || info.channels <= 0 || info.samplerate <= 0) {
        error = FMOD_ERR_FORMAT;
        return nullptr;
    }
    try {
        auto data = std::make_shared<FmodSoundData>();
        data->channels = info.channels > 2 ? 1 : info.channels;
        data->rate = info.samplerate;
        // The frame count of compressed files is only an estimate: read until the end.
        const sf_count_t blockFrames = 4096;
        std::vector<short> block(static_cast<size_t>(blockFrames * info.channels));
        for (;;) {
            sf_count_t got = sf_readf_short(file.get(), block.data(), blockFrames);
            if (got <= 0) break;
            appendFrames(*data, block, got, info.channels);
            if (data->samples.size() / static_cast<size_t>(data->channels) > std::numeric_limits<unsigned>::max()) {
                error = FMOD_ERR_MEMORY;
                return nullptr;
            }
        }
        if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
            error = FMOD_ERR_FORMAT;
            return nullptr;
        }
        error = FMOD_OK;
        return data;
    } catch (const std::bad_alloc&) {
        error = FMOD_ERR_MEMORY;
        return nullptr;
    }
}
