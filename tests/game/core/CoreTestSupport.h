#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ofAppBaseWindow.h"
#include "ofSoundPlayer.h"

// A sound player that plays nothing and counts what it is asked; the test
// decides whether it reports itself as playing.
class SoundCallCounter : public ofBaseSoundPlayer {
public:
    bool loadSound(std::string, bool) override { return true; }
    void unloadSound() override {}
    void play() override {
        ++plays;
        speedsPlayed.push_back(speed);
    }
    void stop() override {}
    void setVolume(float v) override { volume = v; }
    void setPan(float) override {}
    void setSpeed(float s) override { speed = s; }
    void setPaused(bool) override {}
    void setLoop(bool) override {}
    void setMultiPlay(bool) override {}
    void setPosition(float) override {}
    void setPositionMS(int) override {}
    float getPosition() override { return 0; }
    int getPositionMS() override { return 0; }
    bool getIsPlaying() override { return playing; }
    float getSpeed() override { return speed; }
    float getPan() override { return 0; }
    bool isLoaded() override { return true; }
    float getVolume() override { return volume; }

    int plays = 0;
    std::vector<float> speedsPlayed;
    bool playing = false;
    float speed = 1;
    float volume = 1;
};

// A window that opens nothing: it answers what the test sets and records the
// requests the game makes of it.
class TestWindow : public ofAppBaseWindow {
public:
    void setWindowShape(int w, int h) override { calls.push_back("shape " + std::to_string(w) + "x" + std::to_string(h)); }
    void setFrameRate(float rate) override { calls.push_back("rate " + std::to_string(static_cast<int>(rate))); }
    void setFullscreen(bool on) override { calls.push_back(on ? "fullscreen on" : "fullscreen off"); }
    void setWindowTitle(std::string t) override { calls.push_back("title " + t); }
    float getFrameRate() override { return frameRate; }
    ofPoint getScreenSize() override { return ofPoint(static_cast<float>(screenW), static_cast<float>(screenH)); }
    ofPoint getWindowSize() override { return ofPoint(static_cast<float>(width), static_cast<float>(height)); }
    int getWidth() override { return width; }
    int getHeight() override { return height; }

    std::vector<std::string> calls;
    float frameRate = 30;
    int screenW = 1280;
    int screenH = 1024;
    int width = 960;
    int height = 960;
};
