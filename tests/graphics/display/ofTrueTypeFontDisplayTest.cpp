#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "ofGraphics.h"
#include "ofTrueTypeFont.h"

namespace {

const char* dejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class TrueTypeFontDisplay : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(240, 180);
        ofSetColor(255, 255, 255);
    }
    ofTrueTypeFont font;
};

}  // namespace

// The atlas holds FreeType's coverage of each glyph; drawn, it lands on
// whole pixels at the pen.
TEST_F(TrueTypeFontDisplay, DrawnStringShowsTheGlyphCoverageAtThePen) {
    ASSERT_TRUE(font.loadFont(dejaVu, 16));  // nearest filtering: texels land on pixels
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    font.drawString("Hd", 30, 60);
    // The same glyphs straight from FreeType, to hold the font against.
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Init_FreeType(&library);
    FT_New_Face(library, dejaVu, 0, &face);
    FT_Set_Char_Size(face, 16 * 64, 16 * 64, 96, 96);
    int penX = 30;
    for (char c : {'H', 'd'}) {
        const ofGlyphProps& g = font.getGlyphProps()[c - 33];
        FT_Load_Glyph(face, FT_Get_Char_Index(face, c), FT_LOAD_RENDER);
        const FT_Bitmap& b = face->glyph->bitmap;
        for (int i = 0; i < g.bitmapRows * g.bitmapWidth; ++i) {
            const int x = penX + g.bitmapLeft + i % g.bitmapWidth, y = 60 - g.bitmapTop + i / g.bitmapWidth;
            EXPECT_NEAR(GLTestWindow::pixel(x, y).r, b.buffer[i / g.bitmapWidth * b.pitch + i % g.bitmapWidth], 1)
                << c << " at " << x << "," << y;
        }
        penX += g.advance;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

// A missing file, a file that is no font, and a size a bitmap-only font
// cannot take all fail the load and leave no atlas; the object loads again.
TEST_F(TrueTypeFontDisplay, FailedLoadsLeaveNoAtlas) {
    std::ofstream("notafont.ttf") << "plain words, not a font";
    // A font of bitmaps at one size only (10 pixels): "A" a full block.
    std::ofstream bdf("bitmaponly.bdf");
    bdf << "STARTFONT 2.1\nFONT -vx-block-medium-r-normal--10-100-72-72-c-80-iso8859-1\nSIZE 10 72 72\n"
           "FONTBOUNDINGBOX 8 10 0 -2\nSTARTPROPERTIES 3\nPIXEL_SIZE 10\nFONT_ASCENT 8\nFONT_DESCENT 2\n"
           "ENDPROPERTIES\nCHARS 1\nSTARTCHAR A\nENCODING 65\nSWIDTH 800 0\nDWIDTH 8 0\nBBX 8 10 0 -2\nBITMAP\n";
    for (int row = 0; row < 10; ++row) bdf << "FF\n";
    bdf << "ENDCHAR\nENDFONT\n";
    bdf.close();
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    for (const std::string& file : {std::string("missing.ttf"), std::string(cwd) + "/notafont.ttf",
                                    std::string(cwd) + "/bitmaponly.bdf"}) {
        ASSERT_TRUE(font.loadFont(dejaVu, 14));
        testing::internal::CaptureStderr();
        EXPECT_FALSE(font.loadFont(file, 20));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("[error] ofTrueTypeFont::loadFont"), std::string::npos);
        EXPECT_FALSE(font.isLoaded() || font.getAtlasTexture().isAllocated()) << file;
    }
    // At its own size the bitmap font loads and its glyphs have ink.
    ASSERT_TRUE(font.loadFont(std::string(cwd) + "/bitmaponly.bdf", 10, false, false, false, 0, 72));
    EXPECT_EQ(font.getGlyphProps()['A' - 33].bitmapWidth * 100 + font.getGlyphProps()['A' - 33].bitmapRows, 810);
    std::remove("notafont.ttf");
    std::remove("bitmaponly.bdf");
}

// On request every character gets its outline as FreeType gives it, filled
// at load; simplifying thins the curves. A load without contours keeps them.
TEST_F(TrueTypeFontDisplay, ContoursAreMadeForEveryCharacterOnRequest) {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Init_FreeType(&library);
    FT_New_Face(library, dejaVu, 0, &face);
    FT_Set_Char_Size(face, 20 * 64, 20 * 64, 96, 96);
    FT_Load_Glyph(face, FT_Get_Char_Index(face, 'l'), 0);
    std::vector<ofPoint> bar;
    for (int i = 0; i < face->glyph->outline.n_points; ++i)
        bar.push_back(ofPoint(face->glyph->outline.points[i].x / 64.0f, -face->glyph->outline.points[i].y / 64.0f));
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    ASSERT_EQ(bar.size(), 4u);  // 'l' is a plain bar

    ASSERT_TRUE(font.loadFont(dejaVu, 20, true, false, true, 0));
    ASSERT_EQ(font.getCharacterOutlines().size(), 95u);
    ofPath& l = font.getCharacterOutlines()['l' - 33];
    ASSERT_EQ(l.getSubPaths().size(), 1u);
    std::vector<ofPoint> corners;
    for (const auto& c : l.getSubPaths()[0].getCommands()) {
        EXPECT_EQ(c.type, ofSubPath::Command::lineTo);
        corners.push_back(c.to);
    }
    EXPECT_EQ(corners, bar);
    EXPECT_EQ(l.getTessellation().getNumIndices(), 6);  // two triangles
    ofPath& o = font.getCharacterOutlines()['O' - 33];
    ASSERT_EQ(o.getSubPaths().size(), 2u);  // outer and inner ring
    EXPECT_TRUE(o.getSubPaths()[0].isClosed() && o.getSubPaths()[1].isClosed());
    const size_t smooth = o.getOutline()[0].size();

    ASSERT_TRUE(font.loadFont(dejaVu, 20, true, true, true, 1));
    ASSERT_EQ(font.getCharacterOutlines().size(), 256u);
    ofPath& simplified = font.getCharacterOutlines()['O' - 33];
    EXPECT_LT(simplified.getOutline()[0].size(), smooth / 2);
    EXPECT_GE(simplified.getOutline()[0].size(), 4u);
    EXPECT_TRUE(font.getCharacterOutlines()[' ' + 256 - 33].getSubPaths().empty());

    ASSERT_TRUE(font.loadFont(dejaVu, 12));
    EXPECT_EQ(font.getCharacterOutlines().size(), 256u);
}

// A space moves the pen by the space's own advance when the set has one,
// else by a 'p''s, and draws nothing.
TEST_F(TrueTypeFontDisplay, ASpaceMovesThePenWithoutDrawing) {
    for (bool full : {false, true}) {
        ASSERT_TRUE(font.loadFont(dejaVu, 16, true, full));
        const std::vector<ofGlyphProps>& props = font.getGlyphProps();
        const int space = full ? props[' ' + 256 - 33].advance : props['p' - 33].advance;
        if (full) {
            EXPECT_LT(space, props['p' - 33].advance);  // the two moves differ
        }
        const ofGlyphProps& h = props['H' - 33];
        ofClear(0, 0, 0, 255);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        ofSetColor(255, 0, 0);
        font.drawString("  H", 30, 60);
        glDisable(GL_BLEND);
        // The capital's left stem, the row of its middle.
        const int row = 60 - h.bitmapTop / 2, stem = 30 + 2 * space + h.bitmapLeft;
        const ofColor at = GLTestWindow::pixel(stem, row);
        EXPECT_GT(at.r, 200) << full;
        EXPECT_EQ(at.g, 0);
        EXPECT_EQ(GLTestWindow::colours(0, row, stem - 1), std::string(stem - 1, '.')) << full;
    }
}
