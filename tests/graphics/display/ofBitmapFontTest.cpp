#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "ofBitmapFont.h"
#include "ofGraphics.h"
#include "ofTexture.h"

namespace {

class BitmapFont : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(200, 160);
    }
};

const std::vector<std::string> glyphA = {
    "........", "..XX....", ".X..X...", "X....X..", "X....X..", "X....X..", "XXXXXX..",
    "X....X..", "X....X..", "X....X..", "X....X..", "........", "........", "........"};

}  // namespace

TEST_F(BitmapFont, BatchHoldsQuadsAtThePen) {
    ofDrawBitmapCharacterStart(2);
    ofDrawBitmapCharacter(65, 10, 20);
    ofDrawBitmapCharacter(10, 30, 30);  // control codes add nothing
    ofDrawBitmapCharacter(200, 30, 30);
    const ofBitmapCharacterBatch& b = ofGetBitmapCharacterBatch();
    ASSERT_EQ(b.count, 12u);
    EXPECT_EQ(b.vertices.size(), 36u);
    std::vector<float> vertices(b.vertices.begin(), b.vertices.begin() + 12);
    EXPECT_EQ(vertices, (std::vector<float>{10, 17, 18, 17, 18, 31, 18, 31, 10, 31, 10, 17}));
    std::vector<float> coords(b.texCoords.begin(), b.texCoords.begin() + 12);
    float s0 = 16 / 256.0f, t0 = 64 / 256.0f, s1 = 24 / 256.0f, t1 = 78 / 256.0f;
    EXPECT_EQ(coords, (std::vector<float>{s0, t0, s1, t0, s1, t1, s1, t1, s0, t1, s0, t0}));

    // Never more than the announced count plus one.
    ofDrawBitmapCharacter(66, 18, 20);
    ofDrawBitmapCharacter(67, 26, 20);
    ofDrawBitmapCharacter(68, 34, 20);
    EXPECT_EQ(b.count, 36u);
    ofDrawBitmapCharacterEnd();

    ofDrawBitmapCharacterStart(-5);  // a nonsense count still leaves room for one
    ofDrawBitmapCharacter(65, 0, 0);
    ofDrawBitmapCharacter(65, 8, 0);
    EXPECT_EQ(b.count, 12u);
    ofDrawBitmapCharacterEnd();
}

TEST_F(BitmapFont, CharactersDrawTheirInkedTexelsOnly) {
    glColor4f(1, 1, 1, 1);
    ofDrawBitmapCharacterStart(2);
    ofDrawBitmapCharacter('A', 10, 20);
    ofDrawBitmapCharacter(' ', 18, 20);
    ofDrawBitmapCharacter('A', 26, 20);
    ofDrawBitmapCharacterEnd();
    std::vector<std::string> cells = GLTestWindow::mask(10, 17, 24, 14);
    for (int r = 0; r < 14; ++r) EXPECT_EQ(cells[r], glyphA[r] + "........" + glyphA[r]) << r;
    // The vertex array stays on; the texture coordinates array does not.
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    // Ink takes the current colour.
    glColor4f(0, 1, 0, 1);
    ofDrawBitmapCharacterStart(0);
    ofDrawBitmapCharacter('A', 60, 20);
    ofDrawBitmapCharacterEnd();
    EXPECT_EQ(GLTestWindow::colours(60, 20, 2), "G.");  // row 3, columns 0 and 1 of the A
}

TEST_F(BitmapFont, CharacterWithoutStartWritesNothing) {
    // The batch is empty before any start: the character must be dropped.
    ofDrawBitmapCharacter('A', 10, 20);
    EXPECT_EQ(ofGetBitmapCharacterBatch().count, 0u);
    EXPECT_TRUE(ofIsBitmapFontTextureBuilt());
}
