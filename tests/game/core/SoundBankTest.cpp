#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "RecordingSoundPlayer.h"
#include "SoundBank.h"
#include "ofMath.h"

namespace {

using Calls = std::vector<std::string>;

Calls withPrefix(const Calls& calls, const std::string& word) {
    Calls out;
    for (const std::string& c : calls)
        if (c.find(" " + word) != std::string::npos) out.push_back(c);
    return out;
}

const Calls loadOrder = {
    "audio/foeKill/splode2noclip.wav",
    "audio/foeKillPowered/foeCap.wav",
    "audio/multikillEnd/powerDownTemp.wav",
    "audio/gameOver/grind_MASTER.wav",
    "audio/multiplayerComplete/awkwardFail.wav",
    "audio/multiplayerDeath/multiplayerdeath1.wav",
    "audio/multiplayerDeath/multiplayerdeath2.wav",
    "audio/multiplayerDeath/multiplayerdeath3.wav",
    "audio/multiplayerDeath/multiplayerdeath4.wav",
    "audio/multiplayerGrind/grindA.wav",
    "audio/menuBeep/UI3.wav",
    "audio/menuReturn/UI.wav",
    "audio/missionComplete/feedback.wav",
    "audio/missionCongrats/funkYeah3.wav",
    "audio/missionCrush/pewpewZoom.wav",
    "audio/missionFailed/techFail.wav",
    "audio/playerDeath/playerDeath4.wav",
    "audio/rockSmash/Meteors0_MASTER.wav",
    "audio/rockSmash/Meteors1_MASTER.wav",
    "audio/rockSmash/Meteors2_MASTER.wav",
    "audio/rockSmash/Meteors3_MASTER.wav",
    "audio/startGame/start3.wav",
    "audio/thrust/basslessThruster.wav",
    "audio/thrust/basslessThruster.wav",
    "audio/thrust/basslessThruster.wav",
    "audio/thrust/basslessThruster.wav",
    "audio/unlock/foeKillPowerEnd2.wav",
    "audio/wayPoint/wayPoint_MASTER.wav",
    "audio/error/error3.wav",
    "audio/music/easy/trailblazer.mp3",
    "audio/music/mission/missionloop.mp3",
    "audio/music/hard/throughbarriers.mp3",
    "audio/music/asteroid/ambientloop.mp3",
    "audio/music/multiplayer/vsloop.mp3",
    "audio/music/multiplayer/vstooloop.mp3",
};

Calls loadedPaths(const Calls& calls) {
    Calls out;
    for (const std::string& c : withPrefix(calls, "load ")) out.push_back(c.substr(c.find(" load ") + 6));
    return out;
}

TEST(SoundBankLoad, LoadsEveryFileInOrderWithItsSettings) {
    RecordedBank r;
    const Calls calls = r.take();
    EXPECT_EQ(loadOrder, loadedPaths(calls));

    // Multi-play exactly where several copies may overlap; loops where the sound runs on.
    Calls multi = withPrefix(calls, "multi 1");
    std::sort(multi.begin(), multi.end());
    EXPECT_EQ((Calls{"Meteors0_MASTER.wav multi 1", "Meteors1_MASTER.wav multi 1", "Meteors2_MASTER.wav multi 1",
                     "Meteors3_MASTER.wav multi 1", "feedback.wav multi 1", "foeCap.wav multi 1",
                     "multiplayerdeath1.wav multi 1", "multiplayerdeath2.wav multi 1",
                     "multiplayerdeath3.wav multi 1", "multiplayerdeath4.wav multi 1", "splode2noclip.wav multi 1",
                     "wayPoint_MASTER.wav multi 1"}),
              multi);
    EXPECT_EQ(6u + 4u + 1u, withPrefix(calls, "loop 1").size());  // music, thrust, grind

    // Only the first thrust loop runs, silently; nothing else plays.
    EXPECT_EQ((Calls{"basslessThruster.wav play"}), withPrefix(calls, "play"));
    EXPECT_TRUE(RecordedBank::rec(r.bank.thrust[0]).playing);
    EXPECT_FALSE(RecordedBank::rec(r.bank.thrust[1]).playing);
    for (ofSoundPlayer& loop : r.bank.thrust) EXPECT_EQ(0.0f, RecordedBank::rec(loop).volume);
    for (ofSoundPlayer& rock : r.bank.rockSmashes) EXPECT_FLOAT_EQ(0.6f, RecordedBank::rec(rock).volume);
    for (int t = 1; t < SoundBank::numTracks; ++t) EXPECT_FLOAT_EQ(0.8f, RecordedBank::rec(r.bank.music[t]).volume);
}

TEST(SoundBankEffects, FoeKillSpeedRisesWithTheLevelUntilThePoweredEffect) {
    RecordedBank r;
    r.take();
    struct Case {
        int level;
        Calls calls;
    };
    const Case cases[] = {
        {0, {"splode2noclip.wav speed 1", "splode2noclip.wav play"}},
        {1, {"splode2noclip.wav speed 1.2", "splode2noclip.wav play"}},
        {8, {"splode2noclip.wav speed 2.6", "splode2noclip.wav play"}},
        {9, {"foeCap.wav play"}},
        {14, {"foeCap.wav play"}},
    };
    for (const Case& c : cases) {
        r.bank.playFoeKill(c.level);
        EXPECT_EQ(c.calls, r.take()) << "level " << c.level;
    }
}

TEST(SoundBankEffects, WayPointsRiseInPitchUntilReset) {
    RecordedBank r;
    r.take();
    for (int i = 0; i < 3; ++i) r.bank.playWayPoint();
    EXPECT_EQ((Calls{"wayPoint_MASTER.wav speed 1", "wayPoint_MASTER.wav play", "wayPoint_MASTER.wav speed 1.2",
                     "wayPoint_MASTER.wav play", "wayPoint_MASTER.wav speed 1.4", "wayPoint_MASTER.wav play"}),
              r.take());
    // The reset works while muted, and a muted way point does not climb.
    r.bank.toggleSoundMute();
    r.bank.resetWayPointStep();
    r.bank.playWayPoint();
    r.bank.toggleSoundMute();
    r.take();
    r.bank.playWayPoint();
    EXPECT_EQ((Calls{"wayPoint_MASTER.wav speed 1", "wayPoint_MASTER.wav play"}), r.take());
}

TEST(SoundBankEffects, EachEffectPlaysItsOwnSoundAndNothingWhileMuted) {
    struct Case {
        const char* name;
        std::function<void(SoundBank&)> run;
        std::string played;
    };
    ofSeedRandom(3);
    const int rock = static_cast<int>(ofRandom(4.0f));
    const int death = static_cast<int>(ofRandom(4.0f));
    const Case cases[] = {
        {"menu return", [](SoundBank& b) { b.playMenuReturn(); }, "UI.wav play"},
        {"menu beep", [](SoundBank& b) { b.playMenuBeep(); }, "UI3.wav play"},
        {"mission complete", [](SoundBank& b) { b.playMissionComplete(); }, "feedback.wav play"},
        {"multiplayer complete", [](SoundBank& b) { b.playMultiplayerComplete(); }, "awkwardFail.wav play"},
        {"mission failed", [](SoundBank& b) { b.playMissionFailed(); }, "techFail.wav play"},
        {"rock smash", [](SoundBank& b) { b.playRockSmash(); },
         "Meteors" + std::to_string(rock) + "_MASTER.wav play"},
        {"death", [](SoundBank& b) { b.playMultiplayerDeath(false); },
         "multiplayerdeath" + std::to_string(death + 1) + ".wav play"},
        {"foe kill", [](SoundBank& b) { b.playFoeKill(2); }, "splode2noclip.wav play"},
        {"way point", [](SoundBank& b) { b.playWayPoint(); }, "wayPoint_MASTER.wav play"},
    };
    RecordedBank r;
    ofSeedRandom(3);
    for (const Case& c : cases) {
        r.take();
        c.run(r.bank);
        EXPECT_EQ((Calls{c.played}), withPrefix(r.take(), "play")) << c.name;
    }
    r.bank.toggleSoundMute();
    r.take();
    for (const Case& c : cases) c.run(r.bank);
    EXPECT_EQ(Calls{}, r.take());
}

TEST(SoundBankThrust, SmoothsTowardTheSpeedsVolume) {
    RecordedBank r;
    struct Step {
        float speed;
        float volume;
    };
    // 0.15 of the target each frame: 0.105, then 0.85 x 0.105 + 0.105.
    const Step steps[] = {{15.0f, 0.105f}, {20.0f, 0.19425f}, {0.0f, 0.1651125f}, {-3.0f, 0.140345625f}};
    for (const Step& s : steps) {
        r.bank.updateThrust(s.speed, 0);
        EXPECT_FLOAT_EQ(s.volume, RecordedBank::rec(r.bank.thrust[0]).volume) << s.speed;
    }
    EXPECT_EQ(0.0f, RecordedBank::rec(r.bank.thrust[1]).volume);

    // Half the target with every ship's loop running; player -1 steps all four.
    r.bank.setMultiThrust(true);
    r.bank.updateThrust(7.5f, -1);
    EXPECT_FLOAT_EQ(0.15f * 0.175f, RecordedBank::rec(r.bank.thrust[3]).volume);
    EXPECT_FLOAT_EQ(0.85f * 0.140345625f + 0.15f * 0.175f, RecordedBank::rec(r.bank.thrust[0]).volume);
}

TEST(SoundBankThrust, MutingSilencesAtOnceAndUnmutingRestartsTheLoops) {
    RecordedBank r;
    r.bank.updateThrust(15.0f, -1);
    r.take();
    r.bank.toggleSoundMute();
    EXPECT_EQ((Calls(4, "basslessThruster.wav stop")), r.take());
    r.bank.updateThrust(15.0f, 2);
    EXPECT_EQ((Calls{"basslessThruster.wav volume 0"}), r.take());

    // Switching multi-thrust acts while muted.
    r.bank.setMultiThrust(true);
    EXPECT_EQ((Calls(3, "basslessThruster.wav play")), r.take());
    r.bank.setMultiThrust(false);
    EXPECT_EQ((Calls(3, "basslessThruster.wav stop")), r.take());

    r.bank.toggleSoundMute();
    EXPECT_EQ((Calls{"basslessThruster.wav play"}), r.take());
    EXPECT_TRUE(RecordedBank::rec(r.bank.thrust[0]).playing);
    r.bank.setMultiThrust(true);
    r.bank.toggleSoundMute();
    r.bank.toggleSoundMute();
    r.take();
    for (ofSoundPlayer& loop : r.bank.thrust) EXPECT_TRUE(RecordedBank::rec(loop).playing);
}

TEST(SoundBankGrind, FollowsTheLevelAndStopsAtZeroOrMuted) {
    RecordedBank r;
    r.take();
    struct Step {
        int level;
        bool playing;
        float volume;
    };
    const Step steps[] = {
        {30, true, 1.0f}, {15, true, 0.59460356f}, {60, true, 1.6817928f},  // not clamped above 30
        {-6, true, 0.0f},                                                   // no NaN from a negative level
        {0, false, 0.0f},
    };
    for (const Step& s : steps) {
        r.bank.updateGrind(s.level);
        RecordingSoundPlayer& grind = RecordedBank::rec(r.bank.grind);
        EXPECT_EQ(s.playing, grind.playing) << s.level;
        if (s.playing) {
            EXPECT_FLOAT_EQ(s.volume, grind.volume) << s.level;
        }
    }
    EXPECT_EQ(1u, withPrefix(r.take(), "play").size());
    r.bank.updateGrind(10);
    r.bank.toggleSoundMute();
    r.take();
    r.bank.updateGrind(10);
    EXPECT_EQ((Calls{"grindA.wav stop"}), r.take());
}

TEST(SoundBankMusic, ModesSelectTheirTracksAndTheBankKeepsTheSelectedOne) {
    RecordedBank r;
    r.take();
    // Intro plays the asteroid track quietly.
    r.bank.playMusic(true, 0);
    EXPECT_EQ((Calls{"ambientloop.mp3 volume 0.28", "ambientloop.mp3 play", "ambientloop.mp3 paused 0"}), r.take());
    EXPECT_EQ(4, r.bank.currentTrack);
    r.bank.playMusic(false, 0);
    EXPECT_EQ((Calls{"ambientloop.mp3 volume 0.28", "ambientloop.mp3 paused 1"}), r.take());
    EXPECT_TRUE(r.bank.musicPaused);

    // Volume and restart act on the track that plays, not on the mode's number.
    r.bank.setMusicVolume(0.5f);
    r.bank.restartMusic();
    EXPECT_EQ((Calls{"ambientloop.mp3 volume 0.5", "ambientloop.mp3 position 0"}), r.take());

    r.bank.multiplayerVariant = 1;
    r.bank.playMusic(true, 5);
    EXPECT_EQ(6, r.bank.currentTrack);
    r.take();
    r.bank.setMusicVolume(1.5f);
    EXPECT_EQ(1.0f, r.bank.musicVolume);
    r.bank.setMusicVolume(-0.2f);
    EXPECT_EQ(0.0f, r.bank.musicVolume);
    EXPECT_EQ((Calls{"vstooloop.mp3 volume 1", "vstooloop.mp3 volume 0"}), r.take());

    const struct {
        int mode;
        int track;
    } modes[] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 6}};
    for (const auto& m : modes) {
        r.bank.playMusic(true, m.mode);
        EXPECT_EQ(m.track, r.bank.currentTrack) << m.mode;
    }
}

TEST(SoundBankMusic, MutedMusicStopsAndUnmutingStartsNothing) {
    RecordedBank r;
    r.bank.playMusic(true, 1);
    r.take();
    r.bank.toggleMusicMute();
    Calls stops = r.take();
    EXPECT_EQ(6u, stops.size());  // every loaded track
    EXPECT_EQ(6u, withPrefix(stops, "stop").size());

    r.bank.playMusic(true, 2);
    EXPECT_EQ((Calls{"throughbarriers.mp3 volume 0.8", "throughbarriers.mp3 stop"}), r.take());
    EXPECT_FALSE(r.bank.musicPaused);
    EXPECT_EQ(2, r.bank.currentTrack);

    r.bank.toggleMusicMute();
    EXPECT_EQ(Calls{}, r.take());
    r.bank.playMusic(true, 2);
    EXPECT_EQ((Calls{"throughbarriers.mp3 volume 0.8", "throughbarriers.mp3 play", "throughbarriers.mp3 paused 0"}),
              r.take());
}

}  // namespace
