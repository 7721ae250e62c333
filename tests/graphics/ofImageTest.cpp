#include <gtest/gtest.h>

#include <FreeImage.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ImageTestSupport.h"
#include "ofGraphics.h"
#include "ofImage.h"

namespace {

// Every pixel and channel gets its own value, so any swap, flip or shift
// of rows shows up.
ofPixels makePicture(int w, int h, int channels) {
    ofPixels p;
    p.allocate(w, h, channels);
    for (int i = 0; i < w * h * channels; ++i)
        p[i] = static_cast<unsigned char>(i / channels % w * 37 + i / channels / w * 71 + i % channels * 101 + 5);
    return p;
}

class ImageFiles : public DataFolder {
protected:
    // Writes a bitmap straight through FreeImage, for pictures our own
    // saving never makes, and loads it back.
    Bytes loadRaw(FIBITMAP* bitmap, FREE_IMAGE_FORMAT format, const std::string& file, ofImageType type) {
        EXPECT_TRUE(FreeImage_Save(format, bitmap, ("data/" + file).c_str(), 0));
        FreeImage_Unload(bitmap);
        ofPixels pix;
        EXPECT_TRUE(ofLoadImage(pix, file)) << file;
        EXPECT_EQ(pix.getImageType(), type) << file;
        return bytesOf(pix);
    }
};

}  // namespace

TEST_F(ImageFiles, LosslessFormatsGiveBackTheSamePixelsInTheSameOrder) {
    // Width 7: rows are not a multiple of four bytes in FreeImage.
    for (auto c : {std::make_pair("round.png", 3), {"round4.png", 4}, {"grey.png", 1}, {"round4.bmp", 4},
                   {"round.tga", 3}, {"grey.gif", 1}}) {
        SCOPED_TRACE(c.first);
        const ofPixels original = makePicture(7, 5, c.second);
        ofPixels saved = original, loaded;
        EXPECT_EQ(logged([&] { ofSaveImage(saved, c.first); }), "");
        ASSERT_TRUE(ofLoadImage(loaded, c.first));
        EXPECT_EQ(loaded.getWidth() * 10 + loaded.getHeight(), 75);
        EXPECT_EQ(loaded.getImageType(), original.getImageType());
        EXPECT_EQ(bytesOf(loaded), bytesOf(original));
        EXPECT_EQ(bytesOf(saved), bytesOf(original));  // the save swaps a copy, never the caller's pixels
    }
    // The file holds red first for the outside world.
    FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, "data/round.png", 0);
    RGBQUAD colour;
    ASSERT_TRUE(FreeImage_GetPixelColor(bitmap, 0, 4, &colour));
    EXPECT_EQ((Bytes{colour.rgbRed, colour.rgbGreen, colour.rgbBlue}), Bytes({5, 106, 207}));
    FreeImage_Unload(bitmap);
}

TEST_F(ImageFiles, GifOfColourWithAlphaKeepsItsColours) {
    ofPixels rgba;
    rgba.allocate(4, 4, 4);
    const unsigned char colours[4][4] = {{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 255, 255}, {255, 255, 255, 0}};
    for (int i = 0; i < 64; ++i) rgba[i] = colours[i / 4 % 4][i % 4];
    EXPECT_EQ(logged([&] { ofSaveImage(rgba, "alpha.gif"); }), "");
    ofPixels loaded;
    ASSERT_TRUE(ofLoadImage(loaded, "alpha.gif"));
    const int ch = loaded.getBytesPerPixel();
    ASSERT_GE(ch, 3);
    for (int i = 0; i < 16 * 3; ++i) EXPECT_NEAR(loaded[i / 3 * ch + i % 3], colours[i / 3 % 4][i % 3], 8) << i;
}

