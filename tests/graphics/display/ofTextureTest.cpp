#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "GLTestWindow.h"
#include "ofGraphics.h"
#include "ofPixels.h"
#include "ofTexture.h"

namespace {

using GLTestWindow::colours;

class Texture : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(200, 160);
        ofSetColor(255, 255, 255);
    }
};

// 4 x 2 pixels: red, green, blue, white / yellow, cyan, magenta, grey.
ofPixels palette() {
    const unsigned char rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255,
                                 255, 255, 0, 0, 255, 255, 255, 0, 255, 128, 128, 128};
    ofPixels p;
    p.setFromAlignedPixels(rgb, 4, 2, 3, 12);
    return p;
}

std::string errors(const std::function<void()>& action) {
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

}  // namespace

TEST_F(Texture, AllocateChoosesTargetAndStorage) {
    ofTexture pot;
    pot.allocate(300, 200, GL_RGBA, false);
    const ofTextureData& d = pot.texData;
    EXPECT_EQ(d.target, GL_TEXTURE_2D);
    EXPECT_EQ(d.storageWidth, 512);
    EXPECT_EQ(d.storageHeight, 256);
    EXPECT_FLOAT_EQ(d.coordRight, 300.0f / 512.0f);
    EXPECT_FLOAT_EQ(d.coordBottom, 200.0f / 256.0f);

    ofTexture rect;
    rect.allocate(300, 200, GL_RGBA);
    EXPECT_EQ(rect.texData.target, GL_TEXTURE_RECTANGLE_ARB);
    EXPECT_EQ(rect.texData.coordRight, 300);
}

TEST_F(Texture, LoadDataChecksTheStorage) {
    ofTexture t;
    t.allocate(256, 256, GL_RGB, false);
    static unsigned char data[300 * 200 * 3];
    EXPECT_EQ(errors([&] { t.loadData(data, 300, 200, GL_RGB); }),
              "[error] ofTexture::loadData() failed to upload 300x200 data to 256x256 texture\n");
    EXPECT_EQ(t.getWidth(), 256);
    EXPECT_FLOAT_EQ(t.texData.coordRight, 1.0f);

    ofTexture r;
    r.allocate(300, 200, GL_RGB);
    r.loadData(data, 100, 50, GL_RGB);
    EXPECT_EQ(r.getWidth(), 100);
    EXPECT_EQ(r.getHeight(), 50);
    EXPECT_EQ(r.texData.coordRight, 100);
    EXPECT_EQ(r.texData.coordBottom, 50);

}

TEST_F(Texture, CopiesShareTheNameUntilTheLastLetsGo) {
    unsigned int name;
    {
        ofTexture a;
        a.allocate(8, 8, GL_RGB);
        name = a.texData.textureName;
        {
            ofTexture b(a);
            ofTexture c;
            c = b;
            EXPECT_EQ(c.texData.textureName, name);
            EXPECT_EQ(ofTextureGetRetainCount(name), 3);
            c = a;  // same name again: still three holders
            EXPECT_EQ(ofTextureGetRetainCount(name), 3);
            c.clear();
            EXPECT_EQ(ofTextureGetRetainCount(name), 2);
        }
        EXPECT_EQ(ofTextureGetRetainCount(name), 1);
        EXPECT_TRUE(glIsTexture(name));

        // A fresh allocation lets the old name go first.
        a.allocate(8, 8, GL_RGB);
        EXPECT_FALSE(glIsTexture(name));
        name = a.texData.textureName;
        EXPECT_EQ(ofTextureGetRetainCount(name), 1);
    }
    EXPECT_EQ(ofTextureGetRetainCount(name), 0);
    EXPECT_FALSE(glIsTexture(name));

    GLuint stray = 0;
    glGenTextures(1, &stray);
    glBindTexture(GL_TEXTURE_2D, stray);
    EXPECT_EQ(errors([&] { ofTextureRelease(0); }), "");
    EXPECT_EQ(errors([&] { ofTextureRelease(stray); }),
              "[error] trying to delete a non indexed texture, something weird is happening. Deleting anyway\n");
    EXPECT_FALSE(glIsTexture(stray));
}

