#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeTessellator.h"
#include "GLTestWindow.h"
#include "PixelFont.h"

using GLTestWindow::colours;

TEST(TitleLogo, ReadsAsOneWordOnTheSecondLine) {
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
