#include "FmodSoundData.h"

#include <mpg123.h>
#include <sndfile.h>
#include <sys/stat.h>

#include <cmath>
#include <limits>
#include <mutex>
#include <new>

namespace {

struct SndFileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

struct Mpg123Closer {
    void operator()(mpg123_handle* h) const {
        mpg123_close(h);
        mpg123_delete(h);
    }
};

// Anything beyond stereo is folded down to one channel.
void appendFrames(FmodSoundData& data, const std::vector<short>& block, size_t frames, int fileChannels) {
    if (fileChannels <= 2) {
        data.samples.insert(data.samples.end(), block.begin(), block.begin() + frames * fileChannels);
        return;
    }
    for (size_t f = 0; f < frames; ++f) {
        long sum = 0;
        for (int c = 0; c < fileChannels; ++c) sum += block[f * fileChannels + c];
        data.samples.push_back(static_cast<int16_t>(sum / fileChannels));
    }
}

bool tooLong(const FmodSoundData& data) {
    return data.samples.size() / static_cast<size_t>(data.channels) > std::numeric_limits<unsigned>::max();
}

// Float files hold -1..1 (and louder peaks); libsndfile's own short reading
// would round those to -1, 0 and 1.
FMOD_RESULT readSndFile(SNDFILE* file, const SF_INFO& info, FmodSoundData& data,
                        const FmodSoundData::KeepGoing& keepGoing) {
    const int sub = info.format & SF_FORMAT_SUBMASK;
    const bool floats = sub == SF_FORMAT_FLOAT || sub == SF_FORMAT_DOUBLE;
    const sf_count_t blockFrames = 4096;
    const size_t blockSamples = static_cast<size_t>(blockFrames * info.channels);
    std::vector<short> block(blockSamples);
    std::vector<double> wide(floats ? blockSamples : 0);
    // The frame count of compressed files is only an estimate: read until the end.
    for (;;) {
        if (keepGoing && !keepGoing()) return FMOD_ERR_UNINITIALIZED;
        sf_count_t got = floats ? sf_readf_double(file, wide.data(), blockFrames)
                                : sf_readf_short(file, block.data(), blockFrames);
        if (got <= 0) break;
        if (floats) {
            for (size_t i = 0; i < static_cast<size_t>(got * info.channels); ++i) block[i] = FmodSoundData::toPcm16(wide[i]);
        }
        appendFrames(data, block, static_cast<size_t>(got), info.channels);
        if (tooLong(data)) return FMOD_ERR_MEMORY;
    }
    return sf_error(file) == SF_ERR_NO_ERROR ? FMOD_OK : FMOD_ERR_FORMAT;
}

// libsndfile stops MP3 reading at mpg123's first length estimate, which for
// a variable bit rate without a length header may be a fraction of the
// stream; mpg123 itself decodes to the real end.
using MpegHandle = std::unique_ptr<mpg123_handle, Mpg123Closer>;

// An open MP3 that decodes to 16-bit samples at its own rate; null when it cannot be opened.
MpegHandle openMpeg(const std::string& path) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });
    MpegHandle handle(mpg123_new(nullptr, nullptr));
    if (!handle) return handle;
    mpg123_handle* h = handle.get();
    mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(h);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i) mpg123_format(h, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(h, path.c_str()) != MPG123_OK) handle.reset();
    return handle;
}

