#include <gtest/gtest.h>

#include <GL/glew.h>

#include "GLTestWindow.h"
#include "LayerBatch.h"
#include "ofGraphics.h"

using GLTestWindow::colours;

TEST(LayerBatchDisplay, DrawsEachLayerFromItsOwnSlotsAndNothingAfterClear) {
    GLTestWindow::openScreen(200, 200);
    LayerBatch batch;
    batch.setup(3, 100, 2);
    batch.setColor(255, 0, 0, 255);
    ASSERT_TRUE(batch.addRect(20, 30, 0, 40, 10, 0));
    batch.setColor(0, 0x1FF, 0, 255);
    ASSERT_TRUE(batch.addRect(100, 100, 0, 10, 20, 1));
    batch.draw();
    // Row 35 crosses the red rect from x 20 to 59; column 105 the green one from y 100 to 119.
    EXPECT_EQ(colours(15, 35, 50), std::string(5, '.') + std::string(40, 'R') + std::string(5, '.'));
    EXPECT_EQ(colours(105, 95, 30, true), std::string(5, '.') + std::string(20, 'G') + std::string(5, '.'));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));

    batch.clear();
    ofClear(0, 0, 0, 255);
    batch.draw();
    EXPECT_EQ(colours(15, 35, 50), std::string(50, '.'));
    EXPECT_EQ(colours(105, 110, 1), ".");
}
