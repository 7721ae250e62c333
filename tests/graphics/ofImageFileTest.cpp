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

// Every pixel and channel gets its own value, so any swap, flip or shift
// of rows shows up.
ofPixels makePicture(int w, int h, int channels) {
    ofPixels p;
    p.allocate(w, h, channels);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < channels; ++c) {
                p[(y * w + x) * channels + c] = static_cast<unsigned char>(x * 37 + y * 71 + c * 101 + 5);
            }
        }
    }
    return p;
}

std::vector<unsigned char> bytesOf(const ofPixels& p) {
    return std::vector<unsigned char>(p.getPixels(), p.getPixels() + p.size());
}

std::vector<unsigned char> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string captureErr(const std::function<void()>& action) {
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

std::string captureOut(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

class ImageFiles : public testing::Test {
protected:
    void SetUp() override {
        mkdir("data", 0755);
        ofInitFreeImage();
    }
    void TearDown() override {
        for (const std::string& name : created) std::remove(("data/" + name).c_str());
    }
    std::string name(const std::string& n) {
        created.push_back(n);
        std::remove(("data/" + n).c_str());
        return n;
    }
    // Writes a bitmap straight through FreeImage, for pictures our own
    // saving never makes.
    std::string saveRaw(FIBITMAP* bitmap, FREE_IMAGE_FORMAT format, const std::string& n) {
        std::string file = name(n);
        EXPECT_TRUE(FreeImage_Save(format, bitmap, ("data/" + file).c_str(), 0));
        FreeImage_Unload(bitmap);
        return file;
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
                   Case{"round4.bmp", 4}, Case{"round.tga", 3}}) {
        // Width 7: rows are not a multiple of four bytes in FreeImage.
        ofPixels original = makePicture(7, 5, c.channels);
        std::string file = name(c.file);
        std::string err = captureErr([&] { ofSaveImage(original, file); });
        EXPECT_EQ(err, "") << c.file;
        ofPixels loaded;
        ASSERT_TRUE(ofLoadImage(loaded, file)) << c.file;
        EXPECT_EQ(loaded.getWidth(), 7);
        EXPECT_EQ(loaded.getHeight(), 5);
        EXPECT_EQ(loaded.getBytesPerPixel(), c.channels) << c.file;
        EXPECT_EQ(loaded.getImageType(), original.getImageType()) << c.file;
        EXPECT_EQ(bytesOf(loaded), bytesOf(original)) << c.file;
        // The save swaps a copy for the file, never the caller's pixels.
        EXPECT_EQ(bytesOf(original), bytesOf(makePicture(7, 5, c.channels)));
    }
}

TEST_F(ImageFiles, PngFileHoldsRedFirstForTheOutsideWorld) {
    ofPixels red;
    red.allocate(1, 1, 3);
    red[0] = 250;
    red[1] = 10;
    red[2] = 0;
    std::string file = name("red.png");
    ofSaveImage(red, file);
    FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, ("data/" + file).c_str(), 0);
    ASSERT_NE(bitmap, nullptr);
    RGBQUAD colour;
    ASSERT_TRUE(FreeImage_GetPixelColor(bitmap, 0, 0, &colour));
    EXPECT_EQ(colour.rgbRed, 250);
    EXPECT_EQ(colour.rgbGreen, 10);
    EXPECT_EQ(colour.rgbBlue, 0);
    FreeImage_Unload(bitmap);
}

