#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LayerBatch.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

std::vector<float> xyzOf(const LayerBatch& batch, int first, int count) {
    return std::vector<float>(batch.vertices.begin() + first * 3, batch.vertices.begin() + (first + count) * 3);
}

std::vector<int> rgbaOf(const LayerBatch& batch, int vertex) {
    std::vector<int> out;
    for (int k = 0; k < 4; k++) out.push_back(batch.colours[vertex * 4 + k]);
    return out;
}

}  // namespace

TEST(LayerBatch, SetupSizesEveryArrayAndStartsWhite) {
    LayerBatch batch;
    batch.setup(3, 10, 2);
    EXPECT_EQ(batch.vertices.size(), 3u * 10 * 2 * 3);
    EXPECT_EQ(batch.colours.size(), 3u * 10 * 2 * 4);
    EXPECT_EQ(batch.objectCounts, (std::vector<int>{0, 0}));
    EXPECT_EQ(batch.lineWidths, (std::vector<int>{1, 1}));
    EXPECT_TRUE(batch.clientArrays);
    // A second setup replaces the arrays instead of piling up.
    batch.setColor(1, 2, 3, 4);
    batch.setup(2, 4, 1);
    EXPECT_EQ(batch.vertices.size(), 2u * 4 * 3);
    EXPECT_EQ(batch.objectCounts.size(), 1u);
    EXPECT_EQ(batch.currentColour[0], 255);
    EXPECT_EQ(batch.currentColour[3], 255);
}

TEST(LayerBatch, TrianglesGoInVertexOrderFromTheLayersFirstSlot) {
    LayerBatch batch;
    batch.setup(3, 10, 3);
    batch.setColor(10, 20, 30, 40);
    ASSERT_TRUE(batch.addRect(1, 2, 0.5f, 10, 20, 1));
    // Layer 1 starts at object 10, vertex 30.
    EXPECT_EQ(xyzOf(batch, 30, 6), (std::vector<float>{1, 2, 0.5f, 11, 2, 0.5f, 1, 22, 0.5f,    //
                                                         11, 2, 0.5f, 1, 22, 0.5f, 11, 22, 0.5f}));
    EXPECT_EQ(batch.objectCounts, (std::vector<int>{0, 2, 0}));
    batch.setColor(50, 60, 70, 80);
    ASSERT_TRUE(batch.addRect(5, 6, 0, 1, 1, 1));
    // The second rect follows on at vertex 36, in the new colour.
    EXPECT_EQ(xyzOf(batch, 36, 1), (std::vector<float>{5, 6, 0}));
    EXPECT_EQ(rgbaOf(batch, 35), (std::vector<int>{10, 20, 30, 40}));
    EXPECT_EQ(rgbaOf(batch, 36), (std::vector<int>{50, 60, 70, 80}));
    EXPECT_EQ(rgbaOf(batch, 41), (std::vector<int>{50, 60, 70, 80}));
    // Layer 2 starts at vertex 60; layer 0's slots are untouched.
    ASSERT_TRUE(batch.addRect(7, 8, 0, 1, 1, 2));
    EXPECT_EQ(xyzOf(batch, 60, 1), (std::vector<float>{7, 8, 0}));
    EXPECT_EQ(xyzOf(batch, 0, 1), (std::vector<float>{0, 0, 0}));
    EXPECT_EQ(batch.objectCounts, (std::vector<int>{0, 4, 2}));
}

TEST(LayerBatch, LinesAreTheFourEdgesInOrder) {
    LayerBatch batch;
    batch.setup(2, 20, 2);
    ASSERT_TRUE(batch.addRect(1, 2, 3, 10, 20, 1));
    // Layer 1 starts at object 20, vertex 40.
    EXPECT_EQ(xyzOf(batch, 40, 8), (std::vector<float>{1, 2, 3,  11, 2, 3,  1, 2, 3,   1, 22, 3,    //
                                                         11, 2, 3, 11, 22, 3, 1, 22, 3, 11, 22, 3}));
    EXPECT_EQ(batch.objectCounts, (std::vector<int>{0, 4}));
    EXPECT_EQ(rgbaOf(batch, 47), (std::vector<int>{255, 255, 255, 255}));
}

