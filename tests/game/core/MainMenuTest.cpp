#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "CoreFixture.h"

class MainMenuFixture : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        beep = record(app->core.soundBank.menuBeep);
        confirm = record(app->core.soundBank.foeKill);
    }
    MainMenu& menu() { return app->core.mainMenu; }
    void faceSetup(bool exhibition, bool cabinet, bool solo) {
        GameCore& core = app->core;
        menu() = MainMenu();
        menu().setup(960, 960, core.textColor, exhibition, cabinet, solo, &core.font, &core.missionList,
                     &core.soundBank);
    }

    std::shared_ptr<SoundCallCounter> beep, confirm;
};

// Every exhibition item sits on one rectangle: a click there is item 3's alone.
TEST_F(MainMenuFixture, TheExhibitionFaceTakesOnlyItsButton) {
    faceSetup(true, false, false);
    menu().update(0.5f);
    menu().selected = 0;
    menu().mouseInput(480, static_cast<int>(0.57f * 960) + 10, true);
    EXPECT_EQ(menu().selected, 3);
    EXPECT_TRUE(menu().confirmed);
    EXPECT_EQ(beep->plays, 1);
}

// The cabinet face has four items; a move of 0 is no move.
TEST_F(MainMenuFixture, SelectionWrapsOverTheItemsInUseWithOneBeepPerMove) {
    for (auto [cabinet, step, from, to] : {std::tuple{false, -1, 0, 6}, {false, 1, 6, 0}, {false, 1, 2, 3},
                                           {true, -1, 0, 3}, {true, 1, 3, 0}, {true, 0, 3, 3}}) {
        faceSetup(false, cabinet, false);
        menu().selected = from;
        beep->plays = 0;
        menu().moveSelection(step, false);
        EXPECT_EQ(menu().selected, to) << from << " " << step;
        EXPECT_EQ(beep->plays, step != 0 ? 1 : 0);
    }
}

TEST_F(MainMenuFixture, QuitEndsTheProgramOnlyOnceTheConfirmSoundHasFinished) {
    EXPECT_EXIT(
        {
            menu().selected = 6;
            menu().timer = 1;
            app->keyPressed(' ');
            confirm->playing = true;
            for (int i = 0; i < 5; ++i) step(0.03f);
            if (menu().disabled && confirm->plays == 1) std::fprintf(stderr, "still running after five frames\n");
            // A disabled menu takes no more input.
            app->keyPressed(359);
            if (menu().selected == 6) std::fprintf(stderr, "input ignored\n");
            confirm->playing = false;
            step(0.03f);
            std::fprintf(stderr, "did not exit\n");
            std::exit(3);
        },
        testing::ExitedWithCode(0), "still running after five frames\ninput ignored\n");
}
