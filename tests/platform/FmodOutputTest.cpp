#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <iterator>

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

}  // namespace

// A device plays in real time: only lower bounds on time are exact, a busy
// machine may take longer but never a minute for 0.2 s of sound.
TEST(FmodOutputTest, DevicesPlayPacedAtTheLevelAndPanSetBeforeResumingAndAMissingDriverFallsBackToTheDummy) {
    fmodtest::ScratchDir dir;
    setenv("SDL_DISKAUDIOFILE", dir.file("capture.raw").c_str(), 1);
    ASSERT_TRUE(fmodtest::writeConstant(dir.file("tone.wav"), 44100, 8820, 16000));  // 0.2 s: resampling cannot blur a constant
    FmodLayer::setOutput(FmodLayer::Output::Device);
    for (const std::string driver : {"no_such_driver", "disk"}) {
        setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
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
