#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "ofLog.h"
#include "ofMath.h"

TEST(Random, GeneratorSequenceFromSeed) {
    // state = state * 214013 + 2531011; value = bits 16..30 of the state.
    ofSeedRandom(1);
    EXPECT_EQ(ofRandomNext(), 41);
    EXPECT_EQ(ofRandomNext(), 18467);
    EXPECT_EQ(ofRandomNext(), 6334);
    ofSeedRandom(1);
    EXPECT_EQ(ofRandomNext(), 41);
}

TEST(Random, RangesNeverReachUpperEnd) {
    ofSeedRandom(12345);
    int lo = 32767, hi = 0;
    for (int i = 0; i < 200000; ++i) {
        int v = ofRandomNext();
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 32767);
    for (int i = 0; i < 20000; ++i) {
        float r = ofRandom(10.0f);
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 10.0f);
        float s = ofRandomSigned();
        ASSERT_GE(s, -1.0f);
        ASSERT_LT(s, 1.0f);
        float u = ofRandomUnit();
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
        float rr = ofRandomRange(10.0f, 2.0f);
        ASSERT_GE(rr, 2.0f);
        ASSERT_LT(rr, 10.0f);
    }
    // The largest draw gives max * 32767 / 32768.
    EXPECT_FLOAT_EQ(static_cast<float>(3.0 * 32767 / 32768), 3.0f * 32767.0f / 32768.0f);
}

TEST(Random, ExactFormulasForKnownDraws) {
    ofSeedRandom(1);  // first draw 41, second 18467
    EXPECT_FLOAT_EQ(ofRandom(32768.0f), 41.0f);
    EXPECT_FLOAT_EQ(ofRandomRange(100.0f, 0.0f), static_cast<float>(100.0 * 18467 / 32768));
    ofSeedRandom(1);
    EXPECT_FLOAT_EQ(ofRandomSigned(), static_cast<float>(2.0 * 41 / 32768 - 1));
    EXPECT_FLOAT_EQ(ofRandomUnit(), static_cast<float>(18467.0 / 32768));
}

TEST(Random, EqualBoundsDrawNothing) {
    ofSeedRandom(7);
    EXPECT_EQ(ofRandomRange(5.0f, 5.0f), 5.0f);
    int next = ofRandomNext();
    ofSeedRandom(7);
    EXPECT_EQ(ofRandomNext(), next);
}

TEST(Map, FormulaClampAndDegenerateRange) {
    EXPECT_FLOAT_EQ(ofMap(5, 0, 10, 100, 200, false), 150.0f);
    EXPECT_FLOAT_EQ(ofMap(15, 0, 10, 200, 100, true), 100.0f);
    EXPECT_FLOAT_EQ(ofMap(-5, 0, 10, 200, 100, true), 200.0f);
    EXPECT_FLOAT_EQ(ofMap(15, 0, 10, 100, 200, true), 200.0f);
    EXPECT_FLOAT_EQ(ofMap(-5, 0, 10, 100, 200, true), 100.0f);
    EXPECT_FLOAT_EQ(ofMap(15, 0, 10, 100, 200, false), 250.0f);
    EXPECT_FLOAT_EQ(ofMap(2, 10, 0, 0, 1, false), 0.8f);

    testing::internal::CaptureStdout();
    float r = ofMap(1, 3, 3, 7, 9, false);
    float r2 = ofMap(1, 3, 3.0000001f, 7, 9, false);
    std::fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(r, 7.0f);
    EXPECT_EQ(r2, 7.0f);
    const std::string line = "[warning] ofMap: avoiding possible divide by zero, check inputMin and inputMax\n\n";
    EXPECT_EQ(out, line + line);
}

TEST(MathHelpers, ClampDistAnglesPow2) {
    EXPECT_EQ(ofClamp(-1, 0, 1), 0.0f);
    EXPECT_EQ(ofClamp(2, 0, 1), 1.0f);
    EXPECT_EQ(ofClamp(0.25f, 0, 1), 0.25f);
    EXPECT_FLOAT_EQ(ofDist(0, 0, 3, 4), 5.0f);
    EXPECT_FLOAT_EQ(ofDistSquared(1, 1, 4, 5), 25.0f);
    EXPECT_FLOAT_EQ(ofRadToDeg(3.14159265f), 180.0f);
    EXPECT_FLOAT_EQ(ofDegToRad(90), 1.5707964f);
    EXPECT_EQ(ofNextPow2(-3), 1);
    EXPECT_EQ(ofNextPow2(0), 1);
    EXPECT_EQ(ofNextPow2(1), 1);
    EXPECT_EQ(ofNextPow2(2), 2);
    EXPECT_EQ(ofNextPow2(3), 4);
    EXPECT_EQ(ofNextPow2(300), 512);
    EXPECT_EQ(ofNextPow2(512), 512);
    EXPECT_EQ(ofNextPow2(1 << 30), 1 << 30);
}

