#include <gtest/gtest.h>

#include <Poco/Net/HTTPRequestHandler.h>
#include <Poco/Net/HTTPRequestHandlerFactory.h>
#include <Poco/Net/HTTPServer.h>
#include <Poco/Net/HTTPServerParams.h>
#include <Poco/Net/HTTPServerRequest.h>
#include <Poco/Net/HTTPServerResponse.h>
#include <Poco/Net/ServerSocket.h>
#include <Poco/Net/SocketAddress.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

#include <FreeImage.h>

#include "ofFreeImage.h"
#include "ofImage.h"

namespace {

// Serves fixed PNG bodies by path on 127.0.0.1 for the length of a test,
// with the status given; anything else is a 404 HTML page.
class PictureServer {
public:
    typedef std::map<std::string, std::pair<int, std::string>> Answers;

    explicit PictureServer(Answers answers)
        : socket(Poco::Net::SocketAddress("127.0.0.1", 0)),
          server(new Factory(std::move(answers)), socket, new Poco::Net::HTTPServerParams) {
        server.start();
    }
    ~PictureServer() { server.stopAll(true); }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(socket.address().port()) + path;
    }

private:
    class Handler : public Poco::Net::HTTPRequestHandler {
    public:
        Handler(int s, std::string t, std::string b) : status(s), type(std::move(t)), body(std::move(b)) {}
        void handleRequest(Poco::Net::HTTPServerRequest&, Poco::Net::HTTPServerResponse& response) override {
            response.setStatus(static_cast<Poco::Net::HTTPResponse::HTTPStatus>(status));
            response.setContentType(type);
            response.setContentLength(static_cast<std::streamsize>(body.size()));
            response.send().write(body.data(), static_cast<std::streamsize>(body.size()));
        }
        int status;
        std::string type, body;
    };
    class Factory : public Poco::Net::HTTPRequestHandlerFactory {
    public:
        explicit Factory(Answers a) : answers(std::move(a)) {}
        Poco::Net::HTTPRequestHandler* createRequestHandler(const Poco::Net::HTTPServerRequest& request) override {
            auto it = answers.find(request.getURI());
            if (it == answers.end()) return new Handler(404, "text/html", "<html>not here</html>");
            return new Handler(it->second.first, "image/png", it->second.second);
        }
        Answers answers;
    };

    Poco::Net::ServerSocket socket;
    Poco::Net::HTTPServer server;
};

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
    PictureServer server({{"/pics/a.png", {200, png}}, {"/gone.png", {404, png}}});

    ofPixels pix;
    ASSERT_TRUE(ofLoadImage(pix, server.url("/pics/a.png")));
    EXPECT_EQ(pix.getBytesPerPixel(), 4);
    EXPECT_TRUE(std::equal(pix.getPixels(), pix.getPixels() + 24, original.getPixels()));
    EXPECT_TRUE(ofLoadImage(pix, server.url("/gone.png")));

    ofImage image;
    image.setUseTexture(false);
    ASSERT_TRUE(image.loadImage(server.url("/pics/a.png")));
    EXPECT_EQ(image.getWidth(), 3);
    EXPECT_EQ(image.getImageType(), OF_IMAGE_COLOR_ALPHA);

    // An HTML error page is no picture.
    std::string url = server.url("/nothing.png");
    std::string err = captureErr([&] { EXPECT_FALSE(image.loadImage(url)); });
    EXPECT_EQ(err, "[error] unable to guess format\n[error] Couldn't load image from " + url + "\n");
    EXPECT_EQ(image.getWidth(), 0);
}

TEST(ImageURL, AFailedRequestFailsTheLoadAndEmptiesTheImage) {
    std::string url;
    {
        // A port that was just free: nothing listens there any more.
        Poco::Net::ServerSocket probe(Poco::Net::SocketAddress("127.0.0.1", 0));
        url = "http://127.0.0.1:" + std::to_string(probe.address().port()) + "/shot.png";
    }
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

    PictureServer server({{"/a.tif", {200, tiff}}});
    std::string url = server.url("/a.tif");
    ofImage image;
    image.setUseTexture(false);
    std::string err = captureErr([&] { EXPECT_FALSE(image.loadImage(url)); });
    EXPECT_EQ(err, "[error] ofImage: refused " + url + ": TIFF pictures are not accepted from there\n"
                   "[error] Couldn't load image from " + url + "\n");
    EXPECT_EQ(image.getWidth(), 0);
}
