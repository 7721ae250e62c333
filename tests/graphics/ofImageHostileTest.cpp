#include <gtest/gtest.h>

#include <FreeImage.h>

#include <limits>
#include <string>
#include <vector>

#include "ImageTestSupport.h"
#include "ofImage.h"

namespace {

void put(Bytes& b, uint32_t v, int n, bool bigEndian = false) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * (bigEndian ? n - 1 - i : i))));
}

// An icon of 75 bytes whose one entry declares 3 x 276,791,298 pixels.
Bytes tallIcon() {
    Bytes b = {0, 0, 1, 0, 1, 0, 3, 0, 0, 0, 1, 0, 8, 0};  // one entry: 3 wide, "256" high, 8 bits
    for (uint32_t v : {53u, 22u, 40u, 3u, 2u * 276791298u}) put(b, v, 4);  // size, offset, header, width, 2 x height
    put(b, 1, 2);  // planes
    put(b, 8, 2);  // bits per pixel
    b.resize(75, 0x11);
    return b;
}

// A PNG of one chunk (a grey picture's header) and the empty data and end chunks.
Bytes pngHeaderOnly(uint32_t width, uint32_t height) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    put(ihdr, width, 4, true);
    put(ihdr, height, 4, true);
    ihdr.insert(ihdr.end(), {8, 0, 0, 0, 0});
    for (auto chunk : {std::make_pair("IHDR", ihdr), {"IDAT", Bytes{}}, {"IEND", Bytes{}}}) {
        put(png, static_cast<uint32_t>(chunk.second.size()), 4, true);
        Bytes body(chunk.first, chunk.first + 4);
        body.insert(body.end(), chunk.second.begin(), chunk.second.end());
        uint32_t crc = 0xFFFFFFFFu;
        for (unsigned char c : body) {
            crc ^= c;
            for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        png.insert(png.end(), body.begin(), body.end());
        put(png, ~crc, 4, true);
    }
    return png;
}

// A GIF whose logical screen and first frame have the sizes given.
Bytes gif(uint16_t screenW, uint16_t screenH, uint16_t frameW, uint16_t frameH) {
    Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
    put(b, screenW, 2);
    put(b, screenH, 2);
    // A two-colour table (black, white), an extension to skip, the frame.
    b.insert(b.end(), {0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x21, 0xF9, 4, 0, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0});
    put(b, frameW, 2);
    put(b, frameH, 2);
    b.insert(b.end(), {0, 2, 2, 0x4C, 0x01, 0, 0x3B});  // one white pixel, then the end
    return b;
}

Bytes savedBy(FREE_IMAGE_FORMAT format, const std::string& path) {
    FIBITMAP* bitmap = FreeImage_Allocate(16, 16, 24);
    EXPECT_TRUE(FreeImage_Save(format, bitmap, path.c_str(), 0));
    FreeImage_Unload(bitmap);
    return fileBytes(path);
}

Bytes bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::string refused(const std::string& source, const std::string& format) {
    return "[error] ofImage: refused " + source + ": " + format + " pictures are not accepted from there\n";
}

class HostilePictures : public DataFolder {};

}  // namespace

TEST(PictureLimit, CountsFourBytesAPixelOrMoreWithPaddedRows) {
    const struct {
        uint64_t w, h;
        unsigned bpp;
        uint64_t bytes;
    } cases[] = {{1, 1, 1, 4}, {7, 5, 24, 140}, {3, 1, 48, 20}, {3, 2, 128, 96}, {3, 276791298, 8, 3321495576ull},
                 {0, 100, 32, 0}, {0xFFFFFFFFull, 0xFFFFFFFFull, 128, std::numeric_limits<uint64_t>::max()}};
    for (const auto& c : cases) EXPECT_EQ(ofImageDecodedBytes(c.w, c.h, c.bpp), c.bytes) << c.w << " x " << c.h;
    // The limit itself fits; one more column does not.
    const uint64_t limit = ofPixels::maxBytes;
    EXPECT_LE(ofImageDecodedBytes(16384, 16384, 8), limit);
    EXPECT_GT(ofImageDecodedBytes(16385, 16384, 8), limit);
}

