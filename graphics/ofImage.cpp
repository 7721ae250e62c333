#include "ofImage.h"

#include <FreeImage.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

#include "ofBaseRenderer.h"
#include "ofFreeImage.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofURLFileLoader.h"
#include "ofUtils.h"

namespace {

int jpegSaveFlag(int quality) {
    switch (quality) {
        case OF_IMAGE_QUALITY_HIGH: return JPEG_QUALITYGOOD;
        case OF_IMAGE_QUALITY_MEDIUM: return JPEG_QUALITYNORMAL;
        case OF_IMAGE_QUALITY_LOW: return JPEG_QUALITYAVERAGE;
        case OF_IMAGE_QUALITY_WORST: return JPEG_QUALITYBAD;
        default: return JPEG_QUALITYSUPERB;
    }
}

// A bitmap of 8 bits a channel made from one that is not, or null when the
// bitmap can be used as it is. Sets failed when no conversion exists.
FIBITMAP* eightBitChannels(FIBITMAP* bitmap, bool& failed) {
    failed = false;
    FIBITMAP* converted = nullptr;
    unsigned bpp = FreeImage_GetBPP(bitmap);
    switch (FreeImage_GetImageType(bitmap)) {
        case FIT_BITMAP:
            // Only 8-bit grey running black to white, without a transparent
            // entry, is one channel; any other palette is colour.
            if (bpp < 8 || bpp == 16 ||
                (bpp == 8 && (FreeImage_GetColorType(bitmap) != FIC_MINISBLACK || FreeImage_IsTransparent(bitmap)))) {
                converted = FreeImage_IsTransparent(bitmap) ? FreeImage_ConvertTo32Bits(bitmap)
                                                            : FreeImage_ConvertTo24Bits(bitmap);
            } else if (bpp != 8 && bpp != 24 && bpp != 32) {
                failed = true;
                return nullptr;
            } else {
                return nullptr;
            }
            break;
        case FIT_UINT16: converted = FreeImage_ConvertTo8Bits(bitmap); break;
        case FIT_RGB16: converted = FreeImage_ConvertTo24Bits(bitmap); break;
        case FIT_RGBA16: converted = FreeImage_ConvertTo32Bits(bitmap); break;
        // High dynamic range colour needs its range mapped into 8 bits.
        case FIT_RGBF: converted = FreeImage_ToneMapping(bitmap, FITMO_DRAGO03, 0, 0); break;
        default: converted = FreeImage_ConvertToStandardType(bitmap, TRUE); break;
    }
    if (converted == nullptr) failed = true;
    return converted;
}

// Pictures from memory and URLs come from anywhere: only the formats the
// system itself uses are decoded.
bool acceptedFromMemory(FREE_IMAGE_FORMAT format) {
    return format == FIF_PNG || format == FIF_JPEG || format == FIF_GIF || format == FIF_BMP;
}

// These loaders have crashed on small files with harmless-looking headers.
bool refusedFromFiles(FREE_IMAGE_FORMAT format) {
    switch (format) {
        case FIF_ICO:
        case FIF_PBM:
        case FIF_PBMRAW:
        case FIF_PGM:
        case FIF_PGMRAW:
        case FIF_PPM:
        case FIF_PPMRAW: return true;
        default: return false;
    }
}

void refuseFormat(FREE_IMAGE_FORMAT format, const std::string& source) {
    ofLogError("OF") << "ofImage: refused " << source << ": " << FreeImage_GetFormatFromFIF(format)
                     << " pictures are not accepted from there";
}

bool fitsLimit(uint64_t width, uint64_t height, unsigned bpp, const std::string& source) {
    if (ofImageDecodedBytes(width, height, bpp) <= ofPixels::maxBytes) return true;
    ofLogError("OF") << "ofImage: refused " << source << ": " << width << " x " << height
                     << " pixels exceed the picture size limit";
    return false;
}

uint16_t littleEndian16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// GIF has no header-only load in FreeImage: the logical screen and the
// first frame's size are read here.
bool gifFitsLimit(FreeImageIO& io, fi_handle handle, const std::string& source) {
    long start = io.tell_proc(handle);
    unsigned char head[13];
    bool fits = true;
    if (io.read_proc(head, 1, sizeof head, handle) == sizeof head) {
        fits = fitsLimit(littleEndian16(head + 6), littleEndian16(head + 8), 8, source);
        if (fits && (head[10] & 0x80)) io.seek_proc(handle, 3L << ((head[10] & 7) + 1), SEEK_CUR);
        unsigned char block[9] = {};
        // Extensions come before the first frame; each is a chain of sub-blocks.
        while (fits && io.read_proc(block, 1, 1, handle) == 1 && block[0] == 0x21) {
            if (io.read_proc(block, 1, 1, handle) != 1) break;
            unsigned char size = 0;
            while (io.read_proc(&size, 1, 1, handle) == 1 && size != 0) io.seek_proc(handle, size, SEEK_CUR);
            if (size != 0) break;
        }
        if (fits && block[0] == 0x2C && io.read_proc(block, 1, 8, handle) == 8) {
            fits = fitsLimit(littleEndian16(block + 4), littleEndian16(block + 6), 8, source);
        }
    }
    io.seek_proc(handle, start, SEEK_SET);
    return fits;
}

// Reads the header first and refuses pictures whose decoding would pass the
// pixel-block limit, then decodes. The handle is left where it started.
FIBITMAP* decodeWithinLimit(FREE_IMAGE_FORMAT format, FreeImageIO& io, fi_handle handle, const std::string& source) {
    long start = io.tell_proc(handle);
    if (format == FIF_GIF) {
        if (!gifFitsLimit(io, handle, source)) return nullptr;
    } else if (FreeImage_FIFSupportsNoPixels(format)) {
        FIBITMAP* header = FreeImage_LoadFromHandle(format, &io, handle, FIF_LOAD_NOPIXELS);
        io.seek_proc(handle, start, SEEK_SET);
        if (header == nullptr) return nullptr;
        bool fits = fitsLimit(FreeImage_GetWidth(header), FreeImage_GetHeight(header), FreeImage_GetBPP(header), source);
        FreeImage_Unload(header);
        if (!fits) return nullptr;
    }
    FIBITMAP* bitmap = FreeImage_LoadFromHandle(format, &io, handle, 0);
    io.seek_proc(handle, start, SEEK_SET);
    // Formats without a header-only load are checked before any conversion.
    if (bitmap != nullptr &&
        !fitsLimit(FreeImage_GetWidth(bitmap), FreeImage_GetHeight(bitmap), FreeImage_GetBPP(bitmap), source)) {
        FreeImage_Unload(bitmap);
        return nullptr;
    }
    return bitmap;
}

// Reads from FreeImage memory handles through the same calls as files.
unsigned memoryRead(void* buffer, unsigned size, unsigned count, fi_handle handle) {
    return FreeImage_ReadMemory(buffer, size, count, static_cast<FIMEMORY*>(handle));
}
unsigned memoryWrite(void*, unsigned, unsigned, fi_handle) {
    return 0;
}
int memorySeek(fi_handle handle, long offset, int origin) {
    return FreeImage_SeekMemory(static_cast<FIMEMORY*>(handle), offset, origin) ? 0 : -1;
}
long memoryTell(fi_handle handle) {
    return FreeImage_TellMemory(static_cast<FIMEMORY*>(handle));
}

unsigned fileRead(void* buffer, unsigned size, unsigned count, fi_handle handle) {
    return static_cast<unsigned>(std::fread(buffer, size, count, static_cast<FILE*>(handle)));
}
unsigned fileWrite(void*, unsigned, unsigned, fi_handle) {
    return 0;
}
int fileSeek(fi_handle handle, long offset, int origin) {
    return std::fseek(static_cast<FILE*>(handle), offset, origin);
}
long fileTell(fi_handle handle) {
    return std::ftell(static_cast<FILE*>(handle));
}

bool loadFromMemoryHandle(ofPixels& pix, FIMEMORY* memory, const std::string& source) {
    FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromMemory(memory, 0);
    if (format == FIF_UNKNOWN) {
        ofLog(OF_LOG_ERROR, "unable to guess format");
        return false;
    }
    if (!acceptedFromMemory(format)) {
        refuseFormat(format, source);
        return false;
    }
    FreeImageIO io = {memoryRead, memoryWrite, memorySeek, memoryTell};
    FIBITMAP* bitmap = decodeWithinLimit(format, io, memory, source);
    if (bitmap == nullptr) return false;
    bool filled = putBmpIntoPixels(bitmap, pix, true);
    FreeImage_Unload(bitmap);
    return filled;
}

bool loadFromMemory(ofPixels& pix, const unsigned char* data, size_t size, const std::string& source) {
    ofInitFreeImage();
    if (size > 0xFFFFFFFFu) {
        ofLog(OF_LOG_ERROR, "couldn't create memory handle!");
        return false;
    }
    // FreeImage reads the bytes in place and never writes through a handle
    // opened on caller memory.
    FIMEMORY* memory = FreeImage_OpenMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size));
    if (memory == nullptr) {
        ofLog(OF_LOG_ERROR, "couldn't create memory handle!");
        return false;
    }
    bool loaded = loadFromMemoryHandle(pix, memory, source);
    FreeImage_CloseMemory(memory);
    return loaded;
}

