#include <gtest/gtest.h>

#include "GoalPoint.h"
#include "OptionsMenu.h"
#include "RecordingRenderer.h"
#include "ScreensTestSupport.h"
#include "ofGraphics.h"

using namespace screens_test;

// From a round the credits ask first: the first choice stays, the second goes on.
TEST(OptionsMenuTest, TheCreditsWarningGoesOnOnlyOnTheSecondChoice) {
    Services services;
    std::string name;
    OptionsMenu menu;
    menu.setup(&services.font, &services.sounds, 960, 960, ofColor(255, 255, 255, 255), &name);
    menu.open(false, false);
    menu.update(0.5f);
    menu.openCreditsWarning();
    menu.handleInput(0, 0, true, false);
    EXPECT_FALSE(menu.creditsWarningOpen || menu.creditsConfirmed);
    menu.openCreditsWarning();
    menu.handleInput(1, 0, true, false);
    EXPECT_TRUE(menu.creditsConfirmed);
}
