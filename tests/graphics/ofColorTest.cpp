#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "ofColor.h"

namespace {

void expectColor(const ofColor& c, int r, int g, int b, int a) {
    EXPECT_EQ((std::vector<int>{c.r, c.g, c.b, c.a}), (std::vector<int>{r, g, b, a}));
}

}  // namespace

TEST(Color, DefaultsAndFloatsTruncateAndWrapToLowByte) {
    expectColor(ofColor(), 255, 255, 255, 255);
    EXPECT_EQ(ofFloatColor().r, 1.0f);
    EXPECT_EQ(ofFloatColor().a, 1.0f);
    expectColor(ofColor(10, 20, 30), 10, 20, 30, 255);
    expectColor(ofColor(127.9f, 255), 127, 127, 127, 255);
    expectColor(ofColor(300, 255), 44, 44, 44, 255);
    expectColor(ofColor(254.9f, 127.5f, 256, -1), 254, 127, 0, 255);
    ofColor c;
    c.set(-0.5f, 511.0f, 1000.0f, 3.7f);
    expectColor(c, 0, 255, 232, 3);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    expectColor(ofColor(nan, inf, -inf, 1e30f), 0, 0, 0, 0);
    // Hex takes the three low bytes.
    c.setHex(0x7F123456);
    expectColor(c, 0x12, 0x34, 0x56, 255);
    c.setHex(0xFF8000, 64.9f);
    expectColor(c, 255, 128, 0, 64);
}

TEST(Color, HsbOfPrimariesAndGrey) {
    struct Case {
        ofColor c;
        float h, s, v;
    } cases[] = {
        {ofColor(255, 0, 0), 0, 255, 255},       {ofColor(255, 255, 0), 42.5f, 255, 255},
        {ofColor(0, 255, 0), 85, 255, 255},      {ofColor(0, 255, 255), 127.5f, 255, 255},
        {ofColor(0, 0, 255), 170, 255, 255},     {ofColor(255, 0, 255), 212.5f, 255, 255},
        {ofColor(100, 100, 100), 0, 0, 100},     {ofColor(200, 100, 50), 50.0f / 150 * 255 / 6, 191.25f, 200},
    };
    for (const Case& k : cases) {
        float h, s, v;
        k.c.getHsb(h, s, v);
        EXPECT_NEAR(h, k.h, 1e-4) << int(k.c.r) << "," << int(k.c.g) << "," << int(k.c.b);
        EXPECT_FLOAT_EQ(s, k.s);
        EXPECT_FLOAT_EQ(v, k.v);
    }
    // A negative red-sector hue comes round the circle.
    EXPECT_FLOAT_EQ(ofColor(255, 0, 128).getHue(), (6 - 128.0f / 255) * 255 / 6);
    EXPECT_FLOAT_EQ(ofColor(10, 200, 30).getBrightness(), 200);
    EXPECT_FLOAT_EQ(ofColor(10, 200, 30).getSaturation(), 190.0f * 255 / 200);
}

TEST(Color, SetHsbBuildsEachSectorAndWrapsHuesOutsideTheCircle) {
    struct Case {
        float h, s, v, a;
        int r, g, b, outA;
    } cases[] = {
        {0, 255, 255, 128, 255, 0, 0, 128},
        {85, 255, 255, 255, 0, 255, 0, 255},
        {170, 255, 255, 255, 0, 0, 255, 255},
        {212.5f, 255, 255, 255, 255, 0, 255, 255},
        {21.25f, 127.5f, 200, 10, 200, 150, 100, 10},  // sector 0, f = 0.5: t = 150, p = 100
        {148.75f, 127.5f, 200, 255, 100, 150, 200, 255},  // sector 3, f = 0.5: q = 150
        {99, 0, 200, 255, 200, 200, 200, 255},
        {99, 180, 0, 77, 0, 0, 0, 77},
        {0, 300, 255, 255, 255, 0, 0, 255},
        // The game's sparks ask for hues just below 0 and at 255.
        {-8, 255, 255, 255, 255, 0, 47, 255},  // as 247: q = 255 x 48/255 in float lands just under 48
        {255, 255, 255, 255, 255, 0, 0, 255},
        {255 + 85, 255, 255, 255, 0, 255, 0, 255},
        {-1e-7f, 255, 255, 255, 255, 0, 0, 255},
        {std::numeric_limits<float>::quiet_NaN(), 255, 255, 9, 255, 0, 0, 9},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.h);
        ofColor c(1, 2, 3, 4);
        c.setHsb(k.h, k.s, k.v, k.a);
        expectColor(c, k.r, k.g, k.b, k.outA);
    }
    ofColor c(255, 0, 0, 40);
    c.setHsb(170, 255, 255);
    EXPECT_EQ(c.a, 255);  // alpha defaults to opaque
    c.set(255, 0, 0, 40);
    c.setHue(85);
    expectColor(c, 0, 255, 0, 40);
    c.setBrightness(100);
    expectColor(c, 0, 100, 0, 40);
    c.setSaturation(0);
    expectColor(c, 100, 100, 100, 40);
}

TEST(Color, ProductsAreOpaqueAndClamped) {
    expectColor(ofColor(200, 100, 50, 128) * 0.5f, 100, 50, 25, 255);
    expectColor(ofColor(200, 100, 50, 128) * 2.0f, 200, 100, 50, 255);
    expectColor(ofColor(200, 100, 50, 128) * -1.0f, 0, 0, 0, 255);
    expectColor(ofColor(255, 128, 0, 10) * ofColor(128, 128, 128, 255), 128, 64, 0, 255);
    expectColor(ofColor(90, 90, 90, 0) * ofColor::white, 90, 90, 90, 255);
}

TEST(Color, IndexingFallsBackToRedAndFloatColours) {
    ofColor c(1, 2, 3, 4);
    EXPECT_EQ((std::vector<int>{c[0], c[1], c[2], c[3], c[4], c[-1]}), (std::vector<int>{1, 2, 3, 4, 1, 1}));
    c[2] = 99;
    EXPECT_EQ(c.b, 99);

    ofFloatColor f = ofColor(255, 0, 51, 255);
    EXPECT_EQ((std::vector<float>{f.r, f.g, f.a, f[4]}), (std::vector<float>{1, 0, 1, 1}));
    EXPECT_FLOAT_EQ(f.b, 0.2f);
    ofFloatColor over(1.5f, -0.5f, 0.5f, 2.0f);
    over.clamp();
    EXPECT_EQ((std::vector<float>{over.r, over.g, over.b, over.a}), (std::vector<float>{1, 0, 0.5f, 1}));
}
