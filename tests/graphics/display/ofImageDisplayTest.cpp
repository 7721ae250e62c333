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

namespace {

// "" when the picture shows with its top-left corner at (x, y), each source
// pixel a scale x scale block (checked at the corners), black around it.
std::string shownAt(int x, int y, int scale) {
    std::string wrong;
    auto expect = [&](int px, int py, std::vector<int> want) {
        const ofColor c = GLTestWindow::pixel(px, py);
        if (std::vector<int>{c.r, c.g, c.b} != want) wrong += " (" + std::to_string(px) + "," + std::to_string(py) + ")";
    };
    for (int sy = 0; sy < 2; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            if (scale == 1) expect(x + sx, y + sy, pattern(sx, sy));
        }
    if (scale > 1) {
        expect(x, y, pattern(0, 0));
        expect(x + 4 * scale - 1, y, pattern(3, 0));
        expect(x, y + 2 * scale - 1, pattern(0, 1));
        expect(x + 4 * scale - 1, y + 2 * scale - 1, pattern(3, 1));
    }
    expect(x - 1, y, {0, 0, 0});
    expect(x, y - 1, {0, 0, 0});
    expect(x + 4 * scale, y + 2 * scale - 1, {0, 0, 0});
    expect(x + 4 * scale - 1, y + 2 * scale, {0, 0, 0});
    return wrong;
}

}  // namespace

// The anchor goes to the picture's texture; the point, rectangle and sized
// forms each put the picture where their numbers say.
TEST_F(ImageDisplay, AnchorsAndEveryFormOfPlace) {
    const struct {
        void (*anchor)(ofImage&);
        void (*draw)(ofImage&);
        int x, y, scale;
    } cases[] = {
        {[](ofImage& i) { i.resetAnchor(); }, [](ofImage& i) { i.draw(ofPoint(10, 20)); }, 10, 20, 1},
        {[](ofImage& i) { i.setAnchorPercent(0.5f, 0.5f); }, [](ofImage& i) { i.draw(60, 40); }, 58, 39, 1},
        {[](ofImage& i) { i.setAnchorPoint(1, 1); }, [](ofImage& i) { i.draw(ofPoint(100, 50)); }, 99, 49, 1},
        {[](ofImage& i) { i.setAnchorPercent(1, 0.5f); }, [](ofImage& i) { i.draw(ofRectangle(200, 100, 8, 4)); },
         192, 98, 2},
        {[](ofImage& i) { i.setAnchorPoint(2, 1); }, [](ofImage& i) { i.draw(ofPoint(150, 150), 12, 6); }, 148, 149,
         3},
        {[](ofImage& i) { i.resetAnchor(); }, [](ofImage& i) { i.draw(ofRectangle(30, 200, 16, 8)); }, 30, 200, 4},
    };
    for (const auto& c : cases) {
        ofClear(0, 0, 0, 255);
        c.anchor(image);
        c.draw(image);
        EXPECT_EQ(shownAt(c.x, c.y, c.scale), "") << c.x << "," << c.y;
    }
    // Without a texture the anchor has nowhere to go: with one made later,
    // the picture sits at its point.
    image.resetAnchor();
    image.setUseTexture(false);
    image.setAnchorPoint(3, 3);
    image.setUseTexture(true);
    ofClear(0, 0, 0, 255);
    image.draw(ofPoint(50, 60));
    EXPECT_EQ(shownAt(50, 60, 1), "");
}
