#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "PixelFont.h"
#include "RecordingRenderer.h"
#include "ofGraphics.h"

namespace {

typedef std::vector<std::string> Calls;

class PixelFontDraw : public testing::Test {
protected:
    void SetUp() override {
        recorder = std::make_shared<RecordingRenderer>();
        recorder->drawsPathsDirectly = true;
        ofSetCurrentRenderer(recorder);
        recorder->reset();
        font.setup(1.0f);
    }
    void TearDown() override { ofSetCurrentRenderer(nullptr); }

    // The recorded calls starting with prefix, sorted, then a fresh record.
    Calls take(const std::string& prefix) {
        Calls out;
        for (const std::string& c : recorder->take()) {
            if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    std::shared_ptr<RecordingRenderer> recorder;
    PixelFont font;
};

Calls sorted(Calls calls) {
    std::sort(calls.begin(), calls.end());
    return calls;
}

}  // namespace

TEST(PixelFontMetrics, HeightsWidthsAndBoxes) {
    PixelFont font;
    font.setup(1.5f);
    EXPECT_EQ(font.getCharHeight(2), 24.0f);
    EXPECT_EQ(font.getLineHeight(2), 33.0f);
    ofRectangle box = font.getStringBoundingBox("A", 2, 100, 50);
    EXPECT_EQ((std::vector<float>{box.x, box.y, box.width, box.height}), (std::vector<float>{100, 26, 18, 24}));
    font.setup(2.5f);
    EXPECT_FLOAT_EQ(font.getStringWidth("HI", 2), 34.0f);

    font.setup(1.0f);
    EXPECT_EQ(font.getStringWidth("", 3), 0.0f);
    // 5+0.8+6+0.8+5+0.8+5+0.8+5+0.8+5+0.8+1+0.8+5 = 43.6
    EXPECT_FLOAT_EQ(font.getStringWidth("VANTORIX", 1), 43.6f);
    // Control codes, DEL and bytes above 127 measure 0 but keep their spacing.
    EXPECT_FLOAT_EQ(font.getStringWidth("A\nB", 1), 6 + 0.8f + 0 + 0.8f + 5);
    EXPECT_FLOAT_EQ(font.getStringWidth(std::string("A\xE9\xFF", 3), 1), 6 + 0.8f + 0.8f);
    EXPECT_FLOAT_EQ(font.getStringWidth("a~b", 1), 5 + 0.8f + 0 + 0.8f + 4);
}

TEST_F(PixelFontDraw, GlyphRectanglesInsideTheScaledFrame) {
    font.setup(2.0f);
    font.drawString("AI", 1.5f, 10, 20);
    Calls calls = recorder->take();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 4),
              (Calls{"setFillMode(1)", "pushMatrix()", "translate(10,20,0)", "scale(3,3,1)"}));
    EXPECT_EQ(calls.back(), "popMatrix()");
    // A: six runs; I: one bar at pen 6.8.
    EXPECT_EQ(sorted(Calls(calls.begin() + 4, calls.end() - 1)),
              sorted({"drawRectangle(2,-6,0,2,-2)", "drawRectangle(1,-4,0,1,-2)", "drawRectangle(4,-4,0,1,-2)",
                      "drawRectangle(1,-3,0,4,-1)", "drawRectangle(0,0,0,1,-3)", "drawRectangle(5,0,0,1,-3)",
                      "drawRectangle(6.8,0,0,1,-8)"}));

    font.drawString("", 1, 5, 5);
    EXPECT_EQ(recorder->take(), (Calls{"setFillMode(1)", "pushMatrix()", "translate(5,5,0)", "scale(2,2,1)",
                                       "popMatrix()"}));
    font.drawString(std::string(" \n\x01\x7F\x80\xFF", 6), 1, 0, 0);
    EXPECT_TRUE(take("drawRectangle").empty());
}

TEST_F(PixelFontDraw, PenAdvancesBySpacingAfterEveryByte) {
    // The tilde measures 0: the l is drawn 0.8 after the tilde's pen.
    font.drawString("~l\xC3l", 1, 0, 0);
    EXPECT_EQ(take("drawRectangle"),
              sorted({"drawRectangle(1,-4,0,1,-1)", "drawRectangle(3,-4,0,1,-1)", "drawRectangle(0,-3,0,1,-1)",
                      "drawRectangle(2,-3,0,1,-1)", "drawRectangle(0.8,0,0,1,-8)", "drawRectangle(3.4,0,0,1,-8)"}));
    font.drawString("_", 1, 0, 0);
    EXPECT_EQ(take("drawRectangle"), (Calls{"drawRectangle(-0.5,1,0,5,-1)"}));
    font.drawChar('!', 2);
    EXPECT_EQ(take("drawRectangle"), (Calls{"drawRectangle(2,-2,0,1,-5)", "drawRectangle(2,0,0,1,-1)"}));
    font.drawChar(' ', 0);
    font.drawChar(127, 0);
    font.drawChar(static_cast<char>(0xE9), 0);
    EXPECT_TRUE(recorder->calls.empty());
}

TEST_F(PixelFontDraw, AlignedDrawsTruncateTowardZero) {
    // "HI" at size 1 is 6.8 wide, 8 high.
    font.drawStringCentered("HI", 1, 10.7f, 20.9f);
    EXPECT_EQ(take("translate"), (Calls{"translate(7,24,0)"}));
    font.drawStringCentered("HI", 1, 2.8f, -4.6f);  // -0.6 and -0.6 truncate to 0
    EXPECT_EQ(take("translate"), (Calls{"translate(0,0,0)"}));
    font.drawStringCenteredX("HI", 1, 10.7f, 20.5f);
    EXPECT_EQ(take("translate"), (Calls{"translate(7,20.5,0)"}));
    font.drawStringRight("HI", 1, 10.5f, 3);
    EXPECT_EQ(take("translate"), (Calls{"translate(3.7,3,0)"}));
    font.setup(2);
    font.drawStringCentered("A", 1.5f, 100, 100);  // w = 18, h = 24: (100 - 9, 100 + 12)
    EXPECT_EQ(take("translate"), (Calls{"translate(91,112,0)"}));
}
