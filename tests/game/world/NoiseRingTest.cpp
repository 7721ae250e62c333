#include "NoiseRing.h"
#include "WorldTest.h"

TEST(NoiseRing, FifteenSegmentsCloseOnCornerZeroAndAFadedAlphaIsPassedOnWithAWiderLine) {
    RecorderScope rec;
    ofFixElapsedTimef(2.5f);
    NoiseRing ring;
    ring.setup(500, 400, ofColor(200, 100, 50));
    ring.radius = 100;
    ring.segmentAlphas[14] = -20;
    ring.draw();
    const Calls calls = rec.take(), lines = callsStartingWith(calls, "drawLine");
    ASSERT_TRUE(calls.size() == 45u && lines.size() == 15u);
    EXPECT_EQ(calls[0] + calls[1], "setColor(200,100,50,160)setLineWidth(" + g(11 - 160 / 255.0f * 10) + ")");
    EXPECT_EQ(calls[42] + calls[43], "setColor(200,100,50,-20)setLineWidth(" + g(11 + 20 / 255.0f * 10) + ")");
    float x0, y0, x1, y1, z;
    ASSERT_EQ(std::sscanf(lines[0].c_str(), "drawLine(%f,%f,%f", &x0, &y0, &z), 3);
    ASSERT_EQ(std::sscanf(lines[14].c_str(), "drawLine(%*f,%*f,%*f,%f,%f,%f)", &x1, &y1, &z), 3);
    const float r = std::hypot(x0 - 500, y0 - 400);  // corner 0 lies straight right, 100 to 140 out
    EXPECT_TRUE(x0 == x1 && y0 == y1 && std::fabs(y0 - 400) < 1e-3f && r >= 100 && r <= 140);
}
