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

TEST(PixelFontMetrics, HeightsWidthsAndBoxes) {
    PixelFont font;
    font.setup(1.5f);
    const ofRectangle box = font.getStringBoundingBox("A", 2, 100, 50);
    EXPECT_EQ((std::vector<float>{font.getCharHeight(2), font.getLineHeight(2), box.x, box.y, box.width, box.height}),
              (std::vector<float>{24, 33, 100, 26, 18, 24}));
    font.setup(1.0f);
    // Control codes, DEL, the tilde and bytes above 127 measure 0 but keep their spacing.
    EXPECT_FLOAT_EQ(font.getStringWidth(std::string("A\n\xE9\x7F~B", 6), 2), 2 * (6 + 5 * 0.8f + 5));
    EXPECT_EQ(font.getStringWidth("", 3), 0.0f);
}

class PixelFontDraw : public testing::Test {
protected:
    void SetUp() override {
        recorder->drawsPathsDirectly = true;
        ofSetCurrentRenderer(recorder);
        recorder->reset();
        font.setup(1.0f);
    }
    void TearDown() override { ofSetCurrentRenderer(nullptr); }
    // The recorded calls starting with prefix, sorted, then a fresh record.
    Calls take(const std::string& prefix) {
        Calls out;
        for (const std::string& c : recorder->take())
            if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
        std::sort(out.begin(), out.end());
        return out;
    }
    std::shared_ptr<RecordingRenderer> recorder = std::make_shared<RecordingRenderer>();
    PixelFont font;
};

TEST_F(PixelFontDraw, GlyphRectanglesInsideTheScaledFrameWithThePenAdvancedAfterEveryByte) {
    font.setup(2.0f);
    font.drawString("I", 1.5f, 10, 20);
    EXPECT_EQ(recorder->take(), (Calls{"setFillMode(1)", "pushMatrix()", "translate(10,20,0)", "scale(3,3,1)",
                                       "drawRectangle(0,0,0,1,-8)", "popMatrix()"}));
    // The tilde measures 0 and a byte above 127 draws nothing.
    font.drawString("~l\xC3l", 1, 0, 0);
    EXPECT_EQ(take("drawRectangle"),
              (Calls{"drawRectangle(0,-3,0,1,-1)", "drawRectangle(0.8,0,0,1,-8)", "drawRectangle(1,-4,0,1,-1)",
                     "drawRectangle(2,-3,0,1,-1)", "drawRectangle(3,-4,0,1,-1)", "drawRectangle(3.4,0,0,1,-8)"}));
    font.drawString(std::string(" \n\x01\x7F\x80\xFF", 6), 1, 0, 0);
    EXPECT_TRUE(take("drawRectangle").empty());
}

TEST_F(PixelFontDraw, AlignedDrawsTruncateTowardZero) {
    // "HI" at size 1 is 6.8 wide, 8 high.
    font.drawStringCentered("HI", 1, 10.7f, 20.9f);
    font.drawStringCentered("HI", 1, 2.8f, -4.6f);  // -0.6 and -0.6 truncate to 0
    font.drawStringCenteredX("HI", 1, 10.7f, 20.5f);
    font.drawStringRight("HI", 1, 10.5f, 3);
    EXPECT_EQ(take("translate"),
              (Calls{"translate(0,0,0)", "translate(3.7,3,0)", "translate(7,20.5,0)", "translate(7,24,0)"}));
}

}  // namespace
