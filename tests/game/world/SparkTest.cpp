#include "Spark.h"
#include "WorldTest.h"

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
        EXPECT_TRUE(spark.big == big && spark.life == (big ? 40 : 20));
        EXPECT_FLOAT_EQ(spark.vx, std::cos(direction) * speed);
        EXPECT_FLOAT_EQ(spark.vy, std::sin(direction) * speed);
        ofColor expected;  // red's hue 0 plus the shift truncated toward zero; below 0 it wraps
        expected.setHsb(static_cast<float>(static_cast<int>(hueShift)), 255, 255);
        EXPECT_EQ(spark.colour, expected) << hueShift;
    }
}

TEST(Spark, DrawsWhereItIsInTheCallersFillModeThenStepsWithAFreshTurn) {
    struct Row {
        bool big;
        int life;
        float alphaFactor;
        const char *colour, *resolution, *circle;
    } rows[] = {// at birth the alpha 320 is passed on; nearly gone, or big, it is a line
                {false, 20, 1, "setColor(1,2,3,320)", "setCircleResolution(10)", "drawCircle(0,0,0,20)"},
                {false, 3, 1, "setColor(1,2,3,48)", "setCircleResolution(2)", "drawCircle(0,0,0,3)"},
                {false, 5, 0.5f, "setColor(1,2,3,40)", "setCircleResolution(2)", "drawCircle(0,0,0,5)"},
                {true, 40, 1, "setColor(1,2,3,640)", "setCircleResolution(2)", "drawCircle(0,0,0,10)"}};
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
        EXPECT_EQ(rec.take(), (Calls{row.colour, "pushMatrix()", "translate(10,20,0)", "rotate(" + g(turn) + ")",
                                     row.resolution, row.circle, "popMatrix()"}));
        EXPECT_TRUE(spark.life == row.life - 1 && spark.x == 13 && spark.y == 16);
    }
}
