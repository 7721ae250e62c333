#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofImage.h"

// These images never use their texture, so no OpenGL context is needed.
TEST(ImageClass, DrawsReachTheRendererAndResizeKeepsChannelOrderOrRefuses) {
    ofImage image;
    image.setUseTexture(false);
    image.allocate(4, 2, OF_IMAGE_COLOR);
    auto recorder = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(recorder);
    recorder->reset();
    image.draw(1, 2, 3, 4, 5);
    EXPECT_EQ(recorder->take(), (std::vector<std::string>{"drawImage(1,2,3,4,5,0,0,4,2)"}));
    ofSetCurrentRenderer(nullptr);
    image.draw(5, 6);  // no renderer: nothing, no crash

    const unsigned char rgb[] = {250, 20, 5};
    for (int i = 0; i < 4 * 2 * 3; ++i) image.getPixels()[i] = rgb[i % 3];
    image.resize(8, 6);
    ASSERT_EQ(image.getWidth() * image.getHeight(), 48);
    EXPECT_EQ(image.getImageType(), OF_IMAGE_COLOR);
    for (int i = 0; i < 8 * 6 * 3; ++i) ASSERT_EQ(image.getPixels()[i], rgb[i % 3]) << i;  // red still first

    unsigned char* before = image.getPixels();
    testing::internal::CaptureStderr();
    image.resize(-3, 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[error] ofImage::resize() couldn't resize 8x6 image to -3x4\n");
    EXPECT_EQ(image.getPixels(), before);
    EXPECT_EQ(image.getWidth(), 8);
}