// GIF holds 8-bit palette pictures only. Colour with alpha goes through 24
// bits first, so the colours survive the quantizing.
bool saveGif(FIBITMAP* bitmap, const ofPixels& pix, const std::string& path) {
    if (pix.getImageType() == OF_IMAGE_GRAYSCALE) return FreeImage_Save(FIF_GIF, bitmap, path.c_str(), 0);
    FIBITMAP* colour = bitmap;
    if (pix.getImageType() == OF_IMAGE_COLOR_ALPHA) colour = FreeImage_ConvertTo24Bits(bitmap);
    FIBITMAP* quantized = colour != nullptr ? FreeImage_ColorQuantize(colour, FIQ_NNQUANT) : nullptr;
    bool saved = quantized != nullptr && FreeImage_Save(FIF_GIF, quantized, path.c_str(), 0);
    if (quantized != nullptr) FreeImage_Unload(quantized);
    if (colour != nullptr && colour != bitmap) FreeImage_Unload(colour);
    return saved;
}

bool hasPrefix(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

bool putBmpIntoPixels(FIBITMAP* bitmap, ofPixels& pix, bool swap) {
    if (bitmap == nullptr) return false;
    bool failed = false;
    FIBITMAP* converted = eightBitChannels(bitmap, failed);
    if (failed) {
        ofLogError("OF") << "ofImage::putBmpIntoPixels() unable to convert FIBITMAP to 8 bits per channel";
        return false;
    }
    FIBITMAP* source = converted != nullptr ? converted : bitmap;

    int width = static_cast<int>(FreeImage_GetWidth(source));
    int height = static_cast<int>(FreeImage_GetHeight(source));
    int channels = static_cast<int>(FreeImage_GetBPP(source) / 8);
    int pitch = static_cast<int>(FreeImage_GetPitch(source));

    // FreeImage keeps the bottom row first.
    FreeImage_FlipVertical(source);
    const BYTE* bits = FreeImage_GetBits(source);
    bool filled = false;
    if (bits != nullptr) {
        pix.setFromAlignedPixels(bits, width, height, channels, pitch);
        filled = pix.isAllocated() && pix.getWidth() == width && pix.getHeight() == height &&
                 pix.getBytesPerPixel() == channels;
    } else {
        ofLogError("OF") << "ofImage::putBmpIntoPixels() unable to set ofPixels from FIBITMAP";
    }
    if (converted != nullptr) FreeImage_Unload(converted);
    if (filled && swap) pix.swapRgb();
    return filled;
}

FIBITMAP* getBmpFromPixels(ofPixels& pix) {
    int width = pix.getWidth();
    int height = pix.getHeight();
    int bpp = pix.getBitsPerPixel();
    FIBITMAP* bitmap = FreeImage_AllocateT(FIT_BITMAP, width, height, bpp, 0, 0, 0);
    if (bitmap == nullptr) {
        ofLogError("OF") << "ofImage::getBmpFromPixels() unable to get FIBITMAP from ofPixels";
        return nullptr;
    }
    if (bpp == 8) {
        // A one-channel block is grey, whatever palette FreeImage started with.
        RGBQUAD* palette = FreeImage_GetPalette(bitmap);
        for (int i = 0; palette != nullptr && i < 256; ++i) {
            palette[i].rgbRed = palette[i].rgbGreen = palette[i].rgbBlue = static_cast<BYTE>(i);
            palette[i].rgbReserved = 0;
        }
    }
    BYTE* bits = FreeImage_GetBits(bitmap);
    const unsigned char* src = pix.getPixels();
    if (bits != nullptr && src != nullptr) {
        size_t rowBytes = static_cast<size_t>(width) * pix.getBytesPerPixel();
        unsigned pitch = FreeImage_GetPitch(bitmap);
        for (int r = 0; r < height; ++r) {
            std::copy(src, src + rowBytes, bits);
            src += rowBytes;
            bits += pitch;
        }
    } else if (bits == nullptr) {
        ofLogError("OF") << "ofImage::getBmpFromPixels() unable to get FIBITMAP from ofPixels";
    }
    FreeImage_FlipVertical(bitmap);
    return bitmap;
}

uint64_t ofImageDecodedBytes(uint64_t width, uint64_t height, unsigned bitsPerPixel) {
    uint64_t bits = std::max(bitsPerPixel, 32u);
    uint64_t pitch = (width * bits + 31) / 32 * 4;
    if (height != 0 && pitch > std::numeric_limits<uint64_t>::max() / height) {
        return std::numeric_limits<uint64_t>::max();
    }
    return pitch * height;
}

bool ofLoadImage(ofPixels& pix, const std::string& fileName) {
    ofInitFreeImage();
    if (hasPrefix(fileName, "http://")) {
        // Whatever body came back is decoded; a failed request has none.
        ofHttpResponse response = ofLoadURL(fileName);
        return loadFromMemory(pix, reinterpret_cast<const unsigned char*>(response.data.getBinaryBuffer()),
                              response.data.size(), fileName);
    }

    std::string path = ofToDataPath(fileName, false);
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format)) return false;
    if (refusedFromFiles(format)) {
        refuseFormat(format, path);
        return false;
    }

    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return false;
    FreeImageIO io = {fileRead, fileWrite, fileSeek, fileTell};
    FIBITMAP* bitmap = decodeWithinLimit(format, io, file.get(), path);
    if (bitmap == nullptr) return false;
    bool filled = putBmpIntoPixels(bitmap, pix, true);
    FreeImage_Unload(bitmap);
    return filled;
}

