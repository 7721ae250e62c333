#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <fstream>
#include <future>
#include <numeric>

#include "CapturedOutput.h"
#include "../platform/FmodTestSupport.h"
#include "ofSoundPlayer.h"

using fmodtest::CallRecorder;
using fmodtest::ScratchDir;
using fmodtest::writeConstant;

namespace {

using Calls = std::vector<std::string>;

// Every test runs in its own process, so the first load opens system 1.
class ofSoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        FmodLayer::setOutput(FmodLayer::Output::Manual);
        // 0.1 s at 22050 Hz, and a sound of 1001 frames at 44100 Hz.
        ASSERT_TRUE(writeConstant(tenth, 22050, 2205, 1000));
        ASSERT_TRUE(writeConstant(odd, 44100, 1001, 1000));
    }
    void TearDown() override { ofFmodSoundPlayer::closeFmod(); }
    // One mixed frame as (left, right).
    static std::pair<int, int> mixed() {
        std::vector<int16_t> out;
        FmodLayer::mixManually(1, &out);
        return {out[0], out[1]};
    }
    static int mixedLeft() { return mixed().first; }

    ScratchDir dir;
    const std::string tenth = dir.file("tenth.wav");
    const std::string odd = dir.file("odd.wav");
};

// Settings made before play are kept for it; while stopped they wait for the
// next play, except a pause, which is dropped.
TEST_F(ofSoundPlayerTest, SettingsReachTheMixWhenPlayStartsAndWhilePlaying) {
    ofSoundPlayer player;
    ASSERT_TRUE(player.loadSound(odd));
    EXPECT_TRUE(player.loadSound(tenth));  // reloading releases the first sound
    player.setVolume(0.5f);
    player.setSpeed(2.0f);  // 22050 Hz at double speed: one frame of the file a mixed frame
    player.play();
    EXPECT_EQ(500, mixedLeft());
    FmodLayer::mixManually(1000);
    EXPECT_EQ(1001 * 1000 / 22050, player.getPositionMS());
    player.setVolume(0.25f);
    EXPECT_EQ(250, mixedLeft());

    player.stop();
    player.setVolume(1.0f);
    player.setPaused(true);
    EXPECT_EQ(0, player.getPositionMS());
    player.play();
    EXPECT_EQ(1000, mixedLeft());
    // Looping restarts the sound even with multi-play on: one channel sounds.
    player.setMultiPlay(true);
    player.setLoop(true);
    player.play();
    EXPECT_EQ(1000, mixedLeft());
    player.unloadSound();
    player.unloadSound();
    EXPECT_FALSE(player.isLoaded());
}

TEST_F(ofSoundPlayerTest, PanIsClampedAndMovesTheSoundToOneSide) {
    ofSoundPlayer player;
    ASSERT_TRUE(player.loadSound(odd));
    player.play();
    player.setPan(2.0f);
    EXPECT_EQ(1.0f, player.getPan());
    EXPECT_EQ(std::make_pair(0, 1000), mixed());
    player.setPan(-5.0f);
    EXPECT_EQ(-1.0f, player.getPan());
    EXPECT_EQ(std::make_pair(1000, 0), mixed());
}

TEST_F(ofSoundPlayerTest, LoopSwitchedOnAndOffWhilePlaying) {
    ofSoundPlayer player;
    ASSERT_TRUE(player.loadSound(tenth));
    player.play();
    player.setLoop(true);
    FmodLayer::mixManually(4410 + 2000);  // past the end: wrapped to frame 1000
    EXPECT_TRUE(player.getIsPlaying());
    EXPECT_FLOAT_EQ(1000.0f / 2205.0f, player.getPosition());
    player.setLoop(false);
    FmodLayer::mixManually(2409);
    EXPECT_TRUE(player.getIsPlaying());
    FmodLayer::mixManually(1);
    EXPECT_FALSE(player.getIsPlaying());
}

