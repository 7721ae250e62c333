#include "SoundFile.h"

#include <sndfile.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

namespace {

bool write(const std::string& path, const dsp::Buffer& data, int channels, int format) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    if (ec) {
        std::cerr << "soundgen: cannot create the folder of " << path << ": " << ec.message() << "\n";
        return false;
    }
    // Two builds of one checkout may write the same sound at once.
    const std::string temp = path + ".part" + std::to_string(getpid());
    SF_INFO info = {};
    info.samplerate = dsp::rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(temp.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::cerr << "soundgen: cannot write " << temp << ": " << sf_strerror(nullptr) << "\n";
        return false;
    }
    if ((format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG) {
        // Variable bit rate at a high quality setting: music is the longest thing players hear.
        int mode = SF_BITRATE_MODE_VARIABLE;
        sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        double level = 0.25;
        sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    const sf_count_t frames = static_cast<sf_count_t>(data.size() / channels);
    const sf_count_t written = sf_writef_float(file, data.data(), frames);
    const int closed = sf_close(file);
    if (written != frames || closed != 0) {
        std::cerr << "soundgen: writing " << temp << " failed\n";
        std::remove(temp.c_str());
        return false;
    }
    fs::rename(temp, path, ec);
    if (ec) {
        std::cerr << "soundgen: cannot move " << temp << " into place: " << ec.message() << "\n";
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool writeWav(const std::string& path, const dsp::Buffer& mono) {
    return write(path, mono, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

bool writeMp3(const std::string& path, const dsp::Buffer& stereo) {
    return write(path, stereo, 2, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
}
