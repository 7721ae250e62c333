// Pixel-font text: any bytes, sizes and positions measure and draw without
// a crash, every glyph rectangle reaches the renderer, and the measured
// width is what the glyph widths add up to.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "PixelFont.h"
#include "PixelFontGlyphs.h"
#include "ofBaseRenderer.h"
#include "ofGraphics.h"

namespace {

// Counts rectangles; everything else is accepted and dropped.
class CountingRenderer : public ofBaseRenderer {
public:
    long rectangles = 0;
    ofFloatColor bg;

    std::string getType() override { return "counting"; }
    void update() override {}
    void draw(ofImage_<float>&, float, float, float, float, float, float, float, float, float) override {}
    void draw(ofImage_<unsigned short>&, float, float, float, float, float, float, float, float, float) override {}
    void draw(ofImage_<unsigned char>&, float, float, float, float, float, float, float, float, float) override {}
    void draw(std::vector<ofPoint>&, int) override {}
    void draw(ofMesh&, int, bool, bool, bool) override {}
    void draw(ofMesh&, bool, bool, bool) override {}
    void draw(ofPath&) override {}
    void draw(ofPolyline&) override {}
    void setRectMode(int) override {}
    int getRectMode() override { return 0; }
    void setFillMode(int) override {}
    int getFillMode() override { return 1; }
    void setLineWidth(float) override {}
    void setBlendMode(int) override {}
    void setLineSmoothing(bool) override {}
    ofFloatColor& getBgColor() override { return bg; }
    void drawLine(float, float, float, float, float, float) override {}
    void drawRectangle(float, float, float, float, float) override { ++rectangles; }
    void drawTriangle(float, float, float, float, float, float, float, float, float) override {}
    void drawCircle(float, float, float, float) override {}
    void drawSphere(float, float, float, float) override {}
    void drawEllipse(float, float, float, float, float) override {}
    void drawString(std::string, float, float, float, int) override {}
    bool rendersPathDirectly() override { return false; }
};

float floatAt(const uint8_t* data) {
    float f;
    std::memcpy(&f, data, sizeof f);
    return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::shared_ptr<CountingRenderer> renderer = [] {
        auto r = std::make_shared<CountingRenderer>();
        ofSetCurrentRenderer(r);
        return r;
    }();
    static PixelFont font = [] {
        PixelFont f;
        f.setup(1.0f);
        return f;
    }();

    // Size, x and y first (any float, NaN and infinities included), then text.
    if (size < 12) return 0;
    float textSize = floatAt(data), x = floatAt(data + 4), y = floatAt(data + 8);
    std::string text(reinterpret_cast<const char*>(data + 12), size - 12);

    long glyphRects = 0;
    double width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 33 && c <= 126) glyphRects += static_cast<long>(pixelFontGlyph(c).size());
        width += c < 128 ? pixelFontCharWidths[c] : 0;
        if (i + 1 < text.size()) width += font.letterSpacing;
    }
    // At size 1 and scale 1 the width is exactly the sum (within float rounding).
    float measured = font.getStringWidth(text, 1.0f);
    if (std::fabs(measured - width) > 1e-3 * (1.0 + width)) abort();

    font.getStringWidth(text, textSize);
    font.getStringBoundingBox(text, textSize, x, y);
    renderer->rectangles = 0;
    font.drawString(text, textSize, x, y);
    font.drawStringCentered(text, textSize, x, y);
    font.drawStringCenteredX(text, textSize, x, y);
    font.drawStringRight(text, textSize, x, y);
    if (renderer->rectangles != 4 * glyphRects) abort();
    return 0;
}
