#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <future>
#include <numeric>

#include "CapturedOutput.h"
#include "../platform/FmodTestSupport.h"
#include "ofSoundPlayer.h"

using fmodtest::ScopedEnv;
using fmodtest::writeConstant;
using Mix = std::vector<int16_t>;

namespace {

class ofSoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        FmodLayer::setOutput(FmodLayer::Output::Manual);
        ASSERT_TRUE(writeConstant(tenth, 22050, 2205, 1000));  // 0.1 s
        ASSERT_TRUE(writeConstant(odd, 44100, 1001, 1000));
    }
    // The sound system and the layer's switches belong to the whole process.
    void TearDown() override {
        ofFmodSoundPlayer::closeFmod();
        FmodLayer::setOutput(output);
    }
    static Mix mixed(size_t frames = 1) {  // that many stereo frames
        Mix out;
        return FmodLayer::mixManually(frames, &out), out;
    }
    static int left() { return mixed()[0]; }

    const FmodLayer::Output output = FmodLayer::getOutput();
    fmodtest::ScratchDir dir;
    const std::string tenth = dir.file("tenth.wav"), odd = dir.file("odd.wav");
};

}  // namespace

// Settings made before play are kept for it, from its first mixed frame on;
// while stopped they wait for the next play, except a pause, which is dropped.
TEST_F(ofSoundPlayerTest, SettingsReachTheMixWhenPlayStartsAndWhilePlaying) {
    ofSoundPlayer player;
    ASSERT_TRUE(player.loadSound(odd));
    EXPECT_TRUE(player.loadSound(tenth));  // reloading releases the first sound
    player.setVolume(0.5f);
    player.setSpeed(2.0f);  // 22050 Hz at double speed: one frame of the file a mixed frame
    // The audio thread may take its block between any two calls of play: here
    // right after the channel starts, before play has set it up.
    Mix early;
    FmodLayer::setCallObserver([&early](const std::string& line) {
        if (line.rfind("FMOD_System_PlaySound", 0) == 0) FmodLayer::mixManually(64, &early);
    });
    player.play();
    FmodLayer::setCallObserver(nullptr);
    EXPECT_EQ(Mix(128, 0), early);
    EXPECT_EQ(Mix(128, 500), mixed(64));
    FmodLayer::mixManually(1000 - 64);
    EXPECT_EQ(1000 * 1000 / 22050, player.getPositionMS());
    player.setVolume(0.25f);
    player.setPan(2.0f);  // clamped to the right edge
    EXPECT_EQ(Mix({0, 250}), mixed());
    EXPECT_EQ(1.0f, player.getPan());
    player.stop();
    player.setVolume(1.0f);
    player.setPan(0.0f);
    player.setPaused(true);
    EXPECT_EQ(0, player.getPositionMS());
    player.play();
    EXPECT_EQ(1000, left());
}

TEST_F(ofSoundPlayerTest, LoopSwitchedWhilePlayingPositionsNeverWrappedAndMultiPlayOverlapping) {
    ofSoundPlayer player;
    ASSERT_TRUE(player.loadSound(tenth));
    player.play();
    player.setLoop(true);
    FmodLayer::mixManually(4410 + 2000);  // past the end: wrapped to frame 1000
    EXPECT_FLOAT_EQ(1000.0f / 2205.0f, player.getPosition());
    player.setLoop(false);
    FmodLayer::mixManually(2409);
    EXPECT_TRUE(player.getIsPlaying());
    FmodLayer::mixManually(1);
    EXPECT_FALSE(player.getIsPlaying());

    ASSERT_TRUE(player.loadSound(odd));
    player.play();
    player.setPosition(0.5f);
    player.setPosition(2.0f);  // outside the sound: kept where it was
    EXPECT_FLOAT_EQ(500.0f / 1001.0f, player.getPosition());
    player.setPosition(-0.5f);
    EXPECT_EQ(0.0f, player.getPosition());
    player.setPositionMS(20);
    EXPECT_FLOAT_EQ(882.0f / 1001.0f, player.getPosition());
    player.play();  // multi-play off: a restart
    EXPECT_EQ(1000, left());
    player.setMultiPlay(true);
    player.play();
    EXPECT_EQ(2000, left());
    player.stop();
    EXPECT_EQ(1000, left());
    EXPECT_FALSE(player.getIsPlaying());  // the player follows only its newest channel
    ASSERT_TRUE(writeConstant(dir.file("empty.wav"), 44100, 0, 0) && player.loadSound(dir.file("empty.wav")));
    player.play();
    EXPECT_EQ(0.0f, player.getPosition());  // an empty sound has no fraction
}

