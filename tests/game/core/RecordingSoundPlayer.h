#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CoreTestSupport.h"
#include "SoundBank.h"

// A bank whose every loaded player writes its calls into one log.
struct RecordedBank {
    explicit RecordedBank(bool touchBuild = false) {
        bank.makePlayer = [this] { return std::make_shared<SoundCallCounter>(log); };
        bank.loadSounds(touchBuild);
    }
    // The calls since the last take.
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(*log);
        return out;
    }
    static SoundCallCounter& rec(ofSoundPlayer& player) { return static_cast<SoundCallCounter&>(*player.getPlayer()); }

    std::shared_ptr<std::vector<std::string>> log = std::make_shared<std::vector<std::string>>();
    SoundBank bank;
};
