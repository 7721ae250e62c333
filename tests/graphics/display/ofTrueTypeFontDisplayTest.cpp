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
