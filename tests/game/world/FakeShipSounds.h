#pragma once

#include <string>
#include <vector>

#include "ShipSounds.h"

typedef std::vector<std::string> Played;

// Records each effect a ship asks for, in order.
struct FakeShipSounds : ShipSounds {
    Played played;

    void playFoeKill(int level) override { played.push_back("foeKill" + std::to_string(level)); }
    void playRockSmash() override { played.push_back("rockSmash"); }
    void playMenuBeep() override { played.push_back("menuBeep"); }
    void playMenuReturn() override { played.push_back("menuReturn"); }
    void playMultiplayerComplete() override { played.push_back("multiplayerComplete"); }

    Played take() {
        Played out;
        out.swap(played);
        return out;
    }
};
