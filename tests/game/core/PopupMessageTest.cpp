#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

#include "PixelFont.h"
#include "PopupMessage.h"
#include "RecordingRenderer.h"
#include "RecordingSoundPlayer.h"
#include "ofGraphics.h"

namespace {

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ofSetCurrentRenderer(recorder);
        font.setup(1.0f);
    }
    void TearDown() override { ofSetCurrentRenderer(nullptr); }
    // Draws at the given age; the colour it set first.
    std::string drawAt(PopupMessage& p, float age) {
        p.age = age;
        recorder->reset();
        p.draw();
        for (const std::string& c : recorder->take())
            if (c.rfind("setColor", 0) == 0) return c;
        return "";
    }

    std::shared_ptr<RecordingRenderer> recorder = std::make_shared<RecordingRenderer>();
    PixelFont font;
};

TEST_F(PopupTest, ZoomsAndFadesThroughItsPhases) {
    PopupMessage p;
    p.setup("AB", 100.0f, 200.0f, 2.0f, &font, 2.0f);
    const struct {
        float age, zoom, alpha;
    } cases[] = {
        {0.0f, 10.0f, 0.0f}, {0.25f, 5.5f, 127.5f}, {1.5f, 0.9f + 0.1f * std::sin(1.5f), 255.0f},
        {1.75f, 5.5f, 127.5f}, {2.25f, 14.5f, -127.5f},  // not clamped
    };
    for (const auto& c : cases) {
        drawAt(p, c.age);
        EXPECT_FLOAT_EQ(c.zoom, p.zoom) << c.age;
        EXPECT_FLOAT_EQ(c.alpha, p.alpha) << c.age;
    }
    // Far past the end the alpha has no int; the renderer gets the floor.
    EXPECT_EQ("setColor(255,255,255,-1000000000)", drawAt(p, 1e12f));
}

// Updating alone never plays; drawing through every phase plays once, if the
// popup has a bank and lives long enough to hold.
TEST_F(PopupTest, PlaysItsHoldSoundOnceFromDraw) {
    for (auto [bank, complete, lifetime, play] : {std::tuple{true, false, 3.0f, "UI3.wav play"},
                                                  {true, true, 3.0f, "feedback.wav play"},
                                                  {false, false, 3.0f, ""}, {true, false, 0.9f, ""}}) {
        RecordedBank r;
        PopupMessage p;
        p.setup("GO!", 0.0f, 0.0f, lifetime, &font, 1.0f);
        if (bank) p.soundBank = &r.bank;
        p.useCompleteSound = complete;
        r.take();
        while (!p.dead) p.update(0.05f);
        EXPECT_TRUE(r.take().empty()) << play;
        for (float age = 0.0f; age < lifetime + 0.1f; age += 0.05f) drawAt(p, age);
        std::vector<std::string> plays;
        for (const std::string& call : r.take())
            if (call.find(" play") != std::string::npos) plays.push_back(call);
        EXPECT_EQ(plays, *play ? std::vector<std::string>{play} : std::vector<std::string>{}) << lifetime;
    }
}

}  // namespace
