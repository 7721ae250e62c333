#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "ofGraphics.h"
#include "ofTrueTypeFont.h"

namespace {

const char* dejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string captureErr(const std::function<void()>& action) {
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

// The same glyph straight from FreeType, to hold the font's records against.
struct Reference {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    Reference(int size, int dpi) {
        FT_Init_FreeType(&library);
        FT_New_Face(library, dejaVu, 0, &face);
        FT_Set_Char_Size(face, size * 64, size * 64, dpi, dpi);
    }
    ~Reference() {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    FT_GlyphSlot render(unsigned char code, bool antialiased) {
        FT_Load_Glyph(face, FT_Get_Char_Index(face, code), 0);
        FT_Render_Glyph(face->glyph, antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO);
        return face->glyph;
    }
    int alpha(FT_GlyphSlot slot, int k, int r) {
        const FT_Bitmap& b = slot->bitmap;
        const unsigned char* row = b.buffer + r * b.pitch;
        if (b.pixel_mode == FT_PIXEL_MODE_MONO) return (row[k >> 3] & (0x80 >> (k & 7))) ? 255 : 0;
        return row[k];
    }
};

struct AtlasBytes {
    int side = 0;
    std::vector<unsigned char> la;
    int lum(int x, int y) const { return la[static_cast<size_t>((y * side + x) * 2)]; }
    int alpha(int x, int y) const { return la[static_cast<size_t>((y * side + x) * 2 + 1)]; }
};

AtlasBytes readAtlas(ofTrueTypeFont& font) {
    AtlasBytes a;
    ofTexture& tex = font.getAtlasTexture();
    a.side = static_cast<int>(tex.texData.storageWidth);
    a.la.resize(static_cast<size_t>(a.side) * a.side * 2);
    glBindTexture(GL_TEXTURE_2D, tex.texData.textureName);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, a.la.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return a;
}

int filterOf(ofTrueTypeFont& font, GLenum which) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, font.getAtlasTexture().texData.textureName);
    glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

// The red channel of a w x h region, rows from the top.
std::vector<int> reds(int x, int y, int w, int h) {
    std::vector<int> out;
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) out.push_back(GLTestWindow::pixel(x + c, y + r).r);
    return out;
}

class TrueTypeFontDisplay : public testing::Test {
protected:
    void SetUp() override { screen(); }
    static void screen() {
        GLTestWindow::openScreen(240, 180);
        ofSetColor(255, 255, 255);
    }
};

}  // namespace

TEST_F(TrueTypeFontDisplay, AtlasHoldsFreeTypesCoverageAndNothingElse) {
    ofTrueTypeFont font;
    ASSERT_TRUE(font.loadFont(dejaVu, 18, true, true));
    ofTexture& tex = font.getAtlasTexture();
    ASSERT_TRUE(tex.isAllocated());
    EXPECT_EQ(tex.texData.target, GL_TEXTURE_2D);
    AtlasBytes atlas = readAtlas(font);
    int side = atlas.side;
    ASSERT_GT(side, 0);
    EXPECT_EQ(side & (side - 1), 0);
    EXPECT_EQ(tex.texData.height, side);

    std::vector<bool> covered(static_cast<size_t>(side) * side, false);
    Reference ref(18, 96);
    for (const ofGlyphProps& g : font.getGlyphProps()) {
        float x0 = g.texLeft * side;
        float y0 = g.texTop * side;
        // Glyph rectangles sit on whole pixels and match their size.
        ASSERT_EQ(x0, static_cast<int>(x0));
        ASSERT_EQ(y0, static_cast<int>(y0));
        EXPECT_FLOAT_EQ(g.texRight * side - x0, g.texWidth);
        EXPECT_FLOAT_EQ(g.texBottom * side - y0, g.texHeight);
        // The atlas holds FreeType's coverage exactly.
        FT_GlyphSlot slot = ref.render(static_cast<unsigned char>((g.index + 33) % 256), true);
        for (int r = 0; r < g.bitmapRows; ++r) {
            for (int k = 0; k < g.bitmapWidth; ++k) {
                int ax = static_cast<int>(x0) + k;
                int ay = static_cast<int>(y0) + r;
                ASSERT_EQ(atlas.alpha(ax, ay), ref.alpha(slot, k, r)) << "glyph " << g.index;
                covered[static_cast<size_t>(ay * side + ax)] = true;
            }
        }
    }
    // Everywhere else, borders included, is transparent white.
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            ASSERT_EQ(atlas.lum(x, y), 255);
            if (!covered[static_cast<size_t>(y * side + x)]) {
                ASSERT_EQ(atlas.alpha(x, y), 0) << x << "," << y;
            }
        }
    }
}

TEST_F(TrueTypeFontDisplay, FiltersFollowSizeAndAntialiasingAndMonoIsTwoLevels) {
    ofTrueTypeFont font;
    auto filters = [&] {
        return std::vector<int>{filterOf(font, GL_TEXTURE_MIN_FILTER), filterOf(font, GL_TEXTURE_MAG_FILTER)};
    };
    ASSERT_TRUE(font.loadFont(dejaVu, 21));
    EXPECT_EQ(filters(), (std::vector<int>{GL_LINEAR, GL_LINEAR}));
    ASSERT_TRUE(font.loadFont(dejaVu, 30, false));
    EXPECT_EQ(filters(), (std::vector<int>{GL_NEAREST, GL_NEAREST}));

    AtlasBytes atlas = readAtlas(font);
    bool sawInk = false;
    for (size_t i = 1; i < atlas.la.size(); i += 2) {
        ASSERT_TRUE(atlas.la[i] == 0 || atlas.la[i] == 255);
        sawInk = sawInk || atlas.la[i] == 255;
    }
    EXPECT_TRUE(sawInk);
}

