#include <gtest/gtest.h>

#include <algorithm>

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
    void click(int entry) {
        const ofRectangle box = ScreenLayout::button(services.font, menu.entryText(entry), 4, 480,
                                                     ScreenLayout::entryY(entry));
        menu.mousePressed(static_cast<int>(box.x + box.width / 2), static_cast<int>(box.y + box.height / 2));
    }

    Services services;
    std::string name = "ACE";
    OptionsMenu menu;
};

}  // namespace

TEST_F(OptionsMenuTest, EntriesTogglesAndRequests) {
    const char* const texts[OptionsMenu::EntryCount] = {
        "Mute Sound: OFF", "Mute Music: OFF", "Full Screen: OFF", "Remap Controllers", "Colour Blind: OFF",
        "Send Global Stats: OFF", "See Stats", "Credits", "Auto Submit: OFF", "Name: ACE", "Back"};
    for (int i = 0; i < OptionsMenu::EntryCount; ++i) EXPECT_EQ(texts[i], menu.entryText(i));

    menu.handleInput(1, 0, true, false);
    EXPECT_FALSE(menu.rows[OptionsMenu::MusicMute]);
    menu.handleInput(0, 1, false, true);
    EXPECT_TRUE(menu.rows[OptionsMenu::MusicMute]);
    EXPECT_FALSE(menu.backReport);
    menu.update(0.41f);
    menu.handleInput(0, 0, true, false);
    EXPECT_EQ("Mute Music: OFF", menu.entryText(OptionsMenu::MusicMute));
    menu.handleInput(-2, 0, false, false);
    EXPECT_EQ(OptionsMenu::BackEntry, menu.cursor);

    for (int row : {OptionsMenu::FullScreen, OptionsMenu::Remap, OptionsMenu::SeeStats, OptionsMenu::Credits,
                    OptionsMenu::AutoSubmit})
        click(row);
    EXPECT_EQ("Full Screen: ON", menu.entryText(OptionsMenu::FullScreen));
    EXPECT_TRUE(menu.rows[OptionsMenu::Remap] && menu.rows[OptionsMenu::SeeStats] && menu.rows[OptionsMenu::Credits]);
    click(OptionsMenu::Remap);
    EXPECT_TRUE(menu.rows[OptionsMenu::Remap]) << "a request is not a toggle";
    menu.clearButtonRows();
    EXPECT_FALSE(menu.rows[OptionsMenu::Remap] || menu.rows[OptionsMenu::SeeStats] || menu.rows[OptionsMenu::Credits]);
    EXPECT_TRUE(menu.rows[OptionsMenu::FullScreen] && menu.rows[OptionsMenu::AutoSubmit]);

    click(OptionsMenu::NameEntry);
    EXPECT_TRUE(menu.editingName);
    menu.handleInput(0, 0, false, true);
    EXPECT_FALSE(menu.editingName);
    EXPECT_FALSE(menu.backReport);
    click(OptionsMenu::BackEntry);
    EXPECT_TRUE(menu.backReport);
}

TEST_F(OptionsMenuTest, CreditsWarningAndRemapperTakeTheInput) {
    menu.update(0.5f);
    menu.openCreditsWarning();
    menu.handleInput(0, 0, true, false);
    EXPECT_FALSE(menu.creditsWarningOpen);
    EXPECT_FALSE(menu.creditsConfirmed);
    menu.openCreditsWarning();
    menu.handleInput(1, 0, true, false);
    EXPECT_TRUE(menu.creditsConfirmed);

    menu.openRemap();
    EXPECT_TRUE(menu.controllerMapper.controllerListRequest);
    menu.controllerMapper.addController("DONE", 0, 0);
    menu.handleInput(0, 0, false, true);
    EXPECT_TRUE(menu.controllerMapper.leave);
    EXPECT_FALSE(menu.backReport);
    menu.update(0.03f);
    EXPECT_FALSE(menu.controllerMapper.isOpen);
}

TEST_F(OptionsMenuTest, DrawsTitleAndEntriesAtTheirPlacesAndAlphas) {
    auto recorder = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(recorder);
    recorder->take();
    menu.cursor = 2;
    menu.draw(200);
    const std::vector<std::string> calls = recorder->take();
    std::vector<std::string> colours, places;
    for (const std::string& c : calls) {
        if (c.rfind("setColor(", 0) == 0) colours.push_back(c);
        if (c.rfind("translate(", 0) == 0) places.push_back(c);
    }
    ASSERT_EQ(12u, colours.size());
    EXPECT_EQ("setColor(255,255,255,200)", colours[0]);
    EXPECT_EQ("setColor(255,255,255,100)", colours[1]);
    EXPECT_EQ("setColor(255,255,255,200)", colours[3]);
    ASSERT_EQ(12u, places.size());
    const float titleWidth = services.font.getStringWidth("OPTIONS", 8.5f);
    char expected[80];
    snprintf(expected, sizeof expected, "translate(%g,%g,%g)", std::trunc(480 - titleWidth / 2), 150.0, 0.0);
    EXPECT_EQ(expected, places[0]);
    const float backWidth = services.font.getStringWidth("Back", 4);
    snprintf(expected, sizeof expected, "translate(%g,%g,%g)", std::trunc(480 - backWidth / 2), 900.0, 0.0);
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
    EXPECT_EQ((std::vector<std::string>{"setColor(255,255,255,40)", "drawCircle(10,20,0,60)",
                                        "setColor(255,255,255,255)", "drawCircle(10,20,0,60)",
                                        "setColor(255,255,255,127)", "drawCircle(10,20,0,64.5)"}),
              calls);
    EXPECT_TRUE(goal.contains(69, 20));
    EXPECT_FALSE(goal.contains(70, 20));
    ofSetCurrentRenderer(nullptr);
    ofReleaseFixedClock();
}