TEST_F(ImageFiles, PicturesOfOtherThanEightBitsPerChannelAreConvertedOrRefused) {
    // 16-bit grey: the high byte of each sample.
    FIBITMAP* grey16 = FreeImage_AllocateT(FIT_UINT16, 3, 1, 16);
    auto* row = reinterpret_cast<unsigned short*>(FreeImage_GetScanLine(grey16, 0));
    for (unsigned x = 0; x < 3; ++x) row[x] = static_cast<unsigned short>(x * 0x2000 + 0x00FF);
    EXPECT_EQ(loadRaw(grey16, FIF_PNG, "grey16.png", OF_IMAGE_GRAYSCALE), (Bytes{0x00, 0x20, 0x40}));
    // 48-bit colour: three channels, red first.
    FIBITMAP* rgb16 = FreeImage_AllocateT(FIT_RGB16, 1, 1, 48);
    *reinterpret_cast<FIRGB16*>(FreeImage_GetScanLine(rgb16, 0)) = {0xFF00, 0x8000, 0x1000};
    EXPECT_EQ(loadRaw(rgb16, FIF_PNG, "rgb16.png", OF_IMAGE_COLOR), (Bytes{0xFF, 0x80, 0x10}));
    // 64-bit colour with alpha: four channels, red first, alpha last.
    FIBITMAP* rgba16 = FreeImage_AllocateT(FIT_RGBA16, 2, 1, 64);
    auto* rgbaRow = reinterpret_cast<FIRGBA16*>(FreeImage_GetScanLine(rgba16, 0));
    rgbaRow[0] = {0x1200, 0x3400, 0x5600, 0x7800};
    rgbaRow[1] = {0xFFFF, 0x00FF, 0x8000, 0x0100};
    EXPECT_EQ(loadRaw(rgba16, FIF_PNG, "rgba16.png", OF_IMAGE_COLOR_ALPHA),
              (Bytes{0x12, 0x34, 0x56, 0x78, 0xFF, 0x00, 0x80, 0x01}));
    // A 16-bit-per-pixel bitmap (5-6-5 colour) is colour, not two grey bytes.
    FIBITMAP* rgb565 = FreeImage_Allocate(1, 1, 16, FI16_565_RED_MASK, FI16_565_GREEN_MASK, FI16_565_BLUE_MASK);
    *reinterpret_cast<unsigned short*>(FreeImage_GetScanLine(rgb565, 0)) = 0xF800;  // pure red
    EXPECT_EQ(loadRaw(rgb565, FIF_BMP, "rgb565.bmp", OF_IMAGE_COLOR), (Bytes{0xFF, 0x00, 0x00}));
    // Floating-point colour with alpha has no 8-bit form: refused, pixels kept.
    ofPixels pix = makePicture(1, 1, 3);
    FIBITMAP* floats = FreeImage_AllocateT(FIT_RGBAF, 2, 2, 128);
    EXPECT_NE(logged([&] { EXPECT_FALSE(putBmpIntoPixels(floats, pix, true)); }).find("[error] "), std::string::npos);
    FreeImage_Unload(floats);
    EXPECT_EQ(bytesOf(pix), bytesOf(makePicture(1, 1, 3)));
}

TEST_F(ImageFiles, MemoryIsReadAndBadSourcesFailKeepingThePixels) {
    const ofPixels original = makePicture(5, 4, 4);
    ofPixels pix = original;
    ofSaveImage(pix, "memory.png");
    const Bytes png = fileBytes("data/memory.png");
    ASSERT_TRUE(ofLoadImageFromMemory(pix, png.data(), png.size()));
    EXPECT_EQ(bytesOf(pix), bytesOf(original));

    std::ofstream("data/words.png") << "just some words, not a picture";
    const Bytes words = fileBytes("data/words.png");
    ofPixels kept = makePicture(2, 2, 3);
    logged([&] {
        EXPECT_FALSE(ofLoadImageFromMemory(kept, words.data(), words.size()));
        EXPECT_FALSE(ofLoadImageFromMemory(kept, nullptr, 0));
        EXPECT_FALSE(ofLoadImageFromMemory(kept, png.data(), 40));  // a signature but no picture
        // Not a URL: only "http://" in lower case is one.
        for (std::string file : {"no_such.png", "no_such.unknownext", "HTTP://127.0.0.1/picture.png", "words.png"})
            EXPECT_FALSE(ofLoadImage(kept, file)) << file;
    });
    EXPECT_EQ(bytesOf(kept), bytesOf(makePicture(2, 2, 3)));
}

