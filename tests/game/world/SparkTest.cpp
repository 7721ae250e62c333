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

TEST(Spark, DrawsWhereItIsThenStepsWithAFreshTurn) {
    // big, life, alpha factor, then the colour, resolution and circle drawn: at birth the alpha 320 is passed on;
    // nearly gone, or big, it is a line
    const float rows[][6] = {{0, 20, 1, 320, 10, 20}, {0, 5, 0.5f, 40, 2, 5}, {1, 40, 1, 640, 2, 10}};
    RecorderScope rec;
    for (const auto& row : rows) {
        Spark spark;
        spark.big = row[0] == 1;
        spark.life = static_cast<int>(row[1]);
        spark.alphaFactor = row[2];
        spark.colour.set(1, 2, 3);
        spark.x = 10;
        spark.y = 20;
        spark.vx = 3;
        spark.vy = -4;
        ofSeedRandom(7);
        const float turn = ofRandom(360);
        ofSeedRandom(7);
        spark.stepAndDraw();
        EXPECT_EQ(rec.take(), (Calls{"setColor(1,2,3," + g(row[3]) + ")", "pushMatrix()", "translate(10,20,0)",
                                     "rotate(" + g(turn) + ")", "setCircleResolution(" + g(row[4]) + ")",
                                     "drawCircle(0,0,0," + g(row[5]) + ")", "popMatrix()"}));
        EXPECT_TRUE(spark.life == row[1] - 1 && spark.x == 13 && spark.y == 16);
    }
}
