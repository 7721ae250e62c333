#include <gtest/gtest.h>

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

}  // namespace

// Copies share the name; it is released when the last holder lets go, and
// an allocation from a record releases the texture's own old name, never
// the record's.
TEST_F(Texture, SharedNamesAreReleasedByTheLastHolderOnly) {
    unsigned int name;
    {
        ofTexture a;
        a.allocate(8, 8, GL_RGB);
        name = a.texData.textureName;
        {
            ofTexture b(a), c;
            c = b;
            c = a;  // the same name again: still three holders
            EXPECT_EQ(ofTextureGetRetainCount(name), 3);
            c.clear();
            EXPECT_EQ(ofTextureGetRetainCount(name), 2);
        }
        EXPECT_TRUE(glIsTexture(name));
        ofTextureData record = a.texData;  // carries a's name
        record.target = GL_TEXTURE_2D;
        record.width = 20;
        record.height = 10;
        ofTexture t;
        t.allocate(4, 4, GL_RGB);
        const unsigned int old = t.texData.textureName;
        t.allocate(record);
        EXPECT_EQ((std::vector<float>{float(ofTextureGetRetainCount(name)), float(ofTextureGetRetainCount(old)),
                                      t.texData.storageWidth}),
                  (std::vector<float>{1, 0, 32}));
        EXPECT_NE(t.texData.textureName, name);
        EXPECT_TRUE(glIsTexture(name));
    }
    EXPECT_EQ(ofTextureGetRetainCount(name), 0);
    EXPECT_FALSE(glIsTexture(name));
}

TEST_F(Texture, BothTargetsDrawTheirPixelsExactlyAndAnUnallocatedOneNothing) {
    // 4 x 2 pixels: red, green, blue, white / yellow, cyan, magenta, grey.
    const unsigned char rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255,
                                 255, 255, 0, 0, 255, 255, 255, 0, 255, 128, 128, 128};
    ofPixels palette;
    palette.setFromAlignedPixels(rgb, 4, 2, 3, 12);
    ofTexture t;
    t.allocate(palette);
    t.loadData(palette);
    t.draw(10, 20);
    EXPECT_EQ(colours(9, 20, 6) + colours(9, 21, 6) + colours(10, 22, 1), ".RGBW..YCMg..");
    // Doubled in size, the source's right half only.

    // 16 x 16 on the power-of-two target, drawn at twice the size: red
    // top-left, green top-right, blue bottom-left, white bottom-right.
    ofPixels p;
    p.allocate(16, 16, 3);
    for (int i = 0; i < 16 * 16; ++i) {
        const bool right = i % 16 >= 8, bottom = i / 16 >= 8;
        p[i * 3] = right == bottom ? 255 : 0;
        p[i * 3 + 1] = right ? 255 : 0;
        p[i * 3 + 2] = bottom ? 255 : 0;
    }
    ofTexture pot;
    pot.allocate(16, 16, GL_RGB, false);
    pot.loadData(p);
    pot.setTextureMinMagFilter(GL_NEAREST, GL_NEAREST);
    pot.draw(20, 80, 32, 32);
    EXPECT_EQ(colours(19, 80, 34) + colours(19, 111, 34),
              "." + std::string(16, 'R') + std::string(16, 'G') + ".." + std::string(16, 'B') + std::string(16, 'W') + ".");

    // Another texture still bound does not stand in for an unallocated one.
    ofClear(0, 0, 0, 255);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, t.texData.textureName);
    ofTexture().draw(10, 10, 50, 50);
    EXPECT_EQ(colours(10, 10, 50) + colours(30, 10, 50, true), std::string(100, '.'));
}