FMOD_RESULT readMpeg(const std::string& path, FmodSoundData& data, const FmodSoundData::KeepGoing& keepGoing) {
    MpegHandle handle = openMpeg(path);
    if (!handle) return FMOD_ERR_FORMAT;
    mpg123_handle* h = handle.get();

    long rate = 0;
    int channels = 0, encoding = 0;
    std::vector<short> block(8192);
    bool formatKnown = false;
    for (;;) {
        if (keepGoing && !keepGoing()) return FMOD_ERR_UNINITIALIZED;
        size_t bytes = 0;
        int result = mpg123_read(h, reinterpret_cast<unsigned char*>(block.data()), block.size() * sizeof(short), &bytes);
        if (result == MPG123_NEW_FORMAT || (!formatKnown && result == MPG123_OK)) {
            long newRate = 0;
            int newChannels = 0;
            if (mpg123_getformat(h, &newRate, &newChannels, &encoding) != MPG123_OK) break;
            // A stream that changes its layout midway ends where it changed.
            if (formatKnown && (newRate != rate || newChannels != channels)) break;
            rate = newRate;
            channels = newChannels;
            data.channels = channels > 2 ? 1 : channels;
            formatKnown = true;
        }
        if (formatKnown && channels > 0) {
            appendFrames(data, block, bytes / sizeof(short) / static_cast<size_t>(channels), channels);
            if (tooLong(data)) return FMOD_ERR_MEMORY;
        }
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT) break;  // MPG123_DONE or a broken tail
    }
    if (!formatKnown || channels <= 0 || rate <= 0 || data.samples.empty()) return FMOD_ERR_FORMAT;
    data.rate = static_cast<int>(rate);
    return FMOD_OK;
}

// A scan of the frame headers gives the exact length, length header or not
// (the decoder's own guess without one falls short); it reads the file but
// decodes nothing.
FMOD_RESULT probeMpeg(const std::string& path, FmodSoundData& info, unsigned& frames) {
    MpegHandle handle = openMpeg(path);
    if (!handle) return FMOD_ERR_FORMAT;
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_getformat(handle.get(), &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0) {
        return FMOD_ERR_FORMAT;
    }
    mpg123_scan(handle.get());
    const off_t length = mpg123_length(handle.get());
    info.rate = static_cast<int>(rate);
    info.channels = channels > 2 ? 1 : channels;
    frames = length > 0 && length <= static_cast<off_t>(std::numeric_limits<unsigned>::max()) ? static_cast<unsigned>(length) : 0;
    return FMOD_OK;
}

struct OpenedFile {
    std::unique_ptr<SNDFILE, SndFileCloser> file;
    SF_INFO info = {};
    bool mpeg() const { return (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG; }
};

FMOD_RESULT openFile(const std::string& path, OpenedFile& opened) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return FMOD_ERR_FILE_NOTFOUND;
    opened.file.reset(sf_open(path.c_str(), SFM_READ, &opened.info));
    if (!opened.file || opened.info.channels <= 0 || opened.info.samplerate <= 0) return FMOD_ERR_FORMAT;
    return FMOD_OK;
}

}  // namespace

int16_t FmodSoundData::toPcm16(double sample) {
    if (std::isnan(sample)) return 0;
    double scaled = std::nearbyint(sample * 32768.0);
    if (scaled > 32767.0) return 32767;
    if (scaled < -32768.0) return -32768;
    return static_cast<int16_t>(scaled);
}

std::shared_ptr<FmodSoundData> FmodSoundData::decode(const std::string& path, FMOD_RESULT& error,
                                                     const KeepGoing& keepGoing) {
    OpenedFile opened;
    error = openFile(path, opened);
    if (error != FMOD_OK) return nullptr;
    try {
        auto data = std::make_shared<FmodSoundData>();
        if (opened.mpeg()) {
            opened.file.reset();
            error = readMpeg(path, *data, keepGoing);
        } else {
            data->channels = opened.info.channels > 2 ? 1 : opened.info.channels;
            data->rate = opened.info.samplerate;
            error = readSndFile(opened.file.get(), opened.info, *data, keepGoing);
        }
        return error == FMOD_OK ? data : nullptr;
    } catch (const std::bad_alloc&) {
        error = FMOD_ERR_MEMORY;
        return nullptr;
    }
}

FMOD_RESULT FmodSoundData::probe(const std::string& path, FmodSoundData& info, unsigned& frames) {
    OpenedFile opened;
    FMOD_RESULT error = openFile(path, opened);
    if (error != FMOD_OK) return error;
    if (opened.mpeg()) {
        opened.file.reset();
        return probeMpeg(path, info, frames);
    }
    info.channels = opened.info.channels > 2 ? 1 : opened.info.channels;
    info.rate = opened.info.samplerate;
    const sf_count_t length = opened.info.frames;
    frames = length > 0 && length <= static_cast<sf_count_t>(std::numeric_limits<unsigned>::max()) ? static_cast<unsigned>(length) : 0;
    return FMOD_OK;
}
