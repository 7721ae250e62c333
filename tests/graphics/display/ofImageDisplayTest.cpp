#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "ofGraphics.h"
#include "ofImage.h"

namespace {

// What an action writes to standard output and standard error.
std::string captured(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    action();
    fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    return out + testing::internal::GetCapturedStderr();
}

// Pixel (x, y) of the test pictures: every one different.
ofColor patternColour(int x, int y) {
    return ofColor(static_cast<unsigned char>(40 + x * 50), static_cast<unsigned char>(30 + y * 90),
                   static_cast<unsigned char>(200 - x * 20 - y * 40), 255);
}

// A 4 x 2 colour picture of the pattern.
void fillPattern(ofImage& image) {
    image.allocate(4, 2, OF_IMAGE_COLOR);
    unsigned char* p = image.getPixels();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x, p += 3) {
            ofColor c = patternColour(x, y);
            p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    image.update();
}

::testing::AssertionResult same(const ofColor& got, const ofColor& want) {
    if (got.r == want.r && got.g == want.g && got.b == want.b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << int(got.r) << "," << int(got.g) << "," << int(got.b)
                                         << ") want (" << int(want.r) << "," << int(want.g) << "," << int(want.b)
                                         << ")";
}

// The 4 x 2 pattern must appear with its top-left pixel at (x, y).
void expectPatternAt(int x, int y) {
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(same(GLTestWindow::pixel(x + i, y + j), patternColour(i, j))) << "pixel " << i << "," << j;
    const ofColor black(0, 0, 0, 255);
    EXPECT_TRUE(same(GLTestWindow::pixel(x - 1, y), black));
    EXPECT_TRUE(same(GLTestWindow::pixel(x + 4, y + 1), black));
    EXPECT_TRUE(same(GLTestWindow::pixel(x, y - 1), black));
    EXPECT_TRUE(same(GLTestWindow::pixel(x + 3, y + 2), black));
}

class ImageDisplay : public testing::Test {
protected:
    void SetUp() override {
        mkdir("data", 0755);
        GLTestWindow::openScreen(320, 240);
        ofSetColor(255, 255, 255);
    }
};

}  // namespace

TEST_F(ImageDisplay, DrawsAtExactPixelsWithAnchorsSizesAndTint) {
    ofImage image;
    fillPattern(image);
    image.draw(10, 20);
    expectPatternAt(10, 20);

    image.setAnchorPercent(0.5f, 0.5f);
    image.draw(60, 40);
    expectPatternAt(58, 39);
    image.resetAnchor();

    // Twice the size: every source pixel covers a 2 x 2 block at the corners.
    image.draw(10, 100, 8, 4);
    EXPECT_TRUE(same(GLTestWindow::pixel(10, 100), patternColour(0, 0)));
    EXPECT_TRUE(same(GLTestWindow::pixel(17, 103), patternColour(3, 1)));
    EXPECT_TRUE(same(GLTestWindow::pixel(18, 103), ofColor(0, 0, 0)));

    // The current colour tints the picture.
    ofImage white;
    white.allocate(2, 2, OF_IMAGE_COLOR);
    for (int i = 0; i < 12; ++i) white.getPixels()[i] = 255;
    white.update();
    ofSetColor(255, 0, 0);
    white.draw(200, 200);
    EXPECT_EQ(GLTestWindow::colours(199, 201, 4), ".RR.");
}

TEST_F(ImageDisplay, ImagesWithoutATextureDrawNothing) {
    ofImage empty;
    EXPECT_EQ(captured([&] { empty.draw(5, 5, 10, 10); }),
              "[warning] ofGLRenderer::draw(): texture is not allocated\n");

    ofImage hidden;
    fillPattern(hidden);
    hidden.setUseTexture(false);
    EXPECT_EQ(captured([&] { hidden.draw(30, 30); }), "");
    EXPECT_EQ(GLTestWindow::colours(0, 30, 40) + GLTestWindow::colours(6, 6, 1), std::string(41, '.'));
}

TEST_F(ImageDisplay, ScreenGrabMatchesTheDrawingAndSavesAsPng) {
    ofSetColor(255, 0, 0);
    ofRect(5, 6, 3, 2);
    ofSetColor(0, 0, 255);
    ofRect(9, 9, 1, 1);
    ofSetColor(255, 255, 255);

    ofImage grab;
    grab.grabScreen(4, 5, 6, 5);
    ASSERT_EQ(grab.getWidth(), 6);
    ASSERT_EQ(grab.getHeight(), 5);
    EXPECT_EQ(grab.getImageType(), OF_IMAGE_COLOR);
    auto expected = [](int px, int py) {
        if (px >= 5 && px <= 7 && py >= 6 && py <= 7) return ofColor(255, 0, 0);
        if (px == 9 && py == 9) return ofColor(0, 0, 255);
        return ofColor(0, 0, 0);
    };
    ofPixels& pix = grab.getPixelsRef();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const unsigned char* p = pix.getPixels() + (y * 6 + x) * 3;
            EXPECT_TRUE(same(ofColor(p[0], p[1], p[2]), expected(4 + x, 5 + y))) << x << "," << y;
        }

    // The game's screenshot road: a PNG under the data folder, read back equal.
    mkdir("data/screencaps", 0755);
    EXPECT_EQ(captured([&] { grab.saveImage("screencaps/pic_1.png", OF_IMAGE_QUALITY_BEST); }), "");
    ofPixels back;
    ASSERT_TRUE(ofLoadImage(back, "screencaps/pic_1.png"));
    ASSERT_EQ(back.size(), pix.size());
    EXPECT_TRUE(std::equal(back.getPixels(), back.getPixels() + back.size(), pix.getPixels()));
    std::remove("data/screencaps/pic_1.png");

    // A size no block can have reads nothing.
    EXPECT_EQ(captured([&] { grab.grabScreen(0, 0, -4, 3); }),
              "[error] ofImage::grabScreen() couldn't grab -4x3 pixels\n");
}
