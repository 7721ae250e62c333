#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "CapturedOutput.h"
#include "ofLog.h"
#include "ofMath.h"

TEST(Random, SeededSequenceAndExactDraws) {
    // state = state * 214013 + 2531011; value = bits 16..30 of the state.
    ofSeedRandom(1);
    EXPECT_EQ(ofRandomNext(), 41);
    EXPECT_EQ(ofRandomNext(), 18467);
    EXPECT_EQ(ofRandomNext(), 6334);
    ofSeedRandom(1);
    EXPECT_FLOAT_EQ(ofRandom(32768.0f), 41.0f);
    EXPECT_FLOAT_EQ(ofRandomRange(10.0f, 2.0f), static_cast<float>(2 + 8.0 * 18467 / 32768));  // bounds either way
    ofSeedRandom(1);
    EXPECT_FLOAT_EQ(ofRandomSigned(), static_cast<float>(2.0 * 41 / 32768 - 1));
    EXPECT_FLOAT_EQ(ofRandomUnit(), static_cast<float>(18467.0 / 32768));

    // Equal bounds return the bound and draw nothing.
    ofSeedRandom(7);
    EXPECT_EQ(ofRandomRange(5.0f, 5.0f), 5.0f);
    const int next = ofRandomNext();
    ofSeedRandom(7);
    EXPECT_EQ(ofRandomNext(), next);

    int lo = 32767, hi = 0;
    for (int i = 0; i < 200000; ++i) {
        const int v = ofRandomNext();
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 32767);
}

TEST(Map, FormulaClampAndDegenerateRange) {
    struct Case {
        float v, inMin, inMax, outMin, outMax;
        bool clamp;
        float expected;
    };
    for (const Case& c : {Case{5, 0, 10, 100, 200, false, 150}, Case{15, 0, 10, 200, 100, true, 100},
                          Case{-5, 0, 10, 200, 100, true, 200}, Case{15, 0, 10, 100, 200, true, 200},
                          Case{-5, 0, 10, 100, 200, true, 100}, Case{15, 0, 10, 100, 200, false, 250},
                          Case{2, 10, 0, 0, 1, false, 0.8f}}) {
        EXPECT_FLOAT_EQ(ofMap(c.v, c.inMin, c.inMax, c.outMin, c.outMax, c.clamp), c.expected) << c.v;
    }
    const std::string out = captureOutput([] {
        EXPECT_EQ(ofMap(1, 3, 3, 7, 9, false), 7.0f);
        EXPECT_EQ(ofMap(1, 3, 3.0000001f, 7, 9, false), 7.0f);
    }).out;
    const std::string line = "[warning] ofMap: avoiding possible divide by zero, check inputMin and inputMax\n\n";
    EXPECT_EQ(out, line + line);
}

TEST(MathHelpers, NextPow2) {
    const int pow2[][2] = {{-3, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 4}, {300, 512}, {512, 512}, {1 << 30, 1 << 30}};
    for (const auto& p : pow2) EXPECT_EQ(ofNextPow2(p[0]), p[1]) << p[0];
}

TEST(MathHelpers, NextPow2BeyondIntRangeReturnsInputWithError) {
    const std::string err = captureOutput([] { EXPECT_EQ(ofNextPow2((1 << 30) + 1), (1 << 30) + 1); }).err;
    EXPECT_NE(err.find("[error] ofNextPow2"), std::string::npos) << err;
}

TEST(Noise, HalfAtTheOriginBoundedAndContinuousOnBothSides) {
    EXPECT_EQ(ofNoise2D(0, 0), 0.5f);
    EXPECT_EQ(ofNoise3D(0, 0, 0), 0.5f);
    float lo = 1, hi = 0;
    for (int ix = -400; ix <= 400; ++ix) {
        for (int iy = -40; iy <= 40; ++iy) {
            const float x = ix * 0.037f, y = iy * 0.053f;
            const float n2 = ofNoise2D(x, y), n3 = ofNoise3D(x, y, x * 0.5f - y);
            ASSERT_TRUE(n2 >= 0.0f && n2 <= 1.0f && n3 >= 0.0f && n3 <= 1.0f) << x << "," << y;
            lo = std::min(lo, n2);
            hi = std::max(hi, n2);
            // A small step moves the value only a little, also across zero.
            ASSERT_LT(std::fabs(ofNoise2D(x + 0.001f, y) - n2), 0.02f) << x << "," << y;
            ASSERT_LT(std::fabs(ofNoise3D(x, y + 0.001f, x * 0.5f - y) - n3), 0.02f) << x << "," << y;
        }
    }
    EXPECT_LT(lo, 0.2f);
    EXPECT_GT(hi, 0.8f);

    // Negative coordinates have cells of their own: no mirror of the positive side.
    int same = 0;
    for (int i = 1; i < 100; ++i)
        same += std::fabs(simplexNoise2D(i * 0.31f, 0.7f) - simplexNoise2D(-i * 0.31f, 0.7f)) < 1e-6f;
    EXPECT_LT(same, 5);
}

TEST(Noise, HostileCoordinatesHaveDefinedCells) {
    const double in[] = {NAN, 1e30, -1e30, 2147483647.9, -2.9};
    const int out[] = {0, std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 2147483647, -2};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ofTruncToInt(in[i]), out[i]) << in[i];
    // Far beyond int's cells every corner is out of reach: the noise is flat.
    for (float far : {1e30f, -1e30f}) EXPECT_TRUE(ofNoise2D(far, -far) == 0.5f && ofNoise3D(0.5f, far, far) == 0.5f);
    EXPECT_TRUE(std::isnan(ofNoise2D(NAN, 1)));
}
