#include "ofSoundPlayer.h"

#include <cmath>

#include "FmodLayer.h"
#include "ofLog.h"
#include "ofMath.h"
#include "ofUtils.h"

FMOD_SYSTEM* ofFmodSoundPlayer::sys = nullptr;
FMOD_CHANNELGROUP* ofFmodSoundPlayer::masterGroup = nullptr;
bool ofFmodSoundPlayer::fmodInitialized = false;
unsigned ofFmodSoundPlayer::openSystemSerial = 0;

void ofSoundShutdown() {
    ofFmodSoundPlayer::closeFmod();
}

// ---- ofFmodSoundPlayer ----

ofFmodSoundPlayer::ofFmodSoundPlayer() = default;

ofFmodSoundPlayer::~ofFmodSoundPlayer() {
    unloadSound();
}

void ofFmodSoundPlayer::closeFmod() {
    if (!fmodInitialized) return;
    FMOD_System_Close(sys);
    fmodInitialized = false;
}

bool ofFmodSoundPlayer::loadSound(std::string fileName, bool stream) {
    fileName = ofToDataPath(fileName, false);
    multiPlay = false;
    if (!fmodInitialized) {
        // The sound system's own messages are kept quiet; this one line remains.
        FmodLayer::setSilentOutputHandler(
            [] { ofLog(OF_LOG_NOTICE, "no audio device could be opened: the game plays silently"); });
        FMOD_System_Create(&sys);
        FMOD_System_Init(sys, 32, FMOD_INIT_NORMAL, nullptr);
        FMOD_System_GetMasterChannelGroup(sys, &masterGroup);
        fmodInitialized = true;
        ++openSystemSerial;
    }
    unloadSound();

    const FMOD_MODE mode = stream ? (FMOD_SOFTWARE | FMOD_CREATESTREAM) : FMOD_SOFTWARE;
    result = FMOD_System_CreateSound(sys, fileName.c_str(), mode, nullptr, &sound);
    if (result != FMOD_OK) {
        loaded = false;
        sound = nullptr;
        ofLog(OF_LOG_ERROR, "ofFmodSoundPlayer: Could not load sound file %s", fileName.c_str());
    } else {
        loaded = true;
        systemSerial = openSystemSerial;
        FMOD_Sound_GetLength(sound, &length, FMOD_TIMEUNIT_PCM);
        isStreaming = stream;
    }
    return loaded;
}

void ofFmodSoundPlayer::unloadSound() {
    if (!loaded) return;
    // A sound of a system closed since it was loaded went with that system.
    if (fmodInitialized && systemSerial == openSystemSerial) {
        stop();
        FMOD_Sound_Release(sound);
    }
    sound = nullptr;
    loaded = false;
}

void ofFmodSoundPlayer::play() {
    if (!loaded) return;
    if (loop) FMOD_Channel_Stop(channel);
    if (!multiPlay) FMOD_Channel_Stop(channel);
    FMOD_System_PlaySound(sys, FMOD_CHANNEL_FREE, sound, paused, &channel);
    FMOD_Channel_GetFrequency(channel, &internalFreq);
    FMOD_Channel_SetVolume(channel, volume);
    setPan(pan);
    FMOD_Channel_SetFrequency(channel, internalFreq * speed);
    FMOD_Channel_SetMode(channel, loop ? FMOD_LOOP_NORMAL : FMOD_LOOP_OFF);
    FMOD_System_Update(sys);
}

void ofFmodSoundPlayer::stop() {
    FMOD_Channel_Stop(channel);
}

void ofFmodSoundPlayer::setVolume(float vol) {
    if (getIsPlaying()) FMOD_Channel_SetVolume(channel, vol);
    volume = vol;
}

void ofFmodSoundPlayer::setPan(float p) {
    pan = p;
    if (getIsPlaying()) FMOD_Channel_SetPan(channel, ofClamp(p, -1.0f, 1.0f));
}

void ofFmodSoundPlayer::setSpeed(float spd) {
    if (getIsPlaying()) FMOD_Channel_SetFrequency(channel, internalFreq * spd);
    speed = spd;
}

void ofFmodSoundPlayer::setPaused(bool bP) {
    if (getIsPlaying()) {
        FMOD_Channel_SetPaused(channel, bP);
        paused = bP;
    }
}

void ofFmodSoundPlayer::setLoop(bool bLp) {
    if (getIsPlaying()) FMOD_Channel_SetMode(channel, bLp ? FMOD_LOOP_NORMAL : FMOD_LOOP_OFF);
    loop = bLp;
}

