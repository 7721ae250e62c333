#pragma once

#include <cstdint>
#include <string>

#include "ofBaseImage.h"
#include "ofBuffer.h"
#include "ofPixels.h"
#include "ofTexture.h"

struct FIBITMAP;

enum ofImageCompressionType : int {
    OF_IMAGE_QUALITY_BEST = 0,
    OF_IMAGE_QUALITY_HIGH = 1,
    OF_IMAGE_QUALITY_MEDIUM = 2,
    OF_IMAGE_QUALITY_LOW = 3,
    OF_IMAGE_QUALITY_WORST = 4
};

// Names are relative to the data folder unless they begin with "http://".
// Files in the ICO and PNM formats are refused; URLs take what memory takes.
bool ofLoadImage(ofPixels& pix, const std::string& fileName);
// Decodes a picture held in memory (PNG, JPEG, GIF or BMP only); the bytes
// are read in place.
bool ofLoadImage(ofPixels& pix, const ofBuffer& buffer);
bool ofLoadImageFromMemory(ofPixels& pix, const unsigned char* data, size_t size);
void ofSaveImage(ofPixels& pix, const std::string& fileName,
                 ofImageCompressionType quality = OF_IMAGE_QUALITY_BEST);

// Bytes a decoded picture may take in FreeImage: at least four bytes a pixel,
// rows padded to four bytes. Loads refuse pictures above ofPixels::maxBytes
// by this count, from the header, before decoding.
uint64_t ofImageDecodedBytes(uint64_t width, uint64_t height, unsigned bitsPerPixel);

// Fills pix from a bitmap of any depth: palettes, fewer than 8 bits and more
// than 8 bits a channel become 8-bit grey, colour or colour with alpha. The
// bitmap stays the caller's. Returns false, leaving pix alone, when the
// picture cannot be converted or has no pixels.
bool putBmpIntoPixels(FIBITMAP* bitmap, ofPixels& pix, bool swap);
// A new bitmap holding the pixels (null when FreeImage cannot make one).
FIBITMAP* getBmpFromPixels(ofPixels& pix);

template <typename PixelType>
class ofImage_;

// A picture in memory with an OpenGL texture copy for drawing. Only the
// 8-bit form exists.
template <>
class ofImage_<unsigned char> : public ofBaseImage_<unsigned char> {
public:
    ofImage_();
    ~ofImage_() override;

    void allocate(int w, int h, ofImageType type);
    void clear();

    bool loadImage(std::string fileName);
    void saveImage(std::string fileName, ofImageCompressionType quality = OF_IMAGE_QUALITY_BEST);

    void resize(int w, int h);
    // x from the left, y down from the top of the viewport.
    void grabScreen(int x, int y, int w, int h);
    // Refreshes the fields from the pixels and uploads them to the texture.
    void update();

    using ofBaseDraws::draw;
    void draw(float x, float y, float z, float w, float h);
    void draw(float x, float y, float w, float h) override;
    void draw(float x, float y) override;

    float getHeight() override;
    float getWidth() override;

    void setAnchorPercent(float xPct, float yPct) override;
    void setAnchorPoint(float x, float y) override;
    void resetAnchor() override;

    ofTexture& getTextureReference() override;
    void setUseTexture(bool use) override;
    bool isUsingTexture() const;

    unsigned char* getPixels() override;
    ofPixels& getPixelsRef() override;

    int getBitsPerPixel() const { return bpp; }
    ofImageType getImageType() const { return type; }

protected:
    int width;
    int height;
    int bpp;
    ofImageType type;
    ofPixels pixels;
    bool useTexture;
    ofTexture texture;
};

typedef ofImage_<unsigned char> ofImage;
