#pragma once

#include <memory>
#include <string>

#include "fmod.h"

// Closes the process-wide sound system; the runner's exit callback calls it.
void ofSoundShutdown();

class ofBaseSoundPlayer {
public:
    virtual ~ofBaseSoundPlayer() {}

    virtual bool loadSound(std::string fileName, bool stream = false) = 0;
    virtual void unloadSound() = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void setVolume(float volume) = 0;
    virtual void setPan(float pan) = 0;
    virtual void setSpeed(float speed) = 0;
    virtual void setPaused(bool paused) = 0;
    virtual void setLoop(bool loop) = 0;
    virtual void setMultiPlay(bool multiPlay) = 0;
    virtual void setPosition(float fraction) = 0;
    virtual void setPositionMS(int ms) = 0;
    virtual float getPosition() = 0;
    virtual int getPositionMS() = 0;
    virtual bool getIsPlaying() = 0;
    virtual float getSpeed() = 0;
    virtual float getPan() = 0;
    virtual bool isLoaded() = 0;
    virtual float getVolume() = 0;
};

class ofFmodSoundPlayer : public ofBaseSoundPlayer {
public:
    ofFmodSoundPlayer();
    ~ofFmodSoundPlayer() override;

    bool loadSound(std::string fileName, bool stream = false) override;
    void unloadSound() override;
    void play() override;
    void stop() override;
    void setVolume(float volume) override;
    void setPan(float pan) override;
    void setSpeed(float speed) override;
    void setPaused(bool paused) override;
    void setLoop(bool loop) override;
    void setMultiPlay(bool multiPlay) override;
    void setPosition(float fraction) override;
    void setPositionMS(int ms) override;
    float getPosition() override;
    int getPositionMS() override;
    bool getIsPlaying() override;
    float getSpeed() override;
    float getPan() override;
    bool isLoaded() override;
    float getVolume() override;

    static void closeFmod();

private:
    ofFmodSoundPlayer(const ofFmodSoundPlayer&) = delete;
    ofFmodSoundPlayer& operator=(const ofFmodSoundPlayer&) = delete;

    bool isStreaming = false;
    bool multiPlay = false;
    bool loop = false;
    bool loaded = false;
    bool paused = false;
    float pan = 0.0f;
    float volume = 1.0f;
    float internalFreq = 44100.0f;
    float speed = 1.0f;
    unsigned int length = 0;
    FMOD_RESULT result = FMOD_OK;
    FMOD_CHANNEL* channel = nullptr;
    FMOD_SOUND* sound = nullptr;
    // The sound system the sound was created in; once that one is closed the
    // handles are dead and nothing is released through them.
    unsigned systemSerial = 0;

    static FMOD_SYSTEM* sys;
    static FMOD_CHANNELGROUP* masterGroup;
    static bool fmodInitialized;
    static unsigned openSystemSerial;
};

// Forwards to one shared implementation; copies share the loaded sound.
class ofSoundPlayer : public ofBaseSoundPlayer {
public:
    ofSoundPlayer();
    ~ofSoundPlayer() override;

    bool loadSound(std::string fileName, bool stream = false) override;
    void unloadSound() override;
    void play() override;
    void stop() override;
    void setVolume(float volume) override;
    void setPan(float pan) override;
    void setSpeed(float speed) override;
    void setPaused(bool paused) override;
    void setLoop(bool loop) override;
    void setMultiPlay(bool multiPlay) override;
    void setPosition(float fraction) override;
    void setPositionMS(int ms) override;
    float getPosition() override;
    int getPositionMS() override;
    bool getIsPlaying() override;
    float getSpeed() override;
    float getPan() override;
    bool isLoaded() override;
    float getVolume() override;

    // Replaces the held implementation (an empty pointer makes every call a no-op).
    void setPlayer(std::shared_ptr<ofBaseSoundPlayer> newPlayer);
    std::shared_ptr<ofBaseSoundPlayer> getPlayer() const;

private:
    std::shared_ptr<ofBaseSoundPlayer> player;
};
