#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "FmodTestSupport.h"
#include "WaitUntil.h"
#include "fmod.h"

namespace {

// Frames of the disk driver's capture that hold the tone, silence, or anything else.
struct Capture {
    size_t tone = 0, silence = 0, other = 0;
    explicit Capture(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto* samples = reinterpret_cast<const int16_t*>(bytes.data());
        for (size_t f = 0; f < bytes.size() / 4; ++f) {
            const int l = samples[2 * f], r = samples[2 * f + 1];
            ++(l == 4000 && r == 8000 ? tone : l == 0 && r == 0 ? silence : other);
        }
    }
};

// The layer's output belongs to the whole process.
class FmodOutputTest : public testing::Test {
protected:
    void TearDown() override { FmodLayer::setOutput(output); }
    const FmodLayer::Output output = FmodLayer::getOutput();
};

}  // namespace

// A device plays in real time: only lower bounds on time are exact, a busy
// machine may take longer but never a minute for 0.2 s of sound.
TEST_F(FmodOutputTest, DevicesPlayPacedAtTheLevelAndPanSetBeforeResumingAndAMissingDriverFallsBackToTheDummy) {
    fmodtest::ScratchDir dir;
    const fmodtest::ScopedEnv file("SDL_DISKAUDIOFILE", dir.file("capture.raw"));
    ASSERT_TRUE(fmodtest::writeConstant(dir.file("tone.wav"), 44100, 8820, 16000));  // 0.2 s: resampling cannot blur a constant
    FmodLayer::setOutput(FmodLayer::Output::Device);
    for (const std::string driver : {"no_such_driver", "disk"}) {
        const fmodtest::ScopedEnv chosen("SDL_AUDIODRIVER", driver);
        FMOD_SYSTEM* sys = nullptr;
        FMOD_SOUND* s = nullptr;
        FMOD_CHANNEL* c = nullptr;  // handles the layer owns until the close
        FMOD_System_Create(&sys);
        ASSERT_EQ(FMOD_OK, FMOD_System_Init(sys, 32, FMOD_INIT_NORMAL, nullptr));
        EXPECT_EQ(driver == "disk" ? "disk" : "dummy", FmodLayer::deviceDriver());
        ASSERT_EQ(FMOD_OK, FMOD_System_CreateSound(sys, dir.file("tone.wav").c_str(), FMOD_SOFTWARE, nullptr, &s));
        ASSERT_EQ(FMOD_OK, FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, s, 1, &c));
        FMOD_Channel_SetVolume(c, 0.5f);
        FMOD_Channel_SetPan(c, 0.5f);
        const auto begin = std::chrono::steady_clock::now();
        FMOD_Channel_SetPaused(c, 0);
        EXPECT_TRUE(waitUntil([&] { FMOD_BOOL p = 1; FMOD_Channel_IsPlaying(c, &p); return !p; }, std::chrono::seconds(60)));
        EXPECT_GT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(100));  // not drained at once
        if (driver == "disk") {
            EXPECT_TRUE(waitUntil([&] { return Capture(dir.file("capture.raw")).tone == 8820; }, std::chrono::seconds(60)));
        }
        ASSERT_EQ(FMOD_OK, FMOD_System_Close(sys));  // and the device opens again after a close
    }
    const Capture capture(dir.file("capture.raw"));
    EXPECT_EQ(8820u, capture.tone);
    EXPECT_EQ(0u, capture.other);
}

// Closing a system stops its voices before its device is closed; a device
// still running meanwhile (here while the close waits for a held stream
// decode) plays silence, never the last mixed block again.
TEST_F(FmodOutputTest, WhileASystemClosesItsDevicePlaysSilence) {
    fmodtest::ScratchDir dir;
    const std::string capture = dir.file("capture.raw");
    const fmodtest::ScopedEnv file("SDL_DISKAUDIOFILE", capture), driver("SDL_AUDIODRIVER", "disk");
    ASSERT_TRUE(fmodtest::writeConstant(dir.file("tone.wav"), 44100, 441000, 16000));  // 10 s, cut short by the close
    ASSERT_TRUE(fmodtest::writeConstant(dir.file("stream.wav"), 44100, 4410, 5));
    // Frames heard so far: a run of the tone, then silence ("T.", say), with their counts.
    auto heard = [&capture] {
        std::ifstream in(capture, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto* samples = reinterpret_cast<const int16_t*>(bytes.data());
        std::vector<std::pair<char, size_t>> runs;
        for (size_t f = 0; f < bytes.size() / 4; ++f) {
            const char kind = samples[2 * f] == 0 && samples[2 * f + 1] == 0 ? '.' : 'T';
            if (runs.empty() || runs.back().first != kind) runs.push_back({kind, 0});
            ++runs.back().second;
        }
        return runs;
    };
    auto frames = [&heard] {
        size_t n = 0;
        for (const auto& r : heard()) n += r.second;
        return n;
    };
    FmodLayer::setOutput(FmodLayer::Output::Device);
    FMOD_SYSTEM* sys = nullptr;
    FMOD_SOUND *tone = nullptr, *stream = nullptr;
    FMOD_CHANNEL* c = nullptr;  // handles the layer owns until the close
    FMOD_System_Create(&sys);
    ASSERT_EQ(FMOD_OK, FMOD_System_Init(sys, 32, FMOD_INIT_NORMAL, nullptr));
    ASSERT_EQ(FMOD_OK, FMOD_System_CreateSound(sys, dir.file("tone.wav").c_str(), FMOD_SOFTWARE, nullptr, &tone));
    ASSERT_EQ(FMOD_OK, FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, tone, 0, &c));
    FMOD_System_Update(sys);
    ASSERT_TRUE(waitUntil([&] { return frames() >= 4410; }, std::chrono::seconds(60)));

    std::promise<void> entered, release, closing;
    FmodLayer::setDecodeHook([&entered, held = release.get_future().share()] { entered.set_value(), held.wait(); });
    ASSERT_EQ(FMOD_OK, FMOD_System_CreateSound(sys, dir.file("stream.wav").c_str(), FMOD_SOFTWARE | FMOD_CREATESTREAM,
                                               nullptr, &stream));
    entered.get_future().wait();
    FmodLayer::setCallObserver([&closing](const std::string& line) {
        if (line.rfind("FMOD_System_Close", 0) == 0) closing.set_value();
    });
    std::thread closer([sys] { FMOD_System_Close(sys); });
    closing.get_future().wait();  // the voices are stopped; the close now waits for the decode
    FmodLayer::setCallObserver(nullptr);
    const size_t atClose = frames();
    const bool grew = waitUntil([&] { return frames() >= atClose + 8820; }, std::chrono::seconds(60));
    release.set_value();
    closer.join();
    FmodLayer::setDecodeHook(nullptr);
    ASSERT_TRUE(grew);
    auto runs = heard();
    if (!runs.empty() && runs[0].first == '.') runs.erase(runs.begin());  // before the tone started
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].first, 'T');
    EXPECT_LT(runs[0].second, 441000u);
    EXPECT_EQ(runs[1].first, '.');
    EXPECT_GE(runs[1].second, 8820u);
}
