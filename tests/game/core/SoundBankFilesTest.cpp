#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "CapturedOutput.h"
#include "../../platform/FmodTestSupport.h"
#include "FmodLayer.h"
#include "SoundBank.h"

namespace {

// The folder, the sound system and its output belong to the whole process.
class SoundBankFiles : public ::testing::Test {
protected:
    void SetUp() override {
        FmodLayer::setOutput(FmodLayer::Output::Manual);
        ASSERT_NE(nullptr, getcwd(home, sizeof home));
    }
    void TearDown() override {
        ofFmodSoundPlayer::closeFmod();
        FmodLayer::setOutput(output);
        ASSERT_EQ(0, chdir(home));
    }
    const FmodLayer::Output output = FmodLayer::getOutput();
    char home[4096] = {};
};

TEST_F(SoundBankFiles, FindsEveryGeneratedFileAndRunsTheSilentThrust) {
    ASSERT_EQ(0, chdir(VX_SOURCE_DIR));
    SoundBank bank;
    EXPECT_EQ("", captureOutput([&] { bank.loadSounds(false); }).err);
    EXPECT_TRUE(bank.music[6].isLoaded());
    FmodLayer::mixManually(64);
    EXPECT_TRUE(bank.thrust[0].getIsPlaying());
    EXPECT_FALSE(bank.thrust[1].getIsPlaying());
}

TEST_F(SoundBankFiles, MissingFilesAreLoggedAndPlaySilently) {
    fmodtest::ScratchDir empty;
    ASSERT_EQ(0, chdir(empty.path.c_str()));
    SoundBank bank;
    const CapturedOutput out = captureOutput([&] { bank.loadSounds(false); });
    EXPECT_NE(std::string::npos,
              out.err.find("[error] ofFmodSoundPlayer: Could not load sound file data/audio/foeKill/splode2noclip.wav\n"));
    EXPECT_EQ(35, std::count(out.err.begin(), out.err.end(), '\n'));

    bank.playMenuBeep();
    bank.playFoeKill(3);
    bank.playMusic(true, 1);
    bank.updateGrind(20);
    bank.updateThrust(15.0f, -1);
    std::vector<int16_t> mix;
    FmodLayer::mixManually(256, &mix);
    EXPECT_EQ(std::vector<int16_t>(mix.size(), 0), mix);
    EXPECT_FALSE(bank.music[1].getIsPlaying());
}

}  // namespace
