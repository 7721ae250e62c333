#include <gtest/gtest.h>

#include <sys/stat.h>

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

void fillSolid(ofImage& image, unsigned char r, unsigned char g, unsigned char b) {
    ofPixels& pix = image.getPixelsRef();
    for (int i = 0; i < pix.getWidth() * pix.getHeight(); ++i) {
        pix[i * 3] = r;
        pix[i * 3 + 1] = g;
        pix[i * 3 + 2] = b;
    }
}

class ImageClass : public testing::Test {
protected:
    void SetUp() override {
        mkdir("data", 0755);
        recorder = std::make_shared<RecordingRenderer>();
        ofSetCurrentRenderer(recorder);
    }
    void TearDown() override { ofSetCurrentRenderer(nullptr); }
    std::shared_ptr<RecordingRenderer> recorder;
};

}  // namespace

TEST_F(ImageClass, EveryDrawFormReachesTheRendererWithTheWholeImageAsSource) {
    ofImage image;
    image.setUseTexture(false);
    image.allocate(30, 20, OF_IMAGE_COLOR);
    recorder->reset();
    image.draw(5, 6);
    image.draw(1, 2, 60, 40);
    image.draw(ofPoint(7, 8, 9));
    image.draw(ofPoint(3, 4), 10, 11);
    image.draw(ofRectangle(12, 13, 14, 15));
    image.draw(1, 2, 3, 4, 5);
    std::vector<std::string> expected = {
        "drawImage(5,6,0,30,20,0,0,30,20)",    "drawImage(1,2,0,60,40,0,0,30,20)",
        "drawImage(7,8,0,30,20,0,0,30,20)",    "drawImage(3,4,0,10,11,0,0,30,20)",
        "drawImage(12,13,0,14,15,0,0,30,20)", "drawImage(1,2,3,4,5,0,0,30,20)"};
    EXPECT_EQ(recorder->take(), expected);

    // Without a current renderer a draw does nothing, and does not crash.
    ofSetCurrentRenderer(nullptr);
    image.draw(5, 6);
}

TEST_F(ImageClass, FailedLoadLogsTheNameAsGivenAndEmptiesTheImage) {
    ofImage image;
    image.setUseTexture(false);
    image.allocate(4, 4, OF_IMAGE_COLOR);
    bool ok = true;
    std::string err = captureErr([&] { ok = image.loadImage("pics/missing.png"); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(err, "[error] Couldn't load image from pics/missing.png\n");
    EXPECT_EQ(image.getWidth(), 0);
    EXPECT_EQ(image.getImageType(), OF_IMAGE_UNDEFINED);
    EXPECT_FALSE(image.getPixelsRef().isAllocated());
}

TEST_F(ImageClass, ResizeKeepsChannelOrderAndRefusesImpossibleSizes) {
    ofImage image;
    image.setUseTexture(false);
    image.allocate(4, 2, OF_IMAGE_COLOR);
    fillSolid(image, 250, 20, 5);
    image.resize(8, 6);
    ASSERT_EQ(image.getWidth(), 8);
    ASSERT_EQ(image.getHeight(), 6);
    EXPECT_EQ(image.getImageType(), OF_IMAGE_COLOR);
    // A flat colour stays exactly that colour, red still first.
    for (int i = 0; i < 8 * 6; ++i) {
        ASSERT_EQ(image.getPixels()[i * 3], 250) << i;
        ASSERT_EQ(image.getPixels()[i * 3 + 1], 20) << i;
        ASSERT_EQ(image.getPixels()[i * 3 + 2], 5) << i;
    }

    unsigned char* before = image.getPixels();
    std::string err = captureErr([&] { image.resize(-3, 4); });
    EXPECT_EQ(err, "[error] ofImage::resize() couldn't resize 8x6 image to -3x4\n");
    EXPECT_EQ(image.getWidth(), 8);
    EXPECT_EQ(image.getPixels(), before);

    ofImage empty;
    empty.setUseTexture(false);
    err = captureErr([&] { empty.resize(3, 3); });
    EXPECT_EQ(err, "[error] ofImage::resize() couldn't resize 0x0 image to 3x3\n");
    EXPECT_EQ(empty.getWidth(), 0);
}