bool ofLoadImageFromMemory(ofPixels& pix, const unsigned char* data, size_t size) {
    return loadFromMemory(pix, data, size, "a picture in memory");
}

bool ofLoadImage(ofPixels& pix, const ofBuffer& buffer) {
    return ofLoadImageFromMemory(pix, reinterpret_cast<const unsigned char*>(buffer.getBinaryBuffer()),
                                 buffer.size());
}

void ofSaveImage(ofPixels& pix, const std::string& fileName, ofImageCompressionType quality) {
    ofInitFreeImage();
    if (!pix.isAllocated()) {
        ofLog(OF_LOG_ERROR, "error saving image - pixels aren't allocated");
        return;
    }
    pix.swapRgb();
    FIBITMAP* bitmap = getBmpFromPixels(pix);
    pix.swapRgb();

    std::string path = ofToDataPath(fileName, false);
    // The name decides; an existing file's own format only when the
    // extension says nothing.
    FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN) format = FreeImage_GetFileType(path.c_str(), 0);

    bool saved = false;
    if (bitmap != nullptr && format != FIF_UNKNOWN && FreeImage_FIFSupportsWriting(format)) {
        if (format == FIF_JPEG) {
            saved = FreeImage_Save(format, bitmap, path.c_str(), jpegSaveFlag(quality));
        } else {
            if (quality != OF_IMAGE_QUALITY_BEST) {
                ofLogWarning("OF") << "ofImageCompressionType only applies to JPEG images, ignoring value";
            }
            if (format == FIF_GIF) {
                saved = saveGif(bitmap, pix, path);
            } else {
                saved = FreeImage_Save(format, bitmap, path.c_str(), 0);
            }
        }
    }
    if (!saved) ofLogError("OF") << "ofSaveImage(): couldn't save image to \"" << path << "\"";
    if (bitmap != nullptr) FreeImage_Unload(bitmap);
}