TEST(LayerBatch, ColourChannelsKeepTheirLowByte) {
    LayerBatch batch;
    batch.setup(3, 10, 1);
    batch.setColor(300, -1, 256, 511);
    EXPECT_EQ(batch.currentColour[0], 300);
    ASSERT_TRUE(batch.addRect(0, 0, 0, 1, 1, 0));
    for (int v = 0; v < 6; v++) EXPECT_EQ(rgbaOf(batch, v), (std::vector<int>{44, 255, 0, 255})) << v;
}

TEST(LayerBatch, RefusalsPrintOneLineAndChangeNothing) {
    struct Row {
        int perObject, perLayer, layers, layer, rectsBefore;
        const char* line;
    };
    const Row rows[] = {
        {3, 10, 2, 2, 0, "RENDER ERROR: Bogus layer '2'! Only 2 layers compiled!\n"},
        {3, 10, 2, -1, 0, "RENDER ERROR: Bogus layer '-1'! Only 2 layers compiled!\n"},
        // Four triangle rects fill 8 of 10 slots; the fifth would fill the
        // layer exactly and is refused.
        {3, 10, 1, 0, 4, "RENDER ERROR: Layer 0 over allocated! Max 10 objects per layer! Ran out during rect "
                         "addition\n"},
        // Line mode: 4 objects a rect; with 12 slots two rects fit, not three.
        {2, 12, 2, 1, 2, "RENDER ERROR: Layer 1 over allocated! Max 12 objects per layer! Ran out during rect "
                         "addition\n"},
        {4, 10, 1, 0, 0, "RENDER ERROR: Cannot add a rect with 4 vertices per object!\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        LayerBatch batch;
        batch.setup(row.perObject, row.perLayer, row.layers);
        std::vector<int> counts;
        for (int i = 0; i < row.rectsBefore; i++) {
            ASSERT_TRUE(batch.addRect(i, i, 0, 1, 1, row.layer));
            counts.push_back(batch.objectCounts[row.layer]);
        }
        const std::vector<float> vertices = batch.vertices;
        const std::vector<unsigned char> colours = batch.colours;
        const std::vector<int> before = batch.objectCounts;
        batch.setColor(1, 2, 3, 4);
        CaptureStdout();
        EXPECT_FALSE(batch.addRect(100, 100, 0, 5, 5, row.layer));
        EXPECT_EQ(GetCapturedStdout(), row.line);
        EXPECT_EQ(batch.vertices, vertices);
        EXPECT_EQ(batch.colours, colours);
        EXPECT_EQ(batch.objectCounts, before);
        if (row.perObject == 3 && row.rectsBefore == 4) {
            EXPECT_EQ(counts, (std::vector<int>{2, 4, 6, 8}));
        }
    }
}

TEST(LayerBatch, ABatchNeverSetUpRefusesAndIgnoresClearAndDraw) {
    LayerBatch batch;
    CaptureStdout();
    EXPECT_FALSE(batch.addRect(0, 0, 0, 1, 1, 0));
    EXPECT_EQ(GetCapturedStdout(), "RENDER ERROR: Bogus layer '0'! Only 0 layers compiled!\n");
    batch.clear();
    // No GL context here: draw must not reach OpenGL.
    batch.draw();
    // Negative sizes hold nothing.
    batch.setup(3, -5, -2);
    EXPECT_TRUE(batch.vertices.empty());
    EXPECT_EQ(batch.layers, 0);
    batch.draw();
}

TEST(LayerBatch, ClearEmptiesEveryLayerAndTheNextRectStartsAtTheFront) {
    LayerBatch batch;
    batch.setup(3, 10, 2);
    ASSERT_TRUE(batch.addRect(1, 1, 0, 1, 1, 0));
    ASSERT_TRUE(batch.addRect(2, 2, 0, 1, 1, 1));
    batch.clear();
    EXPECT_EQ(batch.objectCounts, (std::vector<int>{0, 0}));
    ASSERT_TRUE(batch.addRect(9, 9, 0, 1, 1, 1));
    EXPECT_EQ(xyzOf(batch, 30, 1), (std::vector<float>{9, 9, 0}));
}
