#include <gtest/gtest.h>

#include <string>

#include "CapturedOutput.h"
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

// Pixels pick the internal format by their channel count; each internal
// format reads back as its pixel format and component type, anything else
// as itself in bytes, with an error.
TEST_F(Texture, FormatsFollowTheChannelsAndTheInternalFormat) {
    const struct {
        int channels, internalFormat;
    } byChannels[] = {{1, GL_LUMINANCE}, {2, GL_LUMINANCE}, {3, GL_RGB}, {4, GL_RGBA}};
    for (const auto& c : byChannels) {
        ofPixels p;
        p.allocate(3, 2, c.channels);
        ofTexture t;
        t.allocate(p);
        EXPECT_EQ((std::vector<int>{t.texData.internalFormat, t.texData.target, int(t.texData.storageWidth)}),
                  (std::vector<int>{c.internalFormat, GL_TEXTURE_RECTANGLE_ARB, 3}))
            << c.channels;
    }
    const struct {
        int internalFormat, format, type;
    } formats[] = {
        {GL_RGB, GL_RGB, GL_UNSIGNED_BYTE},
        {GL_RGB8, GL_RGB, GL_UNSIGNED_BYTE},
        {GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE},
        {GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE},
        {GL_LUMINANCE, GL_LUMINANCE, GL_UNSIGNED_BYTE},
        {GL_LUMINANCE8, GL_LUMINANCE, GL_UNSIGNED_BYTE},
        {GL_LUMINANCE_ALPHA, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE},
        {GL_LUMINANCE8_ALPHA8, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE},
        {GL_LUMINANCE16, GL_LUMINANCE, GL_UNSIGNED_SHORT},
        {GL_RGB16, GL_RGB, GL_UNSIGNED_SHORT},
        {GL_RGBA16, GL_RGBA, GL_UNSIGNED_SHORT},
        {GL_RGBA32F_ARB, GL_RGBA, GL_FLOAT},
        {GL_RGBA16F_ARB, GL_RGBA, GL_FLOAT},
        {GL_RGB32F_ARB, GL_RGB, GL_FLOAT},
        {GL_RGB16F_ARB, GL_RGB, GL_FLOAT},
        {GL_LUMINANCE32F_ARB, GL_LUMINANCE, GL_FLOAT},
        {GL_LUMINANCE16F_ARB, GL_LUMINANCE, GL_FLOAT},
    };
    for (const auto& f : formats) {
        int format = 0, type = 0;
        EXPECT_EQ(captureOutput([&] { ofGetGlFormatAndType(f.internalFormat, format, type); }).err, "");
        EXPECT_EQ((std::vector<int>{format, type}), (std::vector<int>{f.format, f.type})) << std::hex << f.internalFormat;
    }
    int format = 0, type = 0;
    EXPECT_EQ(captureOutput([&] { ofGetGlFormatAndType(0x1234, format, type); }).err,
              "[error] ofGetGlFormatAndType(): glInternalFormat not recognized returning glFormat as glInternalFormat\n");
    EXPECT_EQ((std::vector<int>{format, type}), (std::vector<int>{0x1234, GL_UNSIGNED_BYTE}));
}

// Requests that cannot be met are logged and leave the texture as it was;
// a name nobody counted is deleted all the same.
TEST_F(Texture, BadRequestsAreLoggedAndChangeNothing) {
    ofTexture t;
    t.allocate(256, 128, GL_RGB, false);
    const unsigned int name = t.texData.textureName;
    const struct {
        void (*action)(ofTexture&);
        const char* error;
    } cases[] = {
        {[](ofTexture& x) {
             static unsigned char data[300 * 200 * 3];
             x.loadData(data, 300, 100, GL_RGB);
         },
         "[error] ofTexture::loadData() failed to upload 300x100 data to 256x128 texture\n"},
        {[](ofTexture& x) {
             static unsigned char data[300 * 200 * 3];
             x.loadData(data, 20, 129, GL_RGB);
         },
         "[error] ofTexture::loadData() failed to upload 20x129 data to 256x128 texture\n"},
        {[](ofTexture& x) { x.allocate(ofTextureData()); },
         "[error] ofTexture::allocate - the ofTextureData structure passed must be set with a width and height.\n"},
        {[](ofTexture& x) {
             ofTextureData flat;
             flat.width = 10;
             x.allocate(flat);
         },
         "[error] ofTexture::allocate - the ofTextureData structure passed must be set with a width and height.\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(captureOutput([&] { c.action(t); }).err, c.error);
        EXPECT_EQ((std::vector<float>{float(t.texData.textureName), t.getWidth(), t.getHeight(), t.texData.coordRight,
                                      float(ofTextureGetRetainCount(name))}),
                  (std::vector<float>{float(name), 256, 128, 1, 1}));
    }
    EXPECT_TRUE(glIsTexture(name));

    GLuint stray = 0;
    glGenTextures(1, &stray);
    glBindTexture(GL_TEXTURE_2D, stray);
    EXPECT_EQ(captureOutput([] { ofTextureRelease(0); }).err, "");
    EXPECT_EQ(captureOutput([&] { ofTextureRelease(stray); }).err,
              "[error] trying to delete a non indexed texture, something weird is happening. Deleting anyway\n");
    EXPECT_FALSE(glIsTexture(stray));
    EXPECT_TRUE(glIsTexture(name));
}

// An anchor moves the quad by a share of the drawn size or by a point; the
// centre rectangle mode centres the quad on the point, before the anchor.
TEST_F(Texture, AnchorsAndTheCentreModeMoveTheQuad) {
    ofPixels white;
    white.allocate(2, 2, 3);
    for (int i = 0; i < 3; ++i) white.set(i, 255);
    ofTexture t;
    t.allocate(white);
    t.loadData(white);
    const struct {
        void (*anchor)(ofTexture&);
        bool centre;
        int x, y;  // the quad's top-left corner for a 20 x 10 draw at (100, 100)
    } cases[] = {
        {[](ofTexture& x) { x.resetAnchor(); }, false, 100, 100},
        {[](ofTexture& x) { x.resetAnchor(); }, true, 90, 95},
        {[](ofTexture& x) { x.setAnchorPercent(0.5f, 0.2f); }, false, 90, 98},
        {[](ofTexture& x) { x.setAnchorPercent(1, 1); }, false, 80, 90},
        {[](ofTexture& x) { x.setAnchorPoint(3, 7); }, false, 97, 93},
        {[](ofTexture& x) { x.setAnchorPoint(-4, 2); }, true, 94, 93},
        {[](ofTexture& x) {
             x.setAnchorPercent(1, 1);
             x.resetAnchor();
         },
         false, 100, 100},
    };
    for (const auto& c : cases) {
        ofClear(0, 0, 0, 255);
        c.anchor(t);
        ofStyle style = ofGetStyle();
        style.rectMode = c.centre ? OF_RECTMODE_CENTER : OF_RECTMODE_CORNER;
        ofSetStyle(style);
        t.draw(100, 100, 20, 10);
        style.rectMode = OF_RECTMODE_CORNER;
        ofSetStyle(style);
        std::vector<std::string> expected(12, "." + std::string(20, 'X') + ".");
        expected.front() = expected.back() = std::string(22, '.');
        EXPECT_EQ(GLTestWindow::mask(c.x - 1, c.y - 1, 22, 12), expected) << c.x << "," << c.y;
    }
}
