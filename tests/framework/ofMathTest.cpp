#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "CapturedOutput.h"
#include "ofMath.h"

TEST(Random, SeededSequenceAndDrawsInEitherRange) {
    ofSeedRandom(1);  // state = state * 214013 + 2531011; value = bits 16..30 of the state
    for (int expected : {41, 18467, 6334}) EXPECT_EQ(ofRandomNext(), expected);
    ofSeedRandom(1);
    EXPECT_FLOAT_EQ(ofRandomSigned(), static_cast<float>(2.0 * 41 / 32768 - 1));
    EXPECT_FLOAT_EQ(ofRandomRange(10.0f, 2.0f), static_cast<float>(2 + 8.0 * 18467 / 32768));
    EXPECT_FLOAT_EQ(ofRandomUnit(), static_cast<float>(6334.0 / 32768));
    EXPECT_EQ(ofRandomRange(5.0f, 5.0f), 5.0f);  // equal bounds return the bound and draw nothing
    EXPECT_EQ(ofRandomNext(), 26500);
}

TEST(MathHelpers, MapClampsEitherWayAndSurvivesADegenerateRangeNextPow2StopsAtIntsTop) {
    const float cases[][7] = {{15, 0, 10, 100, 200, 0, 250}, {15, 0, 10, 200, 100, 1, 100}, {-5, 0, 10, 200, 100, 1, 200},
                              {2, 10, 0, 0, 1, 0, 0.8f}, {1, 3, 3.0000001f, 7, 9, 0, 7}};  // no division by (almost) zero
    for (const auto& c : cases)
        captureOutput([&] { EXPECT_FLOAT_EQ(ofMap(c[0], c[1], c[2], c[3], c[4], c[5] != 0), c[6]) << c[0]; });
    const int pow2[][2] = {{-3, 1}, {0, 1}, {3, 4}, {512, 512}, {1 << 30, 1 << 30}, {(1 << 30) + 1, (1 << 30) + 1}};
    for (const auto& p : pow2)  // past the last power of two: the input back and an error line
        EXPECT_EQ(captureOutput([&] { EXPECT_EQ(ofNextPow2(p[0]), p[1]) << p[0]; }).err.empty(), p[0] <= 1 << 30);
}

TEST(Noise, BoundedAndContinuousWithCellsOfItsOwnOnTheNegativeSideAndDefinedForHostileCoordinates) {
    EXPECT_EQ(ofNoise2D(0, 0) + ofNoise3D(0, 0, 0), 1.0f);
    float lo = 1, hi = 0, mirrored = 0;
    for (int ix = -200; ix <= 200; ++ix) {
        for (int iy = -20; iy <= 20; ++iy) {
            const float x = ix * 0.037f, y = iy * 0.053f, n2 = ofNoise2D(x, y), n3 = ofNoise3D(x, y, x * 0.5f - y);
            ASSERT_TRUE(n2 >= 0 && n2 <= 1 && n3 >= 0 && n3 <= 1) << x << "," << y;
            lo = std::min(lo, n2), hi = std::max(hi, n2);
            // A small step moves the value only a little, also across zero.
            ASSERT_LT(std::fabs(ofNoise2D(x + 0.001f, y) - n2) + std::fabs(ofNoise3D(x, y + 0.001f, x * 0.5f - y) - n3), 0.04f);
            mirrored += ix > 0 && std::fabs(n2 - ofNoise2D(-x, y)) < 1e-6f;
        }
    }
    EXPECT_TRUE(lo < 0.2f && hi > 0.8f && mirrored < 40) << lo << " " << hi << " " << mirrored;
    const double in[] = {NAN, 1e30, -1e30, 2147483647.9, -2.9};
    const int out[] = {0, std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 2147483647, -2};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ofTruncToInt(in[i]), out[i]) << in[i];
    // Far beyond int's cells every corner is out of reach: the noise is flat.
    for (float far : {1e30f, -1e30f}) EXPECT_TRUE(ofNoise2D(far, -far) == 0.5f && ofNoise3D(0.5f, far, far) == 0.5f);
    EXPECT_TRUE(std::isnan(ofNoise2D(NAN, 1)));
}
