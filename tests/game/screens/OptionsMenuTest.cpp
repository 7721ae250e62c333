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

TEST(GoalPointDraw, OutlineFaintFillAndPulse) {
    auto recorder = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(recorder);
    recorder->take();
    ofFixElapsedTimef(12.5f);
    GoalPoint goal;
    goal.setup(10, 20, 60, nullptr);
    goal.draw();
    std::vector<std::string> calls;  // a faint fill, the outline, and the pulse ring at half alpha
    for (const std::string& c : recorder->take())
        if (c.rfind("setColor", 0) == 0 || c.rfind("drawCircle", 0) == 0) calls.push_back(c);
    EXPECT_EQ(calls, (std::vector<std::string>{"setColor(255,255,255,40)", "drawCircle(10,20,0,60)",
                                               "setColor(255,255,255,255)", "drawCircle(10,20,0,60)",
                                               "setColor(255,255,255,127)", "drawCircle(10,20,0,64.5)"}));
    EXPECT_TRUE(goal.contains(69, 20) && !goal.contains(70, 20));
    ofSetCurrentRenderer(nullptr);
    ofReleaseFixedClock();
}