TEST_F(ImageFiles, JpegComesBackCloseAndItsQualityFlagsChangeTheFile) {
    ofPixels smooth;
    smooth.allocate(32, 16, 3);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            smooth[(y * 32 + x) * 3] = static_cast<unsigned char>(x * 8);
            smooth[(y * 32 + x) * 3 + 1] = static_cast<unsigned char>(y * 16);
            smooth[(y * 32 + x) * 3 + 2] = 128;
        }
    std::string best = name("best.jpg");
    ofSaveImage(smooth, best, OF_IMAGE_QUALITY_BEST);
    ofPixels loaded;
    ASSERT_TRUE(ofLoadImage(loaded, best));
    ASSERT_EQ(loaded.getBytesPerPixel(), 3);
    ASSERT_EQ(loaded.size(), smooth.size());
    int worstDiff = 0;
    for (size_t i = 0; i < smooth.size(); ++i)
        worstDiff = std::max(worstDiff, std::abs(loaded[static_cast<int>(i)] - smooth[static_cast<int>(i)]));
    EXPECT_LE(worstDiff, 24);

    std::string worst = name("worst.jpg");
    std::string out = captureOut([&] { ofSaveImage(smooth, worst, OF_IMAGE_QUALITY_WORST); });
    EXPECT_EQ(out, "");  // no warning for JPEG
    EXPECT_LT(fileBytes("data/" + worst).size(), fileBytes("data/" + best).size());
    // Values outside the table save as the best quality does.
    std::string other = name("q7.jpg");
    ofSaveImage(smooth, other, static_cast<ofImageCompressionType>(7));
    EXPECT_EQ(fileBytes("data/" + other), fileBytes("data/" + best));
}

TEST_F(ImageFiles, GifOfColourWithAlphaKeepsItsColours) {
    ofPixels rgba;
    rgba.allocate(4, 4, 4);
    const unsigned char colours[4][4] = {{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 255, 255}, {255, 255, 255, 0}};
    for (int i = 0; i < 16; ++i)
        for (int c = 0; c < 4; ++c) rgba[i * 4 + c] = colours[i % 4][c];
    std::string file = name("alpha.gif");
    EXPECT_EQ(captureErr([&] { ofSaveImage(rgba, file); }), "");
    ofPixels loaded;
    ASSERT_TRUE(ofLoadImage(loaded, file));
    ASSERT_GE(loaded.getBytesPerPixel(), 3);
    int ch = loaded.getBytesPerPixel();
    for (int i = 0; i < 16; ++i)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(loaded[i * ch + c], colours[i % 4][c], 8) << "pixel " << i << " channel " << c;

    // Plain colour and grey take the GIF road as well.
    ofPixels rgb = makePicture(6, 3, 3);
    std::string colourFile = name("colour.gif");
    ofSaveImage(rgb, colourFile);
    ASSERT_TRUE(ofLoadImage(loaded, colourFile));
    EXPECT_EQ(loaded.getWidth(), 6);
    ofPixels grey = makePicture(6, 3, 1);
    std::string greyFile = name("grey.gif");
    ofSaveImage(grey, greyFile);
    ASSERT_TRUE(ofLoadImage(loaded, greyFile));
    ASSERT_EQ(loaded.getBytesPerPixel(), 1);
    EXPECT_EQ(bytesOf(loaded), bytesOf(grey));
}

