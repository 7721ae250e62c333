#include <gtest/gtest.h>

#include "GoalPoint.h"
#include "OptionsMenu.h"
#include "RecordingRenderer.h"
#include "ScreenLayout.h"
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

namespace {

class OptionsMenuEntries : public testing::Test {
protected:
    void SetUp() override {
        ofFixFrameNum(0);
        menu.setup(&services.font, &services.sounds, 960, 960, ofColor(255, 255, 255, 255), &name);
        menu.open(false, false);
        beep = services.record(services.sounds.menuBeep);
    }
    void TearDown() override { ofReleaseFixedClock(); }
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
    std::shared_ptr<SoundCallCounter> beep;
};

}  // namespace

TEST_F(OptionsMenuEntries, TheCursorWrapsBothWaysWithABeepPerStep) {
    // step, cursor after, beeps so far
    const int steps[][3] = {{0, 0, 0},  {-1, 10, 1}, {-2, 8, 2}, {3, 0, 3},
                            {1, 1, 4},  {-13, 10, 5}, {23, 0, 6}, {-1, 10, 7}};
    for (const auto& s : steps) {
        menu.handleInput(s[0], 0, false, false);
        EXPECT_EQ(menu.cursor, s[1]) << s[0];
        EXPECT_EQ(beep->plays, s[2]) << s[0];
    }
}

TEST_F(OptionsMenuEntries, EntriesTogglesAndRequests) {
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

    // While the name is edited only confirm or back count, and either ends the edit, not the menu.
    for (bool confirm : {true, false}) {
        click(OptionsMenu::NameEntry);
        ASSERT_TRUE(menu.editingName);
        menu.nameReport = false;
        const int beeps = beep->plays;
        menu.handleInput(1, 1, false, false);
        EXPECT_TRUE(menu.editingName && !menu.nameReport && menu.cursor == OptionsMenu::NameEntry &&
                    beep->plays == beeps);
        menu.handleInput(0, 0, confirm, !confirm);
        EXPECT_TRUE(!menu.editingName && menu.nameReport && !menu.backReport) << confirm;
        EXPECT_EQ(menu.entryText(OptionsMenu::NameEntry), "Name: ACE");
    }
    click(OptionsMenu::BackEntry);
    EXPECT_TRUE(menu.backReport);
}