// The image class.

ofImage_<unsigned char>::ofImage_() : width(0), height(0), bpp(0), type(OF_IMAGE_UNDEFINED), useTexture(true) {
    ofInitFreeImage();
}

ofImage_<unsigned char>::~ofImage_() {
    clear();
}

void ofImage_<unsigned char>::allocate(int w, int h, ofImageType newType) {
    if (width == w && height == h && type == newType) return;
    pixels.allocate(w, h, newType);
    if (pixels.isAllocated() && useTexture) {
        texture.allocate(pixels.getWidth(), pixels.getHeight(), ofGetGlInternalFormat(pixels));
    }
    width = pixels.getWidth();
    height = pixels.getHeight();
    bpp = pixels.getBitsPerPixel();
    type = pixels.getImageType();
}

void ofImage_<unsigned char>::clear() {
    pixels.clear();
    if (useTexture) texture.clear();
    width = height = bpp = 0;
    type = OF_IMAGE_UNDEFINED;
    useTexture = true;
}

bool ofImage_<unsigned char>::loadImage(std::string fileName) {
    if (!ofLoadImage(pixels, fileName)) {
        ofLog(OF_LOG_ERROR, "Couldn't load image from " + fileName);
        clear();
        return false;
    }
    if (pixels.isAllocated() && useTexture) {
        texture.allocate(pixels.getWidth(), pixels.getHeight(), ofGetGlInternalFormat(pixels));
    }
    update();
    return true;
}

