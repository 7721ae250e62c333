#pragma once

#include <string>

#include "ofPixels.h"

struct FIBITMAP;

enum ofImageCompressionType : int {
    OF_IMAGE_QUALITY_BEST = 0,
    OF_IMAGE_QUALITY_HIGH = 1,
    OF_IMAGE_QUALITY_MEDIUM = 2,
    OF_IMAGE_QUALITY_LOW = 3,
    OF_IMAGE_QUALITY_WORST = 4
};

// Names are relative to the data folder unless they begin with "http://".
bool ofLoadImage(ofPixels& pix, const std::string& fileName);
// Decodes a picture held in memory; the bytes are read in place.
bool ofLoadImageFromMemory(ofPixels& pix, const unsigned char* data, size_t size);
void ofSaveImage(ofPixels& pix, const std::string& fileName,
                 ofImageCompressionType quality = OF_IMAGE_QUALITY_BEST);

// Fills pix from a bitmap of any depth: palettes, fewer than 8 bits and more
// than 8 bits a channel become 8-bit grey, colour or colour with alpha. The
// bitmap stays the caller's. Returns false, leaving pix alone, when the
// picture cannot be converted or has no pixels.
bool putBmpIntoPixels(FIBITMAP* bitmap, ofPixels& pix, bool swap);
// A new bitmap holding the pixels (null when FreeImage cannot make one).
FIBITMAP* getBmpFromPixels(ofPixels& pix);
