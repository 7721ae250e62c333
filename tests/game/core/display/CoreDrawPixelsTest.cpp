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
    std::vector<fs::path> shots() {
        std::vector<fs::path> found;
        if (!fs::exists(home / "data/screencaps")) return found;
        for (const auto& entry : fs::directory_iterator(home / "data/screencaps")) found.push_back(entry.path());
        return found;
    }
    static std::string rgb(const ofColor& c) {
        return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
    }
};

TEST_F(CoreDrawPixels, AnEasyRoundWithoutTilesStandsOnItsModeColour) {
    app->draw();
    for (auto [x, y] : {std::pair<int, int>{3, 3}, {956, 20}, {40, 950}, {900, 900}}) {
        EXPECT_EQ(rgb(GLTestWindow::pixel(x, y)), "29,26,35") << x << "," << y;
    }

    // The grid lights some cells with a darker shade of the same colour.
    core().backgroundTiles = true;
    app->draw();
    int darker = 0;
    for (int x = 0; x < 960; x += 32) {
        ofColor c = GLTestWindow::pixel(x, 3);
        if (c.r < 29 && c.b < 35) ++darker;
        EXPECT_LE(c.b, 35) << x;
    }
    EXPECT_GT(darker, 0);
}

TEST_F(CoreDrawPixels, AScreenshotSavesTheFrameAsDrawn) {
    fs::create_directories(home / "data/screencaps");
    core().players[0].score = 4321;
    core().debugOverlay = true;
    app->screenshotRequested = true;
    app->draw();
    EXPECT_FALSE(app->screenshotRequested);
    std::vector<fs::path> files = shots();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].filename().string().rfind("pic_", 0), 0u) << files[0];
    EXPECT_EQ(files[0].extension(), ".png");

    ofPixels saved;
    ASSERT_TRUE(ofLoadImage(saved, files[0].string()));
    ASSERT_EQ(saved.getWidth(), 960);
    ASSERT_EQ(saved.getHeight(), 960);
    const int channels = saved.getBytesPerPixel();
    int compared = 0;
    for (int y = 0; y < 960; y += 7) {
        for (int x = 0; x < 960; x += 5) {
            const unsigned char* p = saved.getPixels() + (y * 960 + x) * channels;
            ASSERT_EQ(rgb(ofColor(p[0], p[1], p[2])), rgb(GLTestWindow::pixel(x, y))) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 20000);

    // Animation frames are taken on even frames only.
    app->gifCapture = true;
    ofFixFrameNum(11);
    app->draw();
    EXPECT_EQ(shots().size(), 1u);
    ofFixFrameNum(12);
    app->draw();
    files = shots();
    ASSERT_EQ(files.size(), 2u);
    int gif = 0;
    for (const fs::path& f : files) gif += f.filename().string().rfind("gifready_", 0) == 0;
    EXPECT_EQ(gif, 1);
}

TEST_F(CoreDrawPixels, AMissingFolderIsLoggedAndPlayGoesOn) {
    app->screenshotRequested = true;
    CapturedOutput out = captureOutput([&] { app->draw(); });
    EXPECT_NE(out.err.find("couldn't save image to \"data/screencaps/pic_"), std::string::npos) << out.err;
    EXPECT_FALSE(app->screenshotRequested);
    EXPECT_FALSE(fs::exists(home / "data/screencaps"));
    app->draw();
    EXPECT_EQ(GLTestWindow::pixel(3, 3).b, 35);
}

TEST_F(CoreDrawPixels, TheSplashCoversEverythingWithItsWarning) {
    core().splashActive = true;
    core().splashTime = 1;
    core().gameState = GameState::MainMenu;
    app->draw();
    int white = 0;
    std::string row = GLTestWindow::colours(0, 480, 960);
    for (char c : row) white += c == 'W';
    EXPECT_GT(white, 50) << row;
    EXPECT_EQ(GLTestWindow::colours(0, 300, 960), std::string(960, '.'));
}
