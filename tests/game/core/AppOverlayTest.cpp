#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "DrawTestSupport.h"

class AppOverlay : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        setUpApp();
        app->core.splashActive = false;
        app->core.backgroundTiles = false;
    }
};

TEST_F(AppOverlay, MusicDebugTextAfterTheScaledGame) {
    app->musicDebugVisible = true;
    app->core.soundBank.musicVolume = 0.5f;
    recorder->reset();
    app->draw();
    std::vector<std::string> calls = recorder->take();
    EXPECT_EQ(calls.front(), "pushMatrix()");
    int pop = static_cast<int>(calls.size()) - 6;
    std::vector<std::string> tail(calls.begin() + pop, calls.end());
    EXPECT_EQ(tail, std::vector<std::string>(
                        {"popMatrix()", "setFillMode(1)", "setColor(0,0,0,200)", "drawRectangle(0,0,0,960,45)",
                         "setColor(255,255,255,255)",
                         "drawString(\"Music Debug    vol: 0.5    pos: 0\n- reduce vol    + increase vol    0 - "
                         "pause/play\",10,15,0,4)"}));
}