TEST(MathHelpers, NextPow2BeyondIntRangeReturnsInputWithError) {
    testing::internal::CaptureStderr();
    int r = ofNextPow2((1 << 30) + 1);
    std::fflush(stderr);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(r, (1 << 30) + 1);
    EXPECT_NE(err.find("[error] ofNextPow2"), std::string::npos) << err;
}

TEST(Noise, PermutationIsTwoCopiesOfAPermutation) {
    std::set<int> values(noisePermutation, noisePermutation + 256);
    EXPECT_EQ(values.size(), 256u);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(noisePermutation[i], noisePermutation[i + 256]);
    EXPECT_EQ(noisePermutation[0], 151);
    EXPECT_EQ(noisePermutation[255], 180);
}

TEST(Noise, GradientsFollowHashBits) {
    EXPECT_FLOAT_EQ(simplexGradient2D(0, 1, 2), 1 + 4);
    EXPECT_FLOAT_EQ(simplexGradient2D(3, 1, 2), -1 - 4);
    EXPECT_FLOAT_EQ(simplexGradient2D(4, 1, 2), 2 + 2);
    EXPECT_FLOAT_EQ(simplexGradient2D(13, 1, 2), -2 + 2);  // 13 & 7 = 5
    EXPECT_FLOAT_EQ(simplexGradient3D(0, 1, 2, 3), 1 + 2);
    EXPECT_FLOAT_EQ(simplexGradient3D(5, 1, 2, 3), -1 + 3);
    EXPECT_FLOAT_EQ(simplexGradient3D(10, 1, 2, 3), 2 - 3);
    EXPECT_FLOAT_EQ(simplexGradient3D(12, 1, 2, 3), 2 + 1);
    EXPECT_FLOAT_EQ(simplexGradient3D(15, 1, 2, 3), -2 - 3);
    EXPECT_FLOAT_EQ(simplexGradient3D(14, 1, 2, 3), 2 - 1);
}

TEST(Noise, OriginIsExactlyHalf) {
    EXPECT_EQ(ofNoise2D(0, 0), 0.5f);
    EXPECT_EQ(ofNoise3D(0, 0, 0), 0.5f);
}

TEST(Noise, BoundedAndContinuousOnBothSides) {
    float lo = 1, hi = 0;
    for (int ix = -400; ix <= 400; ++ix) {
        for (int iy = -40; iy <= 40; ++iy) {
            float x = ix * 0.037f, y = iy * 0.053f;
            float n2 = ofNoise2D(x, y);
            float n3 = ofNoise3D(x, y, x * 0.5f - y);
            ASSERT_GE(n2, 0.0f);
            ASSERT_LE(n2, 1.0f);
            ASSERT_GE(n3, 0.0f);
            ASSERT_LE(n3, 1.0f);
            lo = std::min(lo, n2);
            hi = std::max(hi, n2);
            // A small step moves the value only a little, also across zero.
            ASSERT_LT(std::fabs(ofNoise2D(x + 0.001f, y) - n2), 0.02f) << x << "," << y;
            ASSERT_LT(std::fabs(ofNoise3D(x, y + 0.001f, x * 0.5f - y) - n3), 0.02f) << x << "," << y;
        }
    }
    EXPECT_LT(lo, 0.2f);
    EXPECT_GT(hi, 0.8f);
}

TEST(Noise, NegativeSideMatchesItsOwnCells) {
    // Noise is not symmetric, but a negative coordinate must not simply mirror
    // or repeat the positive one.
    int same = 0;
    for (int i = 1; i < 100; ++i) {
        float p = simplexNoise2D(i * 0.31f, 0.7f);
        float n = simplexNoise2D(-i * 0.31f, 0.7f);
        if (std::fabs(p - n) < 1e-6f) ++same;
    }
    EXPECT_LT(same, 5);
}
