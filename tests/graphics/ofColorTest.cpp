#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "ofColor.h"

namespace {

void expectColor(const ofColor& c, int r, int g, int b, int a) {
    EXPECT_EQ((std::vector<int>{c.r, c.g, c.b, c.a}), (std::vector<int>{r, g, b, a}));
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();

}  // namespace

// Floats truncate and wrap to their low byte through a wide integer; what
// no integer holds gives 0.
TEST(Color, FloatsTruncateAndWrapToTheLowByte) {
    expectColor(ofColor(), 255, 255, 255, 255);
    expectColor(ofColor(127.9f, 255), 127, 127, 127, 255);
    expectColor(ofColor(254.9f, 300, 256, -1), 254, 44, 0, 255);
    expectColor(ofColor(kNaN, INFINITY, -INFINITY, 1e30f), 0, 0, 0, 0);
    ofColor c;
    c.setHex(0x7F123456, 64.9f);  // the three low bytes
    expectColor(c, 0x12, 0x34, 0x56, 64);
}

TEST(Color, HsbBothWays) {
    float h, s, v;
    ofColor(255, 0, 128).getHsb(h, s, v);  // a negative red-sector hue comes round the circle
    EXPECT_EQ((std::vector<float>{h, s, v}), (std::vector<float>{(6 - 128.0f / 255) * 255 / 6, 255, 255}));

    // Every sector; hues outside the circle wrap (NaN as 0), the sector never passes 5.
    const struct {
        float h, s, v, a;
        int r, g, b;
    } sets[] = {
        {21.25f, 127.5f, 200, 10, 200, 150, 100},  // sector 0, f = 0.5: t = 150, p = 100
        {148.75f, 127.5f, 200, 255, 100, 150, 200},  // sector 3, f = 0.5: q = 150
        {212.5f, 255, 255, 255, 255, 0, 255},
        {0, 300, 255, 255, 255, 0, 0},
        {-8, 255, 255, 255, 255, 0, 47},  // as 247: q = 255 x 48/255 in float lands just under 48
        {255 + 85, 255, 255, 255, 0, 255, 0},
        {kNaN, 255, 255, 9, 255, 0, 0},
    };
    for (const auto& k : sets) {
        ofColor c(1, 2, 3, 4);
        c.setHsb(k.h, k.s, k.v, k.a);
        SCOPED_TRACE(k.h);
        expectColor(c, k.r, k.g, k.b, static_cast<int>(k.a));
    }
    ofColor c(255, 0, 0, 40);
    c.setHue(85);
    c.setBrightness(100);
    expectColor(c, 0, 100, 0, 40);
}

TEST(Color, ProductsIndexingAndFloatColours) {
    expectColor(ofColor(200, 100, 50, 128) * -1.0f, 0, 0, 0, 255);
    expectColor(ofColor(255, 128, 0, 10) * ofColor(128, 128, 128, 255), 128, 64, 0, 255);
    ofColor c(1, 2, 3, 4);
    EXPECT_EQ((std::vector<int>{c[0], c[3], c[4], c[-1]}), (std::vector<int>{1, 4, 1, 1}));  // others fall back to red
    ofFloatColor f = ofColor(255, 0, 51, 255);
    EXPECT_EQ((std::vector<float>{f.r, f.g, f.a}), (std::vector<float>{1, 0, 1}));
    EXPECT_FLOAT_EQ(f.b, 0.2f);
    ofFloatColor over(1.5f, -0.5f, 0.5f, 2.0f);
    over.clamp();
    EXPECT_EQ((std::vector<float>{over.r, over.g, over.b, over.a}), (std::vector<float>{1, 0, 0.5f, 1}));
}
