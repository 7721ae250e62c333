#include <gtest/gtest.h>

#include "SteamLayer.h"
#include "steam_api.h"

using Calls = std::vector<std::string>;

TEST(SteamLayer, ReportsSteamMissingUnlessATestSwitchesItOn) {
    SteamLayer::takeCalls();
    for (bool running : {false, true, false}) {  // a later failed Init leaves no client behind
        SteamLayer::setRunning(running);
        EXPECT_EQ(running, SteamAPI_Init());
        SteamAPI_RunCallbacks();
        EXPECT_EQ((running ? Calls{"SteamAPI_Init() = 1", "SteamAPI_RunCallbacks()"}
                           : Calls{"SteamAPI_Init() = 0", "SteamAPI_RunCallbacks() without Init"}),
                  SteamLayer::takeCalls());
        EXPECT_EQ(running, SteamLayer::isRunning());
    }
}
