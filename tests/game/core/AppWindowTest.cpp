#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "SteamLayer.h"
#include "ofEvents.h"

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
    EXPECT_FLOAT_EQ(app->windowedScale, app->scale);
}

TEST_F(AppWindow, ResizeKeepsVirtualWidthsUpTo1800AndSetsWiderWindowsBack) {
    window.width = 1200;
    window.height = 900;
    app->windowResized(1200, 900);
    EXPECT_FLOAT_EQ(app->scale, 0.9375f);
    EXPECT_EQ(app->core.screenWidth, 1280);
    EXPECT_EQ(app->core.mainMenu.width, 1280);
    EXPECT_EQ(app->core.mainMenu.itemRects[0].x, 1280 / 2 - 250);
    EXPECT_EQ(app->windowWidth, 1200);
    EXPECT_EQ(app->windowHeight, 900);
    EXPECT_TRUE(window.calls.empty());

    app->windowResized(1500, 750);
    EXPECT_EQ(window.calls, (Calls{"shape 1200x900"}));
    EXPECT_EQ(app->core.screenWidth, 1280);

    // A window with no size leaves everything as it was.
    window.calls.clear();
    app->windowResized(0, 900);
    app->windowResized(700, -3);
    EXPECT_FLOAT_EQ(app->scale, 750.0f / 960.0f);
    EXPECT_EQ(app->core.screenWidth, 1280);
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(AppWindow, FullScreenOn1920x1080ScalesBy1125AndLeavingRestoresTheWindow) {
    window.screenW = 1920;
    window.screenH = 1080;
    app->windowedScale = 0.75f;
    auto beep = record(app->core.soundBank.menuBeep);

    app->toggleFullscreen();
    EXPECT_EQ(window.calls, (Calls{"fullscreen on"}));
    EXPECT_FLOAT_EQ(app->scale, 1.125f);
    EXPECT_EQ(app->core.screenWidth, 1706);
    EXPECT_TRUE(app->core.fullScreen);
    EXPECT_TRUE(app->core.optionsMenu.rows[OptionsMenu::FullScreen]);
    EXPECT_EQ(beep->plays, 1);

    // Resizes while in full screen are the full screen's own.
    app->windowResized(1920, 1080);
    EXPECT_EQ(app->core.screenWidth, 1706);

    app->toggleFullscreen();
    EXPECT_FLOAT_EQ(app->scale, 0.75f);
    EXPECT_EQ(app->core.screenWidth, 960);
    EXPECT_FALSE(app->core.optionsMenu.rows[OptionsMenu::FullScreen]);
}

TEST_F(AppWindow, FrameRateRuleActsOnTheNinePreviousMeasurements) {
    struct Case {
        float measured;
        int updates;
        Calls expected;
        int firstChangeAt;
    };
    const Case cases[] = {{20, 12, {"rate 35"}, 5}, {35, 12, {"rate 30"}, 10}, {30, 40, {}, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.measured);
        for (float& r : app->frameRateHistory) r = 30;
        app->core.splashActive = false;
        window.frameRate = c.measured;
        window.calls.clear();
        int changedAt = -1;
        for (int i = 1; i <= c.updates; ++i) {
            app->update();
            if (changedAt < 0 && !window.calls.empty()) changedAt = i;
            // Only the first change matters here; a steady rate keeps asking
            // for the same target.
            if (changedAt > 0) break;
        }
        EXPECT_EQ(window.calls, c.expected);
        EXPECT_EQ(changedAt, c.firstChangeAt);
    }
}

TEST_F(AppWindow, KeysAndMouseDriveTheMenuInVirtualCoordinates) {
    app->core.splashActive = false;
    app->scale = 0.5f;
    auto beep = record(app->core.soundBank.menuBeep);
    auto confirm = record(app->core.soundBank.foeKill);

    app->keyPressed(357);  // up from the first item wraps to the last
    EXPECT_EQ(app->core.mainMenu.selected, 6);
    app->keyPressed(358);  // left and right do nothing in the menu
    app->keyPressed(27);   // Escape neither
    EXPECT_EQ(app->core.mainMenu.selected, 6);
    EXPECT_EQ(beep->plays, 1);

    // Item 2 spans y 544..616 in game units: 272..308 in window pixels.
    app->mouseMoved(240, 280);
    EXPECT_EQ(app->core.mainMenu.selected, 2);
    app->mouseDragged(240, 300, 0);
    EXPECT_EQ(beep->plays, 2);

    app->core.mainMenu.timer = 0.5f;
    app->mousePressed(240, 300, 2);
    EXPECT_FALSE(app->core.mainMenu.confirmed);
    app->mousePressed(240, 300, 0);
    EXPECT_TRUE(app->core.mainMenu.confirmed);
    EXPECT_EQ(confirm->plays, 1);
}

TEST_F(AppWindow, CtrlQExitsWithStatusZeroOnceTheSplashIsOver) {
    app->keyPressed(17);
    app->core.splashActive = false;
    EXPECT_EXIT(app->keyPressed(17), testing::ExitedWithCode(0), "");
}
