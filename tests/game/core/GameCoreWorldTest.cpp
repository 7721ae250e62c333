#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "DummyFoe.h"

// Foes far from the ship, held still so that only the separation moves them.
class FoeSeparation : public CoreFixture {
protected:
    NormFoe* stillFoe(float x, float y) {
        NormFoe* foe = addFoe(x, y);
        foe->speed = foe->maxSpeed = foe->boostMin = foe->boostMax = foe->gainMax = 0;
        return foe;
    }
};

// Pushed apart along their line by 5 x (1 - d² / 100²): the earlier foe of the
// list away from the later one, the later one back by as much.
TEST_F(FoeSeparation, PlainFoesCloserThan100ArePushedApartAlongTheirLine) {
    const struct {
        const char* name;
        float dx, dy;
        bool otherKind, playing;
        float firstX, firstY, secondX, secondY;
    } rows[] = {
        {"30 apart", 30, 0, false, true, -4.55f, 0, 34.55f, 0},
        {"50 apart on a slant", 30, 40, false, true, -2.25f, -3.0f, 32.25f, 43.0f},
        {"touching", 0.01f, 0, false, true, -5.0f, 0, 5.01f, 0},
        {"100 apart", 100, 0, false, true, 0, 0, 100, 0},
        {"coincident", 0, 0, false, true, 0, 0, 0, 0},
        {"beside another kind", 30, 0, true, true, 0, 0, 30, 0},
        {"round over", 30, 0, false, false, 0, 0, 30, 0},
    };
    for (const auto& row : rows) {
        startStill(GameMode::Easy);
        GameCore& c = core();
        c.playTime = 1;
        // No background demo kill in the round over.
        c.spawnDirector.demoKill = false;
        c.spawnDirector.nextDemoKill = 1e9f;
        const float x0 = 2000, y0 = 1500;
        NormFoe* first = stillFoe(x0, y0);
        Foe* second = nullptr;
        if (row.otherKind) {
            second = c.foes.emplace_back(new DummyFoe);
            second->spawn(c.foeColor, 0, 0, 0, false, false);
            second->x = x0 + row.dx;
            second->y = y0 + row.dy;
        } else {
            second = stillFoe(x0 + row.dx, y0 + row.dy);
        }
        if (!row.playing) {
            c.gameState = GameState::RoundOver;
            c.roundOverTimer = 100;
        }
        tick();
        ASSERT_EQ(c.foes.size(), 2u) << row.name;
        EXPECT_NEAR(first->x - x0, row.firstX, 1e-3) << row.name;
        EXPECT_NEAR(first->y - y0, row.firstY, 1e-3) << row.name;
        EXPECT_NEAR(second->x - x0, row.secondX, 1e-3) << row.name;
        EXPECT_NEAR(second->y - y0, row.secondY, 1e-3) << row.name;
    }
}
