#include <gtest/gtest.h>

#include <GL/glew.h>

#include "GLTestWindow.h"
#include "LayerBatch.h"
#include "ofGraphics.h"

namespace {

class LayerBatchDisplay : public testing::Test {
protected:
    void SetUp() override { GLTestWindow::openScreen(200, 200); }
    static void blank() { ofClear(0, 0, 0, 255); }
};

using GLTestWindow::colours;

}  // namespace

TEST_F(LayerBatchDisplay, TrianglesFillTheRectInTheirOwnColours) {
    LayerBatch batch;
    batch.setup(3, 100, 2);
    batch.setColor(255, 0, 0, 255);
    ASSERT_TRUE(batch.addRect(20, 30, 0, 40, 10, 0));
    // Layer 1 draws from its own first vertex; 0x1FF keeps its low byte 255.
    batch.setColor(0, 0x1FF, 0, 255);
    ASSERT_TRUE(batch.addRect(100, 100, 0, 10, 20, 1));
    blank();
    batch.draw();
    // Row 35 crosses the red rect from x 20 to 59.
    EXPECT_EQ(colours(15, 35, 50), std::string(5, '.') + std::string(40, 'R') + std::string(5, '.'));
    // Column 105 crosses the green rect from y 100 to 119.
    EXPECT_EQ(colours(105, 95, 30, true), std::string(5, '.') + std::string(20, 'G') + std::string(5, '.'));
    EXPECT_EQ(colours(20, 25, 5, true), ".....");
    // The draw leaves both client arrays off.
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
}

TEST_F(LayerBatchDisplay, LinesOutlineTheRect) {
    LayerBatch batch;
    batch.setup(2, 100, 1);
    batch.setColor(255, 255, 255, 255);
    ASSERT_TRUE(batch.addRect(50.5f, 50.5f, 0, 20, 10, 0));
    blank();
    batch.draw();
    // The top edge lights, the inside stays dark.
    EXPECT_EQ(colours(55, 50, 1), "W");
    EXPECT_EQ(colours(60, 55, 1), ".");
    EXPECT_EQ(colours(60, 45, 1), ".");
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
}

TEST_F(LayerBatchDisplay, NothingIsDrawnAfterClear) {
    LayerBatch batch;
    batch.setup(3, 100, 1);
    ASSERT_TRUE(batch.addRect(10, 10, 0, 50, 50, 0));
    batch.clear();
    blank();
    batch.draw();
    EXPECT_EQ(colours(5, 30, 60), std::string(60, '.'));
    // And it draws again once refilled.
    ASSERT_TRUE(batch.addRect(10, 10, 0, 50, 50, 0));
    batch.draw();
    EXPECT_EQ(colours(30, 30, 1), "W");
}
