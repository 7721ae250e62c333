#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "../../platform/FmodTestSupport.h"
#include "RecordingSoundPlayer.h"

namespace {

struct Decoded {
    SF_INFO info = {};
    std::vector<float> samples;  // interleaved
    bool ok = false;
    size_t frames() const { return info.channels > 0 ? samples.size() / static_cast<size_t>(info.channels) : 0; }
};

Decoded decode(const std::string& path) {
    Decoded d;
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &d.info);
    if (!f) return d;
    std::vector<float> block(4096 * static_cast<size_t>(d.info.channels));
    sf_count_t got = 0;
    while ((got = sf_readf_float(f, block.data(), 4096)) > 0)
        d.samples.insert(d.samples.end(), block.begin(), block.begin() + got * d.info.channels);
    d.ok = sf_error(f) == SF_ERR_NO_ERROR;
    sf_close(f);
    return d;
}

// Every path the bank loads, once each.
std::vector<std::string> bankPaths() {
    RecordedBank r;
    std::vector<std::string> paths;
    for (const std::string& c : r.take()) {
        const size_t at = c.find(" load ");
        if (at == std::string::npos) continue;
        std::string path = c.substr(at + 6);
        path = path.substr(0, path.find(" streamed"));
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
    }
    return paths;
}

double rmsOf(const std::vector<float>& samples, size_t from, size_t to) {
    double energy = 0.0;
    for (size_t i = from; i < to; ++i) energy += samples[i] * samples[i];
    return std::sqrt(energy / static_cast<double>(to - from));
}

bool isLoop(const std::string& path) {
    return path.find("/music/") != std::string::npos || path.find("thrust/") != std::string::npos ||
           path.find("Grind/") != std::string::npos;
}

TEST(GeneratedSounds, EachDecodesInItsFormatAndIsAudibleWithoutClipping) {
    const std::vector<std::string> paths = bankPaths();
    ASSERT_EQ(32u, paths.size());
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const Decoded d = decode(std::string(VX_SOURCE_DIR) + "/data/" + path);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(44100, d.info.samplerate);
        if (path.find(".mp3") != std::string::npos) {
            EXPECT_EQ(SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, d.info.format & (SF_FORMAT_TYPEMASK | SF_FORMAT_SUBMASK));
            EXPECT_NEAR(static_cast<double>(d.frames()) / 44100.0, 30.0, 10.0);
        } else {
            EXPECT_EQ(SF_FORMAT_WAV | SF_FORMAT_PCM_16, d.info.format);
            EXPECT_EQ(1, d.info.channels);
            EXPECT_LE(d.frames(), 44100u * 3);
        }
        float peak = 0.0f;
        double energy = 0.0;
        float biggestStep = 0.0f;
        const size_t ch = static_cast<size_t>(d.info.channels);
        for (size_t i = 0; i < d.samples.size(); ++i) {
            peak = std::max(peak, std::fabs(d.samples[i]));
            energy += d.samples[i] * d.samples[i];
            if (i >= ch) biggestStep = std::max(biggestStep, std::fabs(d.samples[i] - d.samples[i - ch]));
        }
        const double rms = std::sqrt(energy / static_cast<double>(d.samples.size()));
        EXPECT_GT(peak, 0.3f);
        EXPECT_LT(peak, 0.98f);
        EXPECT_GT(rms, 0.03);

        const size_t last = d.samples.size() - ch;
        if (isLoop(path)) {
            // The wrap from the end to the start is a step like any other in the sound,
            // and the loop neither fades out nor starts from silence.
            for (size_t c = 0; c < ch; ++c) EXPECT_LE(std::fabs(d.samples[last + c] - d.samples[c]), biggestStep) << c;
            const size_t edge = 4410 * ch;
            EXPECT_GT(rmsOf(d.samples, 0, edge), 0.3 * rms);
            EXPECT_GT(rmsOf(d.samples, d.samples.size() - edge, d.samples.size()), 0.3 * rms);
        } else {
            // One-shot effects start and end in silence: no clicks.
            EXPECT_LT(std::fabs(d.samples.front()), 0.01f);
            EXPECT_LT(std::fabs(d.samples.back()), 0.01f);
        }
    }
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(GeneratedSounds, TheGeneratorListsExactlyTheBanksFilesAndRepeatsItselfByteForByte) {
    std::vector<std::string> listed;
    {
        std::unique_ptr<FILE, int (*)(FILE*)> list(popen(SOUNDGEN " --list", "r"), pclose);
        ASSERT_TRUE(list);
        char line[512];
        while (fgets(line, sizeof line, list.get())) listed.push_back(std::string(line, std::strcspn(line, "\n")));
    }
    std::vector<std::string> expected = bankPaths();
    std::sort(expected.begin(), expected.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(expected, listed);

    fmodtest::ScratchDir scratch;
    ASSERT_EQ(0, std::system((std::string(SOUNDGEN) + " " + scratch.path).c_str()));
    for (const std::string& path : expected) {
        const std::string again = bytesOf(scratch.path + "/" + path);
        EXPECT_FALSE(again.empty()) << path;
        EXPECT_TRUE(again == bytesOf(std::string(VX_SOURCE_DIR) + "/data/" + path)) << path;
    }
}

}  // namespace