TEST_F(Texture, AllocatingFromARecordReleasesOnlyItsOwnName) {
    ofTexture owner;
    owner.allocate(4, 4, GL_RGB);
    ofTexture t;
    t.allocate(4, 4, GL_RGB);
    unsigned int oldName = t.texData.textureName;

    ofTextureData record = owner.texData;  // carries the owner's name
    record.target = GL_TEXTURE_2D;
    record.width = 20;
    record.height = 10;
    t.allocate(record);
    EXPECT_EQ(ofTextureGetRetainCount(owner.texData.textureName), 1);
    EXPECT_TRUE(glIsTexture(owner.texData.textureName));
    EXPECT_EQ(ofTextureGetRetainCount(oldName), 0);
    EXPECT_NE(t.texData.textureName, owner.texData.textureName);
    EXPECT_EQ(t.texData.storageWidth, 32);
    EXPECT_EQ(t.texData.storageHeight, 16);
    EXPECT_FLOAT_EQ(t.texData.coordRight, 20.0f / 32.0f);

    unsigned int before = t.texData.textureName;
    EXPECT_EQ(errors([&] { t.allocate(ofTextureData()); }),
              "[error] ofTexture::allocate - the ofTextureData structure passed must be set with a width and "
              "height.\n");
    EXPECT_EQ(t.texData.textureName, before);
}

TEST_F(Texture, RectangleTextureDrawsItsPixelsExactly) {
    ofTexture t;
    ofPixels p = palette();
    t.allocate(p);
    t.loadData(p);
    t.draw(10, 20);
    EXPECT_EQ(colours(9, 20, 6), ".RGBW.");
    EXPECT_EQ(colours(9, 21, 6), ".YCMg.");
    EXPECT_EQ(colours(10, 22, 1), ".");

    // Doubled in size, the source's right half only.
    t.setTextureMinMagFilter(GL_NEAREST, GL_NEAREST);
    t.drawArea(40, 40, 0, 4, 4, 2, 0, 2, 2);
    EXPECT_EQ(colours(40, 40, 5) + colours(40, 41, 5), "BBWW.BBWW.");
    EXPECT_EQ(colours(40, 42, 5) + colours(40, 43, 5), "MMgg.MMgg.");

    // Anchored at its centre.
    t.setAnchorPercent(0.5f, 0.5f);
    t.draw(100, 100);
    EXPECT_EQ(colours(97, 99, 6) + colours(97, 100, 6), ".RGBW..YCMg.");
}

TEST_F(Texture, PowerOfTwoTextureDrawsScaledQuadrants) {
    // 16 x 16: red top-left, green top-right, blue bottom-left, white bottom-right.
    ofPixels p;
    p.allocate(16, 16, 3);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            unsigned char* px = p.getPixels() + (y * 16 + x) * 3;
            px[0] = x < 8 && y < 8 ? 255 : (x >= 8 && y >= 8 ? 255 : 0);
            px[1] = x >= 8 ? 255 : 0;
            px[2] = y >= 8 ? 255 : 0;
        }
    ofTexture t;
    t.allocate(16, 16, GL_RGB, false);
    t.loadData(p);
    t.setTextureMinMagFilter(GL_NEAREST, GL_NEAREST);
    t.draw(20, 30, 32, 32);
    const std::string top = "." + std::string(16, 'R') + std::string(16, 'G') + ".";
    const std::string bottom = "." + std::string(16, 'B') + std::string(16, 'W') + ".";
    EXPECT_EQ(colours(19, 30, 34), top);
    EXPECT_EQ(colours(19, 61, 34), bottom);
}

TEST_F(Texture, UnallocatedTextureDrawsNothing) {
    ofTexture bound;
    ofPixels p = palette();
    bound.allocate(p);
    bound.loadData(p);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, bound.texData.textureName);
    ofTexture none;
    none.draw(10, 10, 50, 50);
    EXPECT_EQ(colours(10, 10, 50) + colours(30, 10, 50, true), std::string(100, '.'));
}
