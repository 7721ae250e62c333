#include <gtest/gtest.h>

#include "CoreFixture.h"

using Calls = std::vector<std::string>;

class AppWindow : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        setUpApp();
        window.calls.clear();
    }
};

TEST_F(AppWindow, FirstThreeFramesFitASquareOfScreenHeightLess75) {
    for (int frame = 0; frame < 5; ++frame) {
        ofFixFrameNum(frame);
        app->update();
    }
    EXPECT_EQ(window.calls, (Calls{"shape 949x949", "shape 949x949", "shape 949x949"}));
    EXPECT_FLOAT_EQ(app->scale, 949.0f / 960.0f);
}

TEST_F(AppWindow, ResizeKeepsVirtualWidthsUpTo1800AndFullScreenScalesTheScreen) {
    window.width = 1200;
    window.height = 900;
    app->windowResized(1200, 900);
    EXPECT_FLOAT_EQ(app->scale, 0.9375f);
    EXPECT_EQ(app->core.screenWidth, 1280);
    EXPECT_EQ(app->core.mainMenu.itemRects[0].x, 1280 / 2 - 250);
    EXPECT_TRUE(window.calls.empty());
    // Wider than 1800 virtual units: the window is set back.
    app->windowResized(1500, 750);
    EXPECT_EQ(window.calls, (Calls{"shape 1200x900"}));
    // A window with no size leaves everything as it was.
    window.calls.clear();
    app->windowResized(0, 900);
    app->windowResized(700, -3);
    EXPECT_FLOAT_EQ(app->scale, 750.0f / 960.0f);
    EXPECT_EQ(app->core.screenWidth, 1280);
    EXPECT_TRUE(window.calls.empty());

    window.screenW = 1920;
    window.screenH = 1080;
    app->windowedScale = 0.75f;
    app->toggleFullscreen();
    EXPECT_EQ(window.calls, (Calls{"fullscreen on"}));
    EXPECT_FLOAT_EQ(app->scale, 1.125f);
    EXPECT_EQ(app->core.screenWidth, 1706);
    EXPECT_TRUE(app->core.optionsMenu.rows[OptionsMenu::FullScreen]);
    app->windowResized(1920, 1080);  // the full screen's own
    EXPECT_EQ(app->core.screenWidth, 1706);
    app->toggleFullscreen();
    EXPECT_FLOAT_EQ(app->scale, 0.75f);
    EXPECT_EQ(app->core.screenWidth, 960);
    EXPECT_FALSE(app->core.optionsMenu.rows[OptionsMenu::FullScreen]);
}

TEST_F(AppWindow, FrameRateRuleActsOnTheNinePreviousMeasurements) {
    const struct {
        float measured;
        Calls expected;
        int firstChangeAt;
    } cases[] = {{20, {"rate 35"}, 5}, {35, {"rate 30"}, 10}, {30, {}, -1}};
    app->core.splashActive = false;
    for (const auto& c : cases) {
        for (float& r : app->frameRateHistory) r = 30;
        window.frameRate = c.measured;
        window.calls.clear();
        int changedAt = -1;
        for (int i = 1; i <= 40 && changedAt < 0; ++i) {
            app->update();
            if (!window.calls.empty()) changedAt = i;
        }
        EXPECT_EQ(window.calls, c.expected) << c.measured;
        EXPECT_EQ(changedAt, c.firstChangeAt) << c.measured;
    }
}

TEST_F(AppWindow, KeysAndMouseDriveTheMenuInVirtualCoordinates) {
    app->core.splashActive = false;
    app->scale = 0.5f;
    auto beep = record(app->core.soundBank.menuBeep);
    auto confirm = record(app->core.soundBank.foeKill);
    app->keyPressed(357);  // up from the first item wraps to the last
    app->keyPressed(358);  // left and right do nothing in the menu
    app->keyPressed(27);   // Escape neither
    EXPECT_EQ(app->core.mainMenu.selected, 6);
    EXPECT_EQ(beep->plays, 1);
    // Item 2 spans y 544..616 in game units: 272..308 in window pixels.
    app->mouseMoved(240, 280);
    EXPECT_EQ(app->core.mainMenu.selected, 2);
    app->core.mainMenu.timer = 0.5f;
    app->mousePressed(240, 300, 2);
    EXPECT_FALSE(app->core.mainMenu.confirmed);
    app->mousePressed(240, 300, 0);
    EXPECT_TRUE(app->core.mainMenu.confirmed);
    EXPECT_EQ(confirm->plays, 1);
}

TEST_F(AppWindow, MusicDebugTextAfterTheScaledGame) {
    app->core.splashActive = false;
    app->musicDebugVisible = true;
    app->core.soundBank.musicVolume = 0.5f;
    recorder->reset();
    app->draw();
    const Calls calls = recorder->take();
    EXPECT_EQ(calls.front(), "pushMatrix()");
    EXPECT_EQ(Calls(calls.end() - 6, calls.end()),
              (Calls{"popMatrix()", "setFillMode(1)", "setColor(0,0,0,200)", "drawRectangle(0,0,0,960,45)",
                     "setColor(255,255,255,255)",
                     "drawString(\"Music Debug    vol: 0.5    pos: 0\n- reduce vol    + increase vol    0 - "
                     "pause/play\",10,15,0,4)"}));
}
