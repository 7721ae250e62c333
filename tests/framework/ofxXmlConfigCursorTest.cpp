#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CapturedOutput.h"
#include "ofxXmlConfig.h"

using Children = std::vector<std::pair<std::string, std::string>>;

// The cursor moves down by the first name of a path (the rest is ignored),
// picking the n-th element of that name; a missing one is an error line and
// leaves the cursor where it was. Popping never climbs above the document.
TEST(XmlCursorTest, PushMovesDownByTheFirstNameOrFailsWithAnErrorLineAndPopClimbsBackToTheTop) {
    ofxXmlConfig xml;
    xml.setValue("P:V", 1);
    xml.setValue("P:V", 2, -1);  // a second P
    EXPECT_TRUE(xml.pushTag("P:ignored", 1));
    EXPECT_EQ(xml.getValue("V", 0), 2);
    EXPECT_EQ(xml.setValue("W:X", 5), 0);
    const struct {
        const char* tag;
        int which;
    } missing[] = {{"NOPE:X", 0}, {"W", 1}, {"X", 0}, {"", 0}};
    for (const auto& m : missing) {
        const CapturedOutput o = captureOutput([&] { EXPECT_FALSE(xml.pushTag(m.tag, m.which)) << m.tag; });
        EXPECT_EQ(o.err, "[error] pushTag - <" + std::string(m.tag) + "> tag not found\n");
        EXPECT_EQ(o.out, "");
    }
    EXPECT_EQ(xml.getValue("V", 0), 2);  // still inside the second P
    EXPECT_TRUE(xml.pushTag("W"));
    EXPECT_EQ(xml.getValue("X", 0), 5);
    EXPECT_EQ(xml.popTag(), 1);
    EXPECT_EQ(xml.getChildValues(), (Children{{"V", "2"}, {"W", ""}}));
    xml.clear();  // empties the element under the cursor only
    EXPECT_EQ(xml.popTag(), 0);
    EXPECT_EQ(xml.popTag(), 0);
    EXPECT_EQ(xml.getChildValues(), (Children{{"P", ""}, {"P", ""}}));
    EXPECT_TRUE(xml.pushTag("P"));
    EXPECT_EQ(xml.getValue("V", 0), 1);
}
