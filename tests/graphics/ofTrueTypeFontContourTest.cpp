#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <initializer_list>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "ofTrueTypeFont.h"

namespace {

class ContourFont : public ofTrueTypeFont {
public:
    using ofTrueTypeFont::makeContoursForCharacter;
};

// A glyph slot holding a hand-made outline, in 1/64 pixel.
struct FakeGlyph {
    std::vector<FT_Vector> points;
    std::vector<char> tags;
    std::vector<short> contours;
    FT_GlyphSlotRec slot{};
    FT_FaceRec face{};

    // One contour of (x, y, tag) points.
    void contour(std::initializer_list<std::tuple<long, long, char>> pts) {
        for (const auto& p : pts) {
            points.push_back({std::get<0>(p), std::get<1>(p)});
            tags.push_back(std::get<2>(p));
        }
        contours.push_back(static_cast<short>(points.size() - 1));
    }
    FT_Face get() {
        slot.outline.n_points = static_cast<short>(points.size());
        slot.outline.n_contours = static_cast<short>(contours.size());
        slot.outline.points = points.data();
        slot.outline.tags = tags.data();
        slot.outline.contours = contours.data();
        face.glyph = &slot;
        return &face;
    }
};

std::string pt(const ofPoint& p) {
    std::ostringstream out;
    out << "(" << p.x << "," << p.y << ")";
    return out.str();
}

// One line per command: "L to", "B cp1 cp2 to" or "Q start control end".
std::vector<std::string> describe(const ofPath& path) {
    std::vector<std::string> lines;
    for (const ofSubPath& sub : path.getSubPaths()) {
        for (const ofSubPath::Command& c : sub.getCommands()) {
            switch (c.type) {
                case ofSubPath::Command::lineTo: lines.push_back("L " + pt(c.to)); break;
                case ofSubPath::Command::bezierTo:
                    lines.push_back("B " + pt(c.cp1) + " " + pt(c.cp2) + " " + pt(c.to));
                    break;
                case ofSubPath::Command::quadBezierTo:
                    lines.push_back("Q " + pt(c.cp1) + " " + pt(c.cp2) + " " + pt(c.to));
                    break;
                default: lines.push_back("?");
            }
        }
        lines.push_back(sub.isClosed() ? "close" : "open");
    }
    return lines;
}

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

// Each contour of the outline as path commands, y growing down the screen.
TEST(TrueTypeContours, LinesCubicsAndConicsFollowTheOutlineTags) {
    const char on = FT_CURVE_TAG_ON, conic = FT_CURVE_TAG_CONIC, cubic = FT_CURVE_TAG_CUBIC;
    const struct {
        std::initializer_list<std::tuple<long, long, char>> points;
        std::vector<std::string> commands;
    } cases[] = {
        {{{0, 0, on}, {640, 0, on}, {640, 640, on}, {0, 640, on}},
         {"L (0,0)", "L (10,0)", "L (10,-10)", "L (0,-10)", "close"}},
        // Starts on a conic point after an on-curve last point; two conics in
        // a row meet at their midpoint.
        {{{64, 64, conic}, {128, 64, conic}, {128, 128, on}, {0, 128, on}},
         {"Q (0,-2) (1,-1) (1.5,-1)", "Q (1.5,-1) (2,-1) (2,-2)", "L (2,-2)", "L (0,-2)", "close"}},
        // One cubic segment: made at its second control point.
        {{{0, 0, on}, {64, 0, cubic}, {128, 64, cubic}, {128, 128, on}},
         {"L (0,0)", "B (1,0) (2,-1) (2,-2)", "L (2,-2)", "close"}},
        // A contour starting on the second control point of a cubic that
        // wraps round from its end.
        {{{128, 64, cubic}, {128, 128, on}, {0, 0, on}, {64, 0, cubic}},
         {"B (1,0) (2,-1) (2,-2)", "L (2,-2)", "L (0,0)", "close"}},
        // Conic first and last point: the curve starts at their midpoint.
        {{{0, 0, conic}, {64, 0, on}, {64, 64, conic}},
         {"Q (0.5,-0.5) (0,0) (1,0)", "L (1,0)", "Q (1,0) (1,-1) (0.5,-0.5)", "close"}},
    };
    FakeGlyph all;
    std::vector<std::string> allCommands;
    for (const auto& c : cases) {
        FakeGlyph one;
        one.contour(c.points);
        all.contour(c.points);
        ContourFont font;
        const ofPath path = font.makeContoursForCharacter(one.get());
        EXPECT_FALSE(path.getUseShapeColor());
        EXPECT_EQ(describe(path), c.commands);
        allCommands.insert(allCommands.end(), c.commands.begin(), c.commands.end());
    }
    // Together, each contour wraps round within itself.
    ContourFont font;
    EXPECT_EQ(describe(font.makeContoursForCharacter(all.get())), allCommands);
}
