#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "PixelFontGlyphs.h"

namespace {

// Cells covered by a glyph's rectangles, counted, keyed by (column, row).
std::map<std::pair<int, int>, int> coverage(unsigned char code) {
    std::map<std::pair<int, int>, int> cells;
    for (const PixelFontRect& r : pixelFontGlyph(code)) {
        EXPECT_LT(r.h, 0) << "code " << int(code);
        EXPECT_GT(r.w, 0) << "code " << int(code);
        for (int row = static_cast<int>(r.y + r.h); row < static_cast<int>(r.y); ++row) {
            for (int col = static_cast<int>(r.x); col < static_cast<int>(r.x + r.w); ++col) ++cells[{col, row}];
        }
    }
    return cells;
}

// The glyph as text rows from topRow, "X" for covered cells.
std::string picture(unsigned char code, int topRow, int rows, int width) {
    std::map<std::pair<int, int>, int> cells = coverage(code);
    std::string out;
    for (int r = topRow; r < topRow + rows; ++r) {
        if (!out.empty()) out += "/";
        for (int c = 0; c < width; ++c) out += cells.count({c, r}) ? "X" : ".";
    }
    return out;
}

}  // namespace

TEST(PixelFontGlyphs, ShapesOfSampleGlyphs) {
    EXPECT_EQ(picture('A', -8, 8, 6), "..XX../..XX../.X..X./.X..X./.XXXX./X....X/X....X/X....X");
    EXPECT_EQ(picture('%', -7, 7, 9),
              ".XX...X../X..X.X.../X..X.X.../.XX.X.XX./...X.X..X/...X.X..X/..X...XX.");
    EXPECT_EQ(picture('g', -6, 9, 4), ".XXX/X..X/X..X/X..X/X..X/.XXX/...X/X..X/.XX.");
    EXPECT_EQ(picture('`', -10, 2, 2), "X./.X");
    // I and l share one glyph.
    auto rects = [](unsigned char code) {
        std::vector<std::tuple<float, float, float, float>> out;
        for (const PixelFontRect& r : pixelFontGlyph(code)) out.emplace_back(r.x, r.y, r.w, r.h);
        std::sort(out.begin(), out.end());
        return out;
    };
    EXPECT_EQ(rects('I'), rects('l'));
}

TEST(PixelFontGlyphs, EveryGlyphStaysInItsCellsWithoutOverlap) {
    for (int code = 33; code <= 126; ++code) {
        if (code == '_') continue;  // half a cell left of the pen, checked where it is drawn
        std::map<std::pair<int, int>, int> cells = coverage(static_cast<unsigned char>(code));
        EXPECT_FALSE(cells.empty()) << code;
        int width = code == '~' ? 4 : pixelFontCharWidths[code];
        for (const auto& cell : cells) {
            EXPECT_EQ(cell.second, 1) << "overlap in code " << code;
            EXPECT_GE(cell.first.first, 0) << code;
            EXPECT_LT(cell.first.first, width) << code;
            EXPECT_GE(cell.first.second, -10) << code;
            EXPECT_LE(cell.first.second, 2) << code;
        }
    }
    for (int code : {0, 10, 31, 32, 127, 128, 200, 255}) {
        EXPECT_TRUE(pixelFontGlyph(static_cast<unsigned char>(code)).empty()) << code;
    }
}