void ofFmodSoundPlayer::setMultiPlay(bool bMp) {
    multiPlay = bMp;
}

void ofFmodSoundPlayer::setPosition(float fraction) {
    if (!getIsPlaying()) return;
    // Negative, NaN and huge products have no unsigned value; clamp them first.
    double sample = std::trunc(static_cast<double>(length) * static_cast<double>(fraction));
    if (!(sample > 0.0)) sample = 0.0;
    if (sample > 4294967295.0) sample = 4294967295.0;
    FMOD_Channel_SetPosition(channel, static_cast<unsigned int>(sample), FMOD_TIMEUNIT_PCM);
}

void ofFmodSoundPlayer::setPositionMS(int ms) {
    if (getIsPlaying()) FMOD_Channel_SetPosition(channel, static_cast<unsigned int>(ms), FMOD_TIMEUNIT_MS);
}

float ofFmodSoundPlayer::getPosition() {
    if (!getIsPlaying()) return 0.0f;
    unsigned int sample = 0;
    FMOD_Channel_GetPosition(channel, &sample, FMOD_TIMEUNIT_PCM);
    if (length == 0) return 0.0f;
    return static_cast<float>(sample) / static_cast<float>(length);
}

int ofFmodSoundPlayer::getPositionMS() {
    if (!getIsPlaying()) return 0;
    unsigned int ms = 0;
    FMOD_Channel_GetPosition(channel, &ms, FMOD_TIMEUNIT_MS);
    return static_cast<int>(ms);
}

bool ofFmodSoundPlayer::getIsPlaying() {
    if (!loaded) return false;
    FMOD_BOOL playing = 0;
    FMOD_Channel_IsPlaying(channel, &playing);
    return playing != 0;
}

float ofFmodSoundPlayer::getSpeed() {
    return speed;
}

float ofFmodSoundPlayer::getPan() {
    return pan;
}

bool ofFmodSoundPlayer::isLoaded() {
    return loaded;
}

float ofFmodSoundPlayer::getVolume() {
    return volume;
}

// ---- ofSoundPlayer ----

ofSoundPlayer::ofSoundPlayer() : player(std::make_shared<ofFmodSoundPlayer>()) {}

ofSoundPlayer::~ofSoundPlayer() = default;

void ofSoundPlayer::setPlayer(std::shared_ptr<ofBaseSoundPlayer> newPlayer) {
    player = std::move(newPlayer);
}

std::shared_ptr<ofBaseSoundPlayer> ofSoundPlayer::getPlayer() const {
    return player;
}

bool ofSoundPlayer::loadSound(std::string fileName, bool stream) {
    return player ? player->loadSound(fileName, stream) : false;
}

void ofSoundPlayer::unloadSound() {
    if (player) player->unloadSound();
}

void ofSoundPlayer::play() {
    if (player) player->play();
}

void ofSoundPlayer::stop() {
    if (player) player->stop();
}

void ofSoundPlayer::setVolume(float volume) {
    if (player) player->setVolume(volume);
}

void ofSoundPlayer::setPan(float pan) {
    if (player) player->setPan(ofClamp(pan, -1.0f, 1.0f));
}

void ofSoundPlayer::setSpeed(float speed) {
    if (player) player->setSpeed(speed);
}

void ofSoundPlayer::setPaused(bool paused) {
    if (player) player->setPaused(paused);
}

void ofSoundPlayer::setLoop(bool loop) {
    if (player) player->setLoop(loop);
}

void ofSoundPlayer::setMultiPlay(bool multiPlay) {
    if (player) player->setMultiPlay(multiPlay);
}

void ofSoundPlayer::setPosition(float fraction) {
    if (player) player->setPosition(fraction);
}

void ofSoundPlayer::setPositionMS(int ms) {
    if (player) player->setPositionMS(ms);
}

float ofSoundPlayer::getPosition() {
    return player ? player->getPosition() : 0.0f;
}

int ofSoundPlayer::getPositionMS() {
    return player ? player->getPositionMS() : 0;
}

bool ofSoundPlayer::getIsPlaying() {
    return player ? player->getIsPlaying() : false;
}

float ofSoundPlayer::getSpeed() {
    return player ? player->getSpeed() : 0.0f;
}

float ofSoundPlayer::getPan() {
    return player ? player->getPan() : 0.0f;
}

bool ofSoundPlayer::isLoaded() {
    return player ? player->isLoaded() : false;
}

float ofSoundPlayer::getVolume() {
    return player ? player->getVolume() : 0.0f;
}
