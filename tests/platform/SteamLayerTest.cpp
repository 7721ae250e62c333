#include <gtest/gtest.h>

#include "SteamLayer.h"
#include "steam_api.h"

namespace {

using Calls = std::vector<std::string>;

TEST(SteamLayer, ReportsSteamMissingUnlessATestSwitchesItOn) {
    SteamLayer::takeCalls();
    EXPECT_FALSE(SteamLayer::isRunning());
    EXPECT_FALSE(SteamAPI_Init());
    SteamAPI_RunCallbacks();
    EXPECT_EQ((Calls{"SteamAPI_Init() = 0", "SteamAPI_RunCallbacks() without Init"}), SteamLayer::takeCalls());

    SteamLayer::setRunning(true);
    EXPECT_TRUE(SteamAPI_Init());
    SteamAPI_RunCallbacks();
    SteamAPI_RunCallbacks();
    EXPECT_EQ((Calls{"SteamAPI_Init() = 1", "SteamAPI_RunCallbacks()", "SteamAPI_RunCallbacks()"}),
              SteamLayer::takeCalls());
    EXPECT_TRUE(SteamLayer::takeCalls().empty());

    // A later failed Init leaves no client behind.
    SteamLayer::setRunning(false);
    EXPECT_FALSE(SteamAPI_Init());
    SteamAPI_RunCallbacks();
    EXPECT_EQ((Calls{"SteamAPI_Init() = 0", "SteamAPI_RunCallbacks() without Init"}), SteamLayer::takeCalls());
}

}  // namespace
