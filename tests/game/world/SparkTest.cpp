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
