#include <gtest/gtest.h>

#include "ofGlyphAtlas.h"

#include <vector>

TEST(GlyphAtlasPacking, DegenerateEstimatesAndOversizedGlyphsStillEndInAFittingAtlas) {
    const struct {
        ofGlyphBox box;
        int border;
        long long area;
        int side;
    } cases[] = {
        // Empty glyphs with a zero or negative area estimate: the search
        // starts at a side of 1 and grows until the 6 x 6 bordered cell fits.
        {{0, 0, 0}, 3, 0, 8},
        {{0, 0, 0}, 3, -500, 8},
        // 100 x 10 with an estimate of 1000 starts at 32 x 32; the glyph only
        // fits from 128 on and must never be placed past the right edge.
        {{0, 100, 10}, 0, 1000, 128},
        // A tall first glyph under a small estimate: the first row is checked too.
        {{0, 2, 100}, 3, 64, 128},
        // Wider than any texture: refused without looping.
        {{0, 20000, 4}, 3, 1, 0},
    };
    for (const auto& c : cases) {
        int side = -1;
        std::vector<ofGlyphPlace> places = {{5, 5, 5}};
        EXPECT_EQ(ofPackGlyphAtlas({c.box}, c.border, c.area, side, places), c.side > 0);
        EXPECT_EQ(side, c.side) << c.box.texWidth << " " << c.area;
        ASSERT_EQ(places.size(), c.side > 0 ? 1u : 0u);
        for (const ofGlyphPlace& p : places)  // inside the atlas
            EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x + c.box.texWidth + 2 * c.border <= side &&
                        p.y + c.box.texHeight + 2 * c.border <= side);
    }
}

// Glyph bitmaps are copied row by row with their pitch and pixel mode as
// luminance 255 and alpha: grey as it is, mono most significant bit first,
// others converted and spread to the full range.
TEST(GlyphBitmapCopy, RowsFollowThePitchInEveryPixelMode) {
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    std::vector<unsigned char> grey = {10, 20, 30, 0xEE, 40, 50, 60}, mono = {0xA0, 0x80, 0xFF, 0xFF, 0x01, 0x80},
                               grey4 = {0xF0, 0x81};
    const struct {
        unsigned width, rows;
        int pitch;
        unsigned char mode;
        unsigned char* buffer;
        unsigned short grays;
        std::vector<int> alphas;
    } cases[] = {
        {3, 2, 4, FT_PIXEL_MODE_GRAY, grey.data(), 256, {10, 20, 30, 40, 50, 60}},  // 0xEE pads the rows
        {9, 2, 4, FT_PIXEL_MODE_MONO, mono.data(), 2, {255, 0, 255, 0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 255, 255}},
        {2, 2, 1, FT_PIXEL_MODE_GRAY4, grey4.data(), 16, {255, 0, 136, 17}},  // two a byte, high nibble first
    };
    for (const auto& c : cases) {
        const FT_Bitmap b = {c.rows, c.width, c.pitch, c.buffer, c.grays, c.mode, 0, nullptr};
        std::vector<unsigned char> out(c.width * c.rows * 2, 7);
        ofCopyGlyphBitmap(library, b, out.data());
        std::vector<int> alphas;
        for (size_t i = 0; i < out.size(); i += 2) {
            EXPECT_EQ(out[i], 255) << "luminance of pixel " << i / 2;
            alphas.push_back(out[i + 1]);
        }
        EXPECT_EQ(alphas, c.alphas) << int(c.mode);
    }
    FT_Done_FreeType(library);
}
