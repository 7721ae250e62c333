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

TEST_F(CoreDrawPixels, AScreenshotSavesTheFrameAsDrawn) {
    fs::create_directories(home / "data/screencaps");
    core().players[0].score = 4321;
    core().debugOverlay = true;
    app->screenshotRequested = true;
    app->draw();
    EXPECT_FALSE(app->screenshotRequested);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(home / "data/screencaps")) files.push_back(entry.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].filename().string().rfind("pic_", 0), 0u) << files[0];
    EXPECT_EQ(files[0].extension(), ".png");
    ofPixels saved;
    ASSERT_TRUE(ofLoadImage(saved, files[0].string()));
    ASSERT_TRUE(saved.getWidth() == 960 && saved.getHeight() == 960);
    const int channels = saved.getBytesPerPixel();
    for (int y = 0; y < 960; y += 7) {
        for (int x = 0; x < 960; x += 5) {
            const unsigned char* p = saved.getPixels() + (y * 960 + x) * channels;
            ASSERT_EQ(rgb(ofColor(p[0], p[1], p[2])), rgb(GLTestWindow::pixel(x, y))) << x << "," << y;
        }
    }
}

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