TEST_F(HostilePictures, IconAndPortableMapFilesAreRefusedBeforeDecoding) {
    // FreeImage names every portable map by its first member; the content
    // decides, whatever the name says.
    const struct {
        std::string name;
        Bytes bytes;
        const char* format;
    } cases[] = {{"tall.ico", tallIcon(), "ICO"},
                 {"plain.ico", savedBy(FIF_ICO, "data/plain.ico"), "ICO"},
                 {"tall.pbm", bytes("P4\n3 276791298\n\x01\x02\x03"), "PBM"},
                 {"grey.pgm", bytes("P5\n1 1\n255\n\x80"), "PBM"},
                 {"icon.png", tallIcon(), "ICO"}};
    for (const auto& c : cases) {
        writeFile("data/" + c.name, c.bytes);
        ofPixels kept;
        kept.allocate(1, 1, 3);
        EXPECT_EQ(logged([&] { EXPECT_FALSE(ofLoadImage(kept, c.name)); }), refused("data/" + c.name, c.format));
        EXPECT_EQ(kept.getWidth(), 1);
    }
    // Other formats from files stay FreeImage's.
    savedBy(FIF_TARGA, "data/plain.tga");
    ofPixels pix;
    EXPECT_TRUE(ofLoadImage(pix, "plain.tga"));
    EXPECT_EQ(pix.getWidth(), 16);
}

TEST_F(HostilePictures, MemoryTakesOnlyPngJpegGifAndBmp) {
    const struct {
        Bytes bytes;
        const char* refusedAs;  // null: loads
    } cases[] = {{tallIcon(), "ICO"}, {bytes("P5\n1 1\n255\n\x80"), "PBM"}, {savedBy(FIF_TARGA, "m.tga"), "TARGA"},
                 {savedBy(FIF_TIFF, "m.tif"), "TIFF"}, {savedBy(FIF_BMP, "m.bmp"), nullptr},
                 {savedBy(FIF_JPEG, "m.jpg"), nullptr}, {gif(1, 1, 1, 1), nullptr}};
    for (const auto& c : cases) {
        ofPixels pix;
        bool ok = false;
        const std::string log = logged([&] { ok = ofLoadImageFromMemory(pix, c.bytes.data(), c.bytes.size()); });
        EXPECT_EQ(ok, c.refusedAs == nullptr) << log;
        EXPECT_EQ(log, c.refusedAs ? refused("a picture in memory", c.refusedAs) : "");
    }
}

TEST_F(HostilePictures, PicturesAboveTheLimitAreRefusedFromTheirHeader) {
    const struct {
        const char* name;
        Bytes bytes;
        const char* size;
    } cases[] = {{"huge.png", pngHeaderOnly(100000, 100000), "100000 x 100000"},
                 {"screen.gif", gif(65535, 65535, 1, 1), "65535 x 65535"},
                 {"frame.gif", gif(1, 1, 65535, 20000), "65535 x 20000"}};
    for (const auto& c : cases) {
        const std::string why = c.size + std::string(" pixels exceed the picture size limit\n");
        ofPixels pix;
        EXPECT_EQ(logged([&] { EXPECT_FALSE(ofLoadImageFromMemory(pix, c.bytes.data(), c.bytes.size())); }),
                  "[error] ofImage: refused a picture in memory: " + why);
        writeFile(std::string("data/") + c.name, c.bytes);
        EXPECT_EQ(logged([&] { EXPECT_FALSE(ofLoadImage(pix, c.name)); }),
                  "[error] ofImage: refused data/" + std::string(c.name) + ": " + why);
        EXPECT_FALSE(pix.isAllocated());
    }
    // Within the limit the same kind of picture decodes.
    const Bytes small = gif(2, 2, 1, 1);
    ofPixels pix;
    EXPECT_TRUE(ofLoadImageFromMemory(pix, small.data(), small.size()));
    EXPECT_EQ(pix.getWidth(), 1);
}