TEST_F(ofSoundPlayerTest, MultiPlayOverlapsAndStopEndsOnlyTheNewest) {
    ofSoundPlayer player;
    ASSERT_TRUE(player.loadSound(odd));
    player.play();
    player.play();  // multi-play off: a restart
    EXPECT_EQ(1000, mixedLeft());
    player.setMultiPlay(true);
    player.play();
    EXPECT_EQ(2000, mixedLeft());
    player.stop();
    EXPECT_EQ(1000, mixedLeft());
    EXPECT_FALSE(player.getIsPlaying());  // the player follows only its newest channel

    // Loading resets multi-play.
    ASSERT_TRUE(player.loadSound(odd));
    player.play();
    player.play();
    EXPECT_EQ(1000, mixedLeft());
}

TEST_F(ofSoundPlayerTest, PositionsAsFractionsAndMilliseconds) {
    ofFmodSoundPlayer player;
    ASSERT_TRUE(player.loadSound(odd));
    player.play();
    player.setPosition(0.5f);
    EXPECT_FLOAT_EQ(500.0f / 1001.0f, player.getPosition());
    // Fractions outside 0..1 never reach the channel as wrapped values.
    player.setPosition(2.0f);
    EXPECT_FLOAT_EQ(500.0f / 1001.0f, player.getPosition());
    player.setPosition(-0.5f);
    EXPECT_EQ(0.0f, player.getPosition());
    player.setPositionMS(20);
    EXPECT_EQ(20, player.getPositionMS());
    EXPECT_FLOAT_EQ(882.0f / 1001.0f, player.getPosition());
    // An empty sound has no fraction.
    ASSERT_TRUE(writeConstant(dir.file("empty.wav"), 44100, 0, 0));
    ASSERT_TRUE(player.loadSound(dir.file("empty.wav")));
    player.play();
    EXPECT_EQ(0.0f, player.getPosition());
}

TEST_F(ofSoundPlayerTest, FailedLoadLogsAndLeavesNothingToPlay) {
    ofFmodSoundPlayer player;
    ASSERT_TRUE(player.loadSound(tenth));
    player.play();
    EXPECT_EQ(captureOutput([&] { EXPECT_FALSE(player.loadSound("missing_effect.wav")); }).err,
              "[error] ofFmodSoundPlayer: Could not load sound file data/missing_effect.wav\n");
    EXPECT_FALSE(player.isLoaded());
    EXPECT_FALSE(player.getIsPlaying());
    player.play();
    EXPECT_EQ(std::make_pair(0, 0), mixed());
    player.unloadSound();
}

TEST_F(ofSoundPlayerTest, ClosingTwiceClosesOnceAndLaterPlayersReleaseNothing) {
    auto early = std::make_unique<ofSoundPlayer>();
    ASSERT_TRUE(early->loadSound(tenth));
    early->play();
    CallRecorder rec;
    ofSoundShutdown();
    ofFmodSoundPlayer::closeFmod();
    EXPECT_EQ((Calls{"FMOD_System_Close(sys1)"}), rec.take());
    EXPECT_FALSE(early->getIsPlaying());
    rec.take();
    early.reset();
    EXPECT_TRUE(rec.take().empty());

    // A later load opens a fresh system.
    ofSoundPlayer fresh;
    ASSERT_TRUE(fresh.loadSound(odd));
    EXPECT_EQ("FMOD_System_Create() -> sys2", rec.take()[0]);
    fresh.play();
    EXPECT_TRUE(fresh.getIsPlaying());
}

TEST_F(ofSoundPlayerTest, CopiesShareOneSoundAndAnEmptyPlayerAnswersEmpty) {
    ofSoundPlayer a;
    ASSERT_TRUE(a.loadSound(tenth));
    ofSoundPlayer b = a;
    b.setVolume(0.5f);
    b.play();
    EXPECT_TRUE(a.getIsPlaying());
    EXPECT_EQ(0.5f, a.getVolume());

    ofSoundPlayer empty;
    empty.setPlayer(nullptr);
    empty.play();
    empty.setVolume(0.3f);
    EXPECT_FALSE(empty.loadSound(tenth));
    EXPECT_FALSE(empty.getIsPlaying());
    EXPECT_EQ(0.0f, empty.getVolume());
}

