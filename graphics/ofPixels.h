#pragma once

#include <cstddef>

enum ofImageType : int {
    OF_IMAGE_GRAYSCALE = 0,
    OF_IMAGE_COLOR = 1,
    OF_IMAGE_COLOR_ALPHA = 2,
    OF_IMAGE_UNDEFINED = 3
};

// A block of 8-bit pixels, rows top to bottom, channels interleaved. It
// either owns its bytes or wraps memory that belongs to somebody else.
class ofPixels {
public:
    // Larger blocks are refused: nothing in the system needs more, and a
    // size this big is a corrupt width, height or channel count.
    static const size_t maxBytes = size_t(1) << 30;
    static const int maxChannels = 4;

    ofPixels();
    ~ofPixels();
    ofPixels(const ofPixels& other);
    ofPixels& operator=(const ofPixels& other);

    void allocate(int w, int h, int channels);
    void allocate(int w, int h, ofImageType type);

    void setFromExternalPixels(unsigned char* data, int w, int h, int channels);
    void setFromAlignedPixels(const unsigned char* src, int w, int h, int channels, int stride);
    void clear();

    void set(int channel, unsigned char value);
    void setChannel(int channel, const ofPixels& source);
    bool pasteInto(ofPixels& dst, int x, int y) const;
    void swapRgb();

    unsigned char* getPixels() { return pixels; }
    const unsigned char* getPixels() const { return pixels; }
    unsigned char& operator[](int i) { return pixels[i]; }
    const unsigned char& operator[](int i) const { return pixels[i]; }

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getBytesPerPixel() const { return channels; }
    int getBitsPerPixel() const { return channels * 8; }
    ofImageType getImageType() const;
    bool isAllocated() const { return bAllocated; }
    // Bytes held: width x height x channels, 0 when empty.
    size_t size() const;

private:
    // Returns false (after logging) for sizes no block may have.
    static bool checkSize(int w, int h, int channels, size_t& bytes);
    bool allocateChecked(int w, int h, int channels);

    unsigned char* pixels;
    int width;
    int height;
    int channels;
    bool bAllocated;
    bool pixelsOwner;
};

// The OpenGL pixel format that matches a block's channel count.
int ofGetGlInternalFormat(const ofPixels& pix);
