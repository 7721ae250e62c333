#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

#include "PixelFont.h"
#include "PopupMessage.h"
#include "RecordingRenderer.h"
#include "RecordingSoundPlayer.h"
#include "ofGraphics.h"

// Far past the end the alpha has no int: the renderer gets the int's floor.
TEST(PopupMessage, ZoomsAndFadesThroughItsPhasesAndDrawsSafelyFarPastItsEnd) {
    auto recorder = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(recorder);
    PixelFont font;
    font.setup(1.0f);
    PopupMessage p;
    p.setup("AB", 100.0f, 200.0f, 2.0f, &font, 2.0f);
    for (auto [age, zoom, alpha] : {std::tuple{0.0f, 10.0f, 0.0f}, {0.25f, 5.5f, 127.5f},
                                    {1.5f, 0.9f + 0.1f * std::sin(1.5f), 255.0f}, {1.75f, 5.5f, 127.5f},
                                    {2.25f, 14.5f, -127.5f}}) {
        p.age = age;
        p.draw();
        EXPECT_FLOAT_EQ(zoom, p.zoom) << age;
        EXPECT_FLOAT_EQ(alpha, p.alpha) << age;
    }
    p.age = 1e12f;
    recorder->reset();
    p.draw();
    const std::vector<std::string> calls = recorder->take();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "setColor(255,255,255,-1000000000)"), calls.end());
    ofSetCurrentRenderer(nullptr);
}

// The hold sound comes from drawing, once, on the first held frame; updating
// alone never plays it.
TEST(PopupMessage, PlaysItsHoldSoundOnceOnTheFirstHeldFrame) {
    using Calls = std::vector<std::string>;
    auto recorder = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(recorder);
    PixelFont font;
    font.setup(1.0f);
    const struct {
        const char* name;
        bool bank, complete, muted;
        float lifetime;
        Calls plays;
        float playedAt;
    } rows[] = {
        {"beep", true, false, false, 3.0f, {"UI3.wav play"}, 0.5f},
        {"complete", true, true, false, 3.0f, {"feedback.wav play"}, 0.5f},
        {"no bank", false, false, false, 3.0f, {}, -1},
        {"muted", true, false, true, 3.0f, {}, -1},
        {"never holds", true, false, false, 0.9f, {}, -1},
        // Fading in meets fading out at one instant: that is no hold either.
        {"twice the fade", true, false, false, 1.0f, {}, -1},
    };
    for (const auto& row : rows) {
        RecordedBank r;
        if (row.muted) r.bank.toggleSoundMute();
        PopupMessage p;
        p.setup("GO!", 0.0f, 0.0f, row.lifetime, &font, 1.0f);
        if (row.bank) p.soundBank = &r.bank;
        p.useCompleteSound = row.complete;
        r.take();
        while (!p.dead) p.update(0.05f);
        EXPECT_EQ(r.take(), Calls{}) << row.name;

        Calls plays;
        float playedAt = -1;
        for (int step = 0; step * 0.05f < row.lifetime + 0.1f; ++step) {
            p.age = step * 0.05f;
            p.draw();
            for (const std::string& call : r.take()) {
                if (call.find(" play") == std::string::npos) continue;
                plays.push_back(call);
                if (playedAt < 0) playedAt = p.age;
            }
        }
        EXPECT_EQ(plays, row.plays) << row.name;
        EXPECT_FLOAT_EQ(playedAt, row.playedAt) << row.name;
        EXPECT_EQ(p.soundPlayed, row.bank && row.lifetime > 1.0f) << row.name;
    }
    ofSetCurrentRenderer(nullptr);
}
