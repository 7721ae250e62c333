#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "TextGLContext.h"
#include "ofGraphics.h"
#include "ofPixels.h"
#include "ofTexture.h"

namespace {

class Texture : public testing::Test {
protected:
    void SetUp() override {
        TextGLContext::open();
        TextGLContext::screen();
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

std::string captureErrors(void (*action)(ofTexture&), ofTexture& t) {
    testing::internal::CaptureStderr();
    action(t);
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
    EXPECT_EQ(d.format, GL_RGBA);
    EXPECT_EQ(d.componentType, GL_UNSIGNED_BYTE);
    EXPECT_TRUE(pot.isAllocated());
    EXPECT_EQ(pot.getWidth(), 300);
    GLint storedWidth = 0;
    glBindTexture(GL_TEXTURE_2D, d.textureName);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &storedWidth);
    EXPECT_EQ(storedWidth, 512);

    ofTexture rect;
    rect.allocate(300, 200, GL_RGBA);
    EXPECT_EQ(rect.texData.target, GL_TEXTURE_RECTANGLE_ARB);
    EXPECT_EQ(rect.texData.storageWidth, 300);
    EXPECT_EQ(rect.texData.coordRight, 300);
    EXPECT_EQ(rect.texData.coordBottom, 200);

    ofPixels two;
    two.allocate(3, 3, 2);
    ofTexture grey;
    grey.allocate(two);
    EXPECT_EQ(grey.texData.internalFormat, GL_LUMINANCE);
    grey.loadData(two);
    EXPECT_EQ(grey.texData.format, GL_LUMINANCE);
}

TEST_F(Texture, LoadDataChecksTheStorage) {
    ofTexture t;
    t.allocate(256, 256, GL_RGB, false);
    std::string err = captureErrors([](ofTexture& tex) {
        static unsigned char data[300 * 200 * 3];
        tex.loadData(data, 300, 200, GL_RGB);
    }, t);
    EXPECT_EQ(err, "[error] ofTexture::loadData() failed to upload 300x200 data to 256x256 texture\n");
    EXPECT_EQ(t.getWidth(), 256);
    EXPECT_FLOAT_EQ(t.texData.coordRight, 1.0f);

    ofTexture r;
    r.allocate(300, 200, GL_RGB);
    static unsigned char small[100 * 50 * 3];
    r.loadData(small, 100, 50, GL_RGB);
    EXPECT_EQ(r.getWidth(), 100);
    EXPECT_EQ(r.getHeight(), 50);
    EXPECT_EQ(r.texData.coordRight, 100);
    EXPECT_EQ(r.texData.coordBottom, 50);

    ofTexture none;
    err = captureErrors([](ofTexture& tex) { tex.getTextureData(); }, none);
    EXPECT_EQ(err, "[error] getTextureData() - texture has not been allocated\n");
    int format = 0, type = 0;
    testing::internal::CaptureStderr();
    ofGetGlFormatAndType(0x1234, format, type);
    fflush(stderr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "[error] ofGetGlFormatAndType(): glInternalFormat not recognized returning glFormat as "
              "glInternalFormat\n");
    EXPECT_EQ(format, 0x1234);
    EXPECT_EQ(type, GL_UNSIGNED_BYTE);
    ofGetGlFormatAndType(GL_RGBA16F_ARB, format, type);
    EXPECT_EQ(format, GL_RGBA);
    EXPECT_EQ(type, GL_FLOAT);
    ofGetGlFormatAndType(GL_LUMINANCE16, format, type);
    EXPECT_EQ(format, GL_LUMINANCE);
    EXPECT_EQ(type, GL_UNSIGNED_SHORT);
}

TEST_F(Texture, CopiesShareTheNameUntilTheLastLetsGo) {
    unsigned int name;
    {
        ofTexture a;
        a.allocate(8, 8, GL_RGB);
        name = a.texData.textureName;
        ASSERT_NE(name, 0u);
        EXPECT_EQ(ofTextureGetRetainCount(name), 1);
        {
            ofTexture b(a);
            ofTexture c;
            c = b;
            EXPECT_EQ(b.texData.textureName, name);
            EXPECT_EQ(c.texData.textureName, name);
            EXPECT_EQ(ofTextureGetRetainCount(name), 3);
            c = a;  // same name again: still three holders
            EXPECT_EQ(ofTextureGetRetainCount(name), 3);
            c.clear();
            EXPECT_EQ(ofTextureGetRetainCount(name), 2);
            EXPECT_FALSE(c.isAllocated());
        }
        EXPECT_EQ(ofTextureGetRetainCount(name), 1);
        EXPECT_TRUE(glIsTexture(name));

        // A fresh allocation lets the old name go first.
        a.allocate(8, 8, GL_RGB);
        EXPECT_EQ(ofTextureGetRetainCount(name), 0);
        EXPECT_FALSE(glIsTexture(name));
        EXPECT_EQ(ofTextureGetRetainCount(a.texData.textureName), 1);
        name = a.texData.textureName;
    }
    EXPECT_EQ(ofTextureGetRetainCount(name), 0);
    EXPECT_FALSE(glIsTexture(name));

    ofTextureRelease(0);  // nothing, no message
    GLuint stray = 0;
    glGenTextures(1, &stray);
    glBindTexture(GL_TEXTURE_2D, stray);
    EXPECT_TRUE(glIsTexture(stray));
    testing::internal::CaptureStderr();
    ofTextureRelease(stray);
    fflush(stderr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
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

    ofTextureData empty;
    testing::internal::CaptureStderr();
    unsigned int before = t.texData.textureName;
    t.allocate(empty);
    fflush(stderr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
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
    EXPECT_EQ(TextGLContext::pixel(10, 20), (RGB{255, 0, 0}));
    EXPECT_EQ(TextGLContext::pixel(11, 20), (RGB{0, 255, 0}));
    EXPECT_EQ(TextGLContext::pixel(12, 20), (RGB{0, 0, 255}));
    EXPECT_EQ(TextGLContext::pixel(13, 20), (RGB{255, 255, 255}));
    EXPECT_EQ(TextGLContext::pixel(10, 21), (RGB{255, 255, 0}));
    EXPECT_EQ(TextGLContext::pixel(13, 21), (RGB{128, 128, 128}));
    EXPECT_EQ(TextGLContext::pixel(9, 20), (RGB{0, 0, 0}));
    EXPECT_EQ(TextGLContext::pixel(14, 20), (RGB{0, 0, 0}));
    EXPECT_EQ(TextGLContext::pixel(10, 22), (RGB{0, 0, 0}));

    // Doubled in size, the source's right half only.
    t.setTextureMinMagFilter(GL_NEAREST, GL_NEAREST);
    t.drawArea(40, 40, 0, 4, 4, 2, 0, 2, 2);
    EXPECT_EQ(TextGLContext::pixel(40, 40), (RGB{0, 0, 255}));
    EXPECT_EQ(TextGLContext::pixel(41, 41), (RGB{0, 0, 255}));
    EXPECT_EQ(TextGLContext::pixel(43, 40), (RGB{255, 255, 255}));
    EXPECT_EQ(TextGLContext::pixel(43, 43), (RGB{128, 128, 128}));
    EXPECT_EQ(TextGLContext::pixel(40, 43), (RGB{255, 0, 255}));
    EXPECT_EQ(TextGLContext::pixel(44, 40), (RGB{0, 0, 0}));

    // Anchored at its centre, in pixels and in fractions.
    t.setAnchorPercent(0.5f, 0.5f);
    t.draw(100, 100);
    EXPECT_EQ(TextGLContext::pixel(98, 99), (RGB{255, 0, 0}));
    EXPECT_EQ(TextGLContext::pixel(101, 100), (RGB{128, 128, 128}));
    EXPECT_EQ(TextGLContext::pixel(97, 99), (RGB{0, 0, 0}));
    t.setAnchorPoint(4, 0);
    t.draw(150, 100);
    EXPECT_EQ(TextGLContext::pixel(146, 100), (RGB{255, 0, 0}));
    EXPECT_EQ(TextGLContext::pixel(149, 100), (RGB{255, 255, 255}));
    EXPECT_EQ(TextGLContext::pixel(150, 100), (RGB{0, 0, 0}));
    t.resetAnchor();
    EXPECT_FALSE(t.bAnchorIsPct);
    EXPECT_EQ(t.anchor, ofPoint(0, 0, 0));

    // The current colour tints through the modulate environment.
    glColor4f(1, 0, 0, 1);
    t.draw(60, 120);
    EXPECT_EQ(TextGLContext::pixel(61, 120), (RGB{0, 0, 0}));
    EXPECT_EQ(TextGLContext::pixel(63, 120), (RGB{255, 0, 0}));
}

TEST_F(Texture, PowerOfTwoTextureDrawsScaledQuadrants) {
    // 16 x 16: red top-left, green top-right, blue bottom-left, white bottom-right.
    ofPixels p;
    p.allocate(16, 16, 3);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            unsigned char* px = p.getPixels() + (y * 16 + x) * 3;
            bool right = x >= 8, bottom = y >= 8;
            px[0] = (!bottom && !right) || (bottom && right) ? 255 : 0;
            px[1] = (!bottom && right) || (bottom && right) ? 255 : 0;
            px[2] = bottom ? 255 : 0;
        }
    }
    ofTexture t;
    t.allocate(16, 16, GL_RGB, false);
    t.loadData(p);
    t.setTextureMinMagFilter(GL_NEAREST, GL_NEAREST);
    t.draw(20, 30, 32, 32);
    EXPECT_EQ(TextGLContext::pixel(21, 31), (RGB{255, 0, 0}));
    EXPECT_EQ(TextGLContext::pixel(50, 31), (RGB{0, 255, 0}));
    EXPECT_EQ(TextGLContext::pixel(21, 60), (RGB{0, 0, 255}));
    EXPECT_EQ(TextGLContext::pixel(50, 60), (RGB{255, 255, 255}));
    EXPECT_EQ(TextGLContext::pixel(19, 31), (RGB{0, 0, 0}));
    EXPECT_EQ(TextGLContext::pixel(52, 31), (RGB{0, 0, 0}));
    EXPECT_EQ(TextGLContext::pixel(21, 62), (RGB{0, 0, 0}));

    // The bottom-right quadrant alone, at 1:1.
    t.drawArea(100, 30, 0, 8, 8, 8, 8, 8, 8);
    EXPECT_EQ(TextGLContext::pixel(101, 31), (RGB{255, 255, 255}));
    EXPECT_EQ(TextGLContext::pixel(106, 36), (RGB{255, 255, 255}));
    EXPECT_EQ(TextGLContext::pixel(108, 31), (RGB{0, 0, 0}));
}

TEST_F(Texture, CentreRectModeCentresTheQuad) {
    ofPixels white;
    white.allocate(2, 2, 3);
    white.set(0, 255);
    white.set(1, 255);
    white.set(2, 255);
    ofTexture t;
    t.allocate(white);
    t.loadData(white);
    ofStyle style = ofGetStyle();
    style.rectMode = OF_RECTMODE_CENTER;
    ofSetStyle(style);
    ASSERT_EQ(ofGetRectMode(), OF_RECTMODE_CENTER);
    t.draw(100, 100, 20, 10);
    style.rectMode = OF_RECTMODE_CORNER;
    ofSetStyle(style);
    EXPECT_EQ(TextGLContext::mask(89, 94, 22, 12).front(), std::string(22, '.'));
    EXPECT_EQ(TextGLContext::mask(89, 95, 22, 1).front(), "." + std::string(20, 'X') + ".");
    EXPECT_EQ(TextGLContext::mask(89, 104, 22, 1).front(), "." + std::string(20, 'X') + ".");
    EXPECT_EQ(TextGLContext::mask(89, 105, 22, 1).front(), std::string(22, '.'));
}

TEST_F(Texture, UnallocatedTextureDrawsNothing) {
    ofTexture bound;
    ofPixels p = palette();
    bound.allocate(p);
    bound.loadData(p);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, bound.texData.textureName);
    ofTexture none;
    none.draw(10, 10, 50, 50);
    EXPECT_EQ(TextGLContext::pixel(30, 30), (RGB{0, 0, 0}));
    EXPECT_EQ(TextGLContext::pixel(10, 10), (RGB{0, 0, 0}));
}
