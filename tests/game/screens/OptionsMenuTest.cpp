#include <gtest/gtest.h>

#include "GoalPoint.h"
#include "OptionsMenu.h"
#include "RecordingRenderer.h"
#include "ScreenLayout.h"
#include "ScreensTestSupport.h"
#include "ofGraphics.h"

using namespace screens_test;

namespace {

class OptionsMenuTest : public testing::Test {
protected:
    void SetUp() override {
        ofFixFrameNum(0);
        menu.setup(&services.font, &services.sounds, 960, 960, ofColor(255, 255, 255, 255), &name);
        menu.open(false, false);
    }
    void TearDown() override {
        ofSetCurrentRenderer(nullptr);
        ofReleaseFixedClock();
    }

    Services services;
    std::string name = "ACE";
    OptionsMenu menu;
};

}  // namespace

TEST_F(OptionsMenuTest, CreditsWarningAndRemapperTakeTheInput) {
    menu.update(0.5f);
    menu.openCreditsWarning();
    menu.handleInput(0, 0, true, false);
    EXPECT_FALSE(menu.creditsWarningOpen || menu.creditsConfirmed);
    menu.openCreditsWarning();
    menu.handleInput(1, 0, true, false);
    EXPECT_TRUE(menu.creditsConfirmed);

    menu.openRemap();
    EXPECT_TRUE(menu.controllerMapper.controllerListRequest);
    menu.controllerMapper.addController("DONE", 0, 0);
    menu.handleInput(0, 0, false, true);
    EXPECT_TRUE(menu.controllerMapper.leave && !menu.backReport);
    menu.update(0.03f);
    EXPECT_FALSE(menu.controllerMapper.isOpen);
}

TEST_F(OptionsMenuTest, DrawsTitleAndEntriesAtTheirPlacesAndAlphas) {
    auto recorder = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(recorder);
    recorder->take();
    menu.cursor = 2;
    menu.draw(200);
    std::vector<std::string> colours, places;
    for (const std::string& c : recorder->take()) {
        if (c.rfind("setColor(", 0) == 0) colours.push_back(c);
        if (c.rfind("translate(", 0) == 0) places.push_back(c);
    }
    ASSERT_TRUE(colours.size() == 12u && places.size() == 12u);
    EXPECT_EQ(colours[0] + colours[1] + colours[3],
              "setColor(255,255,255,200)setColor(255,255,255,100)setColor(255,255,255,200)");
    char expected[80];
    snprintf(expected, sizeof expected, "translate(%g,150,0)",
             std::trunc(480 - services.font.getStringWidth("OPTIONS", 8.5f) / 2));
    EXPECT_EQ(expected, places[0]);
    snprintf(expected, sizeof expected, "translate(%g,900,0)",
             std::trunc(480 - services.font.getStringWidth("Back", 4) / 2));
    EXPECT_EQ(expected, places[11]);
}

TEST(GoalPointDraw, OutlineFaintFillAndPulse) {
    auto recorder = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(recorder);
    recorder->take();
    ofFixElapsedTimef(12.5f);
    GoalPoint goal;
    goal.setup(10, 20, 60, nullptr);
    goal.draw();
    std::vector<std::string> calls;
    for (const std::string& c : recorder->take())
        if (c.rfind("setColor", 0) == 0 || c.rfind("drawCircle", 0) == 0) calls.push_back(c);
    EXPECT_EQ(
        (std::vector<std::string>{"setColor(255,255,255,40)", "drawCircle(10,20,0,60)", "setColor(255,255,255,255)",
                                  "drawCircle(10,20,0,60)", "setColor(255,255,255,127)", "drawCircle(10,20,0,64.5)"}),
        calls);
    EXPECT_TRUE(goal.contains(69, 20) && !goal.contains(70, 20));
    ofSetCurrentRenderer(nullptr);
    ofReleaseFixedClock();
}
