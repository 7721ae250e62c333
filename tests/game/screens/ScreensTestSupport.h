#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../core/CoreTestSupport.h"
#include "PixelFont.h"
#include "SoundBank.h"
#include "ofMath.h"
#include "ofTestClock.h"

namespace screens_test {

// A fresh working folder with an empty "data/" for the test's lifetime.
struct ScratchFolder {
    ScratchFolder() {
        char pattern[] = "/tmp/vx_screens_XXXXXX";
        path = mkdtemp(pattern);
        if (!getcwd(home, sizeof home)) home[0] = 0;
        if (chdir(path.c_str()) != 0 || mkdir("data", 0700) != 0) ADD_FAILURE() << "no scratch folder";
    }
    ~ScratchFolder() {
        if (chdir(home) != 0) ADD_FAILURE() << "cannot return to " << home;
        std::filesystem::remove_all(path);
    }
    std::string data(const std::string& name) const { return path + "/data/" + name; }
    std::string read(const std::string& name) const {
        std::ifstream in(data(name));
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void write(const std::string& name, const std::string& text) const { std::ofstream(data(name)) << text; }

    std::string path;
    char home[4096] = {};
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
