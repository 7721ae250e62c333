#include <gtest/gtest.h>

#include <tuple>

#include "CoreFixture.h"

class AppWindow : public CoreFixture {};

TEST_F(AppWindow, ResizeKeepsVirtualWidthsUpTo1800AndFullScreenScalesTheScreen) {
    window.calls.clear();
    window.width = 1200;
    window.height = 900;
    app->windowResized(1200, 900);
    EXPECT_FLOAT_EQ(app->scale, 0.9375f);
    EXPECT_EQ(core().screenWidth, 1280);
    EXPECT_TRUE(window.calls.empty());
    // Wider than 1800 virtual units: the window is set back.
    app->windowResized(1500, 750);
    EXPECT_EQ(window.calls, (Calls{"shape 1200x900"}));
    // A window with no size leaves everything as it was.
    window.calls.clear();
    app->windowResized(0, 900);
    app->windowResized(700, -3);
    EXPECT_FLOAT_EQ(app->scale, 750.0f / 960.0f);
    EXPECT_EQ(core().screenWidth, 1280);
    EXPECT_TRUE(window.calls.empty());

    window.screenW = 1920;
    window.screenH = 1080;
    app->windowedScale = 0.75f;
    app->toggleFullscreen();
    EXPECT_EQ(window.calls, (Calls{"fullscreen on"}));
    EXPECT_FLOAT_EQ(app->scale, 1.125f);
    EXPECT_EQ(core().screenWidth, 1706);
    app->windowResized(1920, 1080);  // the full screen's own
    EXPECT_EQ(core().screenWidth, 1706);
    app->toggleFullscreen();
    EXPECT_FLOAT_EQ(app->scale, 0.75f);
    EXPECT_EQ(core().screenWidth, 960);
}

TEST_F(AppWindow, FrameRateRuleActsOnTheNinePreviousMeasurements) {
    for (auto [measured, change, at] : {std::tuple{20.0f, "rate 35", 5}, {35.0f, "rate 30", 10}, {30.0f, "", -1}}) {
        for (float& r : app->frameRateHistory) r = 30;
        window.frameRate = measured;
        window.calls.clear();
        int changedAt = -1;
        for (int i = 1; i <= 40 && changedAt < 0; ++i) {
            app->update();
            if (!window.calls.empty()) changedAt = i;
        }
        EXPECT_EQ(changedAt, at) << measured;
        EXPECT_EQ(window.calls, at < 0 ? Calls{} : Calls{change}) << measured;
    }
}
