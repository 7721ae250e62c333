#include <gtest/gtest.h>

#include <GL/glew.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "ofAppRunner.h"
#include "ofBitmapFont.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"

namespace {

typedef std::vector<std::string> Mask;

// The glyph of code c as the table stores it, top row first, "X" for ink.
Mask glyph(unsigned char c) {
    Mask rows;
    for (int r = 0; r < 14; ++r) {
        unsigned char bits = ofBitmapFontGlyphs[c][14 - r];
        std::string row;
        for (int b = 0; b < 8; ++b) row += (bits & (0x80 >> b)) ? 'X' : '.';
        rows.push_back(row);
    }
    return rows;
}

Mask flipped(Mask m) {
    return Mask(m.rbegin(), m.rend());
}

// The window's pixels in an 8 x 14 cell with its top-left corner at (x, y).
Mask cell(int x, int y) {
    return GLTestWindow::mask(x, y, 8, 14);
}

const Mask blank(14, "........");

class BitmapStrings : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(320, 240);
        renderer = static_cast<ofGLRenderer*>(ofGetCurrentRenderer().get());
        ASSERT_NE(renderer, nullptr);
        ofSetColor(255);
    }
    ofGLRenderer* renderer = nullptr;
};

}  // namespace

TEST_F(BitmapStrings, SimpleModeLineFeedsAndSkippedControls) {
    renderer->drawString("ab\ncd", 10, 20, 0, OF_BITMAPMODE_SIMPLE);
    // Pens: a (10, 12), b (18, 12), c (10, 25), d (18, 25); a cell starts 3 above its pen.
    EXPECT_EQ(cell(10, 9), glyph('a'));
    EXPECT_EQ(cell(18, 9), glyph('b'));
    EXPECT_EQ(cell(10, 22), glyph('c'));
    EXPECT_EQ(cell(18, 22), glyph('d'));
    EXPECT_EQ(cell(26, 9), blank);

    // A tab (and any other control byte or byte above 127) neither draws nor moves the pen.
    renderer->drawString(std::string("x\ty\x01\xC3z"), 100, 100, 0, OF_BITMAPMODE_SIMPLE);
    EXPECT_EQ(cell(100, 89), glyph('x'));
    EXPECT_EQ(cell(108, 89), glyph('y'));
    EXPECT_EQ(cell(116, 89), glyph('z'));
    EXPECT_EQ(cell(124, 89), blank);
}

TEST_F(BitmapStrings, ScreenAndViewportModesUseWindowPixels) {
    ofPushMatrix();
    ofTranslate(50, 50, 0);  // ignored by both modes
    renderer->drawString("S\nT", 100, 50, 0, OF_BITMAPMODE_SCREEN);
    renderer->drawString("V", 200, 50, 0, OF_BITMAPMODE_VIEWPORT);
    ofPopMatrix();
    EXPECT_EQ(cell(100, 39), glyph('S'));
    // A line feed returns to 0 of the translated frame, not to x.
    EXPECT_EQ(cell(100, 52), glyph('T'));
    EXPECT_EQ(cell(200, 39), glyph('V'));
    EXPECT_EQ(cell(150, 89), blank);
}

TEST_F(BitmapStrings, ModelModeFlipsInsideTheTransform) {
    ofPushMatrix();
    ofTranslate(20, 10, 0);
    renderer->drawString("F", 40, 100, 0, OF_BITMAPMODE_MODEL);
    ofPopMatrix();
    // y is mirrored about the point: the cell reaches 3 above and 11 below (60, 110).
    EXPECT_EQ(cell(60, 107), flipped(glyph('F')));
}

TEST_F(BitmapStrings, BillboardIsTheDefaultAndSitsOnThePoint) {
    ofPushMatrix();
    ofTranslate(30, 40, 0);
    ofDrawBitmapString("Hi\nyo", 100, 100);
    ofPopMatrix();
    // The point (130, 140): cells from 11 above to 3 below it.
    EXPECT_EQ(cell(130, 129), glyph('H'));
    EXPECT_EQ(cell(138, 129), glyph('i'));
    EXPECT_EQ(cell(130, 142), glyph('y'));  // 13.6 lower, truncated
    EXPECT_EQ(cell(138, 142), glyph('o'));
}

TEST_F(BitmapStrings, BlendFactorsAreRestored) {
    glEnable(GL_BLEND);
    auto factors = [] {
        GLint src = 0, dst = 0;
        glGetIntegerv(GL_BLEND_SRC, &src);
        glGetIntegerv(GL_BLEND_DST, &dst);
        return std::vector<GLint>{src, dst, glIsEnabled(GL_BLEND)};
    };
    glBlendFunc(GL_ONE, GL_ZERO);
    renderer->drawString("W", 10, 30, 0, OF_BITMAPMODE_SIMPLE);
    EXPECT_EQ(factors(), (std::vector<GLint>{GL_ONE, GL_ZERO, GL_TRUE}));

    // Behind the far plane: nothing drawn, factors untouched.
    glBlendFunc(GL_DST_COLOR, GL_ONE);
    renderer->drawString("W", 200, 100, -100000, OF_BITMAPMODE_MODEL_BILLBOARD);
    EXPECT_EQ(factors(), (std::vector<GLint>{GL_DST_COLOR, GL_ONE, GL_TRUE}));
    EXPECT_EQ(cell(200, 89), blank);
    EXPECT_EQ(cell(10, 19), glyph('W'));

    // A point the projection cannot map (w = 0) counts as behind the far plane.
    ofClear(0, 0, 0, 255);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    GLfloat flat[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    glLoadMatrixf(flat);
    glMatrixMode(GL_MODELVIEW);
    renderer->drawString("W", 200, 100, 0, OF_BITMAPMODE_MODEL_BILLBOARD);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    EXPECT_EQ(factors(), (std::vector<GLint>{GL_DST_COLOR, GL_ONE, GL_TRUE}));
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    std::vector<unsigned char> rgb(320 * 240 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 320, 240, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    EXPECT_EQ(std::count(rgb.begin(), rgb.end(), 0), static_cast<long>(rgb.size()));

    // The matrices come back as they were in every mode.
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    for (int mode = 0; mode <= 5; ++mode) renderer->drawString("m", 5, 5, 0, mode);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(std::vector<float>(before, before + 16), std::vector<float>(after, after + 16));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}
