#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "PixelFont.h"
#include "PopupMessage.h"
#include "RecordingRenderer.h"
#include "RecordingSoundPlayer.h"
#include "ofGraphics.h"

namespace {

using Calls = std::vector<std::string>;

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        recorder = std::make_shared<RecordingRenderer>();
        ofSetCurrentRenderer(recorder);
        font.setup(1.0f);
        recorder->reset();
    }
    void TearDown() override { ofSetCurrentRenderer(nullptr); }

    // Draws at the given age and returns the colour, the popup's own
    // translate and scale, and the font's translate to the text origin.
    Calls drawAt(PopupMessage& p, float age) {
        p.age = age;
        recorder->reset();
        p.draw();
        Calls out;
        for (const std::string& c : recorder->take()) {
            if (c.rfind("setColor", 0) == 0 || c.rfind("translate", 0) == 0 || c.rfind("scale", 0) == 0)
                out.push_back(c);
            if (out.size() == 4) break;
        }
        return out;
    }

    std::shared_ptr<RecordingRenderer> recorder;
    PixelFont font;
};

TEST_F(PopupTest, ZoomsAndFadesThroughItsPhases) {
    PopupMessage p;
    p.setup("AB", 100.0f, 200.0f, 2.0f, &font, 2.0f);
    struct Case {
        float age;
        float zoom;
        float alpha;
    };
    const Case cases[] = {
        {0.0f, 10.0f, 0.0f},   {0.25f, 5.5f, 127.5f},                                 // fade-in
        {0.5f, 0.9f + 0.1f * std::sin(0.5f), 255.0f},                                 // hold from F on
        {1.0f, 0.9f + 0.1f * std::sin(1.0f), 255.0f}, {1.5f, 0.9f + 0.1f * std::sin(1.5f), 255.0f},
        {1.75f, 5.5f, 127.5f}, {2.0f, 10.0f, 0.0f},                                   // fade-out
        {2.25f, 14.5f, -127.5f},                                                      // not clamped
    };
    for (const Case& c : cases) {
        drawAt(p, c.age);
        EXPECT_FLOAT_EQ(c.zoom, p.zoom) << c.age;
        EXPECT_FLOAT_EQ(c.alpha, p.alpha) << c.age;
    }
}

TEST_F(PopupTest, FadeInWinsOverFadeOutWhenTheyOverlap) {
    PopupMessage p;
    p.setup("X", 0.0f, 0.0f, 0.8f, &font, 1.0f);
    drawAt(p, 0.4f);
    EXPECT_FLOAT_EQ(2.8f, p.zoom);
    EXPECT_FLOAT_EQ(204.0f, p.alpha);
    drawAt(p, 0.6f);  // past the fade-in: fade-out from 0.3
    EXPECT_FLOAT_EQ(1.0f + 0.3f / 0.5f * 9.0f, p.zoom);
}

TEST_F(PopupTest, DrawsCentredOnItsPointAtAnyZoom) {
    PopupMessage p;
    p.setup("AB", 100.0f, 200.0f, 2.0f, &font, 2.0f);
    p.sizeFactor = 3.0f;
    const float width = font.getStringWidth("AB", 2.0f);
    ASSERT_GT(width, 0.0f);
    const std::string origin = "translate(" + RecordingSoundPlayer::num(-0.5f * width) + ",8,0)";
    EXPECT_EQ((Calls{"setColor(255,255,255,0)", "translate(100,200,0)", "scale(30,30,1)", origin}), drawAt(p, 0.0f));
    EXPECT_EQ((Calls{"setColor(255,255,255,127)", "translate(100,200,0)", "scale(16.5,16.5,1)", origin}),
              drawAt(p, 0.25f));
    // Past the lifetime the alpha is negative and goes to the renderer as it is.
    EXPECT_EQ("setColor(255,255,255,-127)", drawAt(p, 2.25f)[0]);
}

TEST_F(PopupTest, ShimmersGreyUntilGivenAColourThenPulsesItsBrightness) {
    PopupMessage p;
    p.setup("HI", 0.0f, 0.0f, 10.0f, &font, 1.0f);
    // |cos 1.2| x 200 + 150 = 222.47; |cos 3| x 200 + 150 = 348 is cut to 255.
    EXPECT_EQ("setColor(222,222,222,255)", drawAt(p, 1.2f)[0]);
    EXPECT_EQ("setColor(255,255,255,255)", drawAt(p, 3.0f)[0]);

    p.setColor(ofColor(200, 0, 0));
    EXPECT_FALSE(p.flashing);
    const float third = static_cast<float>(M_PI) / 3.0f;  // cos(3a) = -1
    EXPECT_EQ("setColor(100,0,0,255)", drawAt(p, third)[0]);
    EXPECT_EQ("setColor(255,0,0,255)", drawAt(p, 2.0f * third)[0]);  // 300 is cut to 255
    EXPECT_EQ("setColor(200,0,0,255)", drawAt(p, third / 2.0f)[0]);
}

TEST_F(PopupTest, DiesOnlyOnceItsAgePassesTheLifetime) {
    PopupMessage p;
    p.setup("X", 0.0f, 0.0f, 1.0f, &font, 1.0f);
    p.update(0.5f);
    p.update(0.5f);
    EXPECT_FALSE(p.dead);
    p.update(0.001f);
    EXPECT_TRUE(p.dead);
}

TEST_F(PopupTest, PlaysItsHoldSoundOnceFromDraw) {
    struct Case {
        const char* name;
        bool bank;
        bool complete;
        bool muted;
        float lifetime;
        Calls plays;
    };
    const Case cases[] = {
        {"beep", true, false, false, 3.0f, {"UI3.wav play"}},
        {"complete", true, true, false, 3.0f, {"feedback.wav play"}},
        {"no bank", false, false, false, 3.0f, {}},
        {"muted", true, false, true, 3.0f, {}},
        {"never holds", true, false, false, 0.9f, {}},
    };
    for (const Case& c : cases) {
        RecordedBank r;
        if (c.muted) r.bank.toggleSoundMute();
        PopupMessage p;
        p.setup("GO!", 0.0f, 0.0f, c.lifetime, &font, 1.0f);
        if (c.bank) p.soundBank = &r.bank;
        p.useCompleteSound = c.complete;
        r.take();
        // Updating alone never plays; drawing through every phase plays once.
        while (!p.dead) p.update(0.05f);
        EXPECT_EQ(Calls{}, r.take()) << c.name;
        for (float age = 0.0f; age < c.lifetime + 0.1f; age += 0.05f) drawAt(p, age);
        Calls plays;
        for (const std::string& call : r.take())
            if (call.find(" play") != std::string::npos) plays.push_back(call);
        EXPECT_EQ(c.plays, plays) << c.name;
    }
}

}  // namespace
