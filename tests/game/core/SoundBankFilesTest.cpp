#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "../../framework/CapturedOutput.h"
#include "../../platform/FmodTestSupport.h"
#include "FmodLayer.h"
#include "SoundBank.h"

namespace {

// Each test runs in a process of its own, so changing the folder stays local.
class SoundBankFiles : public ::testing::Test {
protected:
    void SetUp() override {
        FmodLayer::setOutput(FmodLayer::Output::Manual);
        ASSERT_NE(nullptr, getcwd(home, sizeof home));
    }
    void TearDown() override {
        ofFmodSoundPlayer::closeFmod();
        ASSERT_EQ(0, chdir(home));
    }
    char home[4096] = {};
};

TEST_F(SoundBankFiles, FindsEveryGeneratedFile) {
    ASSERT_EQ(0, chdir(VX_SOURCE_DIR));
    SoundBank bank;
    const CapturedOutput out = captureOutput([&] { bank.loadSounds(false); });
    EXPECT_EQ("", out.err);
    std::vector<ofSoundPlayer*> players = {&bank.playerDeath, &bank.missionCrush, &bank.startGame, &bank.foeKill,
                                           &bank.foeKillPowered, &bank.multikillEnd, &bank.menuReturn,
                                           &bank.menuBeep, &bank.wayPoint, &bank.missionComplete,
                                           &bank.missionCongrats, &bank.missionFailed, &bank.unlock, &bank.error,
                                           &bank.gameOver, &bank.multiplayerComplete, &bank.grind};
    for (ofSoundPlayer& p : bank.deathSounds) players.push_back(&p);
    for (ofSoundPlayer& p : bank.rockSmashes) players.push_back(&p);
    for (ofSoundPlayer& p : bank.thrust) players.push_back(&p);
    for (int t = 1; t < SoundBank::numTracks; ++t) players.push_back(&bank.music[t]);
    ASSERT_EQ(35u, players.size());
    for (size_t i = 0; i < players.size(); ++i) EXPECT_TRUE(players[i]->isLoaded()) << i;
    EXPECT_FALSE(bank.music[0].isLoaded());

    // The silent first thrust loop really runs.
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
    EXPECT_NE(std::string::npos,
              out.err.find("Could not load sound file data/audio/music/multiplayer/vstooloop.mp3\n"));
    size_t lines = 0;
    for (char c : out.err) lines += c == '\n';
    EXPECT_EQ(35u, lines);

    bank.playMenuBeep();
    bank.playFoeKill(3);
    bank.playMusic(true, 1);
    bank.updateGrind(20);
    bank.updateThrust(15.0f, -1);
    std::vector<int16_t> mix;
    FmodLayer::mixManually(256, &mix);
    for (int16_t s : mix) ASSERT_EQ(0, s);
    EXPECT_FALSE(bank.music[1].getIsPlaying());
}

}  // namespace
