#include <gtest/gtest.h>

#include "InputFixture.h"

class PadInput : public InputFixture {};

TEST_F(PadInput, ThePadPressedFirstPlaysAsPlayerZeroAndTradesPlacesWithPadZero) {
    plug({padNamed("Pad A"), padNamed("Pad B"), padNamed("Pad C"), padNamed("Pad D")});
    press(2, vantorixPC::Down);
    EXPECT_TRUE(app->firstPadChosen);
    EXPECT_EQ(app->firstPad, 2);
    EXPECT_EQ(core().mainMenu.selected, 1);

    core().openLobby(false, true, false);
    app->keyPressed(13);  // the keyboard is pad 0, so player 2
    EXPECT_TRUE(core().players[2].joined);
    EXPECT_FALSE(core().players[0].joined);
    press(2, vantorixPC::Confirm);
    EXPECT_TRUE(core().players[0].joined);
    press(3, vantorixPC::Start);
    press(1, vantorixPC::Confirm);
    EXPECT_TRUE(core().players[1].joined);
    EXPECT_TRUE(core().players[3].joined);
    EXPECT_EQ(core().playerCount, 4);

    // Sticks follow the same trade: pad 2 steers ship 0, pad 0 ship 2.
    axis(2, 0, 0.8f);
    axis(0, 1, -0.7f);
    axis(3, 0, -0.6f);
    EXPECT_FLOAT_EQ(app->padSticks[0].x, 0.8f);
    EXPECT_FLOAT_EQ(app->padSticks[2].y, -0.7f);
    EXPECT_FLOAT_EQ(app->padSticks[3].x, -0.6f);
    EXPECT_FLOAT_EQ(app->padSticks[1].x, 0.0f);
}

TEST_F(PadInput, StickStepsAreStrictReArmInsideHalfAndNeverCarryOverFromPlay) {
    // The armed flags start clear: the first push only counts after a rest.
    const std::pair<float, int> pushes[] = {{1.0f, 0}, {0.0f, 0}, {0.95f, 0}, {0.96f, 1}, {1.0f, 1}, {0.6f, 1},
                                            {1.0f, 1}, {0.45f, 1}, {1.0f, 2}, {-1.0f, 1}, {-1.0f, 1}, {0.2f, 1}};
    int n = 0;
    for (auto [y, selected] : pushes) {
        axis(0, 1, y);
        EXPECT_EQ(core().mainMenu.selected, selected) << "push " << n++ << " y " << y;
    }

    core().gameState = GameState::Playing;
    axis(0, 1, 1.0f);
    core().gameState = GameState::MainMenu;
    axis(0, 1, 1.0f);
    EXPECT_EQ(core().mainMenu.selected, 1);
    axis(0, 1, 0.3f);
    axis(0, 1, 1.0f);
    EXPECT_EQ(core().mainMenu.selected, 2);
}

TEST_F(PadInput, PlayStationPadsAreKnownByExactNameAndCountAndStrayButtonsDoNothing) {
    plug({padNamed("PLAYSTATION(R)3 Controller", 4, 19), padNamed(" PLAYSTATION(R)3 Controller", 4, 19),
          padNamed("Wireless Controller", 6, 14), padNamed("Wireless Controller", 6, 13)});
    const bool expected[4] = {false, true, true, false};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(app->playStationPad[i], expected[i]) << i;
    EXPECT_FALSE(core().symbolPad);
    EXPECT_TRUE(core().playStationPads[1]);

    // A pad above 3 and a button outside the map move nothing.
    ofxGamepadButtonEvent event;
    event.button = app->buttonMap[0][vantorixPC::Down];
    app->handlePadButton(4, event, false, app->buttonMap[0]);
    event.button = 40;
    app->handlePadButton(0, event, false, app->buttonMap[0]);
    EXPECT_EQ(core().mainMenu.selected, 0);
}
