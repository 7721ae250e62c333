#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "PixelFontGlyphs.h"

// Translucent text must tint evenly: no two rectangles of a glyph overlap,
// and every one stays inside the glyph's cells. Bytes without a glyph have none.
TEST(PixelFontGlyphs, EveryGlyphStaysInItsCellsWithoutOverlap) {
    for (int code = 33; code <= 126; ++code) {
        if (code == '_') continue;  // starts half a cell left of the pen
        std::set<std::pair<int, int>> cells;
        const int width = code == '~' ? 4 : pixelFontCharWidths[code];
        for (const PixelFontRect& r : pixelFontGlyph(static_cast<unsigned char>(code))) {
            ASSERT_TRUE(r.h < 0 && r.w > 0) << code;
            for (int row = static_cast<int>(r.y + r.h); row < static_cast<int>(r.y); ++row)
                for (int col = static_cast<int>(r.x); col < static_cast<int>(r.x + r.w); ++col) {
                    EXPECT_TRUE(cells.insert({col, row}).second) << "overlap in code " << code;
                    EXPECT_TRUE(col >= 0 && col < width && row >= -10 && row <= 2) << code;
                }
        }
        EXPECT_FALSE(cells.empty()) << code;
    }
    for (int code : {0, 10, 31, 32, 127, 128, 200, 255})
        EXPECT_TRUE(pixelFontGlyph(static_cast<unsigned char>(code)).empty()) << code;
}
