#pragma once

#include <string>
#include <vector>

#include "ShipSounds.h"

// Records each effect a ship asks for, in order.
struct FakeShipSounds : ShipSounds {
    std::vector<std::string> played;

    void playFoeKill(int level) override { played.push_back("foeKill" + std::to_string(level)); }
    void playRockSmash() override { played.push_back("rockSmash"); }
    void playMenuBeep() override { played.push_back("menuBeep"); }
    void playMenuReturn() override { played.push_back("menuReturn"); }
    void playMultiplayerComplete() override { played.push_back("multiplayerComplete"); }

    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(played);
        return out;
    }
};
