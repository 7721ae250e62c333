#include <gtest/gtest.h>

#include <FreeImage.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "ofFreeImage.h"
#include "ofImage.h"

namespace {

typedef std::vector<unsigned char> Bytes;

// Every pixel and channel gets its own value, so any swap, flip or shift
// of rows shows up.
ofPixels makePicture(int w, int h, int channels) {
    ofPixels p;
    p.allocate(w, h, channels);
    for (int i = 0; i < w * h * channels; ++i) {
        int x = i / channels % w, y = i / channels / w, c = i % channels;
        p[i] = static_cast<unsigned char>(x * 37 + y * 71 + c * 101 + 5);
    }
    return p;
}

Bytes bytesOf(const ofPixels& p) { return Bytes(p.getPixels(), p.getPixels() + p.size()); }

Bytes fileBytes(const std::string& name) {
    std::ifstream in("data/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool exists(const std::string& name) { return access(("data/" + name).c_str(), F_OK) == 0; }

// Everything logged (warnings to stdout, errors to stderr) while action runs.
std::string logged(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    action();
    fflush(stdout);
    fflush(stderr);
    std::string out = testing::internal::GetCapturedStdout();
    return out + testing::internal::GetCapturedStderr();
}

class ImageFiles : public testing::Test {
protected:
    void SetUp() override {
        mkdir("data", 0755);
        ofInitFreeImage();
    }
    void TearDown() override {
        for (const std::string& n : created) std::remove(("data/" + n).c_str());
    }
    std::string name(const std::string& n) {
        created.push_back(n);
        std::remove(("data/" + n).c_str());
        return n;
    }
    // Writes a bitmap straight through FreeImage, for pictures our own
    // saving never makes, and loads it back.
    Bytes loadRaw(FIBITMAP* bitmap, FREE_IMAGE_FORMAT format, const std::string& n, ofImageType type) {
        std::string file = name(n);
        EXPECT_TRUE(FreeImage_Save(format, bitmap, ("data/" + file).c_str(), 0));
        FreeImage_Unload(bitmap);
        ofPixels pix;
        EXPECT_TRUE(ofLoadImage(pix, file)) << n;
        EXPECT_EQ(pix.getImageType(), type) << n;
        return bytesOf(pix);
    }
    std::vector<std::string> created;
};

}  // namespace

TEST_F(ImageFiles, LosslessFormatsGiveBackTheSamePixelsInTheSameOrder) {
    struct Case {
        const char* file;
        int channels;
    };
    for (Case c : {Case{"round.png", 3}, Case{"round4.png", 4}, Case{"grey.png", 1}, Case{"round.bmp", 3},
                   Case{"round4.bmp", 4}, Case{"round.tga", 3}, Case{"grey.gif", 1}}) {
        SCOPED_TRACE(c.file);
        // Width 7: rows are not a multiple of four bytes in FreeImage.
        ofPixels original = makePicture(7, 5, c.channels);
        std::string file = name(c.file);
        EXPECT_EQ(logged([&] { ofSaveImage(original, file); }), "");
        ofPixels loaded;
        ASSERT_TRUE(ofLoadImage(loaded, file));
        EXPECT_EQ(loaded.getWidth(), 7);
        EXPECT_EQ(loaded.getHeight(), 5);
        EXPECT_EQ(loaded.getImageType(), original.getImageType());
        EXPECT_EQ(bytesOf(loaded), bytesOf(original));
        // The save swaps a copy for the file, never the caller's pixels.
        EXPECT_EQ(bytesOf(original), bytesOf(makePicture(7, 5, c.channels)));
    }

    // The file holds red first for the outside world.
    ofPixels red = makePicture(1, 1, 3);
    ofSaveImage(red, name("red.png"));
    FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, "data/red.png", 0);
    ASSERT_NE(bitmap, nullptr);
    RGBQUAD colour;
    ASSERT_TRUE(FreeImage_GetPixelColor(bitmap, 0, 0, &colour));
    EXPECT_EQ((Bytes{colour.rgbRed, colour.rgbGreen, colour.rgbBlue}), bytesOf(red));
    FreeImage_Unload(bitmap);
}

TEST_F(ImageFiles, JpegComesBackCloseAndItsQualityFlagsChangeTheFile) {
    ofPixels smooth;
    smooth.allocate(32, 16, 3);
    for (int i = 0; i < 32 * 16; ++i) {
        smooth[i * 3] = static_cast<unsigned char>(i % 32 * 8);
        smooth[i * 3 + 1] = static_cast<unsigned char>(i / 32 * 16);
        smooth[i * 3 + 2] = 128;
    }
    std::string best = name("best.jpg");
    ofSaveImage(smooth, best, OF_IMAGE_QUALITY_BEST);
    ofPixels loaded;
    ASSERT_TRUE(ofLoadImage(loaded, best));
    ASSERT_EQ(loaded.getBytesPerPixel(), 3);
    ASSERT_EQ(loaded.size(), smooth.size());
    int worstDiff = 0;
    for (int i = 0; i < static_cast<int>(smooth.size()); ++i) worstDiff = std::max(worstDiff, std::abs(loaded[i] - smooth[i]));
    EXPECT_LE(worstDiff, 24);

    std::string worst = name("worst.jpg");
    EXPECT_EQ(logged([&] { ofSaveImage(smooth, worst, OF_IMAGE_QUALITY_WORST); }), "");  // no warning for JPEG
    EXPECT_LT(fileBytes(worst).size(), fileBytes(best).size());
    // Values outside the table save as the best quality does.
    std::string other = name("q7.jpg");
    ofSaveImage(smooth, other, static_cast<ofImageCompressionType>(7));
    EXPECT_EQ(fileBytes(other), fileBytes(best));

    // Other formats ignore the quality, with a warning.
    ofPixels pix = makePicture(3, 3, 3);
    std::string quiet = name("quiet.png"), warned = name("warned.png");
    EXPECT_EQ(logged([&] { ofSaveImage(pix, quiet, OF_IMAGE_QUALITY_BEST); }), "");
    EXPECT_EQ(logged([&] { ofSaveImage(pix, warned, OF_IMAGE_QUALITY_HIGH); }),
              "[warning] ofImageCompressionType only applies to JPEG images, ignoring value\n");
    EXPECT_EQ(fileBytes(warned), fileBytes(quiet));
}

TEST_F(ImageFiles, GifOfColourWithAlphaKeepsItsColours) {
    ofPixels rgba;
    rgba.allocate(4, 4, 4);
    const unsigned char colours[4][4] = {{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 255, 255}, {255, 255, 255, 0}};
    for (int i = 0; i < 64; ++i) rgba[i] = colours[i / 4 % 4][i % 4];
    std::string file = name("alpha.gif");
    EXPECT_EQ(logged([&] { ofSaveImage(rgba, file); }), "");
    ofPixels loaded;
    ASSERT_TRUE(ofLoadImage(loaded, file));
    ASSERT_GE(loaded.getBytesPerPixel(), 3);
    int ch = loaded.getBytesPerPixel();
    for (int i = 0; i < 16; ++i)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(loaded[i * ch + c], colours[i % 4][c], 8) << "pixel " << i << " channel " << c;
}

TEST_F(ImageFiles, SixteenBitPicturesLoadAsEightBitsPerChannel) {
    // 16-bit grey: the high byte of each sample.
    FIBITMAP* grey16 = FreeImage_AllocateT(FIT_UINT16, 3, 2, 16);
    for (unsigned y = 0; y < 2; ++y) {
        auto* row = reinterpret_cast<unsigned short*>(FreeImage_GetScanLine(grey16, 1 - y));
        for (unsigned x = 0; x < 3; ++x) row[x] = static_cast<unsigned short>((y * 3 + x) * 0x2000 + 0x00FF);
    }
    EXPECT_EQ(loadRaw(grey16, FIF_PNG, "grey16.png", OF_IMAGE_GRAYSCALE), (Bytes{0x00, 0x20, 0x40, 0x60, 0x80, 0xA0}));

    // 48-bit colour: three channels, red first.
    FIBITMAP* rgb16 = FreeImage_AllocateT(FIT_RGB16, 2, 1, 48);
    auto* px = reinterpret_cast<FIRGB16*>(FreeImage_GetScanLine(rgb16, 0));
    px[0] = {0xFF00, 0x8000, 0x1000};
    px[1] = {0x0000, 0x4000, 0xFFFF};
    EXPECT_EQ(loadRaw(rgb16, FIF_PNG, "rgb16.png", OF_IMAGE_COLOR), (Bytes{0xFF, 0x80, 0x10, 0x00, 0x40, 0xFF}));

    // 64-bit colour with alpha: four channels.
    FIBITMAP* rgba16 = FreeImage_AllocateT(FIT_RGBA16, 1, 1, 64);
    *reinterpret_cast<FIRGBA16*>(FreeImage_GetScanLine(rgba16, 0)) = {0x1200, 0x3400, 0x5600, 0x7800};
    EXPECT_EQ(loadRaw(rgba16, FIF_PNG, "rgba16.png", OF_IMAGE_COLOR_ALPHA), (Bytes{0x12, 0x34, 0x56, 0x78}));

    // A 16-bit-per-pixel bitmap (5-6-5 colour) is colour, not two grey bytes.
    FIBITMAP* rgb565 = FreeImage_Allocate(1, 1, 16, FI16_565_RED_MASK, FI16_565_GREEN_MASK, FI16_565_BLUE_MASK);
    *reinterpret_cast<unsigned short*>(FreeImage_GetScanLine(rgb565, 0)) = 0xF800;  // pure red
    EXPECT_EQ(loadRaw(rgb565, FIF_BMP, "rgb565.bmp", OF_IMAGE_COLOR), (Bytes{0xFF, 0x00, 0x00}));

    // Floating-point colour with alpha has no 8-bit form: refused, pixels kept.
    ofPixels pix = makePicture(1, 1, 3);
    FIBITMAP* floats = FreeImage_AllocateT(FIT_RGBAF, 2, 2, 128);
    std::string err = logged([&] { EXPECT_FALSE(putBmpIntoPixels(floats, pix, true)); });
    FreeImage_Unload(floats);
    EXPECT_EQ(err,
              "[warning] FreeImage: FREE_IMAGE_TYPE: Unable to convert from type 12 to type 1. No such conversion "
              "exists.\n[error] ofImage::putBmpIntoPixels() unable to convert FIBITMAP to 8 bits per channel\n");
    EXPECT_EQ(bytesOf(pix), bytesOf(makePicture(1, 1, 3)));
}

TEST_F(ImageFiles, LoadingFromMemoryReadsTheBufferAndRejectsGarbage) {
    ofPixels original = makePicture(5, 4, 4);
    std::string file = name("memory.png");
    ofSaveImage(original, file);
    Bytes bytes = fileBytes(file);
    ASSERT_FALSE(bytes.empty());
    ofPixels pix;
    ASSERT_TRUE(ofLoadImageFromMemory(pix, bytes.data(), bytes.size()));
    EXPECT_EQ(bytesOf(pix), bytesOf(original));

    ofPixels kept = makePicture(2, 2, 3);
    const std::string garbage = "not an image";
    bool ok = true;
    EXPECT_EQ(logged([&] {
                  ok = ofLoadImageFromMemory(kept, reinterpret_cast<const unsigned char*>(garbage.data()),
                                             garbage.size());
              }),
              "[error] unable to guess format\n");
    EXPECT_FALSE(ok);
    EXPECT_EQ(logged([&] { ok = ofLoadImageFromMemory(kept, nullptr, 0); }), "[error] unable to guess format\n");
    EXPECT_FALSE(ok);
    // A truncated PNG has a signature but no picture: false, no crash.
    EXPECT_FALSE(ofLoadImageFromMemory(kept, bytes.data(), 40));
    EXPECT_EQ(bytesOf(kept), bytesOf(makePicture(2, 2, 3)));
}

TEST_F(ImageFiles, LoadingMissingOrUnreadableFilesFailsAndLeavesPixels) {
    ofPixels kept = makePicture(2, 2, 3);
    std::string text = name("words.png");
    std::ofstream("data/" + text) << "just some words, not a picture";
    // Not a URL: only "http://" in lower case is one.
    for (std::string file : {"no_such_picture.png", "no_such_picture.unknownext", "HTTP://127.0.0.1/picture.png",
                             "words.png"}) {
        EXPECT_FALSE(ofLoadImage(kept, file)) << file;
    }
    EXPECT_EQ(bytesOf(kept), bytesOf(makePicture(2, 2, 3)));
}

TEST_F(ImageFiles, FailedSavesAreReportedWithThePath) {
    ofPixels pix = makePicture(3, 3, 3);
    // FreeImage's own reason comes first, as a warning.
    EXPECT_EQ(logged([&] { ofSaveImage(pix, "no_such_folder/shot.png"); }),
              "[warning] FreeImage: PNG: FreeImage_Save: failed to open file data/no_such_folder/shot.png\n"
              "[error] ofSaveImage(): couldn't save image to \"data/no_such_folder/shot.png\"\n");
    EXPECT_FALSE(exists("no_such_folder/shot.png"));
    EXPECT_EQ(logged([&] { ofSaveImage(pix, name("shot.unknownext")); }),
              "[error] ofSaveImage(): couldn't save image to \"data/shot.unknownext\"\n");
    EXPECT_FALSE(exists("shot.unknownext"));
    ofPixels empty;
    EXPECT_EQ(logged([&] { ofSaveImage(empty, name("empty.png")); }),
              "[error] error saving image - pixels aren't allocated\n");
    EXPECT_FALSE(exists("empty.png"));
    // JPEG cannot hold an alpha channel: FreeImage refuses, and we say so.
    ofPixels rgba = makePicture(3, 3, 4);
    EXPECT_EQ(logged([&] { ofSaveImage(rgba, name("alpha.jpg")); }),
              "[warning] FreeImage: JPEG: only 24-bit RGB, 8-bit greyscale/palette or 32-bit CMYK bitmaps can be "
              "saved as JPEG\n[error] ofSaveImage(): couldn't save image to \"data/alpha.jpg\"\n");
}

TEST_F(ImageFiles, ExtensionDecidesTheFormatAndAnExistingFileOnlyWithoutOne) {
    ofPixels pix = makePicture(4, 4, 3);
    // A PNG sits where a JPEG name is saved: the name wins.
    std::string jpg = name("named.jpg");
    ofSaveImage(pix, name("named.png"));
    std::rename("data/named.png", ("data/" + jpg).c_str());
    ASSERT_EQ(FreeImage_GetFileType(("data/" + jpg).c_str(), 0), FIF_PNG);
    ofSaveImage(pix, jpg);
    EXPECT_EQ(FreeImage_GetFileType(("data/" + jpg).c_str(), 0), FIF_JPEG);

    // No known extension: the file already there keeps its format.
    std::string odd = name("picture.unknownext");
    ofSaveImage(pix, name("seed.bmp"));
    std::rename("data/seed.bmp", ("data/" + odd).c_str());
    pix[0] = 1;
    EXPECT_EQ(logged([&] { ofSaveImage(pix, odd); }), "");
    EXPECT_EQ(FreeImage_GetFileType(("data/" + odd).c_str(), 0), FIF_BMP);
    ofPixels loaded;
    ASSERT_TRUE(ofLoadImage(loaded, odd));
    EXPECT_EQ(bytesOf(loaded), bytesOf(pix));
}

namespace {

// An 8-bit bitmap of four pixels with the indices 0, 64, 128 and 255 and a
// palette made by colour(i).
template <typename Colour>
FIBITMAP* eightBit(Colour colour) {
    FIBITMAP* b = FreeImage_Allocate(4, 1, 8);
    RGBQUAD* palette = FreeImage_GetPalette(b);
    for (int i = 0; i < 256; ++i) palette[i] = colour(i);
    BYTE* row = FreeImage_GetScanLine(b, 0);
    row[0] = 0;
    row[1] = 64;
    row[2] = 128;
    row[3] = 255;
    return b;
}

RGBQUAD grey(int v) {
    BYTE g = static_cast<BYTE>(v);
    return RGBQUAD{g, g, g, 0};
}

}  // namespace

TEST_F(ImageFiles, GreyPalettesThatAreNotPlainBlackToWhiteBecomeColour) {
    struct Case {
        const char* what;
        FIBITMAP* bitmap;
        ofImageType type;
        Bytes pixels;
    };
    FIBITMAP* transparent = eightBit(grey);
    BYTE table[256];
    for (int i = 0; i < 256; ++i) table[i] = i == 0 ? 0 : 255;
    FreeImage_SetTransparencyTable(transparent, table, 256);
    for (const Case& c : {
             Case{"black to white stays grey", eightBit(grey), OF_IMAGE_GRAYSCALE, Bytes{0, 64, 128, 255}},
             Case{"white to black", eightBit([](int i) { return grey(255 - i); }), OF_IMAGE_COLOR,
                  Bytes{255, 255, 255, 191, 191, 191, 127, 127, 127, 0, 0, 0}},
             Case{"grey with a transparent black", transparent, OF_IMAGE_COLOR_ALPHA,
                  Bytes{0, 0, 0, 0, 64, 64, 64, 255, 128, 128, 128, 255, 255, 255, 255, 255}},
             Case{"grey in steps of two", eightBit([](int i) { return grey(i / 2); }), OF_IMAGE_COLOR,
                  Bytes{0, 0, 0, 32, 32, 32, 64, 64, 64, 127, 127, 127}},
         }) {
        SCOPED_TRACE(c.what);
        ofPixels pix;
        ASSERT_TRUE(putBmpIntoPixels(c.bitmap, pix, true));
        FreeImage_Unload(c.bitmap);
        EXPECT_EQ(pix.getImageType(), c.type);
        EXPECT_EQ(bytesOf(pix), c.pixels);
    }
    // A white-to-black BMP file comes out the right way round.
    EXPECT_EQ(loadRaw(eightBit([](int i) { return grey(255 - i); }), FIF_BMP, "inverted.bmp", OF_IMAGE_COLOR),
              (Bytes{255, 255, 255, 191, 191, 191, 127, 127, 127, 0, 0, 0}));
}
