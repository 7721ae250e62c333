#include <gtest/gtest.h>

#include "CoreFixture.h"

class AppWindow : public CoreFixture {};

// A window with no size leaves everything as it was.
TEST_F(AppWindow, ResizeKeepsVirtualWidthsUpTo1800AndFullScreenScalesTheScreen) {
    window.calls.clear();
    window.width = 1200;
    window.height = 900;
    app->windowResized(1200, 900);
    EXPECT_FLOAT_EQ(app->scale, 0.9375f);
    EXPECT_EQ(core().screenWidth, 1280);
    // Wider than 1800 virtual units: the window is set back.
    app->windowResized(1500, 750);
    app->windowResized(0, 900);
    app->windowResized(700, -3);
    EXPECT_FLOAT_EQ(app->scale, 750.0f / 960.0f);
    EXPECT_EQ(core().screenWidth, 1280);

    window.screenW = 1920;
    window.screenH = 1080;
    app->windowedScale = 0.75f;
    app->toggleFullscreen();
    EXPECT_EQ(window.calls, (Calls{"shape 1200x900", "fullscreen on"}));
    EXPECT_FLOAT_EQ(app->scale, 1.125f);
    EXPECT_EQ(core().screenWidth, 1706);
    app->windowResized(1920, 1080);  // the full screen's own
    EXPECT_EQ(core().screenWidth, 1706);
    app->toggleFullscreen();
    EXPECT_FLOAT_EQ(app->scale, 0.75f);
    EXPECT_EQ(core().screenWidth, 960);
}
