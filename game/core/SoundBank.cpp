#include "SoundBank.h"

#include <cmath>

#include "ofMath.h"

namespace {

const char* const thrustPath = "audio/thrust/basslessThruster.wav";

}  // namespace

std::string SoundBank::musicPath(int track) {
    static const char* const base[numTracks] = {
        "",
        "audio/music/easy/trailblazer",
        "audio/music/hard/throughbarriers",
        "audio/music/mission/missionloop",
        "audio/music/asteroid/ambientloop",
        "audio/music/multiplayer/vsloop",
        "audio/music/multiplayer/vstooloop",
    };
    if (track <= 0 || track >= numTracks) return "";
    return std::string(base[track]) + "." + "mp3";
}

void SoundBank::load(ofSoundPlayer& player, const std::string& path, bool stream) {
    if (makePlayer) player.setPlayer(makePlayer());
    // A missing file is logged by the player and then plays silently.
    player.loadSound(path, stream);
}

void SoundBank::loadSounds(bool touch) {
    touchBuild = touch;

    load(foeKill, "audio/foeKill/splode2noclip.wav");
    foeKill.setMultiPlay(true);
    load(foeKillPowered, "audio/foeKillPowered/foeCap.wav");
    foeKillPowered.setMultiPlay(true);
    load(multikillEnd, "audio/multikillEnd/powerDownTemp.wav");
    load(gameOver, "audio/gameOver/grind_MASTER.wav");
    load(multiplayerComplete, "audio/multiplayerComplete/awkwardFail.wav");
    for (int n = 1; n <= 4; ++n) {
        deathSounds.emplace_back();
        load(deathSounds.back(), "audio/multiplayerDeath/multiplayerdeath" + std::to_string(n) + ".wav");
        deathSounds.back().setMultiPlay(true);
    }
    load(grind, "audio/multiplayerGrind/grindA.wav");
    grind.setLoop(true);
    load(menuBeep, "audio/menuBeep/UI3.wav");
    load(menuReturn, "audio/menuReturn/UI.wav");
    load(missionComplete, "audio/missionComplete/feedback.wav");
    missionComplete.setMultiPlay(true);
    load(missionCongrats, "audio/missionCongrats/funkYeah3.wav");
    load(missionCrush, "audio/missionCrush/pewpewZoom.wav");
    load(missionFailed, "audio/missionFailed/techFail.wav");
    load(playerDeath, "audio/playerDeath/playerDeath4.wav");
    rockSmashes.resize(4);
    for (int n = 0; n <= 3; ++n) {
        load(rockSmashes[n], "audio/rockSmash/Meteors" + std::to_string(n) + "_MASTER.wav");
        rockSmashes[n].setMultiPlay(true);
    }
    load(startGame, "audio/startGame/start3.wav");
    const int thrustLoops = touchBuild ? 1 : numThrust;
    for (int i = 0; i < thrustLoops; ++i) load(thrust[i], thrustPath);
    load(unlock, "audio/unlock/foeKillPowerEnd2.wav");
    load(wayPoint, "audio/wayPoint/wayPoint_MASTER.wav");
    wayPoint.setMultiPlay(true);
    load(error, "audio/error/error3.wav");
    // Music is streamed: decoding it whole here would hold up the first frame,
    // and a track asked for early starts once it is ready.
    const int musicOrder[] = {1, 3, 2, 4};
    for (int track : musicOrder) load(music[track], musicPath(track), true);
    if (!touchBuild) {
        load(music[5], musicPath(5), true);
        load(music[6], musicPath(6), true);
    }

    for (ofSoundPlayer& rock : rockSmashes) rock.setVolume(0.6f);

    thrustVolume = touchBuild ? 0.9f : 0.7f;
    for (int i = 0; i < thrustLoops; ++i) {
        thrust[i].setLoop(true);
        thrust[i].setVolume(0.0f);
    }
    // The first loop always runs; updateThrust only raises and lowers it.
    thrust[0].play();

    musicVolume = 0.8f;
    for (ofSoundPlayer& track : music) {
        track.setVolume(0.8f);
        track.setLoop(true);
    }

    currentTrack = 0;
    multiplayerVariant = 0;
    musicPosition = 0.0f;
    previousMusicPosition = 0.0f;
    soundMuted = false;
    musicMuted = false;
    wayPointStep = 0;
}

void SoundBank::playEffect(ofSoundPlayer& player) {
    if (!soundMuted) player.play();
}

void SoundBank::playMenuReturn() {
    playEffect(menuReturn);
}

void SoundBank::playMenuBeep() {
    playEffect(menuBeep);
}

void SoundBank::playMissionComplete() {
    playEffect(missionComplete);
}