TEST_F(ImageFiles, SixteenBitPicturesLoadAsEightBitsPerChannel) {
    // 16-bit grey: the high byte of each sample.
    FIBITMAP* grey16 = FreeImage_AllocateT(FIT_UINT16, 3, 2, 16);
    for (unsigned y = 0; y < 2; ++y) {
        auto* row = reinterpret_cast<unsigned short*>(FreeImage_GetScanLine(grey16, 1 - y));
        for (unsigned x = 0; x < 3; ++x) row[x] = static_cast<unsigned short>((y * 3 + x) * 0x2000 + 0x00FF);
    }
    std::string greyFile = saveRaw(grey16, FIF_PNG, "grey16.png");
    ofPixels pix;
    ASSERT_TRUE(ofLoadImage(pix, greyFile));
    EXPECT_EQ(pix.getBytesPerPixel(), 1);
    EXPECT_EQ(pix.getImageType(), OF_IMAGE_GRAYSCALE);
    EXPECT_EQ(bytesOf(pix), (std::vector<unsigned char>{0x00, 0x20, 0x40, 0x60, 0x80, 0xA0}));

    // 48-bit colour: three channels, red first.
    FIBITMAP* rgb16 = FreeImage_AllocateT(FIT_RGB16, 2, 1, 48);
    auto* px = reinterpret_cast<FIRGB16*>(FreeImage_GetScanLine(rgb16, 0));
    px[0] = {0xFF00, 0x8000, 0x1000};
    px[1] = {0x0000, 0x4000, 0xFFFF};
    std::string rgbFile = saveRaw(rgb16, FIF_PNG, "rgb16.png");
    ASSERT_TRUE(ofLoadImage(pix, rgbFile));
    EXPECT_EQ(pix.getImageType(), OF_IMAGE_COLOR);
    EXPECT_EQ(bytesOf(pix), (std::vector<unsigned char>{0xFF, 0x80, 0x10, 0x00, 0x40, 0xFF}));

    // 64-bit colour with alpha: four channels.
    FIBITMAP* rgba16 = FreeImage_AllocateT(FIT_RGBA16, 1, 1, 64);
    *reinterpret_cast<FIRGBA16*>(FreeImage_GetScanLine(rgba16, 0)) = {0x1200, 0x3400, 0x5600, 0x7800};
    std::string rgbaFile = saveRaw(rgba16, FIF_PNG, "rgba16.png");
    ASSERT_TRUE(ofLoadImage(pix, rgbaFile));
    EXPECT_EQ(pix.getImageType(), OF_IMAGE_COLOR_ALPHA);
    EXPECT_EQ(bytesOf(pix), (std::vector<unsigned char>{0x12, 0x34, 0x56, 0x78}));

    // A 16-bit-per-pixel bitmap (5-6-5 colour) is colour, not two grey bytes.
    FIBITMAP* rgb565 = FreeImage_Allocate(1, 1, 16, FI16_565_RED_MASK, FI16_565_GREEN_MASK, FI16_565_BLUE_MASK);
    *reinterpret_cast<unsigned short*>(FreeImage_GetScanLine(rgb565, 0)) = 0xF800;  // pure red
    std::string bmpFile = saveRaw(rgb565, FIF_BMP, "rgb565.bmp");
    ASSERT_TRUE(ofLoadImage(pix, bmpFile));
    EXPECT_EQ(pix.getImageType(), OF_IMAGE_COLOR);
    EXPECT_EQ(bytesOf(pix), (std::vector<unsigned char>{0xFF, 0x00, 0x00}));

    // Floating-point colour with alpha has no 8-bit form: refused, pixels kept.
    FIBITMAP* floats = FreeImage_AllocateT(FIT_RGBAF, 2, 2, 128);
    std::string err = captureErr([&] { EXPECT_FALSE(putBmpIntoPixels(floats, pix, true)); });
    FreeImage_Unload(floats);
    EXPECT_EQ(err, "[error] ofImage::putBmpIntoPixels() unable to convert FIBITMAP to 8 bits per channel\n");
    EXPECT_EQ(bytesOf(pix), (std::vector<unsigned char>{0xFF, 0x00, 0x00}));
}

