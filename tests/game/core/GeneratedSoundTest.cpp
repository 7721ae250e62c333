#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "../../platform/FmodTestSupport.h"
#include "RecordingSoundPlayer.h"

namespace {

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

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The generator lists exactly the bank's files and makes them again byte for
// byte. Effects are 16-bit mono WAV of at most 3 s that start and end in
// silence; music is MP3 near 30 s; loops wrap with a step no bigger than any
// step inside them; nothing is quiet or clips.
TEST(GeneratedSounds, TheGeneratorMakesExactlyTheBanksFilesAsCleanAudio) {
    std::vector<std::string> listed;
    {
        std::unique_ptr<FILE, int (*)(FILE*)> list(popen(SOUNDGEN " --list", "r"), pclose);
        ASSERT_TRUE(list);
        char line[512];
        while (fgets(line, sizeof line, list.get())) listed.push_back(std::string(line, std::strcspn(line, "\n")));
    }
    std::vector<std::string> paths = bankPaths();
    ASSERT_EQ(32u, paths.size());
    std::sort(paths.begin(), paths.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(paths, listed);
    fmodtest::ScratchDir scratch;
    ASSERT_EQ(0, std::system((std::string(SOUNDGEN) + " " + scratch.path).c_str()));

    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const std::string file = std::string(VX_SOURCE_DIR) + "/data/" + path;
        const std::string again = bytesOf(scratch.path + "/" + path);
        EXPECT_TRUE(!again.empty() && again == bytesOf(file));
        SF_INFO info = {};
        SNDFILE* f = sf_open(file.c_str(), SFM_READ, &info);
        ASSERT_NE(f, nullptr);
        const size_t ch = static_cast<size_t>(info.channels);
        std::vector<float> d, block(4096 * ch);
        for (sf_count_t got; (got = sf_readf_float(f, block.data(), 4096)) > 0;)
            d.insert(d.end(), block.begin(), block.begin() + got * info.channels);
        EXPECT_EQ(sf_error(f), SF_ERR_NO_ERROR);
        sf_close(f);
        ASSERT_FALSE(d.empty());
        EXPECT_EQ(44100, info.samplerate);
        const bool music = path.find(".mp3") != std::string::npos;
        if (music) {
            EXPECT_EQ(SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, info.format & (SF_FORMAT_TYPEMASK | SF_FORMAT_SUBMASK));
            EXPECT_NEAR(static_cast<double>(d.size() / ch) / 44100.0, 30.0, 10.0);
        } else {
            EXPECT_TRUE(info.format == (SF_FORMAT_WAV | SF_FORMAT_PCM_16) && ch == 1 && d.size() <= 44100u * 3);
        }
        float peak = 0.0f, biggestStep = 0.0f;
        double energy = 0.0;
        for (size_t i = 0; i < d.size(); ++i) {
            peak = std::max(peak, std::fabs(d[i]));
            energy += d[i] * d[i];
            if (i >= ch) biggestStep = std::max(biggestStep, std::fabs(d[i] - d[i - ch]));
        }
        EXPECT_TRUE(peak > 0.3f && peak < 0.98f) << peak;
        EXPECT_GT(std::sqrt(energy / static_cast<double>(d.size())), 0.03);
        if (music || path.find("thrust/") != std::string::npos || path.find("Grind/") != std::string::npos) {
            for (size_t c = 0; c < ch; ++c) EXPECT_LE(std::fabs(d[d.size() - ch + c] - d[c]), biggestStep) << c;
        } else {
            EXPECT_TRUE(std::fabs(d.front()) < 0.01f && std::fabs(d.back()) < 0.01f);
        }
    }
}

}  // namespace