TEST_F(ofSoundPlayerTest, AFailedLoadAnEmptyPlayerAndAClosedSystemLeaveNothingToPlayOrRelease) {
    ofFmodSoundPlayer player;
    ASSERT_TRUE(player.loadSound(tenth));
    player.play();
    EXPECT_NE(captureOutput([&] { EXPECT_FALSE(player.loadSound("missing.wav")); }).err.find("missing.wav"), std::string::npos);
    player.play();
    EXPECT_FALSE(player.isLoaded() || player.getIsPlaying() || mixed() != Mix({0, 0}));
    ofSoundPlayer empty;
    empty.setPlayer(nullptr);
    empty.play();
    EXPECT_FALSE(empty.loadSound(tenth) || empty.getIsPlaying());

    // Closing twice closes once, and a player destroyed afterwards releases
    // nothing in the closed system.
    auto early = std::make_unique<ofSoundPlayer>();
    ASSERT_TRUE(early->loadSound(tenth));
    early->play();
    std::string calls;
    FmodLayer::setCallObserver([&](const std::string& line) { calls += line.substr(0, line.find('(')) + ";"; });
    ofSoundShutdown();
    ofFmodSoundPlayer::closeFmod();
    early.reset();
    FmodLayer::setCallObserver(nullptr);
    EXPECT_EQ(calls, "FMOD_System_Close;");
}

std::atomic<bool> decoderEnded{false};
struct DecoderEndMark {
    ~DecoderEndMark() { decoderEnded = true; }
};

TEST_F(ofSoundPlayerTest, AStreamPlayedBeforeItIsDecodedStartsFromItsStartAndQuittingJoinsTheDecoder) {
    Mix ramp(3000);  // frame i holds the value i, so the mix shows where the stream starts
    std::iota(ramp.begin(), ramp.end(), int16_t(0));
    ASSERT_TRUE(fmodtest::writeSound(dir.file("ramp.wav"), 44100, 1, ramp));
    std::promise<void> release, entered, quit;
    FmodLayer::setDecodeHook([held = release.get_future().share()] {
        thread_local DecoderEndMark mark;  // destroyed as the decoder's thread ends
        (void)mark, held.wait();
    });
    ofFmodSoundPlayer music, effect, later;
    ASSERT_TRUE(music.loadSound(dir.file("ramp.wav"), true));  // nothing waits for the held decoder
    ASSERT_TRUE(effect.loadSound(odd));
    music.play();
    effect.play();
    EXPECT_TRUE(mixed(100) == Mix(200, 1000) && music.getIsPlaying());
    release.set_value();
    FmodLayer::waitForWorkers();
    EXPECT_EQ(Mix({1000, 1000, 1001, 1001, 1002, 1002}), mixed(3));

    // Quitting while a stream decodes: the close stops the decoder and joins it.
    FmodLayer::setDecodeHook([&entered, quitting = quit.get_future().share()] { entered.set_value(), quitting.wait(); });
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
    const ScopedEnv config("ALSA_CONFIG_PATH", dir.file("alsa.conf")), driver("SDL_AUDIODRIVER", "alsa");
    FmodLayer::setOutput(FmodLayer::Output::Device);
    ofFmodSoundPlayer player;
    const CapturedOutput out = captureOutput([&] { EXPECT_TRUE(player.loadSound(tenth) && FmodLayer::deviceDriver() == "dummy"); });
    EXPECT_EQ("[notice] no audio device could be opened: the game plays silently\n", out.out + out.err);
}

// A pause while playing holds the sound where it is and resuming goes on from
// there; the pause is kept, so the next play starts its channel paused.
TEST_F(ofSoundPlayerTest, APauseWhilePlayingHoldsThePlaceAndCarriesOverToTheNextPlay) {
    ofSoundPlayer player;
    ASSERT_TRUE(player.loadSound(odd));  // 44100 Hz, the mixer's rate: one frame of the file a mixed frame
    player.play();
    FmodLayer::mixManually(100);
    player.setPaused(true);
    EXPECT_EQ(Mix(20, 0), mixed(10));
    EXPECT_FLOAT_EQ(100.0f / 1001.0f, player.getPosition());
    player.setPaused(false);
    EXPECT_EQ(Mix(20, 1000), mixed(10));
    EXPECT_FLOAT_EQ(110.0f / 1001.0f, player.getPosition());
    player.setPaused(true);
    player.play();  // a restart, paused from its first frame
    EXPECT_EQ(Mix(4, 0), mixed(2));
    EXPECT_EQ(0.0f, player.getPosition());
    player.setPaused(false);
    EXPECT_EQ(1000, left());
}
