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