void SoundBank::playMultiplayerComplete() {
    playEffect(multiplayerComplete);
}

void SoundBank::playMissionFailed() {
    playEffect(missionFailed);
}

void SoundBank::playRockSmash() {
    if (soundMuted || rockSmashes.empty()) return;
    const size_t index = static_cast<size_t>(ofRandom(4.0f));
    if (index < rockSmashes.size()) rockSmashes[index].play();
}

void SoundBank::playFoeKill(int level) {
    if (soundMuted) return;
    if (level < 9) {
        foeKill.setSpeed(1.0f + 0.2f * level);
        foeKill.play();
    } else {
        foeKillPowered.play();
    }
}

void SoundBank::playWayPoint() {
    if (soundMuted) return;
    wayPoint.setSpeed(1.0f + 0.2f * wayPointStep);
    wayPointStep += 1;
    wayPoint.play();
}

void SoundBank::resetWayPointStep() {
    wayPointStep = 0;
}

void SoundBank::playMultiplayerDeath(bool quieter) {
    if (soundMuted || deathSounds.empty()) return;
    const size_t index = static_cast<size_t>(ofRandom(static_cast<float>(deathSounds.size())));
    if (index >= deathSounds.size()) return;
    deathSounds[index].setVolume(quieter ? 0.8f : 1.0f);
    deathSounds[index].play();
}

void SoundBank::toggleSoundMute() {
    soundMuted = !soundMuted;
    if (soundMuted) {
        for (ofSoundPlayer& loop : thrust) loop.stop();
        return;
    }
    thrust[0].play();
    if (multiThrust)
        for (int i = 1; i < numThrust; ++i) thrust[i].play();
}

void SoundBank::toggleMusicMute() {
    musicMuted = !musicMuted;
    if (musicMuted)
        for (ofSoundPlayer& track : music) track.stop();
}

void SoundBank::setMultiThrust(bool on) {
    multiThrust = on;
    for (int i = 1; i < numThrust; ++i) {
        if (on)
            thrust[i].play();
        else
            thrust[i].stop();
    }
}

void SoundBank::updateThrust(float speed, int player) {
    if (player == -1) {
        for (int i = 0; i < numThrust; ++i) updateOneThrust(speed, i);
        return;
    }
    updateOneThrust(speed, player);
}

void SoundBank::updateOneThrust(float speed, int player) {
    if (player < 0 || player >= numThrust) return;
    ofSoundPlayer& loop = thrust[player];
    if (soundMuted) {
        loop.setVolume(0.0f);
        return;
    }
    float target = ofMap(speed, 0.0f, 15.0f, 0.0f, thrustVolume, true);
    if (multiThrust) target *= 0.5f;
    loop.setVolume(0.85f * loop.getVolume() + 0.15f * target);
}

void SoundBank::updateGrind(int level) {
    if (level != 0 && !soundMuted) {
        if (!grind.getIsPlaying()) grind.play();
        // Above 30 the volume keeps rising; a negative level would give no real root, so it counts as 0.
        const float base = ofMap(static_cast<float>(level), 0.0f, 30.0f, 0.0f, 1.0f);
        grind.setVolume(std::pow(base > 0.0f ? base : 0.0f, 0.75f));
    } else if (grind.getIsPlaying()) {
        grind.stop();
    }
}

void SoundBank::playMusic(bool play, int mode) {
    int track = mode;
    if (mode == 5) track = 5 + multiplayerVariant;
    if (mode == 0) track = 4;
    if (track < 0 || track >= numTracks) return;
    currentTrack = track;
    ofSoundPlayer& player = music[track];
    player.setVolume(mode == 0 ? 0.35f * musicVolume : musicVolume);
    if (musicMuted) {
        player.stop();
        return;
    }
    musicPaused = !play;
    if (play && !player.getIsPlaying()) player.play();
    player.setPaused(musicPaused);
}

ofSoundPlayer* SoundBank::currentPlayer() {
    // currentTrack is public; a value written from outside must not index past the tracks.
    if (currentTrack < 0 || currentTrack >= numTracks) return nullptr;
    return &music[currentTrack];
}

void SoundBank::setMusicVolume(float volume) {
    musicVolume = ofClamp(volume, 0.0f, 1.0f);
    if (ofSoundPlayer* track = currentPlayer()) track->setVolume(musicVolume);
}

void SoundBank::restartMusic() {
    if (ofSoundPlayer* track = currentPlayer()) track->setPosition(currentTrack == 3 ? ofRandom(1.0f) : 0.0f);
    musicPosition = 0.0f;
    previousMusicPosition = 0.0f;
}

void SoundBank::pickMultiplayerTrack() {
    multiplayerVariant = static_cast<int>(ofRandom(2.0f));
}
