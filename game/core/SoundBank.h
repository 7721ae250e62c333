#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ShipSounds.h"
#include "ofSoundPlayer.h"

// Every effect and music track of the game. Effects are silent while
// soundMuted; music keeps its own mute flag. Loaded once by the core's set-up.
class SoundBank : public ShipSounds {
public:
    SoundBank() = default;
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;
    ~SoundBank() override = default;

    void loadSounds(bool touchBuild);

    void playMenuReturn() override;
    void playMenuBeep() override;
    void playMissionComplete();
    void playRockSmash() override;
    void playFoeKill(int level) override;
    void playWayPoint();
    void resetWayPointStep();
    void playMultiplayerDeath(bool quieter);
    void playMultiplayerComplete() override;
    void playMissionFailed();

    void toggleSoundMute();
    void toggleMusicMute();
    void setMultiThrust(bool on);
    // player -1 means all four.
    void updateThrust(float speed, int player);
    void updateGrind(int level);

    void playMusic(bool play, int mode);
    void setMusicVolume(float volume);
    void restartMusic();
    void pickMultiplayerTrack();

    static const int numThrust = 4;
    static const int numTracks = 7;
    // Music file of a track, "" for the unused track 0.
    static std::string musicPath(int track);

    ofSoundPlayer playerDeath;
    std::vector<ofSoundPlayer> deathSounds;
    ofSoundPlayer missionCrush;
    ofSoundPlayer startGame;
    ofSoundPlayer foeKill;
    ofSoundPlayer foeKillPowered;
    ofSoundPlayer multikillEnd;
    std::vector<ofSoundPlayer> rockSmashes;
    ofSoundPlayer thrust[numThrust];
    float thrustVolume = 0.7f;
    ofSoundPlayer menuReturn;
    ofSoundPlayer menuBeep;
    ofSoundPlayer wayPoint;
    ofSoundPlayer missionComplete;
    ofSoundPlayer missionCongrats;
    ofSoundPlayer missionFailed;
    ofSoundPlayer unlock;
    ofSoundPlayer error;
    ofSoundPlayer gameOver;
    ofSoundPlayer multiplayerComplete;
    ofSoundPlayer grind;
    bool soundMuted = false;
    bool musicMuted = false;
    bool touchBuild = false;
    bool multiThrust = false;
    int wayPointStep = 0;
    ofSoundPlayer music[numTracks];
    // The track playMusic last selected: 4 for Intro, 5 + variant in multiplayer.
    int currentTrack = 0;
    bool musicPaused = false;
    float musicVolume = 0.8f;
    int multiplayerVariant = 0;
    float musicPosition = 0.0f;
    float previousMusicPosition = 0.0f;

    // Test seam: when set, every player loadSounds loads gets its
    // implementation from here instead of the sound system.
    std::function<std::shared_ptr<ofBaseSoundPlayer>()> makePlayer;

private:
    void load(ofSoundPlayer& player, const std::string& path, bool stream = false);
    void playEffect(ofSoundPlayer& player);
    void updateOneThrust(float speed, int player);
    ofSoundPlayer* currentPlayer();
};
