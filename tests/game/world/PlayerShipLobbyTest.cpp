#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeShipSounds.h"
#include "PlayerShip.h"
#include "ShipType.h"

namespace {

typedef std::vector<std::string> Played;

class Lobby : public testing::Test {
protected:
    void SetUp() override {
        ship.setup(ofColor(255, 0, 0), false, true, &sounds, nullptr);
        ship.setShipType(SHIP_NORMAL);
        ship.joined = true;
        ship.unlockedShips = unlocked;
    }

    // The choice as the lobby shows it: a ship type or 9 for Random.
    int choice() const { return ship.randomShip ? 9 : ship.shipType; }

    bool unlocked[9] = {true, true, true, true, true, true, true, true, false};
    FakeShipSounds sounds;
    PlayerShip ship;
};

}  // namespace

TEST_F(Lobby, ShipCycleWrapsThroughRandomAndSkipsALockedShowOff) {
    struct Case {
        int from, dx;
        bool showOff;
        int to;
    };
    const Case cases[] = {
        {0, -1, false, 9}, {9, 1, false, 0}, {7, 1, false, 9}, {9, -1, false, 7},
        {7, 1, true, 8},   {9, -1, true, 8}, {3, 1, false, 4}, {5, -1, false, 4},
    };
    for (const Case& c : cases) {
        unlocked[8] = c.showOff;
        ship.setShipType(c.from == 9 ? SHIP_JELLY : c.from);
        ship.randomShip = c.from == 9;
        ship.handleLobbyInput(c.dx, 0, false, false, false, false);
        EXPECT_EQ(choice(), c.to) << c.from << " by " << c.dx;
        if (c.to == 9) {
            EXPECT_EQ(ship.shipType, c.from == 9 ? SHIP_JELLY : c.from);  // Random keeps the type
        }
        EXPECT_EQ(sounds.take(), (Played{"rockSmash"}));
    }
    // Choosing a type applies its handling.
    ship.randomShip = false;
    ship.setShipType(SHIP_HYPER);
    ship.handleLobbyInput(-1, 0, false, false, false, false);
    EXPECT_FLOAT_EQ(ship.topSpeed, 10.2f);  // Hardy

    // Without the unlock flags Show-Off counts as locked.
    ship.unlockedShips = nullptr;
    ship.setShipType(SHIP_CASCADE);
    ship.handleLobbyInput(1, 0, false, false, false, false);
    EXPECT_EQ(choice(), 9);
}

TEST_F(Lobby, RowsWrapAndReadyingRaisesNoRequestInTheSamePress) {
    ship.handleLobbyInput(0, -1, false, false, false, false);
    EXPECT_EQ(ship.lobbyRow, 1);
    EXPECT_EQ(sounds.take(), (Played{"menuBeep"}));
    ship.handleLobbyInput(0, 1, false, false, false, false);
    EXPECT_EQ(ship.lobbyRow, 0);
    sounds.take();

    // On row 1 the ship choice does not step; confirm makes ready.
    ship.lobbyRow = 1;
    ship.handleLobbyInput(1, 0, true, false, false, false);
    EXPECT_EQ(ship.shipType, SHIP_NORMAL);
    EXPECT_TRUE(ship.lobbyReady);
    EXPECT_TRUE(ship.lobbyChanged);
    EXPECT_FALSE(ship.startRequest || ship.settingsRequest);
    EXPECT_EQ(sounds.take(), (Played{"foeKill1"}));

    // Start from row 0 readies too, moving to row 1.
    ship.lobbyReady = false;
    ship.lobbyChanged = false;
    ship.lobbyRow = 0;
    ship.handleLobbyInput(0, 0, false, false, true, false);
    EXPECT_TRUE(ship.lobbyReady);
    EXPECT_EQ(ship.lobbyRow, 1);
    EXPECT_FALSE(ship.startRequest || ship.settingsRequest);

    // Confirm on row 0 while not ready does nothing.
    ship.lobbyReady = false;
    ship.lobbyRow = 0;
    ship.handleLobbyInput(0, 0, true, false, false, false);
    EXPECT_FALSE(ship.lobbyReady);
}

TEST_F(Lobby, ReadyPlayersRaiseRequestsByRow) {
    ship.handleLobbyInput(0, 0, false, false, true, false);
    sounds.take();

    // Co-op: held on row 1, no beep; confirm asks to start.
    ship.handleLobbyInput(0, 1, false, false, false, false);
    EXPECT_EQ(ship.lobbyRow, 1);
    EXPECT_TRUE(sounds.take().empty());
    ship.handleLobbyInput(1, 0, true, false, false, false);
    EXPECT_TRUE(ship.startRequest);
    EXPECT_FALSE(ship.settingsRequest);
    EXPECT_TRUE(sounds.take().empty());  // no ship step while ready

    // Death match: the row moves with a beep; row 0 asks for the settings.
    ship.startRequest = false;
    ship.handleLobbyInput(0, 1, false, false, false, true);
    EXPECT_EQ(ship.lobbyRow, 0);
    EXPECT_EQ(sounds.take(), (Played{"menuBeep"}));
    ship.handleLobbyInput(0, 0, false, false, true, true);
    EXPECT_TRUE(ship.settingsRequest);
    EXPECT_FALSE(ship.startRequest);
}

TEST_F(Lobby, BackUnreadiesThenLeaves) {
    ship.handleLobbyInput(0, 0, false, false, true, false);
    ship.lobbyChanged = false;
    sounds.take();
    ship.handleLobbyInput(0, 0, false, true, false, false);
    EXPECT_FALSE(ship.lobbyReady);
    EXPECT_TRUE(ship.lobbyChanged);
    EXPECT_EQ(ship.lobbyRow, 0);
    EXPECT_TRUE(ship.joined);
    EXPECT_EQ(sounds.take(), (Played{"menuReturn"}));
    ship.handleLobbyInput(0, 0, false, true, false, false);
    EXPECT_FALSE(ship.joined);
    EXPECT_EQ(sounds.take(), (Played{"menuReturn"}));

    // One event with several parts plays its sounds in order.
    ship.joined = true;
    ship.handleLobbyInput(1, 0, false, true, false, false);
    EXPECT_EQ(sounds.take(), (Played{"rockSmash", "menuReturn"}));

    // No sound bank: the same inputs work silently.
    ship.sounds = nullptr;
    ship.handleLobbyInput(1, 1, true, true, true, true);
    EXPECT_TRUE(sounds.take().empty());
}
