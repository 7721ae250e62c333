#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "ofBitmapFont.h"
#include "ofGraphics.h"

namespace {

const std::vector<std::string> glyphA = {
    "........", "..XX....", ".X..X...", "X....X..", "X....X..", "X....X..", "XXXXXX..",
    "X....X..", "X....X..", "X....X..", "X....X..", "........", "........", "........"};

}  // namespace

// The batch never writes past its lists: without a start, or beyond the
// announced count plus one, characters are dropped; codes below 32 add nothing.
TEST(BitmapFont, TheBatchIsBoundedAndDrawsTheInkedTexelsAtThePen) {
    GLTestWindow::openScreen(200, 160);
    const ofBitmapCharacterBatch& b = ofGetBitmapCharacterBatch();
    ofDrawBitmapCharacter('A', 10, 20);
    EXPECT_EQ(b.count, 0u);
    glColor4f(1, 1, 1, 1);
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
    const std::vector<std::string> cells = GLTestWindow::mask(10, 17, 24, 14);
    for (int r = 0; r < 14; ++r) EXPECT_EQ(cells[r], glyphA[r] + "........" + glyphA[r]) << r;
    // Ink takes the current colour.
    glColor4f(0, 1, 0, 1);
    ofDrawBitmapCharacterStart(0);
    ofDrawBitmapCharacter('A', 60, 20);
    ofDrawBitmapCharacterEnd();
    EXPECT_EQ(GLTestWindow::colours(60, 20, 2), "G.");  // row 3, columns 0 and 1 of the A
}
