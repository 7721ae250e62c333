#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "FmodTestSupport.h"
#include "fmod.h"

namespace {

using Clock = std::chrono::steady_clock;

// A device-output system playing a constant level through the SDL driver `driver`.
struct DevicePlayback {
    explicit DevicePlayback(const char* driver) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        FmodLayer::setOutput(FmodLayer::Output::Device);
        FMOD_System_Create(&sys);
        EXPECT_EQ(FMOD_OK, FMOD_System_Init(sys, 32, FMOD_INIT_NORMAL, nullptr));
    }
    // Starts paused so settings made before resume() hold from the first frame.
    FMOD_CHANNEL* start(int rate, unsigned frames, int16_t level) {
        EXPECT_TRUE(fmodtest::writeConstant(dir.file("tone.wav"), rate, frames, level));
        FMOD_SOUND* s = nullptr;
        EXPECT_EQ(FMOD_OK, FMOD_System_CreateSound(sys, dir.file("tone.wav").c_str(), FMOD_SOFTWARE, nullptr, &s));
        EXPECT_EQ(FMOD_OK, FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, s, 1, &channel));
        return channel;
    }
    // Resumes and waits until the channel stops; returns how long that took.
    double playToEnd() {
        FMOD_Channel_SetPaused(channel, 0);
        const auto begin = Clock::now();
        for (FMOD_BOOL p = 1; p && Clock::now() - begin < std::chrono::seconds(5);) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            FMOD_Channel_IsPlaying(channel, &p);
        }
        return std::chrono::duration<double>(Clock::now() - begin).count();
    }

    fmodtest::ScratchDir dir;
    FMOD_SYSTEM* sys = nullptr;
    FMOD_CHANNEL* channel = nullptr;
};

TEST(FmodOutputTest, DiskDriverCapturesTheToneAtItsLevelAndPan) {
    fmodtest::ScratchDir out;
    setenv("SDL_DISKAUDIOFILE", out.file("capture.raw").c_str(), 1);
    DevicePlayback playback("disk");
    EXPECT_EQ("disk", FmodLayer::deviceDriver());
    FMOD_CHANNEL* c = playback.start(44100, 8820, 16000);  // 0.2 s: resampling cannot blur a constant
    FMOD_Channel_SetVolume(c, 0.5f);
    FMOD_Channel_SetPan(c, 0.5f);
    const double took = playback.playToEnd();
    EXPECT_GT(took, 0.1);  // paced like a real device, not drained at once
    EXPECT_LT(took, 5.0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_EQ(FMOD_OK, FMOD_System_Close(playback.sys));

    std::ifstream in(out.file("capture.raw"), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(0u, bytes.size() % 4);
    const auto* samples = reinterpret_cast<const int16_t*>(bytes.data());
    size_t tone = 0, silence = 0, other = 0;
    for (size_t f = 0; f < bytes.size() / 4; ++f) {
        const int l = samples[2 * f], r = samples[2 * f + 1];
        (l == 4000 && r == 8000 ? tone : l == 0 && r == 0 ? silence : other)++;
    }
    EXPECT_EQ(8820u, tone);
    EXPECT_EQ(0u, other);
    EXPECT_GT(silence, 0u);
}

TEST(FmodOutputTest, FallsBackToTheDummyDriverAndTimeStillAdvances) {
    DevicePlayback playback("no_such_driver");
    EXPECT_EQ("dummy", FmodLayer::deviceDriver());
    FMOD_CHANNEL* c = playback.start(22050, 4410, 1);  // 0.2 s
    FMOD_Channel_SetPaused(c, 0);
    // Setters race the audio thread's mix; the layer lock keeps them apart.
    for (int i = 0; i < 200; ++i) {
        FMOD_Channel_SetVolume(c, float(i % 2));
        FMOD_Channel_SetPan(c, float(i % 3) - 1.0f);
    }
    const double took = playback.playToEnd();
    EXPECT_GT(took, 0.1);
    EXPECT_LT(took, 5.0);
    ASSERT_EQ(FMOD_OK, FMOD_System_Close(playback.sys));

    // The device can be opened again after a close.
    FMOD_SYSTEM* again = nullptr;
    FMOD_System_Create(&again);
    EXPECT_EQ(FMOD_OK, FMOD_System_Init(again, 32, FMOD_INIT_NORMAL, nullptr));
    EXPECT_EQ(FMOD_OK, FMOD_System_Close(again));
}

}  // namespace
