#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

#include "ofTrueTypeFont.h"

namespace {

class ContourFont : public ofTrueTypeFont {
public:
    using ofTrueTypeFont::makeContoursForCharacter;
};

}  // namespace

// An outline whose contour ends claim points that do not exist builds only
// the contours it has points for.
TEST(TrueTypeContours, EmptyAndCorruptOutlinesGiveNoStrayCommands) {
    std::vector<FT_Vector> points = {{0, 0}, {64, 0}};
    std::vector<char> tags(2, FT_CURVE_TAG_ON);
    std::vector<short> contours = {1, 40};
    FT_GlyphSlotRec slot{};
    FT_FaceRec face{};
    face.glyph = &slot;
    ContourFont font;
    EXPECT_TRUE(font.makeContoursForCharacter(&face).getSubPaths().empty());
    slot.outline = {2, 2, points.data(), tags.data(), contours.data(), 0};
    const ofPath path = font.makeContoursForCharacter(&face);
    ASSERT_EQ(path.getSubPaths().size(), 1u);
    const std::vector<ofSubPath::Command>& commands = path.getSubPaths()[0].getCommands();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].type, ofSubPath::Command::lineTo);
    EXPECT_EQ(commands[1].to, ofPoint(1, 0));
    EXPECT_TRUE(path.getSubPaths()[0].isClosed());
}
