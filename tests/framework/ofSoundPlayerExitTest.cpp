#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "../platform/FmodTestSupport.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofEvents.h"
#include "ofSoundPlayer.h"

namespace {

struct ExitMarker {
    ~ExitMarker() { std::fputs("app destroyed\n", stderr); }
};

// Holds a playing sound until static teardown deletes it, after the exit callback.
struct SoundingApp : ofBaseApp {
    void exit() override { std::fputs("app exit\n", stderr); }
    ExitMarker marker;  // declared first, so it reports after the player is gone
    ofSoundPlayer music;
};

void runUntilExit(const std::string& path) {
    FmodLayer::setOutput(FmodLayer::Output::Manual);
    auto app = std::make_shared<SoundingApp>();
    if (!app->music.loadSound(path)) std::abort();
    app->music.play();
    ofSetAppPtr(std::move(app));  // std::exit unwinds no stack: no other owner may stay
    FmodLayer::setCallObserver([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    std::fputs("exiting\n", stderr);
    std::atexit([] {  // the sound part of the runner's exit callback, in its order
        ofNotifyExit();
        ofSoundShutdown();
    });
    std::exit(0);
}

}  // namespace

// Exactly these lines after "exiting": the app's exit, the close, and a
// destructor that touches the closed system no more.
TEST(ofSoundPlayerExitTest, ShutdownAtExitClosesTheSystemAndTheDeletedAppReleasesNothing) {
    fmodtest::ScratchDir dir;
    ASSERT_TRUE(fmodtest::writeConstant(dir.file("music.wav"), 44100, 44100, 100));
    EXPECT_EXIT(runUntilExit(dir.file("music.wav")), ::testing::ExitedWithCode(0),
                "exiting\napp exit\nFMOD_System_Close\\(system#[0-9]+\\)\napp destroyed\n$");
}