TEST_F(ImageFiles, FailedSavesAreReportedWithThePathAndTheNameDecidesTheFormat) {
    ofPixels pix = makePicture(3, 3, 3), rgba = makePicture(3, 3, 4), empty;
    // JPEG cannot hold an alpha channel: FreeImage refuses, and we say so.
    for (auto c : {std::make_pair(&pix, "no_such_folder/shot.png"), {&pix, "shot.unknownext"}, {&rgba, "alpha.jpg"}}) {
        const std::string log = logged([&] { ofSaveImage(*c.first, c.second); });
        EXPECT_NE(log.find(std::string("[error] ofSaveImage(): couldn't save image to \"data/") + c.second + "\"\n"),
                  std::string::npos) << log;
    }
    EXPECT_NE(access("data/shot.unknownext", F_OK), 0);
    EXPECT_EQ(logged([&] { ofSaveImage(empty, "empty.png"); }), "[error] error saving image - pixels aren't allocated\n");

    // The extension decides the format; an existing file only without one.
    ofSaveImage(pix, "named.png");
    std::rename("data/named.png", "data/named.jpg");
    ofSaveImage(pix, "named.jpg");
    EXPECT_EQ(FreeImage_GetFileType("data/named.jpg", 0), FIF_JPEG);
    ofSaveImage(pix, "seed.bmp");
    std::rename("data/seed.bmp", "data/picture.unknownext");
    pix[0] = 1;
    EXPECT_EQ(logged([&] { ofSaveImage(pix, "picture.unknownext"); }), "");
    EXPECT_EQ(FreeImage_GetFileType("data/picture.unknownext", 0), FIF_BMP);
    ofPixels loaded;
    ASSERT_TRUE(ofLoadImage(loaded, "picture.unknownext"));
    EXPECT_EQ(bytesOf(loaded), bytesOf(pix));
}

// Grey palettes other than plain black to white become colour, the right
// way round.
TEST_F(ImageFiles, OnlyABlackToWhitePaletteStaysGrey) {
    auto eightBit = [](int (*grey)(int), bool transparentBlack = false) {  // indices 0, 64, 128 and 255
        FIBITMAP* b = FreeImage_Allocate(4, 1, 8);
        BYTE table[256];
        for (int i = 0; i < 256; ++i) {
            const BYTE g = static_cast<BYTE>(grey(i));
            FreeImage_GetPalette(b)[i] = RGBQUAD{g, g, g, 0};
            table[i] = i == 0 ? 0 : 255;
        }
        if (transparentBlack) FreeImage_SetTransparencyTable(b, table, 256);
        const BYTE indices[] = {0, 64, 128, 255};
        std::copy(indices, indices + 4, FreeImage_GetScanLine(b, 0));
        return b;
    };
    auto same = [](int i) { return i; };
    EXPECT_EQ(loadRaw(eightBit(same), FIF_BMP, "grey.bmp", OF_IMAGE_GRAYSCALE), (Bytes{0, 64, 128, 255}));
    EXPECT_EQ(loadRaw(eightBit([](int i) { return 255 - i; }), FIF_BMP, "inverted.bmp", OF_IMAGE_COLOR),
              (Bytes{255, 255, 255, 191, 191, 191, 127, 127, 127, 0, 0, 0}));
    EXPECT_EQ(loadRaw(eightBit([](int i) { return i / 2; }), FIF_BMP, "halved.bmp", OF_IMAGE_COLOR),
              (Bytes{0, 0, 0, 32, 32, 32, 64, 64, 64, 127, 127, 127}));
    EXPECT_EQ(loadRaw(eightBit(same, true), FIF_PNG, "transparent.png", OF_IMAGE_COLOR_ALPHA),
              (Bytes{0, 0, 0, 0, 64, 64, 64, 255, 128, 128, 128, 255, 255, 255, 255, 255}));
}

