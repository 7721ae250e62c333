#include "ofPixels.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "ofLog.h"
#include "ofMath.h"

ofPixels::ofPixels()
    : pixels(nullptr), width(0), height(0), channels(0), bAllocated(false), pixelsOwner(false) {}

ofPixels::~ofPixels() {
    clear();
}

ofPixels::ofPixels(const ofPixels& other) : ofPixels() {
    if (other.bAllocated && allocateChecked(other.width, other.height, other.channels)) {
        std::memcpy(pixels, other.pixels, size());
    }
}

ofPixels& ofPixels::operator=(const ofPixels& other) {
    if (&other == this) return *this;
    if (!other.bAllocated) {
        clear();
        return *this;
    }
    if (allocateChecked(other.width, other.height, other.channels)) {
        std::memcpy(pixels, other.pixels, size());
    }
    return *this;
}

bool ofPixels::checkSize(int w, int h, int c, size_t& bytes) {
    if (c < 1 || c > maxChannels) {
        ofLog(OF_LOG_ERROR, "ofPixels: channel count " + std::to_string(c) + " not supported");
        return false;
    }
    // Both factors are below 2^31 and c is at most 4, so 64 bits cannot overflow.
    unsigned long long total = static_cast<unsigned long long>(w) * static_cast<unsigned long long>(h) *
                               static_cast<unsigned long long>(c);
    if (total > maxBytes) {
        ofLog(OF_LOG_ERROR, "ofPixels: " + std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(c) +
                                " is too large to allocate");
        return false;
    }
    bytes = static_cast<size_t>(total);
    return true;
}

bool ofPixels::allocateChecked(int w, int h, int c) {
    if (w < 0 || h < 0) return false;
    if (bAllocated && w == width && h == height && c == channels) return true;
    size_t bytes = 0;
    if (!checkSize(w, h, c, bytes)) return false;
    clear();
    unsigned char* fresh = new (std::nothrow) unsigned char[bytes > 0 ? bytes : 1];
    if (fresh == nullptr) {
        ofLog(OF_LOG_ERROR, "ofPixels: out of memory for " + std::to_string(bytes) + " bytes");
        return false;
    }
    pixels = fresh;
    width = w;
    height = h;
    channels = c;
    bAllocated = true;
    pixelsOwner = true;
    return true;
}

void ofPixels::allocate(int w, int h, int c) {
    allocateChecked(w, h, c);
}

void ofPixels::allocate(int w, int h, ofImageType type) {
    switch (type) {
        case OF_IMAGE_GRAYSCALE: allocate(w, h, 1); break;
        case OF_IMAGE_COLOR: allocate(w, h, 3); break;
        case OF_IMAGE_COLOR_ALPHA: allocate(w, h, 4); break;
        default: ofLog(OF_LOG_ERROR, "ofPixels: image type not supported"); break;
    }
}

void ofPixels::setFromExternalPixels(unsigned char* data, int w, int h, int c) {
    size_t bytes = 0;
    if (w < 0 || h < 0 || !checkSize(w, h, c, bytes)) return;
    clear();
    pixels = data;
    width = w;
    height = h;
    channels = c;
    bAllocated = true;
    pixelsOwner = false;
}

void ofPixels::setFromAlignedPixels(const unsigned char* src, int w, int h, int c, int stride) {
    if (src == nullptr || !allocateChecked(w, h, c)) return;
    size_t rowBytes = static_cast<size_t>(w) * static_cast<size_t>(c);
    if (static_cast<long long>(rowBytes) == stride) {
        std::memcpy(pixels, src, size());
        return;
    }
    for (int r = 0; r < h; ++r) {
        std::memcpy(pixels + rowBytes * static_cast<size_t>(r), src + static_cast<ptrdiff_t>(stride) * r, rowBytes);
    }
}

void ofPixels::clear() {
    if (pixelsOwner) delete[] pixels;
    pixels = nullptr;
    width = 0;
    height = 0;
    channels = 0;
    bAllocated = false;
    pixelsOwner = false;
}

size_t ofPixels::size() const {
    if (!bAllocated) return 0;
    return static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(channels);
}

void ofPixels::set(int channel, unsigned char value) {
    // A channel the block does not have would write into the neighbouring pixel.
    if (!bAllocated || channel < 0 || channel >= channels) return;
    size_t total = size();
    for (size_t i = static_cast<size_t>(channel); i < total; i += static_cast<size_t>(channels)) {
        pixels[i] = value;
    }
}

void ofPixels::setChannel(int channel, const ofPixels& source) {
    if (!bAllocated || !source.bAllocated) return;
    int c = static_cast<int>(ofClamp(static_cast<float>(channel), 0, static_cast<float>(channels - 1)));
    // A short source fills only the pixels it has bytes for.
    size_t count = std::min(static_cast<size_t>(width) * static_cast<size_t>(height), source.size());
    for (size_t k = 0; k < count; ++k) {
        pixels[k * static_cast<size_t>(channels) + static_cast<size_t>(c)] = source.pixels[k];
    }
}

bool ofPixels::pasteInto(ofPixels& dst, int x, int y) const {
    if (!bAllocated || !dst.bAllocated || channels != dst.channels) return false;
    if (x >= dst.width || y >= dst.height) return false;
    // Negative positions are clipped like the right and bottom edges.
    long long srcX = x < 0 ? -static_cast<long long>(x) : 0;
    long long srcY = y < 0 ? -static_cast<long long>(y) : 0;
    long long copyWidth = std::min<long long>(width - srcX, static_cast<long long>(dst.width) - x - srcX);
    long long copyHeight = std::min<long long>(height - srcY, static_cast<long long>(dst.height) - y - srcY);
    if (copyWidth <= 0 || copyHeight <= 0) return true;
    size_t c = static_cast<size_t>(channels);
    for (long long r = 0; r < copyHeight; ++r) {
        const unsigned char* from = pixels + (static_cast<size_t>(srcY + r) * static_cast<size_t>(width) +
                                              static_cast<size_t>(srcX)) * c;
        unsigned char* to = dst.pixels + (static_cast<size_t>(y + srcY + r) * static_cast<size_t>(dst.width) +
                                          static_cast<size_t>(x + srcX)) * c;
        std::memcpy(to, from, static_cast<size_t>(copyWidth) * c);
    }
    return true;
}

void ofPixels::swapRgb() {
    if (!bAllocated || channels < 3) return;
    size_t total = size();
    for (size_t i = 0; i < total; i += static_cast<size_t>(channels)) {
        std::swap(pixels[i], pixels[i + 2]);
    }
}

ofImageType ofPixels::getImageType() const {
    switch (channels) {
        case 1: return OF_IMAGE_GRAYSCALE;
        case 3: return OF_IMAGE_COLOR;
        case 4: return OF_IMAGE_COLOR_ALPHA;
        default: return OF_IMAGE_UNDEFINED;
    }
}

int ofGetGlInternalFormat(const ofPixels& pix) {
    switch (pix.getBytesPerPixel()) {
        case 3: return 0x1907;  // GL_RGB
        case 4: return 0x1908;  // GL_RGBA
        default: return 0x1909; // GL_LUMINANCE
    }
}
