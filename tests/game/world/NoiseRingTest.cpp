#include "NoiseRing.h"
#include "WorldTest.h"

TEST(NoiseRing, FirstDrawHasStartingAlphasUnclampedWidthsAndClosesOnCornerZero) {
    RecorderScope rec;
    ofFixElapsedTimef(2.5f);
    NoiseRing ring;
    ring.setup(500, 400, ofColor(200, 100, 50));
    ring.radius = 100;
    ring.segmentAlphas[14] = -20;
    ring.draw();
    const Calls calls = rec.take();
    ASSERT_EQ(calls.size(), 45u);
    EXPECT_EQ(calls[0] + calls[1], "setColor(200,100,50,160)setLineWidth(" + g(11 - 160 / 255.0f * 10) + ")");
    // Faded past zero: a negative alpha passed on, a line wider than 11.
    EXPECT_EQ(calls[42] + calls[43], "setColor(200,100,50,-20)setLineWidth(" + g(11 + 20 / 255.0f * 10) + ")");
    float x[15][2], y[15][2], z;
    for (int i = 0; i < 15; i++)
        ASSERT_EQ(std::sscanf(calls[i * 3 + 2].c_str(), "drawLine(%f,%f,%f,%f,%f,%f)", &x[i][0], &y[i][0], &z, &x[i][1],
                              &y[i][1], &z),
                  6);
    for (int i = 0; i < 15; i++) {  // segment i runs from corner i to corner i + 1; segment 14 ends on corner 0
        EXPECT_TRUE(x[i][1] == x[(i + 1) % 15][0] && y[i][1] == y[(i + 1) % 15][0]) << i;
        const float r = std::hypot(x[i][0] - 500, y[i][0] - 400);
        EXPECT_TRUE(r >= 100 - 1e-3 && r <= 140 + 1e-3) << r;
        EXPECT_NEAR(std::remainder(std::atan2(y[i][0] - 400, x[i][0] - 500) - i * 0.41887903f, 6.2831853f), 0, 1e-4);
    }
}
