#include <gtest/gtest.h>

#include "MissionList.h"
#include "RecordingRenderer.h"
#include "ScreensTestSupport.h"
#include "ShipSelect.h"
#include "ofGraphics.h"

using namespace screens_test;

namespace {

class ShipSelectTest : public testing::Test {
protected:
    void SetUp() override {
        ofFixFrameNum(0);
        select.setup(&services.font, &services.sounds, 960, 960, 1.0f, ofColor(255, 255, 255, 255), &ship);
        ship.setShipType(0);
        unlock = services.record(services.sounds.unlock);
        error = services.record(services.sounds.error);
    }
    void TearDown() override { ofReleaseFixedClock(); }
    void openAndWait(bool pad = false) {
        select.open(3, pad);
        select.update(0.41f);
    }

    Services services;
    PlayerShip ship;
    ShipSelect select;
    std::shared_ptr<SoundCallCounter> unlock, error;
};

}  // namespace

TEST_F(ShipSelectTest, UnlockTableByModeBestAndMissions) {
    const struct {
        int mode, best, completed, all;
        std::vector<int> types;
    } cases[] = {
        {1, 999, 0, 150, {}},      {1, 1000, 0, 150, {1}},  {1, 2500, 0, 150, {1, 2}},     {2, 2499, 0, 150, {3}},
        {2, 2500, 0, 150, {3, 4}}, {4, 1000, 0, 150, {5}},  {3, 5000, 3, 150, {}},         {3, 0, 4, 150, {6}},
        {0, 0, 8, 150, {6, 7}},    {3, 0, 150, 150, {6, 7, 8}}, {3, 0, 0, 0, {}},
    };
    for (const auto& c : cases) {
        select.lockAll();
        select.unlockMessages.clear();
        const int playsBefore = unlock->plays;
        EXPECT_EQ(!c.types.empty(), select.checkUnlocks(c.mode, c.best, c.completed, c.all, false)) << c.mode;
        EXPECT_EQ(c.types, select.unlockMessages) << c.mode << " " << c.best << " " << c.completed;
        EXPECT_EQ(static_cast<int>(c.types.size()), unlock->plays - playsBefore);
        int unlocked = 0;
        for (int type = 1; type < 9; ++type) unlocked += select.unlocked[type];
        EXPECT_TRUE(select.unlocked[0] && unlocked == static_cast<int>(c.types.size()));  // type 0 never locks
    }
    select.lockAll();
    EXPECT_FALSE(select.checkUnlocks(1, 9999, 150, 150, true) || select.anyExtraUnlocked());
    select.checkUnlocks(1, 1000, 0, 150, false);
    EXPECT_FALSE(select.checkUnlocks(1, 1000, 0, 150, false));  // only news is announced
    EXPECT_EQ(1u, select.unlockMessages.size());
}

TEST_F(ShipSelectTest, NewShipIsPendingBrowsingAndBackRestore) {
    select.checkUnlocks(2, 2500, 0, 150, false);
    openAndWait();
    EXPECT_TRUE(ship.shipType == 4 && select.savedType == 4);  // the newest unlock is shown first
    select.browseWithSound(1);
    select.browseWithSound(1);
    select.confirm(0);  // type 6 is locked
    EXPECT_TRUE(ship.shipType == 6 && !select.launchReport && error->plays == 1);
    select.back();
    EXPECT_TRUE(select.backReport && ship.shipType == 4);

    select.open(5, false);
    EXPECT_TRUE(select.returnState == 5 && ship.shipType == 4);
    for (int i = 0; i < 5; ++i) select.browseWithSound(1);
    EXPECT_EQ(0, ship.shipType);  // past the last it wraps
    select.confirm(0);
    EXPECT_FALSE(select.launchReport) << "confirm counts only after 0.4 s";
    select.update(0.41f);
    select.confirm(0);
    EXPECT_TRUE(select.launchReport && select.lastShipType == 0 && error->plays == 1);
}

