#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../../support/ScratchDir.h"
#include "../core/CoreTestSupport.h"
#include "PixelFont.h"
#include "SoundBank.h"
#include "ofMath.h"
#include "ofTestClock.h"

namespace screens_test {

// A fresh working folder with an empty "data/" for the test's lifetime.
struct ScratchFolder : ScratchDir {
    ScratchFolder() {
        std::filesystem::create_directory(path + "/data");
        std::filesystem::current_path(path);
    }
    ~ScratchFolder() { std::filesystem::current_path(home); }
    std::string data(const std::string& name) const { return path + "/data/" + name; }
    std::string read(const std::string& name) const {
        std::stringstream s;
        s << std::ifstream(data(name)).rdbuf();
        return s.str();
    }
    void write(const std::string& name, const std::string& text) const { std::ofstream(data(name)) << text; }
    std::filesystem::path home = std::filesystem::current_path();
};

// A font and a sound bank whose players count their plays.
struct Services {
    Services() {
        font.setup(1.0f);
        sounds.makePlayer = [] { return std::make_shared<SoundCallCounter>(); };
        sounds.loadSounds(false);
    }
    std::shared_ptr<SoundCallCounter> record(ofSoundPlayer& player) {
        auto counter = std::make_shared<SoundCallCounter>();
        player.setPlayer(counter);
        return counter;
    }
    PixelFont font;
    SoundBank sounds;
};

}  // namespace screens_test
