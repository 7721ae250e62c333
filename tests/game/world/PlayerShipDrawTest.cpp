#include "PixelFont.h"
#include "PlayerShip.h"
#include "WorldTest.h"

namespace {

class ShipDraw : public testing::Test {
protected:
    void SetUp() override {
        ship.setup(ofColor(10, 20, 30), false, false, nullptr, nullptr);
        rec.take();
    }
    RecorderScope rec;
    PlayerShip ship;
};

}  // namespace

TEST_F(ShipDraw, TrailNarrowsAndFadesAndNeverSetsANonPositiveWidth) {
    for (int i = 0; i < PlayerShip::TRAIL_LENGTH; ++i) ship.trail[i].set(static_cast<float>(i + 1), 0);
    ship.drawTrail();
    const Calls calls = rec.take(), widths = callsStartingWith(calls, "setLineWidth");
    ASSERT_EQ(widths.size(), 24u);  // 8, then k = 0 to 22; k = 23 keeps 0.08
    EXPECT_EQ(widths[0] + widths[1] + widths[2] + widths[23],
              "setLineWidth(8)setLineWidth(8)setLineWidth(7.64)setLineWidth(" + g(8 - 0.36f * 22) + ")");
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 3),
              (Calls{"setLineWidth(8)", "setColor(10,20,30,100)", "drawLine(1,0,0,0,0,0)"}));
    EXPECT_EQ(callsStartingWith(calls, "setColor")[2], "setColor(10,20,30,96)");
    EXPECT_EQ(Calls(calls.end() - 3, calls.end()),
              (Calls{"drawLine(24,0,0,23,0,0)", "setColor(10,20,30,8)", "drawLine(25,0,0,24,0,0)"}));
}
