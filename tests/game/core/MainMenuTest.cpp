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

// Each face: its items, and its list from its own top down to its own margin
// above the bottom, in whole steps; unused slots are out of reach.
TEST_F(MainMenuFixture, EachFaceLaysOutItsItemsBetweenItsOwnTopAndBottom) {
    const struct {
        const char* name;
        bool cabinet, solo;
        int count;
        const char* first;
        const char* last;
        int top, step;
    } rows[] = {
        {"normal", false, false, 7, "Arcade", "Quit", 400, (910 - 400) / 7},
        {"cabinet", true, false, 4, "Death Match", "High Scores", 510, (870 - 510) / 4},
        {"cabinet solo", true, true, 3, "Arcade", "Leaderboards", 550, (890 - 550) / 3},
    };
    GameCore& c = core();
    for (const auto& row : rows) {
        menu() = MainMenu();
        menu().setup(960, 960, c.textColor, false, row.cabinet || row.solo, row.solo, &c.font, &c.missionList,
                     &c.soundBank);
        SCOPED_TRACE(row.name);
        EXPECT_EQ(menu().itemCount, row.count);
        EXPECT_EQ(menu().itemLabels[0], row.first);
        EXPECT_EQ(menu().itemLabels[row.count - 1], row.last);
        for (int i = 0; i < MainMenu::maxItems; ++i) {
            const ofRectangle& r = menu().itemRects[i];
            if (i >= row.count) {
                EXPECT_EQ(menu().itemLabels[i], "") << i;
                EXPECT_EQ(r.y, 100000) << i;
                continue;
            }
            EXPECT_EQ(std::vector<float>({r.x, r.y, r.width, r.height}),
                      std::vector<float>({230, static_cast<float>(row.top + i * row.step), 500,
                                          static_cast<float>(row.step)}))
                << i;
        }
        // A narrower screen moves the column, not the rows.
        menu().layout(700);
        EXPECT_EQ(menu().itemRects[row.count - 1].x, 100);
        EXPECT_EQ(menu().itemRects[row.count - 1].y, row.top + (row.count - 1) * row.step);
    }
}
