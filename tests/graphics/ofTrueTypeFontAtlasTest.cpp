#include <gtest/gtest.h>

#include "ofGlyphAtlas.h"

#include <random>
#include <set>

namespace {

struct Cell {
    int x0, y0, x1, y1;
};

// Checks that every cell lies inside the atlas, no two cells overlap and each
// glyph is placed exactly once.
void expectSoundPacking(const std::vector<ofGlyphBox>& boxes, int border, int side,
                        const std::vector<ofGlyphPlace>& places) {
    ASSERT_EQ(places.size(), boxes.size());
    EXPECT_GT(side, 0);
    EXPECT_EQ(side & (side - 1), 0) << "side " << side << " is not a power of two";
    std::vector<Cell> cells;
    std::set<int> seen;
    for (const ofGlyphPlace& p : places) {
        ASSERT_TRUE(seen.insert(p.index).second) << "glyph " << p.index << " placed twice";
        const ofGlyphBox& b = boxes[static_cast<size_t>(p.index)];
        Cell c{p.x, p.y, p.x + static_cast<int>(b.texWidth) + 2 * border,
               p.y + static_cast<int>(b.texHeight) + 2 * border};
        EXPECT_GE(c.x0, 0);
        EXPECT_GE(c.y0, 0);
        EXPECT_LE(c.x1, side) << "glyph " << p.index;
        EXPECT_LE(c.y1, side) << "glyph " << p.index;
        cells.push_back(c);
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        for (size_t j = i + 1; j < cells.size(); ++j) {
            const Cell& a = cells[i];
            const Cell& b = cells[j];
            bool overlap = a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
            EXPECT_FALSE(overlap) << "cells " << places[i].index << " and " << places[j].index;
        }
    }
}

}  // namespace

TEST(GlyphAtlasPacking, ExactShelvesTallestFirstAndGrowsFromTheEstimate) {
    // Area 64 gives an 8 x 8 first attempt; the second row does not fit, so
    // the estimate grows by one step to 16 x 16.
    std::vector<ofGlyphBox> boxes = {{0, 4, 4}, {1, 6, 2}, {2, 2, 6}, {3, 3, 4}};
    int side = 0;
    std::vector<ofGlyphPlace> places;
    ASSERT_TRUE(ofPackGlyphAtlas(boxes, 1, 64, side, places));
    EXPECT_EQ(side, 16);
    std::vector<std::vector<int>> got;
    for (const ofGlyphPlace& p : places) got.push_back({p.index, p.x, p.y});
    EXPECT_EQ(got, (std::vector<std::vector<int>>{{2, 0, 0}, {0, 4, 0}, {3, 10, 0}, {1, 0, 8}}));
    expectSoundPacking(boxes, 1, side, places);
}

TEST(GlyphAtlasPacking, DegenerateEstimatesStillEndInAFittingAtlas) {
    // Empty glyphs with a zero or negative area estimate: the search starts
    // at a side of 1 and grows until the 6 x 6 bordered cells fit.
    std::vector<ofGlyphBox> empty = {{0, 0, 0}};
    for (long long area : {0LL, -500LL, 1LL}) {
        int side = 0;
        std::vector<ofGlyphPlace> places;
        ASSERT_TRUE(ofPackGlyphAtlas(empty, 3, area, side, places)) << area;
        EXPECT_EQ(side, 8) << area;
        expectSoundPacking(empty, 3, side, places);
    }
}

TEST(GlyphAtlasPacking, OversizedGlyphFailsTheAttemptInsteadOfSpillingOut) {
    // 100 x 10 with an estimate of 1000 starts at 32 x 32; the glyph only
    // fits from 128 on and must never be placed past the right edge.
    std::vector<ofGlyphBox> wide = {{0, 100, 10}};
    int side = 0;
    std::vector<ofGlyphPlace> places;
    ASSERT_TRUE(ofPackGlyphAtlas(wide, 0, 1000, side, places));
    EXPECT_EQ(side, 128);
    expectSoundPacking(wide, 0, side, places);

    // A tall first glyph under a small estimate: the first row is checked too.
    std::vector<ofGlyphBox> tall = {{0, 2, 100}};
    ASSERT_TRUE(ofPackGlyphAtlas(tall, 3, 64, side, places));
    EXPECT_EQ(side, 128);
    expectSoundPacking(tall, 3, side, places);

    // Wider than any texture: refused without looping.
    std::vector<ofGlyphBox> huge = {{0, 20000, 4}};
    EXPECT_FALSE(ofPackGlyphAtlas(huge, 3, 1, side, places));
    EXPECT_EQ(side, 0);
    EXPECT_TRUE(places.empty());
}

TEST(GlyphAtlasPacking, RandomGlyphSetsNeverOverlapOrLeaveTheAtlas) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 40; ++round) {
        std::uniform_int_distribution<int> count(1, 256);
        std::uniform_int_distribution<int> dim(0, 40);
        std::uniform_int_distribution<int> top(-10, 40);
        std::vector<ofGlyphBox> boxes;
        long long area = 0;
        int n = count(rng);
        for (int i = 0; i < n; ++i) {
            int w = dim(rng);
            int h = dim(rng);
            boxes.push_back({i, static_cast<float>(w), static_cast<float>(h)});
            area += static_cast<long long>(w + 6) * (top(rng) + 6);
        }
        int side = 0;
        std::vector<ofGlyphPlace> places;
        ASSERT_TRUE(ofPackGlyphAtlas(boxes, 3, area, side, places));
        expectSoundPacking(boxes, 3, side, places);
    }
}
