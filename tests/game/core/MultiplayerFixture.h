#pragma once

#include <string>
#include <vector>

#include "RoundsFixture.h"

// A set-up core with slots joined for a death match in a world that spawns
// nothing; the match clock and the ships are set by hand.
class MultiplayerFixture : public RoundsFixture {
protected:
    // A fresh application, its clock back at 0.
    void restart() {
        TearDown();
        SetUp();
        now = 0;
    }

    // Joins the first count slots and starts a match of the given type.
    void startDeathMatch(int type, int value, int count = 2) {
        setUpApp();
        GameCore& c = core();
        c.splashActive = false;
        c.backgroundTiles = false;
        c.deathMatch = true;
        c.coop = false;
        c.gameMode = GameMode::Multiplayer;
        c.playerCount = count;
        for (int i = 0; i < count; ++i) c.players[i].joined = true;
        c.matchSettings.matchType = type;
        c.matchSettings.value = value;
        c.matchSettings.foeAmount = 0;
        c.startMatch();
        stillWorld();
    }

    // Puts the match past its countdown with every ship open to hits.
    void pastCountdown() {
        GameCore& c = core();
        c.matchClock = c.matchCountdownLength + 1;
        for (PlayerShip& ship : c.players) ship.invulnerabilityTimer = -1;
    }

    // A weapon kill of victim by killer, as the weapon test reports it.
    void kill(int victim, int killer) {
        GameCore& c = core();
        c.killSequence = false;
        c.players[victim].invulnerabilityTimer = -1;
        c.startKillSequence(victim, killer, 0, true);
        c.killSequence = false;
    }

    std::vector<std::string> popupTexts() {
        std::vector<std::string> texts;
        for (const PopupMessage& p : core().popups) texts.push_back(p.text);
        return texts;
    }
};
