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

// Float colours work on the scale 0..1 through the same sectors.
TEST(Color, FloatHsbSectorsOnTheUnitScale) {
    const struct {
        float h, s, v, a;
        float r, g, b;
    } sets[] = {
        {0, 1, 1, 0.5f, 1, 0, 0},
        {1 / 3.0f, 1, 1, 1, 0, 1, 0},
        {2 / 3.0f, 1, 1, 1, 0, 0, 1},
        {1 / 12.0f, 0.5f, 0.8f, 1, 0.8f, 0.6f, 0.4f},  // sector 0, f = 0.5
        {0.25f, 0.5f, 0.8f, 1, 0.6f, 0.8f, 0.4f},  // sector 1, f = 0.5: q = 0.6
        {7 / 12.0f, 0.5f, 0.8f, 1, 0.4f, 0.6f, 0.8f},  // sector 3
        {0.75f, 0.5f, 0.8f, 1, 0.6f, 0.4f, 0.8f},  // sector 4: t = 0.6
        {-1 / 6.0f, 1, 1, 1, 1, 0, 1},  // as 5/6
        {1, 1, 1, 1, 1, 0, 0},
        {kNaN, 1, 1, 1, 1, 0, 0},
        {0.3f, 0, 0.7f, 1, 0.7f, 0.7f, 0.7f},
        {0.3f, 1, 0, 0.25f, 0, 0, 0},
        {0, 5, 2, 1, 1, 0, 0},  // saturation and brightness are kept to the scale
    };
    for (const auto& k : sets) {
        ofFloatColor c(0.1f, 0.2f, 0.3f, 0.4f);
        c.setHsb(k.h, k.s, k.v, k.a);
        SCOPED_TRACE(k.h);
        const float got[] = {c[0], c[1], c[2], c[3]}, want[] = {k.r, k.g, k.b, k.a};
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(got[i], want[i], 1e-6) << i;
    }
    ofFloatColor c(0.1f, 0.2f, 0.3f, 0.4f);
    c.setHsb(0.5f, 1, 1);
    EXPECT_EQ((std::vector<float>{c.r, c.g, c.b, c.a, c[4], c[-3]}), (std::vector<float>{0, 1, 1, 1, 0, 0}));
}

// Indexing reaches each channel for reading and writing; others fall back to red.
TEST(Color, IndexingReachesEachChannel) {
    ofColor c(1, 2, 3, 4);
    const ofColor& k = c;
    EXPECT_EQ((std::vector<int>{k[0], k[1], k[2], k[3], k[4], k[-1]}), (std::vector<int>{1, 2, 3, 4, 1, 1}));
    for (int i = 0; i < 4; ++i) c[i] = static_cast<unsigned char>(10 * (i + 1));
    c[7] += 5;
    expectColor(c, 15, 20, 30, 40);
    ofFloatColor f(0.1f, 0.2f, 0.3f, 0.4f);
    f[1] = 0.9f;
    f[9] = 0.5f;
    EXPECT_EQ((std::vector<float>{f[0], f[1], f[2], f[3]}), (std::vector<float>{0.5f, 0.9f, 0.3f, 0.4f}));
}
