#include <gtest/gtest.h>

#include <FreeImage.h>

#include <string>

#include "ImageTestSupport.h"
#include "LoopbackHttpServer.h"
#include "ofImage.h"

namespace {

// Serves `body` with the status line given at every path starting with
// `path`, and a 404 HTML page elsewhere.
LoopbackHttpServer pictureServer(const std::string& path, const std::string& status, const Bytes& body) {
    return LoopbackHttpServer([=](const std::string& head) {
        if (head.compare(0, 4 + path.size(), "GET " + path) != 0)
            return httpAnswer("HTTP/1.1 404 Not Found", "<html>not here</html>");
        return httpAnswer("HTTP/1.1 " + status + "\r\nContent-Type: image/png", std::string(body.begin(), body.end()));
    });
}

class ImageURL : public DataFolder {};

}  // namespace

TEST_F(ImageURL, PicturesComeFromALocalServerWhateverTheStatusAndFailuresEmptyTheImage) {
    ofPixels original;
    original.allocate(3, 2, 4);
    for (int i = 0; i < 24; ++i) original[i] = static_cast<unsigned char>(i * 11);
    ofSaveImage(original, "served.png");
    LoopbackHttpServer server = pictureServer("/pics/", "404 Not Found", fileBytes("data/served.png"));
    ofImage image;
    image.setUseTexture(false);
    ASSERT_TRUE(image.loadImage(server.base + "/pics/a.png"));
    EXPECT_EQ(bytesOf(image.getPixelsRef()), bytesOf(original));

    // An HTML error page is no picture, and nothing listening is no answer.
    std::string closed;
    close(bindLoopback(closed));
    for (const std::string& url : {server.base + "/nothing.png", closed + "/shot.png"}) {
        image.allocate(2, 2, OF_IMAGE_COLOR);
        const std::string log = logged([&] { EXPECT_FALSE(image.loadImage(url)); });
        EXPECT_NE(log.find("[error] Couldn't load image from " + url + "\n"), std::string::npos) << log;
        EXPECT_FALSE(image.getWidth() || image.getImageType() != OF_IMAGE_UNDEFINED || image.getPixelsRef().isAllocated());
    }
}

TEST_F(ImageURL, OnlyPngJpegGifAndBmpAreTakenFromTheNet) {
    FIBITMAP* bitmap = FreeImage_Allocate(4, 4, 24);
    ASSERT_TRUE(FreeImage_Save(FIF_TIFF, bitmap, "a.tif", 0));
    FreeImage_Unload(bitmap);
    LoopbackHttpServer server = pictureServer("/a.tif", "200 OK", fileBytes("a.tif"));
    const std::string url = server.base + "/a.tif";
    ofImage image;
    image.setUseTexture(false);
    EXPECT_EQ(logged([&] { EXPECT_FALSE(image.loadImage(url)); }),
              "[error] ofImage: refused " + url + ": TIFF pictures are not accepted from there\n"
              "[error] Couldn't load image from " + url + "\n");
    EXPECT_EQ(image.getWidth(), 0);
}