TEST_F(ofSoundPlayerTest, ANewChannelSoundsOnlyWithTheSettingsOfItsPlayCall) {
    ofFmodSoundPlayer player;
    ASSERT_TRUE(player.loadSound(tenth));  // level 1000 at 22050 Hz
    player.setVolume(0.5f);
    player.setSpeed(2.0f);
    // The audio thread may take its block between any two calls of play: here
    // right after the channel starts, before play has set it up.
    std::vector<int16_t> early;
    FmodLayer::setCallObserver([&early](const std::string& line) {
        if (line.rfind("FMOD_System_PlaySound", 0) == 0) FmodLayer::mixManually(64, &early);
    });
    player.play();
    FmodLayer::setCallObserver(nullptr);
    EXPECT_EQ(std::vector<int16_t>(128, 0), early);
    std::vector<int16_t> next;
    FmodLayer::mixManually(64, &next);
    EXPECT_EQ(std::vector<int16_t>(128, 500), next);
    EXPECT_FLOAT_EQ(64.0f / 2205.0f, player.getPosition());  // twice the file's rate: one frame per output frame
}

std::atomic<bool> decoderEnded{false};
struct DecoderEndMark {
    ~DecoderEndMark() { decoderEnded = true; }
};

TEST_F(ofSoundPlayerTest, AStreamPlayedBeforeItIsDecodedStartsFromItsStartAndQuittingJoinsTheDecoder) {
    // A ramp: frame i holds the value i, so the mix shows where the stream starts.
    std::vector<int16_t> ramp(3000);
    std::iota(ramp.begin(), ramp.end(), int16_t(0));
    ASSERT_TRUE(fmodtest::writeSound(dir.file("ramp.wav"), 44100, 1, ramp));
    std::promise<void> release, entered, quit;
    FmodLayer::setDecodeHook([held = release.get_future().share()] {
        thread_local DecoderEndMark mark;  // destroyed as the decoder's thread ends
        (void)mark;
        held.wait();
    });
    ofFmodSoundPlayer music, effect, later;
    // Nothing waits for the held decoder, the load included.
    ASSERT_TRUE(music.loadSound(dir.file("ramp.wav"), true));
    ASSERT_TRUE(effect.loadSound(odd));  // level 1000 for 1001 frames
    music.play();
    effect.play();
    std::vector<int16_t> held, ready;
    FmodLayer::mixManually(100, &held);
    EXPECT_EQ(std::vector<int16_t>(200, 1000), held);
    EXPECT_TRUE(music.getIsPlaying());
    release.set_value();
    FmodLayer::waitForWorkers();
    FmodLayer::mixManually(3, &ready);
    EXPECT_EQ((std::vector<int16_t>{1000, 1000, 1001, 1001, 1002, 1002}), ready);

    // Quitting while a stream decodes: the close stops the decoder and joins it.
    FmodLayer::setDecodeHook([&entered, quitting = quit.get_future().share()] {
        entered.set_value();
        quitting.wait();
    });
    ASSERT_TRUE(later.loadSound(dir.file("ramp.wav"), true));
    entered.get_future().wait();
    FmodLayer::setCallObserver([&quit](const std::string& line) {
        if (line.rfind("FMOD_System_Close", 0) == 0) quit.set_value();
    });
    ofSoundShutdown();
    EXPECT_TRUE(decoderEnded);
    FmodLayer::setCallObserver(nullptr);
    FmodLayer::setDecodeHook(nullptr);
}

TEST_F(ofSoundPlayerTest, WithoutAnAudioDeviceOneNoticeSaysSoAndTheSoundSystemKeepsQuiet) {
    // ALSA without a single definition finds no device, as on a machine without a sound card.
    std::ofstream(dir.file("alsa.conf")).close();
    setenv("ALSA_CONFIG_PATH", dir.file("alsa.conf").c_str(), 1);
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    FmodLayer::setOutput(FmodLayer::Output::Device);
    ofFmodSoundPlayer player;
    const CapturedOutput out = captureOutput([&] {
        ASSERT_TRUE(player.loadSound(tenth));
        EXPECT_EQ("dummy", FmodLayer::deviceDriver());
    });
    EXPECT_EQ("[notice] no audio device could be opened: the game plays silently\n", out.out);
    EXPECT_EQ("", out.err);
}

}  // namespace
