#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "ofGraphics.h"
#include "ofImage.h"

namespace {

// Pixel (x, y) of the 4 x 2 test picture: every one different.
std::vector<int> pattern(int x, int y) { return {40 + x * 50, 30 + y * 90, 200 - x * 20 - y * 40}; }

class ImageDisplay : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(320, 240);
        ofSetColor(255, 255, 255);
        image.allocate(4, 2, OF_IMAGE_COLOR);
        for (int i = 0; i < 24; ++i) image.getPixels()[i] = static_cast<unsigned char>(pattern(i / 3 % 4, i / 12)[i % 3]);
        image.update();
    }
    ofImage image;
};

}  // namespace

// The game's screenshot road: a picture drawn at exact pixels, grabbed from
// the screen and saved as a PNG under the data folder, reads back equal.
TEST_F(ImageDisplay, DrawnPixelsAreGrabbedAndSavedAsPng) {
    image.draw(5, 6);
    ofImage grab;
    grab.grabScreen(4, 5, 6, 5);
    ASSERT_EQ(grab.getWidth() * 10 + grab.getHeight(), 65);
    EXPECT_EQ(grab.getImageType(), OF_IMAGE_COLOR);
    const unsigned char* p = grab.getPixels();
    for (int i = 0; i < 6 * 5; ++i) {
        const int x = i % 6 - 1, y = i / 6 - 1;
        const bool inside = x >= 0 && x < 4 && y >= 0 && y < 2;
        EXPECT_EQ((std::vector<int>{p[i * 3], p[i * 3 + 1], p[i * 3 + 2]}), inside ? pattern(x, y) : std::vector<int>(3, 0))
            << x << "," << y;
    }
    mkdir("data", 0755);
    mkdir("data/screencaps", 0755);
    grab.saveImage("screencaps/pic_1.png", OF_IMAGE_QUALITY_BEST);
    ofPixels back;
    ASSERT_TRUE(ofLoadImage(back, "screencaps/pic_1.png"));
    EXPECT_EQ(std::vector<unsigned char>(back.getPixels(), back.getPixels() + back.size()),
              std::vector<unsigned char>(p, p + 90));
    std::remove("data/screencaps/pic_1.png");
    // A size no block can have reads nothing.
    testing::internal::CaptureStderr();
    grab.grabScreen(0, 0, -4, 3);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[error] ofImage::grabScreen() couldn't grab -4x3 pixels\n");
}

TEST_F(ImageDisplay, ImagesWithoutATextureDrawNothing) {
    ofImage empty;
    testing::internal::CaptureStdout();
    empty.draw(5, 5, 10, 10);
    testing::internal::GetCapturedStdout();
    image.setUseTexture(false);
    image.draw(30, 30);
    EXPECT_EQ(GLTestWindow::colours(0, 30, 40) + GLTestWindow::colours(6, 6, 1), std::string(41, '.'));
}
