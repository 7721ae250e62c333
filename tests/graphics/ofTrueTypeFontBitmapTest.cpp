#include <gtest/gtest.h>

#include "ofGlyphAtlas.h"

#include FT_BITMAP_H

#include <vector>

namespace {

FT_Bitmap makeBitmap(unsigned width, unsigned rows, int pitch, unsigned char mode, unsigned char* buffer,
                     unsigned short grays = 256) {
    FT_Bitmap b;
    FT_Bitmap_Init(&b);
    b.width = width;
    b.rows = rows;
    b.pitch = pitch;
    b.pixel_mode = mode;
    b.num_grays = grays;
    b.buffer = buffer;
    return b;
}

std::vector<int> alphas(const std::vector<unsigned char>& lumAlpha) {
    std::vector<int> out;
    for (size_t i = 0; i < lumAlpha.size(); i += 2) {
        EXPECT_EQ(lumAlpha[i], 255) << "luminance of pixel " << i / 2;
        out.push_back(lumAlpha[i + 1]);
    }
    return out;
}

}  // namespace

TEST(GlyphBitmapCopy, GreyRowsFollowThePitchAndSkipPadding) {
    // Three pixels a row, rows four bytes apart; 0xEE marks the padding.
    std::vector<unsigned char> src = {10, 20, 30, 0xEE, 40, 50, 60};
    FT_Bitmap b = makeBitmap(3, 2, 4, FT_PIXEL_MODE_GRAY, src.data());
    std::vector<unsigned char> out(3 * 2 * 2, 7);
    ofCopyGlyphBitmap(nullptr, b, out.data());
    EXPECT_EQ(alphas(out), (std::vector<int>{10, 20, 30, 40, 50, 60}));
}

TEST(GlyphBitmapCopy, MonoReadsMostSignificantBitFirstWithTwoBytesForNineColumns) {
    // Row 0: columns 0, 2 and 8; row 1: columns 7 and 8 (pitch 4, padded).
    std::vector<unsigned char> src = {0xA0, 0x80, 0xFF, 0xFF, 0x01, 0x80};
    FT_Bitmap b = makeBitmap(9, 2, 4, FT_PIXEL_MODE_MONO, src.data(), 2);
    std::vector<unsigned char> out(9 * 2 * 2);
    ofCopyGlyphBitmap(nullptr, b, out.data());
    EXPECT_EQ(alphas(out), (std::vector<int>{255, 0, 255, 0, 0, 0, 0, 0, 255,  //
                                             0, 0, 0, 0, 0, 0, 0, 255, 255}));
}

TEST(GlyphBitmapCopy, FourBitGreyIsConvertedAndSpreadToFullRange) {
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    // Two pixels a byte, high nibble first: levels 15, 0, 8 and 1.
    std::vector<unsigned char> src = {0xF0, 0x81};
    FT_Bitmap b = makeBitmap(2, 2, 1, FT_PIXEL_MODE_GRAY4, src.data(), 16);
    std::vector<unsigned char> out(2 * 2 * 2);
    ofCopyGlyphBitmap(library, b, out.data());
    EXPECT_EQ(alphas(out), (std::vector<int>{255, 0, 136, 17}));
    FT_Done_FreeType(library);
}