// These images never use their texture, so no OpenGL context is needed.
TEST(ImageClass, ResizeKeepsChannelOrderOrRefuses) {
    ofImage image;
    image.setUseTexture(false);
    image.allocate(4, 2, OF_IMAGE_COLOR);
    ofSetCurrentRenderer(nullptr);
    image.draw(5, 6);  // no renderer: nothing, no crash
    const unsigned char rgb[] = {250, 20, 5};
    for (int i = 0; i < 4 * 2 * 3; ++i) image.getPixels()[i] = rgb[i % 3];
    image.resize(8, 6);
    ASSERT_EQ(image.getWidth() * image.getHeight(), 48);
    EXPECT_EQ(image.getImageType(), OF_IMAGE_COLOR);
    for (int i = 0; i < 8 * 6 * 3; ++i) ASSERT_EQ(image.getPixels()[i], rgb[i % 3]) << i;  // red still first

    unsigned char* before = image.getPixels();
    testing::internal::CaptureStderr();
    image.resize(-3, 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[error] ofImage::resize() couldn't resize 8x6 image to -3x4\n");
    EXPECT_EQ(image.getPixels(), before);
    EXPECT_EQ(image.getWidth(), 8);
}

// Each quality is its own JPEG setting, the files shrinking from best to
// worst; values outside the table save as the best. Other formats ignore the
// quality, with a warning when it is not the default.
TEST_F(ImageFiles, JpegQualitiesChangeTheFileAndOtherFormatsWarn) {
    ofPixels smooth;
    smooth.allocate(32, 16, 3);
    for (int i = 0; i < 32 * 16; ++i) {
        smooth[i * 3] = static_cast<unsigned char>(i % 32 * 8);
        smooth[i * 3 + 1] = static_cast<unsigned char>(i / 32 * 16);
        smooth[i * 3 + 2] = static_cast<unsigned char>((i % 32 + i / 32) * 5);
    }
    const ofImageCompressionType qualities[] = {OF_IMAGE_QUALITY_BEST, OF_IMAGE_QUALITY_HIGH, OF_IMAGE_QUALITY_MEDIUM,
                                                OF_IMAGE_QUALITY_LOW, OF_IMAGE_QUALITY_WORST,
                                                static_cast<ofImageCompressionType>(7)};
    std::vector<Bytes> files;
    for (ofImageCompressionType q : qualities) {
        const std::string file = "q" + std::to_string(q) + ".jpg";
        EXPECT_EQ(logged([&] { ofSaveImage(smooth, file, q); }), "") << q;
        files.push_back(fileBytes("data/" + file));
        ASSERT_FALSE(files.back().empty()) << q;
    }
    for (size_t i = 1; i + 1 < files.size(); ++i) EXPECT_LT(files[i].size(), files[i - 1].size()) << i;
    EXPECT_EQ(files.back(), files.front());

    ofPixels loaded;
    ASSERT_TRUE(ofLoadImage(loaded, "q0.jpg"));
    ASSERT_EQ(loaded.size(), smooth.size());
    int worstDiff = 0;
    for (int i = 0; i < static_cast<int>(smooth.size()); ++i) worstDiff = std::max(worstDiff, std::abs(loaded[i] - smooth[i]));
    EXPECT_LE(worstDiff, 24);

    ofPixels pix = makePicture(3, 3, 3);
    EXPECT_EQ(logged([&] { ofSaveImage(pix, "quiet.png", OF_IMAGE_QUALITY_BEST); }), "");
    for (ofImageCompressionType q : {OF_IMAGE_QUALITY_HIGH, OF_IMAGE_QUALITY_WORST}) {
        EXPECT_EQ(logged([&] { ofSaveImage(pix, "warned.png", q); }),
                  "[warning] ofImageCompressionType only applies to JPEG images, ignoring value\n");
        EXPECT_EQ(fileBytes("data/warned.png"), fileBytes("data/quiet.png"));
    }
}