TEST_F(ImageFiles, LoadingFromMemoryReadsTheBufferAndRejectsGarbage) {
    ofPixels original = makePicture(5, 4, 4);
    std::string file = name("memory.png");
    ofSaveImage(original, file);
    std::vector<unsigned char> bytes = fileBytes("data/" + file);
    ASSERT_FALSE(bytes.empty());
    ofPixels pix;
    ASSERT_TRUE(ofLoadImageFromMemory(pix, bytes.data(), bytes.size()));
    EXPECT_EQ(bytesOf(pix), bytesOf(original));

    ofPixels kept = makePicture(2, 2, 3);
    std::vector<unsigned char> garbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    bool ok = true;
    std::string err = captureErr([&] { ok = ofLoadImageFromMemory(kept, garbage.data(), garbage.size()); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(err, "[error] unable to guess format\n");
    EXPECT_EQ(bytesOf(kept), bytesOf(makePicture(2, 2, 3)));

    err = captureErr([&] { ok = ofLoadImageFromMemory(kept, nullptr, 0); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(err, "[error] unable to guess format\n");

    // A truncated PNG has a signature but no picture: false, no crash.
    std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + 40);
    EXPECT_FALSE(ofLoadImageFromMemory(kept, cut.data(), cut.size()));
}

TEST_F(ImageFiles, LoadingMissingOrUnreadableFilesFailsAndLeavesPixels) {
    ofPixels kept = makePicture(2, 2, 3);
    EXPECT_FALSE(ofLoadImage(kept, "no_such_picture.png"));
    EXPECT_FALSE(ofLoadImage(kept, "no_such_picture.unknownext"));
    // Not a URL: only "http://" in lower case is one.
    EXPECT_FALSE(ofLoadImage(kept, "HTTP://127.0.0.1/picture.png"));
    std::string text = name("words.png");
    std::ofstream("data/" + text) << "just some words, not a picture";
    EXPECT_FALSE(ofLoadImage(kept, text));
    EXPECT_EQ(bytesOf(kept), bytesOf(makePicture(2, 2, 3)));
}

TEST_F(ImageFiles, FailedSavesAreReportedWithThePath) {
    ofPixels pix = makePicture(3, 3, 3);
    std::string err = captureErr([&] { ofSaveImage(pix, "no_such_folder/shot.png"); });
    EXPECT_EQ(err, "[error] ofSaveImage(): couldn't save image to \"data/no_such_folder/shot.png\"\n");
    EXPECT_FALSE(fileExists("data/no_such_folder/shot.png"));

    std::string unknown = name("shot.unknownext");
    err = captureErr([&] { ofSaveImage(pix, unknown); });
    EXPECT_EQ(err, "[error] ofSaveImage(): couldn't save image to \"data/shot.unknownext\"\n");
    EXPECT_FALSE(fileExists("data/" + unknown));

    ofPixels empty;
    err = captureErr([&] { ofSaveImage(empty, name("empty.png")); });
    EXPECT_EQ(err, "[error] error saving image - pixels aren't allocated\n");
    EXPECT_FALSE(fileExists("data/empty.png"));

    // JPEG cannot hold an alpha channel: FreeImage refuses, and we say so.
    ofPixels rgba = makePicture(3, 3, 4);
    err = captureErr([&] { ofSaveImage(rgba, name("alpha.jpg")); });
    EXPECT_EQ(err, "[error] ofSaveImage(): couldn't save image to \"data/alpha.jpg\"\n");
}

TEST_F(ImageFiles, QualityWarningOnlyForFormatsOtherThanJpeg) {
    ofPixels pix = makePicture(3, 3, 3);
    std::string quiet = name("quiet.png");
    EXPECT_EQ(captureOut([&] { ofSaveImage(pix, quiet, OF_IMAGE_QUALITY_BEST); }), "");
    EXPECT_TRUE(fileExists("data/" + quiet));
    std::string warned = name("warned.png");
    EXPECT_EQ(captureOut([&] { ofSaveImage(pix, warned, OF_IMAGE_QUALITY_HIGH); }),
              "[warning] ofImageCompressionType only applies to JPEG images, ignoring value\n");
    EXPECT_EQ(fileBytes("data/" + warned), fileBytes("data/" + quiet));
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
    ofPixels other = makePicture(4, 4, 3);
    other[0] = 1;
    EXPECT_EQ(captureErr([&] { ofSaveImage(other, odd); }), "");
    EXPECT_EQ(FreeImage_GetFileType(("data/" + odd).c_str(), 0), FIF_BMP);
    ofPixels loaded;
    ASSERT_TRUE(ofLoadImage(loaded, odd));
    EXPECT_EQ(loaded[0], 1);
}