TEST_F(ShipSelectTest, ShipHeldMidScreenAndMouseButtons) {
    select.unlockAll();
    EXPECT_TRUE(select.allUnlocked() && select.unlocked[8]);
    ship.point.position.set(-300, 700);
    ship.point.velocity.set(5, 5);
    const auto beep = services.record(services.sounds.menuBeep), back = services.record(services.sounds.menuReturn);
    openAndWait();
    EXPECT_TRUE(ship.point.position == ofVec2f(480, 480) && ship.point.velocity.x == 0);
    const ofRectangle left = select.leftArrow, right = select.rightArrow;
    const ofRectangle launch = select.buttons[ShipSelect::LaunchButton], leave = select.buttons[ShipSelect::BackButton];
    const ofRectangle label =
        services.font.getStringBoundingBox("Launch", 4, launch.x + 20, launch.y + launch.height - 20);
    EXPECT_TRUE(label.height + 40 == launch.height && label.width + 40 == launch.width);
    EXPECT_NEAR(680, launch.x + launch.width / 2, 1);
    EXPECT_NEAR(280, leave.x + leave.width / 2, 1);
    EXPECT_NEAR(220, left.x + left.width / 2, 1);
    // where pressed; then ship type, launch and back reports, beeps, returns
    const struct {
        float x, y;
        int type, launched, left, beeps, returns;
    } presses[] = {{right.x + 2, right.y + 2, 1, 0, 0, 2, 0},
                   {right.x + 2, right.y + 2, 2, 0, 0, 3, 0},
                   {left.x + 2, left.y + 2, 1, 0, 0, 4, 0},
                   {left.x - 2, left.y + 2, 1, 0, 0, 4, 0},  // just outside: nothing
                   {launch.x + 1, launch.y + 1, 1, 1, 0, 4, 0},
                   {leave.x + leave.width - 1, leave.y + leave.height - 1, 0, 1, 1, 4, 1}};  // back to the saved ship
    for (const auto& p : presses) {
        select.mousePressed(static_cast<int>(p.x), static_cast<int>(p.y));
        EXPECT_EQ((std::vector<int>{ship.shipType, select.launchReport, select.backReport, beep->plays, back->plays}),
                  (std::vector<int>{p.type, p.launched, p.left, p.beeps, p.returns}))
            << &p - presses;
    }
    EXPECT_EQ(select.lastShipType, 1);
    select.lockAll();
    openAndWait();
    select.mousePressed(static_cast<int>(right.x + 2), static_cast<int>(right.y + 2));
    select.mousePressed(static_cast<int>(launch.x + 1), static_cast<int>(launch.y + 1));
    EXPECT_TRUE(!select.launchReport && error->plays == 1);  // locked again: no launch
    EXPECT_EQ(ShipSelect::shipName(8) + "|" + ShipSelect::shipName(9), "Show-Off|");
}

TEST_F(ShipSelectTest, UnlockRulesNameTheModeTheScoreOrTheMissions) {
    const std::string rules[] = {"",
                                 "SCORE 1000 ON EASY",
                                 "SCORE 2500 ON EASY",
                                 "SCORE 1000 ON HARD",
                                 "SCORE 2500 ON HARD",
                                 "SCORE 1000 ON ASTEROID FIELD",
                                 "COMPLETE 4 MISSIONS",
                                 "COMPLETE 8 MISSIONS",
                                 "COMPLETE ALL MISSIONS"};
    for (int type = 0; type < 9; ++type) EXPECT_EQ(ShipSelect::unlockRule(type), rules[type]) << type;
    EXPECT_EQ(ShipSelect::unlockRule(-1) + ShipSelect::unlockRule(9), "");
}

TEST_F(ShipSelectTest, UnlockMessageShowsTheFrontShipOverADimmedScreenAndBlinks) {
    auto recorder = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(recorder);
    std::vector<std::string> texts;
    PixelFont::textObserver = [&texts](const std::string& text, float, float, float) { texts.push_back(text); };
    MissionList missions;
    recorder->take();
    select.drawUnlockMessage(missions, 4, 1000, false);
    EXPECT_TRUE(texts.empty() && recorder->take().empty());  // nothing queued: nothing drawn
    select.checkUnlocks(4, 1000, 8, 150, false);
    ASSERT_EQ((std::vector<int>{5, 6, 7}), select.unlockMessages);
    // frame, then the texts drawn: CONTINUE blinks seven frames on, seven off
    const struct {
        unsigned frame;
        bool dismissFirst;
        std::vector<std::string> texts;
    } steps[] = {{0, false, {"NEW SHIP!", "Robot", "SCORE 1000 ON ASTEROID FIELD", "CONTINUE"}},
                 {7, false, {"NEW SHIP!", "Robot", "SCORE 1000 ON ASTEROID FIELD"}},
                 {14, true, {"NEW SHIP!", "Jelly", "COMPLETE 4 MISSIONS", "CONTINUE"}},
                 {20, true, {"NEW SHIP!", "Cascade", "COMPLETE 8 MISSIONS", "CONTINUE"}},
                 {21, true, {}}};
    for (const auto& step : steps) {
        ofFixFrameNum(step.frame);
        if (step.dismissFirst) select.dismissMessage();
        texts.clear();
        select.drawUnlockMessage(missions, 4, 1000, false);
        const std::vector<std::string> calls = recorder->take();
        EXPECT_EQ(texts, step.texts) << step.frame;
        if (step.texts.empty()) continue;
        // the dimmed screen comes first, under everything else
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 3),
                  (std::vector<std::string>{"setFillMode(1)", "setColor(0,0,0,220)", "drawRectangle(0,0,0,960,960)"}));
    }
    EXPECT_TRUE(select.unlockMessages.empty());
    select.dismissMessage();  // an empty queue stays empty
    EXPECT_TRUE(select.unlockMessages.empty());
    PixelFont::textObserver = nullptr;
    ofSetCurrentRenderer(nullptr);
}
