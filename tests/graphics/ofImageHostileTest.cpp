#include <gtest/gtest.h>

#include <FreeImage.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "ofFreeImage.h"
#include "ofImage.h"

namespace {

typedef std::vector<unsigned char> Bytes;

void put32le(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void put16le(Bytes& b, uint16_t v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void put32be(Bytes& b, uint32_t v) {
    for (int i = 3; i >= 0; --i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// An icon of 75 bytes whose one entry declares 3 x 276,791,298 pixels.
Bytes tallIcon() {
    Bytes b = {0, 0, 1, 0, 1, 0};                             // icon file, one entry
    Bytes entry = {3, 0, 0, 0, 1, 0, 8, 0};                   // 3 wide, "256" high, 8 bits
    b.insert(b.end(), entry.begin(), entry.end());
    put32le(b, 53);                                           // bytes in the entry
    put32le(b, 22);                                           // where it starts
    put32le(b, 40);                                           // info header size
    put32le(b, 3);                                            // width
    put32le(b, 2u * 276791298u);                              // height, doubled for the mask
    put16le(b, 1);                                            // planes
    put16le(b, 8);                                            // bits per pixel
    for (int i = 0; i < 6; ++i) put32le(b, 0);
    b.resize(75, 0x11);
    return b;
}

uint32_t crc32(const Bytes& data, size_t from) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < data.size(); ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void pngChunk(Bytes& png, const char* type, const Bytes& data) {
    put32be(png, static_cast<uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    put32be(png, crc32(body, 0));
}

// A valid PNG header for a grey picture of the given size, with no pixel data.
Bytes pngHeaderOnly(uint32_t width, uint32_t height) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    put32be(ihdr, width);
    put32be(ihdr, height);
    Bytes rest = {8, 0, 0, 0, 0};  // 8-bit grey
    ihdr.insert(ihdr.end(), rest.begin(), rest.end());
    pngChunk(png, "IHDR", ihdr);
    pngChunk(png, "IDAT", Bytes{});
    pngChunk(png, "IEND", Bytes{});
    return png;
}

// A GIF whose logical screen and first frame have the sizes given.
Bytes gif(uint16_t screenW, uint16_t screenH, uint16_t frameW, uint16_t frameH) {
    Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
    put16le(b, screenW);
    put16le(b, screenH);
    Bytes flags = {0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF};  // two-colour table: black, white
    b.insert(b.end(), flags.begin(), flags.end());
    Bytes control = {0x21, 0xF9, 4, 0, 0, 0, 0, 0};  // an extension to skip
    b.insert(b.end(), control.begin(), control.end());
    b.push_back(0x2C);
    put16le(b, 0);
    put16le(b, 0);
    put16le(b, frameW);
    put16le(b, frameH);
    Bytes data = {0, 2, 2, 0x4C, 0x01, 0, 0x3B};  // one white pixel, then the end
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

Bytes savedBy(FREE_IMAGE_FORMAT format, const std::string& path) {
    FIBITMAP* bitmap = FreeImage_Allocate(16, 16, 24);
    EXPECT_TRUE(FreeImage_Save(format, bitmap, path.c_str(), 0));
    FreeImage_Unload(bitmap);
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

void writeFile(const std::string& name, const Bytes& b) {
    std::ofstream("data/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

struct Logged {
    std::string out, err;
};
Logged logged(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    action();
    fflush(stdout);
    fflush(stderr);
    Logged l;
    l.out = testing::internal::GetCapturedStdout();
    l.err = testing::internal::GetCapturedStderr();
    return l;
}

class HostilePictures : public testing::Test {
protected:
    void SetUp() override {
        mkdir("data", 0755);
        ofInitFreeImage();
    }
    void TearDown() override {
        for (const std::string& n : created) std::remove(("data/" + n).c_str());
    }
    std::string file(const std::string& n, const Bytes& b) {
        created.push_back(n);
        writeFile(n, b);
        return n;
    }
    std::vector<std::string> created;
};

const char* const memory = "a picture in memory";

}  // namespace

TEST(PictureLimit, CountsFourBytesAPixelOrMoreWithPaddedRows) {
    struct Case {
        uint64_t w, h;
        unsigned bpp;
        uint64_t bytes;
    };
    const uint64_t most = std::numeric_limits<uint64_t>::max();
    for (Case c : {Case{1, 1, 1, 4}, Case{7, 5, 8, 140}, Case{7, 5, 24, 140}, Case{3, 1, 48, 20},
                   Case{3, 2, 128, 96}, Case{3, 276791298, 8, 3321495576ull}, Case{0, 100, 32, 0},
                   Case{16384, 16384, 32, 1ull << 30}, Case{0xFFFFFFFFull, 0xFFFFFFFFull, 128, most}}) {
        EXPECT_EQ(ofImageDecodedBytes(c.w, c.h, c.bpp), c.bytes) << c.w << " x " << c.h << " at " << c.bpp;
    }
    // The limit itself fits; one more column does not.
    const uint64_t limit = ofPixels::maxBytes;
    EXPECT_LE(ofImageDecodedBytes(16384, 16384, 8), limit);
    EXPECT_GT(ofImageDecodedBytes(16385, 16384, 8), limit);
}

TEST_F(HostilePictures, IconAndPortableMapFilesAreRefusedBeforeDecoding) {
    Bytes ico = savedBy(FIF_ICO, "data/plain.ico");
    created.push_back("plain.ico");
    struct Case {
        std::string name;
        Bytes bytes;
        const char* format;
    };
    for (const Case& c : {Case{"tall.ico", tallIcon(), "ICO"}, Case{"plain.ico", ico, "ICO"},
                          // FreeImage names every portable map by its first member.
                          Case{"tall.pbm", bytes("P4\n3 276791298\n\x01\x02\x03"), "PBM"},
                          Case{"grey.pgm", bytes("P5\n1 1\n255\n\x80"), "PBM"},
                          Case{"words.ppm", bytes("P3\n1 1\n255\n1 2 3\n"), "PBM"},
                          // The content decides, whatever the name says.
                          Case{"icon.png", tallIcon(), "ICO"}}) {
        SCOPED_TRACE(c.name);
        file(c.name, c.bytes);
        ofPixels kept;
        kept.allocate(1, 1, 3);
        bool ok = true;
        Logged l = logged([&] { ok = ofLoadImage(kept, c.name); });
        EXPECT_FALSE(ok);
        EXPECT_EQ(l.err, "[error] ofImage: refused data/" + c.name + ": " + c.format +
                             " pictures are not accepted from there\n");
        EXPECT_EQ(l.out, "");
        EXPECT_EQ(kept.getWidth(), 1);
    }
    // Other formats from files stay FreeImage's.
    savedBy(FIF_TARGA, "data/plain.tga");
    created.push_back("plain.tga");
    ofPixels pix;
    EXPECT_TRUE(ofLoadImage(pix, "plain.tga"));
    EXPECT_EQ(pix.getWidth(), 16);
}

TEST_F(HostilePictures, MemoryTakesOnlyPngJpegGifAndBmp) {
    Bytes tga = savedBy(FIF_TARGA, "data/mem.tga");
    Bytes tiff = savedBy(FIF_TIFF, "data/mem.tif");
    Bytes bmp = savedBy(FIF_BMP, "data/mem.bmp");
    Bytes jpeg = savedBy(FIF_JPEG, "data/mem.jpg");
    created = {"mem.tga", "mem.tif", "mem.bmp", "mem.jpg"};
    struct Case {
        Bytes bytes;
        const char* refusedAs;  // null: loads
    };
    for (const Case& c : {Case{tallIcon(), "ICO"}, Case{bytes("P5\n1 1\n255\n\x80"), "PBM"}, Case{tga, "TARGA"},
                          Case{tiff, "TIFF"}, Case{bmp, nullptr}, Case{jpeg, nullptr},
                          Case{gif(1, 1, 1, 1), nullptr}}) {
        ofPixels pix;
        bool ok = false;
        Logged l = logged([&] { ok = ofLoadImageFromMemory(pix, c.bytes.data(), c.bytes.size()); });
        if (c.refusedAs != nullptr) {
            EXPECT_FALSE(ok) << c.refusedAs;
            EXPECT_EQ(l.err, std::string("[error] ofImage: refused a picture in memory: ") + c.refusedAs +
                                 " pictures are not accepted from there\n");
        } else {
            EXPECT_TRUE(ok) << l.err << l.out;
            EXPECT_EQ(l.err, "");
        }
    }
}

TEST_F(HostilePictures, PicturesAboveTheLimitAreRefusedFromTheirHeader) {
    struct Case {
        const char* name;
        Bytes bytes;
        const char* size;
    };
    for (const Case& c : {Case{"huge.png", pngHeaderOnly(100000, 100000), "100000 x 100000"},
                          Case{"screen.gif", gif(65535, 65535, 1, 1), "65535 x 65535"},
                          Case{"frame.gif", gif(1, 1, 65535, 20000), "65535 x 20000"}}) {
        SCOPED_TRACE(c.name);
        ofPixels pix;
        bool ok = true;
        Logged l = logged([&] { ok = ofLoadImageFromMemory(pix, c.bytes.data(), c.bytes.size()); });
        EXPECT_FALSE(ok);
        EXPECT_EQ(l.err, std::string("[error] ofImage: refused ") + memory + ": " + c.size +
                             " pixels exceed the picture size limit\n");
        file(c.name, c.bytes);
        l = logged([&] { ok = ofLoadImage(pix, c.name); });
        EXPECT_FALSE(ok);
        EXPECT_EQ(l.err, std::string("[error] ofImage: refused data/") + c.name + ": " + c.size +
                             " pixels exceed the picture size limit\n");
        EXPECT_FALSE(pix.isAllocated());
    }
    // Within the limit the same kind of picture decodes.
    Bytes small = gif(2, 2, 1, 1);
    ofPixels pix;
    EXPECT_TRUE(ofLoadImageFromMemory(pix, small.data(), small.size()));
    EXPECT_EQ(pix.getWidth(), 1);
}

TEST_F(HostilePictures, FreeImageReasonsGoToTheLogAsWarnings) {
    Bytes png = pngHeaderOnly(4, 4);  // no pixel data at all
    ofPixels pix;
    bool ok = true;
    Logged l = logged([&] { ok = ofLoadImageFromMemory(pix, png.data(), png.size()); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(l.out.rfind("[warning] FreeImage: PNG: ", 0), 0u) << l.out;
    EXPECT_EQ(l.out.find('\n'), l.out.size() - 1) << "one line: " << l.out;
    EXPECT_EQ(l.err, "");
}
