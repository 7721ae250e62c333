#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <sstream>
#include <initializer_list>
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

TEST(TrueTypeContours, LinesCubicsAndConicsFollowTheOutlineTags) {
    const char on = FT_CURVE_TAG_ON, conic = FT_CURVE_TAG_CONIC, cubic = FT_CURVE_TAG_CUBIC;
    FakeGlyph g;
    // A square of on-curve points.
    g.contour({{0, 0, on}, {640, 0, on}, {640, 640, on}, {0, 640, on}});
    // Starts on a conic point after an on-curve last point; two conics in a
    // row meet at their midpoint.
    g.contour({{64, 64, conic}, {128, 64, conic}, {128, 128, on}, {0, 128, on}});
    // One cubic segment: drawn at its second control point.
    g.contour({{0, 0, on}, {64, 0, cubic}, {128, 64, cubic}, {128, 128, on}});
    // Conic first and last point: the curve starts at their midpoint.
    g.contour({{0, 0, conic}, {64, 0, on}, {64, 64, conic}});
    ContourFont font;
    ofPath path = font.makeContoursForCharacter(g.get());
    EXPECT_FALSE(path.getUseShapeColor());
    std::vector<std::string> expected = {
        "L (0,0)", "L (10,0)", "L (10,-10)", "L (0,-10)", "close",
        // y grows down the screen
        "Q (0,-2) (1,-1) (1.5,-1)", "Q (1.5,-1) (2,-1) (2,-2)", "L (2,-2)", "L (0,-2)", "close",
        "L (0,0)", "B (1,0) (2,-1) (2,-2)", "L (2,-2)", "close",
        "Q (0.5,-0.5) (0,0) (1,0)", "L (1,0)", "Q (1,0) (1,-1) (0.5,-0.5)", "close"};
    EXPECT_EQ(describe(path), expected);
}

TEST(TrueTypeContours, EmptyAndCorruptOutlinesGiveNoStrayCommands) {
    FakeGlyph none;
    ContourFont font;
    EXPECT_TRUE(font.makeContoursForCharacter(none.get()).getSubPaths().empty());

    // The second contour claims points that do not exist: only the first
    // contour is built.
    FakeGlyph bad;
    bad.contour({{0, 0, FT_CURVE_TAG_ON}, {64, 0, FT_CURVE_TAG_ON}});
    bad.contours.push_back(40);
    std::vector<std::string> expected = {"L (0,0)", "L (1,0)", "close"};
    EXPECT_EQ(describe(font.makeContoursForCharacter(bad.get())), expected);
}
