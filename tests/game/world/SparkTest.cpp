#include "Spark.h"
#include "WorldTest.h"

TEST(Spark, OneInFourteenIsBigLivingLongerAndFasterAndTheHueShiftIsTruncated) {
    int big = 0;
    ofSeedRandom(5);
    for (int n = 0; n < 400; n++) {
        Spark spark;
        spark.setup(100, -50, ofColor(255, 0, 0));
        const float speed = std::hypot(spark.vx, spark.vy), hue = spark.colour.getHue();
        big += spark.big;
        EXPECT_TRUE(spark.big ? spark.life == 40 && speed >= 15 && speed < 35
                              : spark.life == 20 && speed >= 5 && speed < 7)
            << n;
        EXPECT_TRUE(hue < 7.5f || hue > 247.5f) << hue;  // red's 0 moved less than 8 toward zero; below 0 it wraps
    }
    EXPECT_TRUE(big > 12 && big < 45) << big;
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
