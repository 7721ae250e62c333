#include <gtest/gtest.h>

#include <cmath>

#include "RecorderScope.h"
#include "Spark.h"
#include "ofMath.h"

namespace {

const float kTwoPi = 6.2831853f;

// The first seed from start whose first draw makes a big spark, or not.
unsigned firstSeed(bool big, unsigned start = 1) {
    for (unsigned seed = start;; seed++) {
        ofSeedRandom(seed);
        if ((ofRandomUnit() < 0.07f) == big) return seed;
    }
}

}  // namespace

TEST(Spark, SetupDrawsItsRandomNumbersInOrder) {
    const ofColor red(255, 0, 0);
    for (bool big : {false, true}) {
        SCOPED_TRACE(big ? "big" : "normal");
        const unsigned seed = firstSeed(big);
        ofSeedRandom(seed);
        ofRandomUnit();
        const float hueShift = ofRandomRange(-8, 8);
        float speed = ofRandomRange(5, 7);
        const float direction = ofRandom(kTwoPi);
        if (big) speed *= ofRandomRange(3, 5);
        const float next = ofRandomUnit();

        ofSeedRandom(seed);
        Spark spark;
        spark.setup(100, -50, red);
        EXPECT_EQ(spark.big, big);
        EXPECT_EQ(spark.x, 100);
        EXPECT_EQ(spark.y, -50);
        EXPECT_EQ(spark.life, big ? 40 : 20);
        EXPECT_FLOAT_EQ(spark.vx, std::cos(direction) * speed);
        EXPECT_FLOAT_EQ(spark.vy, std::sin(direction) * speed);
        const float v = std::sqrt(spark.vx * spark.vx + spark.vy * spark.vy);
        if (big) {
            EXPECT_GE(v, 15);
            EXPECT_LT(v, 35);
        } else {
            EXPECT_GE(v, 5);
            EXPECT_LT(v, 7);
        }
        // Red has hue 0; the shift is truncated toward zero, and a negative
        // hue wraps round to the top of the circle.
        ofColor expected;
        expected.setHsb(static_cast<float>(static_cast<int>(hueShift)), 255, 255);
        EXPECT_EQ(spark.colour, expected);
        EXPECT_EQ(spark.sizeDivisor, 2.0f);
        EXPECT_EQ(spark.alphaFactor, 1.0f);
        // Exactly five (or four) draws were taken.
        EXPECT_EQ(ofRandomUnit(), next);
    }
}

TEST(Spark, HueShiftBelowZeroWrapsAndTruncatesTowardZero) {
    // Seeds with a shift in (-1, 0) leave the hue alone; below -1 it wraps.
    const ofColor red(255, 0, 0);
    int wrapped = 0, unchanged = 0;
    for (unsigned seed = 1; seed < 400 && (wrapped == 0 || unchanged == 0); seed++) {
        ofSeedRandom(seed);
        ofRandomUnit();
        const float shift = ofRandomRange(-8, 8);
        ofSeedRandom(seed);
        Spark spark;
        spark.setup(0, 0, red);
        if (shift > -1 && shift < 1) {
            EXPECT_EQ(spark.colour, red) << shift;
            unchanged++;
        } else if (shift <= -1) {
            // Wrapped to the top of the circle: red with some blue, no green.
            EXPECT_EQ(spark.colour.r, 255) << shift;
            EXPECT_EQ(spark.colour.g, 0) << shift;
            EXPECT_GT(spark.colour.b, 0) << shift;
            wrapped++;
        }
    }
    EXPECT_GT(wrapped, 0);
    EXPECT_GT(unchanged, 0);
}

TEST(Spark, DrawsBeforeItStepsWithAFreshRotationEachFrame) {
    RecorderScope rec;
    ofNoFill();
    rec.take();
    Spark spark;
    spark.x = 10;
    spark.y = 20;
    spark.vx = 3;
    spark.vy = -4;
    spark.life = 20;
    spark.colour.set(10, 200, 30);

    ofSeedRandom(7);
    const float turn1 = ofRandom(360);
    const float turn2 = ofRandom(360);
    ofSeedRandom(7);
    spark.stepAndDraw();
    // At birth: alpha 320 handed on as it is, a 10-gon of radius 20, drawn
    // in the caller's fill mode at the old position.
    EXPECT_EQ(rec.take(), (Calls{"setColor(10,200,30,320)", "pushMatrix()", "translate(10,20,0)",
                                 "rotate(" + g(turn1) + ")", "setCircleResolution(10)", "drawCircle(0,0,0,20)",
                                 "popMatrix()"}));
    EXPECT_EQ(spark.life, 19);
    EXPECT_EQ(spark.x, 13);
    EXPECT_EQ(spark.y, 16);

    spark.stepAndDraw();
    EXPECT_EQ(rec.take(), (Calls{"setColor(10,200,30,304)", "pushMatrix()", "translate(13,16,0)",
                                 "rotate(" + g(turn2) + ")", "setCircleResolution(9)", "drawCircle(0,0,0,19)",
                                 "popMatrix()"}));
}

TEST(Spark, NearlyGoneAndBigSparksAreLines) {
    struct Row {
        bool big;
        int life;
        float alphaFactor;
        const char* colour;
        const char* resolution;
        const char* circle;
    };
    const Row rows[] = {
        // Below life 4 the polygon has shrunk to a line.
        {false, 3, 1.0f, "setColor(1,2,3,48)", "setCircleResolution(2)", "drawCircle(0,0,0,3)"},
        {false, 1, 1.0f, "setColor(1,2,3,16)", "setCircleResolution(2)", "drawCircle(0,0,0,1)"},
        {false, 5, 0.5f, "setColor(1,2,3,40)", "setCircleResolution(2)", "drawCircle(0,0,0,5)"},
        // A big one is a line of radius at most 10.
        {true, 40, 1.0f, "setColor(1,2,3,640)", "setCircleResolution(2)", "drawCircle(0,0,0,10)"},
        {true, 4, 1.0f, "setColor(1,2,3,64)", "setCircleResolution(2)", "drawCircle(0,0,0,4)"},
    };
    RecorderScope rec;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.circle);
        Spark spark;
        spark.big = row.big;
        spark.life = row.life;
        spark.alphaFactor = row.alphaFactor;
        spark.colour.set(1, 2, 3);
        spark.stepAndDraw();
        const Calls calls = rec.take();
        ASSERT_EQ(calls.size(), 7u);
        EXPECT_EQ(calls[0], row.colour);
        EXPECT_EQ(calls[4], row.resolution);
        EXPECT_EQ(calls[5], row.circle);
        EXPECT_EQ(spark.life, row.life - 1);
    }
}
