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
    void click(int entry) {
        const ofRectangle box =
            ScreenLayout::button(services.font, menu.entryText(entry), 4, 480, ScreenLayout::entryY(entry));
        menu.mousePressed(static_cast<int>(box.x + box.width / 2), static_cast<int>(box.y + box.height / 2));
    }
    std::string texts() const {
        std::string all;
        for (int i = 0; i < OptionsMenu::EntryCount; ++i) all += menu.entryText(i) + "|";
        return all;
    }

    Services services;
    std::string name = "ACE";
    OptionsMenu menu;
};

}  // namespace

TEST_F(OptionsMenuTest, EntriesTogglesAndRequests) {
    menu.handleInput(1, 0, true, false);  // within the first 0.4 s nothing counts
    menu.handleInput(0, 1, false, true);  // but sideways toggles
    EXPECT_TRUE(menu.rows[OptionsMenu::MusicMute] && !menu.backReport);
    menu.update(0.41f);
    menu.handleInput(0, 0, true, false);
    menu.handleInput(-2, 0, false, false);
    EXPECT_EQ(OptionsMenu::BackEntry, menu.cursor);
    for (int row : {OptionsMenu::FullScreen, OptionsMenu::Remap, OptionsMenu::SeeStats, OptionsMenu::Credits,
                    OptionsMenu::AutoSubmit, OptionsMenu::Remap})  // a request is not a toggle
        click(row);
    EXPECT_EQ(texts(), "Mute Sound: OFF|Mute Music: OFF|Full Screen: ON|Remap Controllers|Colour Blind: OFF|"
                       "Send Global Stats: OFF|See Stats|Credits|Auto Submit: ON|Name: ACE|Back|");
    EXPECT_TRUE(menu.rows[OptionsMenu::Remap] && menu.rows[OptionsMenu::SeeStats] && menu.rows[OptionsMenu::Credits]);
    menu.clearButtonRows();
    EXPECT_FALSE(menu.rows[OptionsMenu::Remap] || menu.rows[OptionsMenu::SeeStats] || menu.rows[OptionsMenu::Credits]);
    EXPECT_TRUE(menu.rows[OptionsMenu::FullScreen] && menu.rows[OptionsMenu::AutoSubmit]);

    click(OptionsMenu::NameEntry);
    EXPECT_TRUE(menu.editingName);
    menu.handleInput(0, 0, false, true);  // back ends the edit, not the menu
    EXPECT_FALSE(menu.editingName || menu.backReport);
    click(OptionsMenu::BackEntry);
    EXPECT_TRUE(menu.backReport);
}

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
