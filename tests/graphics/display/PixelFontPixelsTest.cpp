#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "FakeTessellator.h"
#include "GLTestWindow.h"
#include "PixelFont.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"

namespace {

class PixelFontPixels : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(960, 960);
        ofEnableAlphaBlending();
    }
};

::testing::AssertionResult near(const ofColor& got, int r, int g, int b) {
    if (std::abs(got.r - r) <= 1 && std::abs(got.g - g) <= 1 && std::abs(got.b - b) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << int(got.r) << ", " << int(got.g) << ", " << int(got.b)
                                         << ") want (" << r << ", " << g << ", " << b << ")";
}

}  // namespace

TEST_F(PixelFontPixels, TextCellsLandOnTheScaledGrid) {
    PixelFont font;
    font.setup(2.0f);
    ofSetColor(255, 255, 255, 255);
    font.drawString("HI", 1.5f, 100, 200);  // 3 pixels a cell, baseline at y 200
    const char* h[8] = {"X...X", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X", "X...X"};
    std::vector<std::string> expected;
    for (int py = 175; py < 202; ++py) {
        std::string row;
        for (int px = 98; px < 123; ++px) {
            float gx = (px + 0.5f - 100) / 3, gy = (py + 0.5f - 200) / 3;
            bool ink = false;
            int row8 = static_cast<int>(std::floor(gy)) + 8;
            if (row8 >= 0 && row8 < 8) {
                int col = static_cast<int>(std::floor(gx));
                if (col >= 0 && col < 5) ink = h[row8][col] == 'X';
                if (gx >= 5.8f && gx < 6.8f) ink = true;  // the I at pen 5.8
            }
            row += ink ? 'X' : '.';
        }
        expected.push_back(row);
    }
    EXPECT_EQ(GLTestWindow::mask(98, 175, 25, 27), expected);
    // Checks that do not depend on the loop above: the H's crossbar, the I's foot on the baseline.
    EXPECT_EQ(GLTestWindow::colours(100, 186, 16), "WWWWWWWWWWWWWWW.");
    EXPECT_EQ(GLTestWindow::colours(118, 198, 3, true), "WW.");
}

TEST_F(PixelFontPixels, TranslucentTextTintsEvenly) {
    PixelFont font;
    font.setup(1.0f);
    ofSetColor(0, 255, 0, 128);
    font.drawStringCentered("%&@BW", 4, 300, 300);
    std::set<int> greens;
    int inked = 0;
    for (int y = 250; y < 340; ++y) {
        for (int x = 200; x < 400; ++x) {
            ofColor c = GLTestWindow::pixel(x, y);
            if (c.g > 0) {
                greens.insert(c.g);
                ++inked;
            }
        }
    }
    EXPECT_GT(inked, 1000);
    EXPECT_EQ(greens, (std::set<int>{128}));
}

TEST_F(PixelFontPixels, TitleLogoReadsAsOneWordOnTheSecondLine) {
    FakeTessellator tessellator;  // fills convex outlines like the real one
    drawTitleLogo(480, 100, 2.0f, 1.0f);  // unit u at x -38 + 2u, y 100 + 2u
    std::string runs;  // colour runs across the letters' upper half, one letter each
    for (char c : GLTestWindow::colours(40, 461, 860))
        if (runs.empty() || runs.back() != c) runs += c;
    EXPECT_EQ(runs, ".W.W.?.W.W.W.W.W.W.W.W.W.W.W.");  // V, A, N, T, O, R, I, X
    for (const std::string& row : GLTestWindow::mask(0, 90, 960, 180))  // where a first line would stand
        ASSERT_EQ(row.find('X'), std::string::npos);
}

TEST_F(PixelFontPixels, TitleLogoStrokesOverlapAtJointsAndTheAccentCastsItsShadow) {
    FakeTessellator tessellator;
    drawTitleLogo(480, 100, 1.0f, 0.5f);  // unit u at x 221 + u, y 100 + u
    // White at alpha 127 on black: 127 once, 191 where two strokes overlap; the shadow at alpha 40.
    const int cells[][5] = {{521, 240, 127, 127, 127}, {642, 310, 127, 127, 127}, {530, 240, 191, 191, 191},
                            {558, 240, 191, 191, 191}, {558, 380, 191, 191, 191}, {474, 238, 191, 191, 191},
                            {670, 310, 191, 191, 191}, {316, 380, 191, 191, 191}, {391, 300, 4, 30, 37}};
    for (const auto& c : cells) EXPECT_TRUE(near(GLTestWindow::pixel(c[0], c[1]), c[2], c[3], c[4])) << c[0];
}
