#include <gtest/gtest.h>

#include "ofGlyphAtlas.h"

#include <random>
#include <set>
#include <vector>

namespace {

// Packs the boxes and checks that the side is a power of two, every cell lies
// inside the atlas, no two cells overlap and each glyph is placed exactly
// once. Returns the side, 0 when packing failed (and the side was reset).
int pack(const std::vector<ofGlyphBox>& boxes, int border, long long area, std::vector<ofGlyphPlace>& places) {
    int side = -1;
    if (!ofPackGlyphAtlas(boxes, border, area, side, places)) {
        EXPECT_EQ(side, 0);
        return 0;
    }
    EXPECT_TRUE(side > 0 && (side & (side - 1)) == 0) << "side " << side;
    EXPECT_EQ(places.size(), boxes.size());
    std::vector<std::vector<int>> cells;
    std::set<int> seen;
    for (const ofGlyphPlace& p : places) {
        EXPECT_TRUE(seen.insert(p.index).second) << "glyph " << p.index << " placed twice";
        const ofGlyphBox& b = boxes[static_cast<size_t>(p.index)];
        std::vector<int> c = {p.x, p.y, p.x + static_cast<int>(b.texWidth) + 2 * border,
                              p.y + static_cast<int>(b.texHeight) + 2 * border};
        EXPECT_TRUE(c[0] >= 0 && c[1] >= 0 && c[2] <= side && c[3] <= side) << "glyph " << p.index;
        for (const std::vector<int>& o : cells) {
            EXPECT_FALSE(c[0] < o[2] && o[0] < c[2] && c[1] < o[3] && o[1] < c[3]) << "glyph " << p.index;
        }
        cells.push_back(c);
    }
    return side;
}

}  // namespace

TEST(GlyphAtlasPacking, ExactShelvesTallestFirstAndGrowsFromTheEstimate) {
    // Area 64 gives an 8 x 8 first attempt; the second row does not fit, so
    // the estimate grows by one step to 16 x 16.
    std::vector<ofGlyphPlace> places;
    EXPECT_EQ(pack({{0, 4, 4}, {1, 6, 2}, {2, 2, 6}, {3, 3, 4}}, 1, 64, places), 16);
    std::vector<std::vector<int>> got;
    for (const ofGlyphPlace& p : places) got.push_back({p.index, p.x, p.y});
    EXPECT_EQ(got, (std::vector<std::vector<int>>{{2, 0, 0}, {0, 4, 0}, {3, 10, 0}, {1, 0, 8}}));
}

TEST(GlyphAtlasPacking, DegenerateEstimatesAndOversizedGlyphsStillEndInAFittingAtlas) {
    struct Case {
        ofGlyphBox box;
        int border;
        long long area;
        int side;
    } cases[] = {
        // Empty glyphs with a zero or negative area estimate: the search
        // starts at a side of 1 and grows until the 6 x 6 bordered cell fits.
        {{0, 0, 0}, 3, 0, 8},
        {{0, 0, 0}, 3, -500, 8},
        {{0, 0, 0}, 3, 1, 8},
        // 100 x 10 with an estimate of 1000 starts at 32 x 32; the glyph only
        // fits from 128 on and must never be placed past the right edge.
        {{0, 100, 10}, 0, 1000, 128},
        // A tall first glyph under a small estimate: the first row is checked too.
        {{0, 2, 100}, 3, 64, 128},
        // Wider than any texture: refused without looping.
        {{0, 20000, 4}, 3, 1, 0},
    };
    for (const Case& c : cases) {
        std::vector<ofGlyphPlace> places = {{5, 5, 5}};
        EXPECT_EQ(pack({c.box}, c.border, c.area, places), c.side) << c.box.texWidth << " " << c.area;
        if (c.side == 0) {
            EXPECT_TRUE(places.empty());
        }
    }
}

TEST(GlyphAtlasPacking, RandomGlyphSetsNeverOverlapOrLeaveTheAtlas) {
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> count(1, 256), dim(0, 40), top(-10, 40);
    for (int round = 0; round < 40; ++round) {
        std::vector<ofGlyphBox> boxes;
        long long area = 0;
        for (int i = 0, n = count(rng); i < n; ++i) {
            int w = dim(rng);
            int h = dim(rng);
            boxes.push_back({i, static_cast<float>(w), static_cast<float>(h)});
            area += static_cast<long long>(w + 6) * (top(rng) + 6);
        }
        std::vector<ofGlyphPlace> places;
        EXPECT_NE(pack(boxes, 3, area, places), 0);
    }
}
