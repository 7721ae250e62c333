#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeTessellator.h"
#include "GLTestWindow.h"
#include "PixelFont.h"
#include "ofGraphics.h"

using GLTestWindow::colours;

TEST(PixelFontPixels, TextCellsLandOnTheScaledGrid) {
    GLTestWindow::openScreen(960, 960);
    PixelFont font;
    font.setup(2.0f);
    ofSetColor(255, 255, 255, 255);
    font.drawString("HI", 1.5f, 100, 200);  // 3 pixels a cell, baseline at y 200
    // The H's crossbar (row 3 of 8) with the I at pen 5.8 after it, and the I's foot on the baseline.
    EXPECT_EQ(colours(98, 186, 20) + colours(118, 198, 3, true), "..WWWWWWWWWWWWWWW..WWW.");
    EXPECT_EQ(colours(98, 183, 20), "..WWW.........WWW..W");
}

TEST(PixelFontPixels, TitleLogoReadsAsOneWordOnTheSecondLine) {
    GLTestWindow::openScreen(960, 960);
    FakeTessellator tessellator;  // fills convex outlines like the real one
    drawTitleLogo(480, 100, 2.0f, 1.0f);  // unit u at x -38 + 2u, y 100 + 2u
    std::string runs;  // colour runs across the letters' upper half, one letter each
    for (char c : colours(40, 461, 860))
        if (runs.empty() || runs.back() != c) runs += c;
    EXPECT_EQ(runs, ".W.W.?.W.W.W.W.W.W.W.W.W.W.W.");  // V, A, N, T, O, R, I, X
    std::vector<unsigned char> rgb(960 * 180 * 3);  // where a first line would stand: window rows 90 to 269
    glReadPixels(0, 960 - 270, 960, 180, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    EXPECT_LE(*std::max_element(rgb.begin(), rgb.end()), 127);
}
