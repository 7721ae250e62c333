#include <gtest/gtest.h>

#include "GameWindowFixture.h"
#include "ofImage.h"

namespace fs = std::filesystem;

class CoreDrawPixels : public GameWindowFixture {
protected:
    void SetUp() override {
        GameWindowFixture::SetUp();
        core().gameState = GameState::Playing;
        core().gameMode = GameMode::Easy;
        core().backgroundColor = core().modeColors[static_cast<int>(GameMode::Easy)];
    }
    static std::string rgb(const ofColor& c) {
        return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
    }
};

// The frame without tiles stands on the mode's colour.
TEST_F(CoreDrawPixels, AMissingFolderIsLoggedAndPlayGoesOn) {
    app->screenshotRequested = true;
    CapturedOutput out = captureOutput([&] { app->draw(); });
    EXPECT_NE(out.err.find("couldn't save image to \"data/screencaps/pic_"), std::string::npos) << out.err;
    EXPECT_FALSE(app->screenshotRequested);
    EXPECT_FALSE(fs::exists(home / "data/screencaps"));
    app->draw();
    for (auto [x, y] : {std::pair<int, int>{3, 3}, {956, 20}, {40, 950}}) {
        EXPECT_EQ(rgb(GLTestWindow::pixel(x, y)), "29,26,35") << x << "," << y;
    }
}
