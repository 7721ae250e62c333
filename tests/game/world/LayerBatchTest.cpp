#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LayerBatch.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

std::vector<float> xyz(const LayerBatch& b, int first, int count) {
    return std::vector<float>(b.vertices.begin() + first * 3, b.vertices.begin() + (first + count) * 3);
}

std::vector<int> rgba(const LayerBatch& b, int v) {
    return std::vector<int>(b.colours.begin() + v * 4, b.colours.begin() + v * 4 + 4);
}

}  // namespace

TEST(LayerBatch, RectsGoInVertexOrderFromTheirLayersFirstSlot) {
    LayerBatch tri;
    tri.setup(3, 10, 3);
    tri.setColor(10, 20, 30, 40);
    ASSERT_TRUE(tri.addRect(1, 2, 0.5f, 10, 20, 1));
    // Layer 1 starts at object 10, vertex 30.
    EXPECT_EQ(xyz(tri, 30, 6), (std::vector<float>{1, 2, .5f, 11, 2, .5f, 1, 22, .5f, 11, 2, .5f, 1, 22, .5f, 11, 22, .5f}));
    tri.setColor(300, -1, 256, 511);  // low bytes 44, 255, 0, 255
    ASSERT_TRUE(tri.addRect(5, 6, 0, 1, 1, 1));
    EXPECT_EQ(xyz(tri, 36, 1), (std::vector<float>{5, 6, 0}));
    EXPECT_EQ(rgba(tri, 35), (std::vector<int>{10, 20, 30, 40}));
    EXPECT_EQ(rgba(tri, 41), (std::vector<int>{44, 255, 0, 255}));
    ASSERT_TRUE(tri.addRect(7, 8, 0, 1, 1, 2));
    EXPECT_EQ(xyz(tri, 60, 1), (std::vector<float>{7, 8, 0}));
    EXPECT_EQ(tri.objectCounts, (std::vector<int>{0, 4, 2}));
    tri.clear();
    ASSERT_TRUE(tri.addRect(9, 9, 0, 1, 1, 1));
    EXPECT_EQ(xyz(tri, 30, 1), (std::vector<float>{9, 9, 0}));

    LayerBatch lines;
    lines.setup(2, 20, 2);
    ASSERT_TRUE(lines.addRect(1, 2, 3, 10, 20, 1));
    // The four edges from vertex 40: top, left, right, bottom.
    EXPECT_EQ(xyz(lines, 40, 8),
              (std::vector<float>{1, 2, 3, 11, 2, 3, 1, 2, 3, 1, 22, 3, 11, 2, 3, 11, 22, 3, 1, 22, 3, 11, 22, 3}));
    EXPECT_EQ(lines.objectCounts, (std::vector<int>{0, 4}));
    EXPECT_EQ(rgba(lines, 47), (std::vector<int>{255, 255, 255, 255}));
}

TEST(LayerBatch, RefusalsPrintOneLineAndChangeNothing) {
    struct Row {
        int perObject, perLayer, layers, layer, fitting;
        std::string line;
    };
    const std::string full = " objects per layer! Ran out during rect addition\n";
    const Row rows[] = {
        {3, 10, 2, 2, 0, "RENDER ERROR: Bogus layer '2'! Only 2 layers compiled!\n"},
        {3, 10, 2, -1, 0, "RENDER ERROR: Bogus layer '-1'! Only 2 layers compiled!\n"},
        // Counts 2, 4, 6, 8 fit; the fifth would fill the layer exactly.
        {3, 10, 1, 0, 4, "RENDER ERROR: Layer 0 over allocated! Max 10" + full},
        {2, 12, 2, 1, 2, "RENDER ERROR: Layer 1 over allocated! Max 12" + full},
        {4, 10, 1, 0, 0, "RENDER ERROR: Cannot add a rect with 4 vertices per object!\n"},
        // Never set up.
        {0, 0, 0, 0, 0, "RENDER ERROR: Bogus layer '0'! Only 0 layers compiled!\n"},
    };
    for (const Row& row : rows) {
        LayerBatch batch;
        if (row.layers > 0) batch.setup(row.perObject, row.perLayer, row.layers);
        for (int i = 0; i < row.fitting; i++) ASSERT_TRUE(batch.addRect(i, i, 0, 1, 1, row.layer));
        const LayerBatch before = batch;
        batch.setColor(1, 2, 3, 4);
        CaptureStdout();
        EXPECT_FALSE(batch.addRect(100, 100, 0, 5, 5, row.layer));
        EXPECT_EQ(GetCapturedStdout(), row.line);
        EXPECT_EQ(batch.vertices, before.vertices);
        EXPECT_EQ(batch.colours, before.colours);
        EXPECT_EQ(batch.objectCounts, before.objectCounts);
        batch.clear();
    }
    // Negative sizes hold nothing; a second setup replaces the arrays.
    LayerBatch batch;
    batch.setup(3, -5, -2);
    EXPECT_TRUE(batch.vertices.empty());
    batch.draw();  // no GL context here: must not reach OpenGL
    batch.setup(2, 4, 1);
    EXPECT_EQ(batch.vertices.size(), 2u * 4 * 3);
}
