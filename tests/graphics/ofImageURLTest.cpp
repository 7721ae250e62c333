#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <FreeImage.h>

#include "LoopbackHttpServer.h"
#include "ofFreeImage.h"
#include "ofImage.h"

namespace {

// Serves `body` as a PNG with the status line given at every path starting
// with `path`, and a 404 HTML page elsewhere.
LoopbackHttpServer pictureServer(const std::string& path, const std::string& status, const std::string& body) {
    return LoopbackHttpServer([=](const std::string& head) {
        if (head.compare(0, 4 + path.size(), "GET " + path) != 0)
            return httpAnswer("HTTP/1.1 404 Not Found", "<html>not here</html>");
        return httpAnswer("HTTP/1.1 " + status + "\r\nContent-Type: image/png", body);
    });
}

std::string captureErr(const std::function<void()>& action) {
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

}  // namespace

TEST(ImageURL, PicturesComeFromALocalServerWhateverTheStatus) {
    ofPixels original;
    original.allocate(3, 2, 4);
    for (int i = 0; i < 24; ++i) original[i] = static_cast<unsigned char>(i * 11);
    mkdir("data", 0755);
    ofSaveImage(original, "served.png");
    std::ifstream in("data/served.png", std::ios::binary);
    std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove("data/served.png");
    ASSERT_FALSE(png.empty());
    // The status is not looked at: a picture body loads.
    LoopbackHttpServer server = pictureServer("/pics/", "404 Not Found", png);
    ofPixels pix;
    ASSERT_TRUE(ofLoadImage(pix, server.base + "/pics/a.png"));
    EXPECT_EQ(pix.getBytesPerPixel(), 4);
    EXPECT_TRUE(std::equal(pix.getPixels(), pix.getPixels() + 24, original.getPixels()));
    ofImage image;
    image.setUseTexture(false);
    ASSERT_TRUE(image.loadImage(server.base + "/pics/a.png"));
    EXPECT_EQ(image.getImageType(), OF_IMAGE_COLOR_ALPHA);

    // An HTML error page is no picture.
    std::string url = server.base + "/nothing.png";
    std::string err = captureErr([&] { EXPECT_FALSE(image.loadImage(url)); });
    EXPECT_EQ(err, "[error] unable to guess format\n[error] Couldn't load image from " + url + "\n");
    EXPECT_EQ(image.getWidth(), 0);
}

TEST(ImageURL, AFailedRequestFailsTheLoadAndEmptiesTheImage) {
    std::string url;
    // A port that was just free: nothing listens there any more.
    close(bindLoopback(url));
    url += "/shot.png";
    ofImage image;
    image.setUseTexture(false);
    image.allocate(2, 2, OF_IMAGE_COLOR);
    std::string err = captureErr([&] { EXPECT_FALSE(image.loadImage(url)); });
    EXPECT_EQ(err.rfind("[error] ofURLFileLoader ", 0), 0u) << err;
    std::string tail = "[error] unable to guess format\n[error] Couldn't load image from " + url + "\n";
    ASSERT_GE(err.size(), tail.size());
    EXPECT_EQ(err.substr(err.size() - tail.size()), tail);
    EXPECT_EQ(image.getWidth(), 0);
    EXPECT_EQ(image.getImageType(), OF_IMAGE_UNDEFINED);
    EXPECT_FALSE(image.getPixelsRef().isAllocated());
}

TEST(ImageURL, OnlyPngJpegGifAndBmpAreTakenFromTheNet) {
    ofInitFreeImage();
    FIBITMAP* bitmap = FreeImage_Allocate(4, 4, 24);
    FIMEMORY* memory = FreeImage_OpenMemory();
    ASSERT_TRUE(FreeImage_SaveToMemory(FIF_TIFF, bitmap, memory, 0));
    BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(FreeImage_AcquireMemory(memory, &data, &size));
    std::string tiff(reinterpret_cast<const char*>(data), size);
    FreeImage_CloseMemory(memory);
    FreeImage_Unload(bitmap);

    LoopbackHttpServer server = pictureServer("/a.tif", "200 OK", tiff);
    std::string url = server.base + "/a.tif";
    ofImage image;
    image.setUseTexture(false);
    std::string err = captureErr([&] { EXPECT_FALSE(image.loadImage(url)); });
    EXPECT_EQ(err, "[error] ofImage: refused " + url + ": TIFF pictures are not accepted from there\n"
                   "[error] Couldn't load image from " + url + "\n");
    EXPECT_EQ(image.getWidth(), 0);
}
