#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofImage.h"

// These images never use their texture, so no OpenGL context is needed.
namespace {

std::string captureErr(const std::function<void()>& action) {
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

ofImage colourImage(int w, int h) {
    ofImage image;
    image.setUseTexture(false);
    image.allocate(w, h, OF_IMAGE_COLOR);
    return image;
}

}  // namespace

TEST(ImageClass, EveryDrawFormReachesTheRendererWithTheWholeImageAsSource) {
    auto recorder = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(recorder);
    ofImage image = colourImage(30, 20);
    recorder->reset();
    image.draw(5, 6);
    image.draw(1, 2, 3, 4, 5);
    EXPECT_EQ(recorder->take(), (std::vector<std::string>{"drawImage(5,6,0,30,20,0,0,30,20)",
                                                         "drawImage(1,2,3,4,5,0,0,30,20)"}));
    // Without a current renderer a draw does nothing, and does not crash.
    ofSetCurrentRenderer(nullptr);
    image.draw(5, 6);
}

TEST(ImageClass, ResizeKeepsChannelOrderAndRefusesImpossibleSizes) {
    ofImage image = colourImage(4, 2);
    const std::vector<unsigned char> rgb = {250, 20, 5};
    for (int i = 0; i < 4 * 2 * 3; ++i) image.getPixels()[i] = rgb[i % 3];
    image.resize(8, 6);
    ASSERT_EQ(image.getWidth(), 8);
    ASSERT_EQ(image.getHeight(), 6);
    EXPECT_EQ(image.getImageType(), OF_IMAGE_COLOR);
    // A flat colour stays exactly that colour, red still first.
    for (int i = 0; i < 8 * 6 * 3; ++i) ASSERT_EQ(image.getPixels()[i], rgb[i % 3]) << i;

    unsigned char* before = image.getPixels();
    EXPECT_EQ(captureErr([&] { image.resize(-3, 4); }),
              "[error] ofImage::resize() couldn't resize 8x6 image to -3x4\n");
    EXPECT_EQ(image.getWidth(), 8);
    EXPECT_EQ(image.getPixels(), before);

    ofImage empty;
    empty.setUseTexture(false);
    EXPECT_EQ(captureErr([&] { empty.resize(3, 3); }), "[error] ofImage::resize() couldn't resize 0x0 image to 3x3\n");
    EXPECT_EQ(empty.getWidth(), 0);
}
