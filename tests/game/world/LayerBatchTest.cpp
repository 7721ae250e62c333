#include "LayerBatch.h"
#include "WorldTest.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;
typedef std::vector<float> Floats;
typedef std::vector<int> Ints;

static Floats xyz(const LayerBatch& b, int first, int count) {
    return Floats(b.vertices.begin() + first * 3, b.vertices.begin() + (first + count) * 3);
}

TEST(LayerBatch, RectsGoInVertexOrderFromTheirLayersFirstSlotWithLowByteColours) {
    LayerBatch tri;
    tri.setup(3, 10, 3);
    tri.setColor(10, 20, 30, 40);
    ASSERT_TRUE(tri.addRect(1, 2, 0.5f, 10, 20, 1));  // layer 1 starts at object 10, vertex 30
    EXPECT_EQ(xyz(tri, 30, 6), (Floats{1, 2, .5f, 11, 2, .5f, 1, 22, .5f, 11, 2, .5f, 1, 22, .5f, 11, 22, .5f}));
    tri.setColor(300, -1, 256, 511);  // low bytes 44, 255, 0, 255
    ASSERT_TRUE(tri.addRect(5, 6, 0, 1, 1, 1) && tri.addRect(7, 8, 0, 1, 1, 2));
    EXPECT_EQ(xyz(tri, 36, 1), (Floats{5, 6, 0}));
    EXPECT_EQ(xyz(tri, 60, 1), (Floats{7, 8, 0}));
    EXPECT_EQ(Ints(tri.colours.begin() + 35 * 4, tri.colours.begin() + 37 * 4),
              (Ints{10, 20, 30, 40, 44, 255, 0, 255}));
    EXPECT_EQ(tri.objectCounts, (Ints{0, 4, 2}));
    tri.clear();
    ASSERT_TRUE(tri.addRect(9, 9, 0, 1, 1, 1));
    EXPECT_EQ(xyz(tri, 30, 1), (Floats{9, 9, 0}));
    LayerBatch lines;
    lines.setup(2, 20, 2);
    ASSERT_TRUE(lines.addRect(1, 2, 3, 10, 20, 1));  // the four edges from vertex 40: top, left, right, bottom
    EXPECT_EQ(xyz(lines, 40, 8),
              (Floats{1, 2, 3, 11, 2, 3, 1, 2, 3, 1, 22, 3, 11, 2, 3, 11, 22, 3, 1, 22, 3, 11, 22, 3}));
    EXPECT_TRUE(lines.objectCounts == (Ints{0, 4}) &&
                Ints(lines.colours.begin() + 47 * 4, lines.colours.begin() + 48 * 4) == (Ints{255, 255, 255, 255}));
}

TEST(LayerBatch, RefusalsPrintOneLineAndChangeNothing) {
    const std::string full = " objects per layer! Ran out during rect addition\n";
    struct Row {
        int perObject, perLayer, layers, layer, fitting;  // fitting: rects added first
        std::string line;
    } rows[] = {{3, 10, 2, 2, 0, "RENDER ERROR: Bogus layer '2'! Only 2 layers compiled!\n"},
                {3, 10, 2, -1, 0, "RENDER ERROR: Bogus layer '-1'! Only 2 layers compiled!\n"},
                {3, 10, 1, 0, 4, "RENDER ERROR: Layer 0 over allocated! Max 10" + full},  // the fifth fills it exactly
                {2, 12, 2, 1, 2, "RENDER ERROR: Layer 1 over allocated! Max 12" + full},
                {4, 10, 1, 0, 0, "RENDER ERROR: Cannot add a rect with 4 vertices per object!\n"},
                {0, 0, 0, 0, 0, "RENDER ERROR: Bogus layer '0'! Only 0 layers compiled!\n"}};  // never set up
    for (const Row& row : rows) {
        LayerBatch batch;
        if (row.layers > 0) batch.setup(row.perObject, row.perLayer, row.layers);
        for (int i = 0; i < row.fitting; i++) ASSERT_TRUE(batch.addRect(i, i, 0, 1, 1, row.layer));
        const LayerBatch before = batch;
        batch.setColor(1, 2, 3, 4);
        CaptureStdout();
        EXPECT_FALSE(batch.addRect(100, 100, 0, 5, 5, row.layer));
        EXPECT_EQ(GetCapturedStdout(), row.line);
        EXPECT_TRUE(batch.vertices == before.vertices && batch.colours == before.colours &&
                    batch.objectCounts == before.objectCounts);
        batch.clear();
    }
    LayerBatch batch;  // negative sizes hold nothing; a second setup replaces the arrays
    batch.setup(3, -5, -2);
    EXPECT_TRUE(batch.vertices.empty());
    batch.draw();  // no GL context here: must not reach OpenGL
    batch.setup(2, 4, 1);
    EXPECT_EQ(batch.vertices.size(), 2u * 4 * 3);
}
