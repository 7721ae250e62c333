#include "ofGlyphAtlas.h"

#include FT_BITMAP_H

#include <algorithm>
#include <cmath>

namespace {

// One packing attempt at the given side; false when a cell does not fit.
bool tryPack(const std::vector<ofGlyphBox>& sorted, int border, int side, std::vector<ofGlyphPlace>& places) {
    places.clear();
    if (sorted.empty()) return true;
    const float pad = 2.0f * border;
    int x = 0;
    int y = 0;
    int rowHeight = static_cast<int>(sorted.front().texHeight + pad);
    if (rowHeight > side) return false;
    for (const ofGlyphBox& box : sorted) {
        float cellWidth = box.texWidth + pad;
        // A cell wider than the atlas can never be placed.
        if (cellWidth > side) return false;
        if (x + cellWidth > side) {
            x = 0;
            y += rowHeight;
            rowHeight = static_cast<int>(box.texHeight + pad);
            if (y + rowHeight > side) return false;
        }
        places.push_back({box.index, x, y});
        x = static_cast<int>(x + cellWidth);
    }
    return true;
}

}  // namespace

bool ofPackGlyphAtlas(std::vector<ofGlyphBox> boxes, int border, long long areaSum, int& side,
                      std::vector<ofGlyphPlace>& places) {
    std::stable_sort(boxes.begin(), boxes.end(), [](const ofGlyphBox& a, const ofGlyphBox& b) {
        if (a.texHeight != b.texHeight) return a.texHeight > b.texHeight;
        return a.texWidth > b.texWidth;
    });
    // Glyphs hanging below the baseline can make the estimate small or
    // negative; the logarithm needs at least 1.
    float alpha = std::log(static_cast<float>(std::max(areaSum, 1LL))) * 1.44269f;
    for (;;) {
        float exponent = std::floor(alpha / 2.0f + 0.5f);
        if (exponent > 14.0f) break;
        side = static_cast<int>(std::pow(2.0f, std::max(exponent, 0.0f)));
        if (tryPack(boxes, border, side, places)) return true;
        alpha += 1.0f;
    }
    side = 0;
    places.clear();
    return false;
}

namespace {

// Start of visual row r: a negative pitch stores the rows bottom-up.
const unsigned char* rowStart(const FT_Bitmap& bitmap, unsigned r) {
    if (bitmap.pitch >= 0) return bitmap.buffer + static_cast<size_t>(r) * bitmap.pitch;
    size_t stride = static_cast<size_t>(-static_cast<long>(bitmap.pitch));
    return bitmap.buffer + static_cast<size_t>(bitmap.rows - 1 - r) * stride;
}

// Coverage levels 0..levels-1 spread over 0..255.
unsigned char scaleLevel(unsigned value, unsigned levels) {
    if (levels <= 1 || levels == 256) return static_cast<unsigned char>(std::min(value, 255u));
    return static_cast<unsigned char>(std::min(value, levels - 1) * 255u / (levels - 1));
}

}  // namespace

void ofCopyGlyphBitmap(FT_Library library, const FT_Bitmap& bitmap, unsigned char* lumAlpha) {
    const unsigned width = bitmap.width;
    const unsigned rows = bitmap.rows;
    const size_t count = static_cast<size_t>(width) * rows;
    for (size_t i = 0; i < count; ++i) {
        lumAlpha[i * 2] = 255;
        lumAlpha[i * 2 + 1] = 0;
    }
    if (count == 0 || bitmap.buffer == nullptr) return;

    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        for (unsigned r = 0; r < rows; ++r) {
            const unsigned char* src = rowStart(bitmap, r);
            unsigned char* dst = lumAlpha + static_cast<size_t>(r) * width * 2;
            for (unsigned k = 0; k < width; ++k) dst[k * 2 + 1] = scaleLevel(src[k], bitmap.num_grays);
        }
        return;
    }
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        for (unsigned r = 0; r < rows; ++r) {
            const unsigned char* src = rowStart(bitmap, r);
            unsigned char* dst = lumAlpha + static_cast<size_t>(r) * width * 2;
            for (unsigned k = 0; k < width; ++k) {
                bool set = (src[k >> 3] & (0x80 >> (k & 7))) != 0;
                dst[k * 2 + 1] = set ? 255 : 0;
            }
        }
        return;
    }

    // Two- and four-bit grey, LCD and colour bitmaps: let FreeType make 8-bit
    // levels, then copy those.
    if (library == nullptr) return;
    FT_Bitmap converted;
    FT_Bitmap_Init(&converted);
    if (FT_Bitmap_Convert(library, &bitmap, &converted, 1) == 0 && converted.buffer != nullptr) {
        unsigned levels = converted.num_grays;
        // LCD bitmaps convert at three samples a pixel; keep our own width.
        unsigned copyWidth = std::min(width, static_cast<unsigned>(converted.width));
        unsigned copyRows = std::min(rows, static_cast<unsigned>(converted.rows));
        for (unsigned r = 0; r < copyRows; ++r) {
            const unsigned char* src = rowStart(converted, r);
            unsigned char* dst = lumAlpha + static_cast<size_t>(r) * width * 2;
            for (unsigned k = 0; k < copyWidth; ++k) dst[k * 2 + 1] = scaleLevel(src[k], levels);
        }
    }
    FT_Bitmap_Done(library, &converted);
}