void ofImage_<unsigned char>::saveImage(std::string fileName, ofImageCompressionType quality) {
    ofSaveImage(pixels, fileName, quality);
}

void ofImage_<unsigned char>::resize(int w, int h) {
    if (w == width && h == height) return;
    FIBITMAP* bitmap = pixels.isAllocated() ? getBmpFromPixels(pixels) : nullptr;
    FIBITMAP* scaled = bitmap != nullptr ? FreeImage_Rescale(bitmap, w, h, FILTER_BICUBIC) : nullptr;
    bool filled = scaled != nullptr && putBmpIntoPixels(scaled, pixels, false);
    if (bitmap != nullptr) FreeImage_Unload(bitmap);
    if (scaled != nullptr) FreeImage_Unload(scaled);
    if (!filled) {
        ofLogError("OF") << "ofImage::resize() couldn't resize " << width << "x" << height << " image to " << w << "x"
                         << h;
        return;
    }
    if (useTexture) {
        texture.clear();
        texture.allocate(pixels.getWidth(), pixels.getHeight(), ofGetGlInternalFormat(pixels));
    }
    update();
}

void ofImage_<unsigned char>::grabScreen(int x, int y, int w, int h) {
    // No block has a negative size: nothing to allocate, rescale or read.
    if (w < 0 || h < 0) {
        ofLogError("OF") << "ofImage::grabScreen() couldn't grab " << w << "x" << h << " pixels";
        return;
    }
    allocate(w, h, OF_IMAGE_COLOR);
    int viewportHeight = ofGetViewportHeight();
    if (width != w || height != h) resize(w, h);
    // Never read more than the pixel block holds.
    if (!pixels.isAllocated() || pixels.getWidth() != w || pixels.getHeight() != h ||
        pixels.getBytesPerPixel() != 3 || pixels.size() == 0) {
        ofLogError("OF") << "ofImage::grabScreen() couldn't grab " << w << "x" << h << " pixels";
        return;
    }

    ofFlushDraws();
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, viewportHeight - y - h, w, h, ofGetGlInternalFormat(pixels), GL_UNSIGNED_BYTE,
                 pixels.getPixels());
    glPopClientAttrib();

    // OpenGL reads bottom row first.
    size_t lineBytes = static_cast<size_t>(pixels.getWidth()) * pixels.getBytesPerPixel();
    std::vector<unsigned char> line(lineBytes);
    unsigned char* data = pixels.getPixels();
    int rows = pixels.getHeight();
    for (int i = 0; i < rows / 2; ++i) {
        unsigned char* top = data + static_cast<size_t>(i) * lineBytes;
        unsigned char* bottom = data + static_cast<size_t>(rows - 1 - i) * lineBytes;
        std::copy(top, top + lineBytes, line.begin());
        std::copy(bottom, bottom + lineBytes, top);
        std::copy(line.begin(), line.end(), bottom);
    }
    update();
}

