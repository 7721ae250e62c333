#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "CapturedOutput.h"
#include "LoopbackHttpServer.h"
#include "ScratchDir.h"
#include "ofURLFileLoader.h"

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

// A download to a file writes the body byte for byte over whatever the file
// held and answers with the status and an empty body; a body cut short is a
// failure, as it is without a file.
TEST(URLLoaderSaveTest, ADownloadSavedToAFileHoldsTheWholeBodyAndACutOneFails) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += static_cast<char>(i * 7 % 256);  // NULs, CR LFs, over several chunks
    LoopbackHttpServer server([&](const std::string& head) -> std::string {
        if (head.compare(0, 9, "GET /cut ") == 0) return "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789";
        if (head.compare(0, 9, "GET /gone") == 0) return httpAnswer("HTTP/1.1 404 Not Found", "no page");
        if (head.compare(0, 10, "GET /close") == 0) return "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nto the close";
        return httpAnswer("HTTP/1.1 200 OK", bytes);
    });
    ScratchDir dir;
    const struct {
        const char* path;
        std::string status, saved;
        const char* folder;
    } cases[] = {
        {"/file", "200 OK body 0", bytes, ""},
        {"/gone", "404 Not Found body 0", "no page", ""},
        {"/cut", "-1 Malformed message: body cut short: 10 of 100 bytes body 0", "0123456789", ""},
        {"/close", "200 OK body 0", "to the close", ""},
        // A file that cannot be opened fails the download, sized or not.
        {"/file", "-1 Malformed message: cannot open NAME to save into body 0", "", "missing/"},
        {"/close", "-1 Malformed message: cannot open NAME to save into body 0", "", "missing/"},
    };
    for (const auto& c : cases) {
        const std::string name = dir.file(c.folder + std::string("saved") + (c.path + 1) + ".bin");
        std::ofstream(name) << "older and longer content than some of the bodies";
        std::string status = c.status;
        if (status.find("NAME") != std::string::npos) status.replace(status.find("NAME"), 4, name);
        ofHttpResponse r;
        captureOutput([&] { r = ofGetURLFileLoader().handleRequest(ofHttpRequest(server.base + c.path, name, true)); });
        EXPECT_EQ(std::to_string(r.status) + " " + r.error + " body " + std::to_string(r.data.size()), status) << c.path;
        EXPECT_EQ(fileText(name), c.saved) << c.path;
        EXPECT_TRUE(r.request.saveTo && r.request.name == name) << c.path;
    }
}

TEST(URLLoaderSaveTest, TheTimeOutIsTwentySecondsUntilChanged) {
    ofURLFileLoader loader;
    EXPECT_EQ(loader.getTimeoutMillis(), 20000);
    EXPECT_EQ(loader.getDeadlineMillis(), 20000);  // the whole request may take as long by default
    loader.setTimeoutMillis(750);
    EXPECT_EQ(loader.getTimeoutMillis() * 10000 + loader.getDeadlineMillis(), 750 * 10000 + 750);
    loader.setDeadlineMillis(3000);
    EXPECT_EQ(loader.getTimeoutMillis() * 10000 + loader.getDeadlineMillis(), 750 * 10000 + 3000);
}
