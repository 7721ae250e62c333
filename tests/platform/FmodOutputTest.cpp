#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "FmodTestSupport.h"
#include "fmod.h"

using fmodtest::ScratchDir;
using fmodtest::writeConstant;

namespace {

using Clock = std::chrono::steady_clock;

// Waits until the channel stops; returns how long that took.
double waitForEnd(FMOD_CHANNEL* c, double limitSeconds) {
    const auto start = Clock::now();
    for (;;) {
        FMOD_BOOL p = 0;
        FMOD_Channel_IsPlaying(c, &p);
        double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (!p || elapsed > limitSeconds) return elapsed;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

TEST(FmodOutputTest, DiskDriverCapturesTheToneAtItsLevelAndPan) {
    ScratchDir dir;
    const std::string capture = dir.file("capture.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    FmodLayer::setOutput(FmodLayer::Output::Device);

    FMOD_SYSTEM* sys = nullptr;
    FMOD_System_Create(&sys);
    ASSERT_EQ(FMOD_OK, FMOD_System_Init(sys, 32, FMOD_INIT_NORMAL, nullptr));
    EXPECT_EQ("disk", FmodLayer::deviceDriver());
    // 0.2 s of a constant level, so resampling cannot blur it.
    ASSERT_TRUE(writeConstant(dir.file("tone.wav"), 44100, 8820, 16000));
    FMOD_SOUND* s = nullptr;
    ASSERT_EQ(FMOD_OK, FMOD_System_CreateSound(sys, dir.file("tone.wav").c_str(), FMOD_SOFTWARE, nullptr, &s));
    FMOD_CHANNEL* c = nullptr;
    // Set up while paused so the level and pan hold from the first frame.
    ASSERT_EQ(FMOD_OK, FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, s, 1, &c));
    FMOD_Channel_SetVolume(c, 0.5f);
    FMOD_Channel_SetPan(c, 0.5f);
    FMOD_Channel_SetPaused(c, 0);
    const double took = waitForEnd(c, 5.0);
    EXPECT_GT(took, 0.1);  // paced like a real device, not drained at once
    EXPECT_LT(took, 5.0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_EQ(FMOD_OK, FMOD_System_Close(sys));

    std::ifstream in(capture, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(0u, bytes.size() % 4);
    const auto* samples = reinterpret_cast<const int16_t*>(bytes.data());
    size_t tone = 0, silence = 0, other = 0;
    for (size_t f = 0; f < bytes.size() / 4; ++f) {
        const int l = samples[2 * f], r = samples[2 * f + 1];
        if (l == 4000 && r == 8000) {
            ++tone;
        } else if (l == 0 && r == 0) {
            ++silence;
        } else {
            ++other;
        }
    }
    EXPECT_EQ(8820u, tone);
    EXPECT_EQ(0u, other);
    EXPECT_GT(silence, 0u);
}

TEST(FmodOutputTest, FallsBackToTheDummyDriverAndTimeStillAdvances) {
    ScratchDir dir;
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    FmodLayer::setOutput(FmodLayer::Output::Device);
    FMOD_SYSTEM* sys = nullptr;
    FMOD_System_Create(&sys);
    ASSERT_EQ(FMOD_OK, FMOD_System_Init(sys, 32, FMOD_INIT_NORMAL, nullptr));
    EXPECT_EQ("dummy", FmodLayer::deviceDriver());

    ASSERT_TRUE(writeConstant(dir.file("a.wav"), 22050, 4410, 1));  // 0.2 s
    FMOD_SOUND* s = nullptr;
    ASSERT_EQ(FMOD_OK, FMOD_System_CreateSound(sys, dir.file("a.wav").c_str(), FMOD_SOFTWARE, nullptr, &s));
    FMOD_CHANNEL* c = nullptr;
    ASSERT_EQ(FMOD_OK, FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, s, 0, &c));
    // Setters race the audio thread's mix; the layer lock keeps them apart.
    for (int i = 0; i < 200; ++i) {
        FMOD_Channel_SetVolume(c, float(i % 2));
        FMOD_Channel_SetPan(c, float(i % 3) - 1.0f);
    }
    const double took = waitForEnd(c, 5.0);
    EXPECT_GT(took, 0.1);
    EXPECT_LT(took, 5.0);
    ASSERT_EQ(FMOD_OK, FMOD_System_Close(sys));

    // The device can be opened again after a close.
    FMOD_SYSTEM* again = nullptr;
    FMOD_System_Create(&again);
    EXPECT_EQ(FMOD_OK, FMOD_System_Init(again, 32, FMOD_INIT_NORMAL, nullptr));
    EXPECT_EQ(FMOD_OK, FMOD_System_Close(again));
}

}  // namespace