TEST_F(TrueTypeFontDisplay, FailedLoadsLogAndLeaveNoAtlas) {
    ofTrueTypeFont font;
    ASSERT_TRUE(font.loadFont(dejaVu, 14));
    ASSERT_TRUE(font.getAtlasTexture().isAllocated());

    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    bool ok = true;
    std::string err = captureErr([&] { ok = font.loadFont("missing.ttf", 14); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(err, "[error] ofTrueTypeFont::loadFont - INVALID FILENAME: " + std::string(cwd) +
                       "/data/missing.ttf: FT_Error = 1\n");
    EXPECT_FALSE(font.isLoaded());
    EXPECT_FALSE(font.getAtlasTexture().isAllocated());

    std::ofstream("notafont.ttf") << "plain words, not a font";
    err = captureErr([&] { ok = font.loadFont(std::string(cwd) + "/notafont.ttf", 14); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(err, "[error] ofTrueTypeFont::loadFont - unknown freetype: " + std::string(cwd) +
                       "/notafont.ttf: FT_Error = 2\n");
    std::remove("notafont.ttf");

    // The object loads again afterwards.
    EXPECT_TRUE(font.loadFont(dejaVu, 14));
    EXPECT_TRUE(font.getAtlasTexture().isAllocated());
}

TEST_F(TrueTypeFontDisplay, DrawnStringShowsTheGlyphCoverageAtThePen) {
    ofTrueTypeFont font;
    ASSERT_TRUE(font.loadFont(dejaVu, 16));  // nearest filtering: texels land on pixels
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    font.drawString("Hd", 30, 60);
    glDisable(GL_BLEND);

    Reference ref(16, 96);
    const ofGlyphProps& h = font.getGlyphProps()['H' - 33];
    const ofGlyphProps& d = font.getGlyphProps()['d' - 33];
    int penX = 30;
    for (const ofGlyphProps* g : {&h, &d}) {
        FT_GlyphSlot slot = ref.render(static_cast<unsigned char>(g->index + 33), true);
        int left = penX + g->bitmapLeft;
        int top = 60 - g->bitmapTop;
        std::vector<int> drawn = reds(left, top, g->bitmapWidth, g->bitmapRows);
        for (int r = 0; r < g->bitmapRows; ++r)
            for (int k = 0; k < g->bitmapWidth; ++k)
                EXPECT_NEAR(drawn[static_cast<size_t>(r * g->bitmapWidth + k)], ref.alpha(slot, k, r), 1)
                    << "glyph " << g->index << " at " << k << "," << r;
        penX += g->advance;
    }
}

TEST_F(TrueTypeFontDisplay, ContoursAreMadeForEveryCharacterOnRequest) {
    ofTrueTypeFont font;
    ASSERT_TRUE(font.loadFont(dejaVu, 20, true, false, true, 0));
    ASSERT_EQ(font.getCharacterOutlines().size(), 95u);
    const ofPath& o = font.getCharacterOutlines()['O' - 33];
    ASSERT_EQ(o.getSubPaths().size(), 2u);  // outer and inner ring
    EXPECT_TRUE(o.getSubPaths()[0].isClosed() && o.getSubPaths()[1].isClosed());
    // A load without contours leaves the outlines alone.
    ASSERT_TRUE(font.loadFont(dejaVu, 12));
    EXPECT_EQ(font.getCharacterOutlines().size(), 95u);
}

namespace {

// A font of bitmaps at one size only (10 pixels), written here: two
// characters, "A" a full block and "B" its left half.
void writeBitmapOnlyFont(const std::string& path) {
    std::ofstream out(path);
    out << "STARTFONT 2.1\nFONT -vx-block-medium-r-normal--10-100-72-72-c-80-iso8859-1\nSIZE 10 72 72\n"
           "FONTBOUNDINGBOX 8 10 0 -2\nSTARTPROPERTIES 3\nPIXEL_SIZE 10\nFONT_ASCENT 8\nFONT_DESCENT 2\n"
           "ENDPROPERTIES\nCHARS 2\n";
    for (const char* glyph : {"A 65 FF", "B 66 F0"}) {
        std::string g(glyph);
        out << "STARTCHAR " << g.substr(0, 1) << "\nENCODING " << g.substr(2, 2)
            << "\nSWIDTH 800 0\nDWIDTH 8 0\nBBX 8 10 0 -2\nBITMAP\n";
        for (int r = 0; r < 10; ++r) out << g.substr(5) << "\n";
        out << "ENDCHAR\n";
    }
    out << "ENDFONT\n";
}

}  // namespace

TEST_F(TrueTypeFontDisplay, ASizeTheFontCannotTakeFailsTheLoad) {
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    std::string path = std::string(cwd) + "/bitmaponly.bdf";
    writeBitmapOnlyFont(path);

    ofTrueTypeFont font;
    ASSERT_TRUE(font.loadFont(dejaVu, 14));
    bool ok = true;
    std::string err = captureErr([&] { ok = font.loadFont(path, 20); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(err, "[error] ofTrueTypeFont::loadFont - Error setting size 20 at 96 dpi: " + path +
                       ": FT_Error = 23\n");
    EXPECT_FALSE(font.isLoaded());
    EXPECT_FALSE(font.getAtlasTexture().isAllocated());

    // At its own size the same font loads and its glyphs have ink.
    err = captureErr([&] { ok = font.loadFont(path, 10, false, false, false, 0, 72); });
    EXPECT_TRUE(ok) << err;
    EXPECT_TRUE(font.isLoaded());
    EXPECT_EQ(font.getGlyphProps()[65 - 33].bitmapWidth, 8);
    EXPECT_EQ(font.getGlyphProps()[65 - 33].bitmapRows, 10);
    std::remove(path.c_str());
}
