#include <gtest/gtest.h>

#include <GL/glew.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "ofBitmapFont.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"
#include "ofTexture.h"

namespace {

typedef std::vector<std::string> Mask;

// The glyph of code c as the table stores it, top row first, "X" for ink.
Mask glyph(unsigned char c, bool flipped = false) {
    Mask rows;
    for (int r = 0; r < 14; ++r) {
        const unsigned char bits = ofBitmapFontGlyphs[c][flipped ? r + 1 : 14 - r];
        std::string row;
        for (int b = 0; b < 8; ++b) row += (bits & (0x80 >> b)) ? 'X' : '.';
        rows.push_back(row);
    }
    return rows;
}

// The window's pixels in an 8 x 14 cell with its top-left corner at (x, y).
Mask cell(int x, int y) { return GLTestWindow::mask(x, y, 8, 14); }

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

// Where each mode puts the cells: a translation of the frame first, then the
// string at a point; mode -1 is ofDrawBitmapString's default.
TEST_F(BitmapStrings, EachModePlacesItsCells) {
    struct Cell {
        int x, y;
        char c;
    };
    const struct {
        int mode;
        const char* text;
        float tx, ty, x, y;
        std::vector<Cell> cells;
    } cases[] = {
        // A cell starts 3 above its pen; a line feed goes down 13 (13.6 truncated).
        {OF_BITMAPMODE_SIMPLE, "ab\ncd", 0, 0, 10, 20, {{10, 9, 'a'}, {18, 9, 'b'}, {10, 22, 'c'}, {18, 22, 'd'}}},
        // Window pixels: the translation is ignored, but a line feed returns to its x.
        {OF_BITMAPMODE_SCREEN, "S\nT", 50, 50, 100, 50, {{100, 39, 'S'}, {100, 52, 'T'}}},
        // y mirrored about the point: the cell reaches 3 above and 11 below it.
        {OF_BITMAPMODE_MODEL, "F", 20, 10, 40, 100, {{60, 107, 'F'}}},
        {-1, "Hi\nyo", 30, 40, 100, 100, {{130, 129, 'H'}, {138, 129, 'i'}, {130, 142, 'y'}, {138, 142, 'o'}}},
        // A tab (and any other control byte or byte above 127) neither draws nor moves the pen.
        {OF_BITMAPMODE_SIMPLE, "x\ty\x01\xC3z", 0, 0, 100, 200, {{100, 189, 'x'}, {108, 189, 'y'}, {116, 189, 'z'}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ofClear(0, 0, 0, 255);
        ofPushMatrix();
        ofTranslate(c.tx, c.ty, 0);
        if (c.mode < 0)
            ofDrawBitmapString(c.text, c.x, c.y);
        else
            renderer->drawString(c.text, c.x, c.y, 0, c.mode);
        ofPopMatrix();
        for (const Cell& k : c.cells) EXPECT_EQ(cell(k.x, k.y), glyph(k.c, c.mode == OF_BITMAPMODE_MODEL)) << k.c;
    }
    EXPECT_EQ(cell(124, 189), blank);
}

// A billboard point behind the far plane, or one the projection cannot map
// (w = 0), draws nothing; blend factors and matrices come back in every mode.
TEST_F(BitmapStrings, BillboardsThatCannotBeProjectedDrawNothingAndTheStateIsRestored) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ONE);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    renderer->drawString("W", 200, 100, -100000, OF_BITMAPMODE_MODEL_BILLBOARD);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    const GLfloat flat[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    glLoadMatrixf(flat);
    glMatrixMode(GL_MODELVIEW);
    renderer->drawString("W", 100, 100, 0, OF_BITMAPMODE_MODEL_BILLBOARD);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    EXPECT_EQ(cell(200, 89), blank);  // and nothing anywhere else either
    std::vector<unsigned char> rgb(320 * 240 * 3);
    glReadPixels(0, 0, 320, 240, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    EXPECT_EQ(std::count(rgb.begin(), rgb.end(), 0), static_cast<long>(rgb.size()));
    for (int mode = 0; mode <= 5; ++mode) renderer->drawString("m", 5, 5, 0, mode);
    renderer->drawString("W", 10, 30, 0, OF_BITMAPMODE_SIMPLE);
    EXPECT_EQ(cell(10, 19), glyph('W'));
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(std::vector<float>(before, before + 16), std::vector<float>(after, after + 16));
    GLint state[3] = {};
    glGetIntegerv(GL_BLEND_SRC, &state[0]);
    glGetIntegerv(GL_BLEND_DST, &state[1]);
    glGetIntegerv(GL_MATRIX_MODE, &state[2]);
    EXPECT_EQ(std::vector<GLint>(state, state + 3), (std::vector<GLint>{GL_DST_COLOR, GL_ONE, GL_MODELVIEW}));
}

// The batch never writes past its lists: without a start, after its end, or
// beyond the announced count plus one, characters are dropped; codes below 32
// add nothing.
TEST_F(BitmapStrings, TheCharacterBatchIsBoundedAndDrawsTheInkedTexelsAtThePen) {
    const ofBitmapCharacterBatch& b = ofGetBitmapCharacterBatch();
    ofDrawBitmapCharacter('A', 10, 20);
    EXPECT_EQ(b.count, 0u);
    ofDrawBitmapCharacterStart(2);
    ofDrawBitmapCharacter('A', 10, 20);
    ofDrawBitmapCharacter(10, 18, 20);
    ofDrawBitmapCharacter(' ', 18, 20);
    ofDrawBitmapCharacter('A', 26, 20);
    ofDrawBitmapCharacter('B', 34, 20);
    EXPECT_EQ(b.count, 36u);  // twelve floats a character
    ofDrawBitmapCharacterEnd();
    ofDrawBitmapCharacterStart(-5);  // a nonsense count still leaves room for one
    ofDrawBitmapCharacter(65, 0, 0);
    ofDrawBitmapCharacter(65, 8, 0);
    EXPECT_EQ(b.count, 12u);
    ofDrawBitmapCharacterEnd();
    ofDrawBitmapCharacter('A', 40, 20);
    EXPECT_EQ(b.count, 0u);
    EXPECT_EQ(cell(10, 17), glyph('A'));
    EXPECT_EQ(cell(18, 17), blank);
    EXPECT_EQ(cell(26, 17), glyph('A'));
}

// The glyph sheet is made at the first batch start, once: 256 x 256 grey and
// alpha, each character's cell 16 texels apart, its top row first.
TEST_F(BitmapStrings, TheGlyphSheetIsBuiltOnceAndHoldsEveryGlyph) {
    // An earlier test's string may have built it already: the first start is
    // watched in a new process, which runs this test alone up to here.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto firstStart = [] {
        const bool before = ofIsBitmapFontTextureBuilt();
        ofDrawBitmapCharacterStart(0);
        ofDrawBitmapCharacterEnd();
        _exit(before ? 1 : ofIsBitmapFontTextureBuilt() ? 0 : 2);
    };
    EXPECT_EXIT(firstStart(), testing::ExitedWithCode(0), "");
    ofDrawBitmapCharacterStart(0);
    ofDrawBitmapCharacterEnd();
    ASSERT_TRUE(ofIsBitmapFontTextureBuilt());
    ofTexture& sheet = ofGetBitmapFontTexture();
    const unsigned int name = sheet.texData.textureName;
    EXPECT_EQ((std::vector<int>{sheet.texData.target, int(sheet.getWidth()), int(sheet.getHeight()),
                                ofTextureGetRetainCount(name)}),
              (std::vector<int>{GL_TEXTURE_2D, 256, 256, 1}));
    renderer->drawString("again", 10, 30, 0, OF_BITMAPMODE_SIMPLE);
    EXPECT_EQ(&ofGetBitmapFontTexture(), &sheet);
    EXPECT_EQ(sheet.texData.textureName, name);

    std::vector<unsigned char> texels(256 * 256 * 2);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, texels.data());
    for (int code : {int('A'), int('g'), int('~'), int('0'), 200}) {
        const unsigned char c = static_cast<unsigned char>(code);
        Mask luminance, alpha;
        for (int r = 0; r < 14; ++r) {
            std::string l, a;
            for (int b = 0; b < 8; ++b) {
                const size_t texel = static_cast<size_t>((16 * (c / 16) + r) * 256 + 16 * (c % 16) + b);
                l += texels[texel * 2] == 255 ? 'X' : texels[texel * 2] == 0 ? '.' : '?';
                a += texels[texel * 2 + 1] == 255 ? 'X' : texels[texel * 2 + 1] == 0 ? '.' : '?';
            }
            luminance.push_back(l);
            alpha.push_back(a);
        }
        EXPECT_EQ(luminance, glyph(c)) << int(c);
        EXPECT_EQ(alpha, glyph(c)) << int(c);
    }
}
