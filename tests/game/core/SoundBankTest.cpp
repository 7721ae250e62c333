#include <gtest/gtest.h>

#include <algorithm>

#include "RecordingSoundPlayer.h"
#include "SoundBank.h"
#include "ofMath.h"

namespace {

using Calls = std::vector<std::string>;

Calls withWord(const Calls& calls, const std::string& word) {
    Calls out;
    for (const std::string& c : calls)
        if (c.find(" " + word) != std::string::npos) out.push_back(c);
    return out;
}

TEST(SoundBankLoad, OverlapsAndLoopsWhereTheyBelongAndOnlyTheSilentThrustRuns) {
    RecordedBank r;
    const Calls calls = r.take();
    // Rock smashes, deaths, foe kills, way points and the complete sound overlap.
    EXPECT_EQ(12u, withWord(calls, "multi 1").size());
    EXPECT_EQ(6u + 4u + 1u, withWord(calls, "loop 1").size());  // music, thrust, grind
    EXPECT_EQ((Calls{"basslessThruster.wav play"}), withWord(calls, "play"));
    EXPECT_TRUE(RecordedBank::rec(r.bank.thrust[0]).playing);
    EXPECT_EQ(0.0f, RecordedBank::rec(r.bank.thrust[0]).volume);
    EXPECT_FLOAT_EQ(0.6f, RecordedBank::rec(r.bank.rockSmashes[3]).volume);
    // Only the six music tracks are streamed; effects load whole.
    const Calls streamed = withWord(calls, "streamed");
    EXPECT_EQ(6u, streamed.size());
    EXPECT_EQ(6, std::count_if(streamed.begin(), streamed.end(),
                               [](const std::string& c) { return c.find(".mp3 streamed") != std::string::npos; }));
}

TEST(SoundBankEffects, PitchesRiseByLevelAndWayPointAndNothingPlaysWhileMuted) {
    RecordedBank r;
    r.take();
    const std::pair<int, Calls> kills[] = {
        {0, {"splode2noclip.wav speed 1", "splode2noclip.wav play"}},
        {1, {"splode2noclip.wav speed 1.2", "splode2noclip.wav play"}},
        {8, {"splode2noclip.wav speed 2.6", "splode2noclip.wav play"}},
        {9, {"foeCap.wav play"}},
    };
    for (const auto& [level, calls] : kills) {
        r.bank.playFoeKill(level);
        EXPECT_EQ(calls, r.take()) << "level " << level;
    }
    for (int i = 0; i < 3; ++i) r.bank.playWayPoint();
    EXPECT_EQ((Calls{"wayPoint_MASTER.wav speed 1", "wayPoint_MASTER.wav play", "wayPoint_MASTER.wav speed 1.2",
                     "wayPoint_MASTER.wav play", "wayPoint_MASTER.wav speed 1.4", "wayPoint_MASTER.wav play"}),
              r.take());

    // Muted: nothing plays, the way point does not climb, its reset still works.
    r.bank.toggleSoundMute();
    r.take();
    r.bank.resetWayPointStep();
    r.bank.playWayPoint();
    r.bank.playMenuBeep();
    r.bank.playRockSmash();
    r.bank.playMultiplayerDeath(false);
    r.bank.playFoeKill(2);
    EXPECT_EQ(Calls{}, r.take());
    r.bank.toggleSoundMute();
    r.take();
    r.bank.playWayPoint();
    EXPECT_EQ((Calls{"wayPoint_MASTER.wav speed 1", "wayPoint_MASTER.wav play"}), r.take());
}

TEST(SoundBankThrust, SmoothsTowardTheSpeedsVolumeAndMutingStopsEveryLoop) {
    RecordedBank r;
    // 0.15 of the target each frame: 0.105, then 0.85 x 0.105 + 0.105.
    const std::pair<float, float> steps[] = {{15.0f, 0.105f}, {20.0f, 0.19425f}, {0.0f, 0.1651125f}, {-3.0f, 0.140345625f}};
    for (const auto& [speed, volume] : steps) {
        r.bank.updateThrust(speed, 0);
        EXPECT_FLOAT_EQ(volume, RecordedBank::rec(r.bank.thrust[0]).volume) << speed;
    }
    EXPECT_EQ(0.0f, RecordedBank::rec(r.bank.thrust[1]).volume);
    // Half the target with every ship's loop running; player -1 steps all four.
    r.bank.setMultiThrust(true);
    r.bank.updateThrust(7.5f, -1);
    EXPECT_FLOAT_EQ(0.15f * 0.175f, RecordedBank::rec(r.bank.thrust[3]).volume);
    EXPECT_FLOAT_EQ(0.85f * 0.140345625f + 0.15f * 0.175f, RecordedBank::rec(r.bank.thrust[0]).volume);
    r.bank.setMultiThrust(false);

    r.take();
    r.bank.toggleSoundMute();
    EXPECT_EQ((Calls(4, "basslessThruster.wav stop")), r.take());
    r.bank.updateThrust(15.0f, 2);
    EXPECT_EQ((Calls{"basslessThruster.wav volume 0"}), r.take());
    // Switching multi-thrust acts while muted; unmuting restarts what is switched on.
    r.bank.setMultiThrust(true);
    EXPECT_EQ((Calls(3, "basslessThruster.wav play")), r.take());
    r.bank.setMultiThrust(false);
    EXPECT_EQ((Calls(3, "basslessThruster.wav stop")), r.take());
    r.bank.toggleSoundMute();
    EXPECT_EQ((Calls{"basslessThruster.wav play"}), r.take());
}

TEST(SoundBankGrind, FollowsTheLevelAndStopsAtZeroOrMuted) {
    RecordedBank r;
    r.take();
    const struct {
        int level;
        bool playing;
        float volume;
    } steps[] = {
        {30, true, 1.0f}, {15, true, 0.59460356f}, {60, true, 1.6817928f},  // not clamped above 30
        {-6, true, 0.0f},                                                   // no NaN from a negative level
        {0, false, 0.0f},
    };
    for (const auto& s : steps) {
        r.bank.updateGrind(s.level);
        const SoundCallCounter& grind = RecordedBank::rec(r.bank.grind);
        EXPECT_EQ(s.playing, grind.playing) << s.level;
        if (s.playing) {
            EXPECT_FLOAT_EQ(s.volume, grind.volume) << s.level;
        }
    }
    EXPECT_EQ(1u, withWord(r.take(), "play").size());
    r.bank.updateGrind(10);
    r.bank.toggleSoundMute();
    r.take();
    r.bank.updateGrind(10);
    EXPECT_EQ((Calls{"grindA.wav stop"}), r.take());
}

TEST(SoundBankMusic, ModesSelectTheirTracksAndTheBankActsOnTheSelectedOne) {
    RecordedBank r;
    r.take();
    // Intro plays the asteroid track quietly.
    r.bank.playMusic(true, 0);
    EXPECT_EQ((Calls{"ambientloop.mp3 volume 0.28", "ambientloop.mp3 play", "ambientloop.mp3 paused 0"}), r.take());
    r.bank.playMusic(false, 0);
    EXPECT_EQ((Calls{"ambientloop.mp3 volume 0.28", "ambientloop.mp3 paused 1"}), r.take());
    // Volume and restart act on the track that plays, not on the mode's number.
    r.bank.setMusicVolume(0.5f);
    r.bank.restartMusic();
    EXPECT_EQ((Calls{"ambientloop.mp3 volume 0.5", "ambientloop.mp3 position 0"}), r.take());

    r.bank.multiplayerVariant = 1;
    r.bank.playMusic(true, 5);
    r.take();
    r.bank.setMusicVolume(1.5f);
    r.bank.setMusicVolume(-0.2f);
    EXPECT_EQ((Calls{"vstooloop.mp3 volume 1", "vstooloop.mp3 volume 0"}), r.take());
    for (auto [mode, track] : {std::pair{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 6}}) {
        r.bank.playMusic(true, mode);
        EXPECT_EQ(track, r.bank.currentTrack) << mode;
    }
    // A track number written from outside reaches no player.
    r.bank.currentTrack = 99;
    r.take();
    r.bank.setMusicVolume(0.5f);
    r.bank.restartMusic();
    EXPECT_EQ(Calls{}, r.take());
}

TEST(SoundBankMusic, MutedMusicStopsAndUnmutingStartsNothing) {
    RecordedBank r;
    r.bank.playMusic(true, 1);
    r.take();
    r.bank.toggleMusicMute();
    EXPECT_EQ((Calls(6, "stop")), [&] {
        Calls stops;
        for (const std::string& c : r.take()) stops.push_back(c.substr(c.rfind(' ') + 1));
        return stops;
    }());
    r.bank.playMusic(true, 2);
    EXPECT_EQ((Calls{"throughbarriers.mp3 volume 0.8", "throughbarriers.mp3 stop"}), r.take());
    r.bank.toggleMusicMute();
    EXPECT_EQ(Calls{}, r.take());
    r.bank.playMusic(true, 2);
    EXPECT_EQ((Calls{"throughbarriers.mp3 volume 0.8", "throughbarriers.mp3 play", "throughbarriers.mp3 paused 0"}),
              r.take());
}

}  // namespace