void ofImage_<unsigned char>::update() {
    width = pixels.getWidth();
    height = pixels.getHeight();
    bpp = pixels.getBitsPerPixel();
    type = pixels.getImageType();
    if (!pixels.isAllocated() || !useTexture) return;
    int glFormat = ofGetGlInternalFormat(pixels);
    bool keep = texture.isAllocated() && static_cast<float>(width) == texture.getWidth() &&
                static_cast<float>(height) == texture.getHeight() &&
                texture.getTextureData().internalFormat == glFormat;
    if (!keep) texture.allocate(pixels.getWidth(), pixels.getHeight(), glFormat);
    texture.loadData(pixels);
}

void ofImage_<unsigned char>::draw(float x, float y, float z, float w, float h) {
    float sw = getWidth();
    float sh = getHeight();
    std::shared_ptr<ofBaseRenderer>& renderer = ofGetCurrentRenderer();
    if (renderer) renderer->draw(*this, x, y, z, w, h, 0, 0, sw, sh);
}

void ofImage_<unsigned char>::draw(float x, float y, float w, float h) {
    draw(x, y, 0, w, h);
}

void ofImage_<unsigned char>::draw(float x, float y) {
    draw(x, y, 0, getWidth(), getHeight());
}

float ofImage_<unsigned char>::getHeight() {
    return static_cast<float>(height);
}

float ofImage_<unsigned char>::getWidth() {
    return static_cast<float>(width);
}

void ofImage_<unsigned char>::setAnchorPercent(float xPct, float yPct) {
    if (useTexture) texture.setAnchorPercent(xPct, yPct);
}

void ofImage_<unsigned char>::setAnchorPoint(float x, float y) {
    if (useTexture) texture.setAnchorPoint(x, y);
}

void ofImage_<unsigned char>::resetAnchor() {
    if (useTexture) texture.resetAnchor();
}

ofTexture& ofImage_<unsigned char>::getTextureReference() {
    return texture;
}

void ofImage_<unsigned char>::setUseTexture(bool use) {
    useTexture = use;
}

bool ofImage_<unsigned char>::isUsingTexture() const {
    return useTexture;
}

unsigned char* ofImage_<unsigned char>::getPixels() {
    return pixels.getPixels();
}

ofPixels& ofImage_<unsigned char>::getPixelsRef() {
    return pixels;
}
