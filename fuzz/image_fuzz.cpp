// Pictures from memory: whatever the bytes, loading never crashes, never
// passes the pixel-block limit, and a loaded block matches its own size.
#include <cstdint>
#include <cstdlib>

#include <FreeImage.h>

#include "ofImage.h"
#include "ofLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = [] {
        ofSetLogLevel(OF_LOG_SILENT);
        return true;
    }();
    (void)quiet;

    ofPixels pix;
    bool loaded = ofLoadImageFromMemory(pix, data, size);
    if (!loaded) return 0;
    size_t expected = static_cast<size_t>(pix.getWidth()) * pix.getHeight() * pix.getBytesPerPixel();
    if (!pix.isAllocated() || pix.size() != expected || pix.size() > ofPixels::maxBytes ||
        pix.getBytesPerPixel() < 1 || pix.getBytesPerPixel() > 4) {
        abort();
    }
    // A loaded picture goes back through FreeImage the way resizing does;
    // only small ones, so that pictures near the limit stay one decode.
    if (pix.size() > (size_t(1) << 24)) return 0;
    FIBITMAP* bitmap = getBmpFromPixels(pix);
    if (bitmap != nullptr) {
        ofPixels again;
        if (!putBmpIntoPixels(bitmap, again, false) || again.size() != pix.size()) abort();
        FreeImage_Unload(bitmap);
    }
    return 0;
}
