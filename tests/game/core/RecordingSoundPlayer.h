#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "SoundBank.h"
#include "ofSoundPlayer.h"

// A sound player that plays nothing and writes each call into a shared log
// as "<file name> <call>", e.g. "UI3.wav play" or "foeCap.wav volume 0.6".
class RecordingSoundPlayer : public ofBaseSoundPlayer {
public:
    explicit RecordingSoundPlayer(std::shared_ptr<std::vector<std::string>> sharedLog) : log(std::move(sharedLog)) {}

    bool loadSound(std::string fileName, bool stream) override {
        path = fileName;
        name = fileName.substr(fileName.rfind('/') + 1);
        note(std::string("load ") + fileName + (stream ? " streamed" : ""));
        loaded = true;
        return true;
    }
    void unloadSound() override { note("unload"); }
    void play() override {
        note("play");
        playing = true;
    }
    void stop() override {
        note("stop");
        playing = false;
    }
    void setVolume(float v) override {
        note("volume " + num(v));
        volume = v;
    }
    void setPan(float p) override { note("pan " + num(p)); }
    void setSpeed(float s) override {
        note("speed " + num(s));
        speed = s;
    }
    void setPaused(bool p) override { note(std::string("paused ") + (p ? "1" : "0")); }
    void setLoop(bool l) override { note(std::string("loop ") + (l ? "1" : "0")); }
    void setMultiPlay(bool m) override { note(std::string("multi ") + (m ? "1" : "0")); }
    void setPosition(float f) override { note("position " + num(f)); }
    void setPositionMS(int ms) override { note("positionMS " + std::to_string(ms)); }
    float getPosition() override { return 0.0f; }
    int getPositionMS() override { return 0; }
    bool getIsPlaying() override { return playing; }
    float getSpeed() override { return speed; }
    float getPan() override { return 0.0f; }
    bool isLoaded() override { return loaded; }
    float getVolume() override { return volume; }

    static std::string num(float v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", v);
        return buf;
    }

    std::shared_ptr<std::vector<std::string>> log;
    std::string path;
    std::string name = "?";
    bool loaded = false;
    bool playing = false;
    float volume = 1.0f;
    float speed = 1.0f;

private:
    void note(const std::string& call) { log->push_back(name + " " + call); }
};

// A bank whose every loaded player records into `log`.
struct RecordedBank {
    explicit RecordedBank(bool touchBuild = false) {
        bank.makePlayer = [this] { return std::make_shared<RecordingSoundPlayer>(log); };
        bank.loadSounds(touchBuild);
    }
    // The calls since the last take.
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(*log);
        return out;
    }
    static RecordingSoundPlayer& rec(ofSoundPlayer& player) {
        return static_cast<RecordingSoundPlayer&>(*player.getPlayer());
    }

    std::shared_ptr<std::vector<std::string>> log = std::make_shared<std::vector<std::string>>();
    SoundBank bank;
};
