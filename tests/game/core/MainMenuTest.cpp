#include <gtest/gtest.h>

#include <cstdio>

#include "CoreFixture.h"

class MainMenuFixture : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        beep = record(app->core.soundBank.menuBeep);
        confirm = record(app->core.soundBank.foeKill);
    }
    MainMenu& menu() { return app->core.mainMenu; }

    std::shared_ptr<SoundCallCounter> beep, confirm;
};

// Every exhibition item sits on one rectangle: a click there is item 3's alone.
TEST_F(MainMenuFixture, TheExhibitionFaceTakesOnlyItsButton) {
    GameCore& c = core();
    menu() = MainMenu();
    menu().setup(960, 960, c.textColor, true, false, false, &c.font, &c.missionList, &c.soundBank);
    menu().update(0.5f);
    menu().selected = 0;
    menu().mouseInput(480, static_cast<int>(0.57f * 960) + 10, true);
    EXPECT_EQ(menu().selected, 3);
    EXPECT_TRUE(menu().confirmed);
    EXPECT_EQ(beep->plays, 1);
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
