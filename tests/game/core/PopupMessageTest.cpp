#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

#include "PixelFont.h"
#include "PopupMessage.h"
#include "RecordingRenderer.h"
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
