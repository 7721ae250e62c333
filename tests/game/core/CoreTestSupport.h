#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ofAppBaseWindow.h"
#include "ofSoundPlayer.h"

// A sound player that plays nothing and counts its plays; the test decides
// whether it reports itself as playing. Given a log (shared with the test), it
// also writes each call there as "<file name> <call>", e.g. "UI3.wav volume 0.6".
class SoundCallCounter : public ofBaseSoundPlayer {
public:
    SoundCallCounter() = default;
    explicit SoundCallCounter(std::shared_ptr<std::vector<std::string>> sharedLog) : log(std::move(sharedLog)) {}

    bool loadSound(std::string file, bool stream) override {
        name = file.substr(file.rfind('/') + 1);
        loaded = true;
        note("load " + file + (stream ? " streamed" : ""));
        return true;
    }
    void unloadSound() override { note("unload"); }
    void play() override {
        ++plays;
        if (log) playing = true;
        note("play");
    }
    void stop() override {
        if (log) playing = false;
        note("stop");
    }
    void setVolume(float v) override { note("volume " + num(volume = v)); }
    void setPan(float p) override { note("pan " + num(p)); }
    void setSpeed(float s) override { note("speed " + num(speed = s)); }
    void setPaused(bool p) override { note(std::string("paused ") + (p ? "1" : "0")); }
    void setLoop(bool l) override { note(std::string("loop ") + (l ? "1" : "0")); }
    void setMultiPlay(bool m) override { note(std::string("multi ") + (m ? "1" : "0")); }
    void setPosition(float f) override { note("position " + num(f)); }
    void setPositionMS(int ms) override { note("positionMS " + std::to_string(ms)); }
    float getPosition() override { return 0; }
    int getPositionMS() override { return 0; }
    bool getIsPlaying() override { return playing; }
    float getSpeed() override { return speed; }
    float getPan() override { return 0; }
    bool isLoaded() override { return loaded || !log; }
    float getVolume() override { return volume; }

    static std::string num(float v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", v);
        return buf;
    }

    std::shared_ptr<std::vector<std::string>> log;
    std::string name = "?";
    int plays = 0;
    bool loaded = false;
    bool playing = false;
    float speed = 1;
    float volume = 1;

private:
    void note(const std::string& call) {
        if (log) log->push_back(name + " " + call);
    }
};

// A window that opens nothing: it answers what the test sets and records the
// requests the game makes of it.
class TestWindow : public ofAppBaseWindow {
public:
    void setWindowShape(int w, int h) override { calls.push_back("shape " + std::to_string(w) + "x" + std::to_string(h)); }
    void setFrameRate(float rate) override { calls.push_back("rate " + std::to_string(static_cast<int>(rate))); }
    void setFullscreen(bool on) override { calls.push_back(on ? "fullscreen on" : "fullscreen off"); }
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
