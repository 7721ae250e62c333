#include <gtest/gtest.h>

#include <cmath>

#include "RecorderScope.h"
#include "Spark.h"
#include "ofMath.h"

TEST(Spark, SetupTakesItsRandomNumbersInOrder) {
    for (bool big : {false, true}) {
        unsigned seed = 1;
        for (;; seed++) {  // the first seed that gives this kind
            ofSeedRandom(seed);
            if ((ofRandomUnit() < 0.07f) == big) break;
        }
        const float hueShift = ofRandomRange(-8, 8);
        float speed = ofRandomRange(5, 7);
        const float direction = ofRandom(6.2831853f);
        if (big) speed *= ofRandomRange(3, 5);

        ofSeedRandom(seed);
        Spark spark;
        spark.setup(100, -50, ofColor(255, 0, 0));
        EXPECT_EQ(spark.big, big);
        EXPECT_EQ(spark.life, big ? 40 : 20);
        EXPECT_FLOAT_EQ(spark.vx, std::cos(direction) * speed);
        EXPECT_FLOAT_EQ(spark.vy, std::sin(direction) * speed);
        // Red's hue 0 plus the shift truncated toward zero; below 0 it wraps.
        ofColor expected;
        expected.setHsb(static_cast<float>(static_cast<int>(hueShift)), 255, 255);
        EXPECT_EQ(spark.colour, expected) << hueShift;
    }
}

TEST(Spark, DrawsWhereItIsThenStepsWithAFreshTurnEachFrame) {
    struct Row {
        bool big;
        int life;
        float alphaFactor;
        const char *colour, *resolution, *circle;
    };
    const Row rows[] = {
        // At birth the alpha 320 is passed on as it is.
        {false, 20, 1, "setColor(1,2,3,320)", "setCircleResolution(10)", "drawCircle(0,0,0,20)"},
        {false, 19, 1, "setColor(1,2,3,304)", "setCircleResolution(9)", "drawCircle(0,0,0,19)"},
        // Nearly gone: a line.
        {false, 3, 1, "setColor(1,2,3,48)", "setCircleResolution(2)", "drawCircle(0,0,0,3)"},
        {false, 5, 0.5f, "setColor(1,2,3,40)", "setCircleResolution(2)", "drawCircle(0,0,0,5)"},
        // Big: a line of radius at most 10.
        {true, 40, 1, "setColor(1,2,3,640)", "setCircleResolution(2)", "drawCircle(0,0,0,10)"},
    };
    RecorderScope rec;
    for (const Row& row : rows) {
        Spark spark;
        spark.big = row.big;
        spark.life = row.life;
        spark.alphaFactor = row.alphaFactor;
        spark.colour.set(1, 2, 3);
        spark.x = 10;
        spark.y = 20;
        spark.vx = 3;
        spark.vy = -4;
        ofSeedRandom(7);
        const float turn = ofRandom(360);
        ofSeedRandom(7);
        spark.stepAndDraw();
        // No fill mode of its own: it draws in the caller's.
        EXPECT_EQ(rec.take(), (Calls{row.colour, "pushMatrix()", "translate(10,20,0)", "rotate(" + g(turn) + ")",
                                     row.resolution, row.circle, "popMatrix()"}));
        EXPECT_EQ(spark.life, row.life - 1);
        EXPECT_EQ(spark.x, 13);
        EXPECT_EQ(spark.y, 16);
    }
}
