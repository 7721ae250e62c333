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

TEST_F(ImageClass, StartsEmptyAndAllocateRefreshesTheFields) {
    ofImage image;
    EXPECT_EQ(image.getWidth(), 0);
    EXPECT_EQ(image.getHeight(), 0);
    EXPECT_EQ(image.getBitsPerPixel(), 0);
    EXPECT_EQ(image.getImageType(), OF_IMAGE_UNDEFINED);
    EXPECT_TRUE(image.isUsingTexture());

    image.setUseTexture(false);
    image.allocate(46, 71, OF_IMAGE_GRAYSCALE);
    EXPECT_EQ(image.getWidth(), 46);
    EXPECT_EQ(image.getHeight(), 71);
    EXPECT_EQ(image.getBitsPerPixel(), 8);
    EXPECT_EQ(image.getImageType(), OF_IMAGE_GRAYSCALE);
    unsigned char* bytes = image.getPixels();
    image.allocate(46, 71, OF_IMAGE_GRAYSCALE);  // same shape: untouched
    EXPECT_EQ(image.getPixels(), bytes);
    image.allocate(2, 3, OF_IMAGE_COLOR_ALPHA);
    EXPECT_EQ(image.getBitsPerPixel(), 32);
    EXPECT_EQ(image.getPixelsRef().getBytesPerPixel(), 4);

    image.clear();
    EXPECT_EQ(image.getWidth(), 0);
    EXPECT_EQ(image.getImageType(), OF_IMAGE_UNDEFINED);
    EXPECT_FALSE(image.getPixelsRef().isAllocated());
    EXPECT_TRUE(image.isUsingTexture());  // a cleared image uses a texture again
}

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

TEST_F(ImageClass, SaveAndLoadThroughTheImage) {
    ofImage image;
    image.setUseTexture(false);
    image.allocate(5, 3, OF_IMAGE_COLOR);
    fillSolid(image, 200, 100, 50);
    image.getPixels()[0] = 1;
    image.saveImage("classsave.png");

    ofImage loaded;
    loaded.setUseTexture(false);
    ASSERT_TRUE(loaded.loadImage("classsave.png"));
    EXPECT_EQ(loaded.getWidth(), 5);
    EXPECT_EQ(loaded.getHeight(), 3);
    EXPECT_EQ(loaded.getBitsPerPixel(), 24);
    EXPECT_EQ(loaded.getImageType(), OF_IMAGE_COLOR);
    std::vector<unsigned char> a(image.getPixels(), image.getPixels() + 45);
    std::vector<unsigned char> b(loaded.getPixels(), loaded.getPixels() + 45);
    EXPECT_EQ(a, b);
    std::remove("data/classsave.png");
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

TEST_F(ImageClass, AnchorsOnlyReachTheTextureWhileItIsUsed) {
    ofImage image;
    image.setAnchorPercent(0.5f, 0.25f);
    EXPECT_EQ(image.getTextureReference().anchor, ofPoint(0.5f, 0.25f));
    EXPECT_TRUE(image.getTextureReference().bAnchorIsPct);
    image.setAnchorPoint(3, 4);
    EXPECT_EQ(image.getTextureReference().anchor, ofPoint(3, 4));
    EXPECT_FALSE(image.getTextureReference().bAnchorIsPct);
    image.setUseTexture(false);
    image.setAnchorPoint(9, 9);
    image.resetAnchor();
    EXPECT_EQ(image.getTextureReference().anchor, ofPoint(3, 4));
    image.setUseTexture(true);
    image.resetAnchor();
    EXPECT_EQ(image.getTextureReference().anchor, ofPoint(0, 0));
}
