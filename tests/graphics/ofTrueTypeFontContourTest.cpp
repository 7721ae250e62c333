#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

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

// A glyph slot holding a hand-made outline, in 1/64 pixel: contours of
// (x, y, tag) points.
struct FakeGlyph {
    explicit FakeGlyph(const std::vector<std::vector<std::tuple<long, long, char>>>& outline) {
        for (const auto& contour : outline) {
            for (const auto& p : contour) {
                points.push_back({std::get<0>(p), std::get<1>(p)});
                tags.push_back(std::get<2>(p));
            }
            contours.push_back(static_cast<short>(points.size() - 1));
        }
    }
    FT_Face get() {
        slot.outline = {static_cast<short>(contours.size()), static_cast<short>(points.size()), points.data(),
                        tags.data(), contours.data(), 0};
        face.glyph = &slot;
        return &face;
    }
    std::vector<FT_Vector> points;
    std::vector<char> tags;
    std::vector<short> contours;
    FT_GlyphSlotRec slot{};
    FT_FaceRec face{};
};

// One word per command: "L to", "B cp1 cp2 to" or "Q start control end", then "close" or "open".
std::string describe(const ofPath& path) {
    std::ostringstream out;
    for (const ofSubPath& sub : path.getSubPaths()) {
        for (const ofSubPath::Command& c : sub.getCommands()) {
            if (c.type == ofSubPath::Command::lineTo) out << "L";
            if (c.type == ofSubPath::Command::bezierTo) out << "B(" << c.cp1.x << "," << c.cp1.y << ")";
            if (c.type == ofSubPath::Command::quadBezierTo) out << "Q(" << c.cp1.x << "," << c.cp1.y << ")";
            if (c.type != ofSubPath::Command::lineTo) out << "(" << c.cp2.x << "," << c.cp2.y << ")";
            out << "(" << c.to.x << "," << c.to.y << ") ";
        }
        out << (sub.isClosed() ? "close " : "open ");
    }
    return out.str();
}

const char on = FT_CURVE_TAG_ON, conic = FT_CURVE_TAG_CONIC, cubic = FT_CURVE_TAG_CUBIC;

}  // namespace

TEST(TrueTypeContours, LinesCubicsAndConicsFollowTheOutlineTags) {
    FakeGlyph g({{{0, 0, on}, {640, 0, on}, {640, 640, on}, {0, 640, on}},
                 // Starts on a conic point after an on-curve last point; two
                 // conics in a row meet at their midpoint.
                 {{64, 64, conic}, {128, 64, conic}, {128, 128, on}, {0, 128, on}},
                 // One cubic segment: drawn at its second control point.
                 {{0, 0, on}, {64, 0, cubic}, {128, 64, cubic}, {128, 128, on}},
                 // Conic first and last point: the curve starts at their midpoint.
                 {{0, 0, conic}, {64, 0, on}, {64, 64, conic}}});
    ContourFont font;
    const ofPath path = font.makeContoursForCharacter(g.get());
    EXPECT_FALSE(path.getUseShapeColor());
    // y grows down the screen.
    EXPECT_EQ(describe(path),
              "L(0,0) L(10,0) L(10,-10) L(0,-10) close "
              "Q(0,-2)(1,-1)(1.5,-1) Q(1.5,-1)(2,-1)(2,-2) L(2,-2) L(0,-2) close "
              "L(0,0) B(1,0)(2,-1)(2,-2) L(2,-2) close "
              "Q(0.5,-0.5)(0,0)(1,0) L(1,0) Q(1,0)(1,-1)(0.5,-0.5) close ");
}

TEST(TrueTypeContours, EmptyAndCorruptOutlinesGiveNoStrayCommands) {
    ContourFont font;
    EXPECT_TRUE(font.makeContoursForCharacter(FakeGlyph({}).get()).getSubPaths().empty());
    // The second contour claims points that do not exist: only the first is built.
    FakeGlyph bad({{{0, 0, on}, {64, 0, on}}});
    bad.contours.push_back(40);
    EXPECT_EQ(describe(font.makeContoursForCharacter(bad.get())), "L(0,0) L(1,0) close ");
}
