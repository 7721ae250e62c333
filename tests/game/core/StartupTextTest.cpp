#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ofMath.h"
#include "vantorixPC.h"

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

}  // namespace

TEST(StartupText, BannerIs57ColumnsWithTheNameInBlockLettersThenOneStartupLineAndLoading) {
    vantorixPC app;
    std::ostringstream out;
    ofSeedRandom(3);
    app.writeStartupText(out);
    std::vector<std::string> l = lines(out.str());
    ASSERT_EQ(l.size(), 17u);

    EXPECT_EQ(l[0], std::string(23, ' ') + "Welcome to");
    EXPECT_EQ(l[1], "");
    for (int row : {2, 3, 4, 5, 6, 8, 9, 10, 11, 12}) {
        EXPECT_EQ(l[row].size(), 57u) << row;
        EXPECT_EQ(l[row].find_first_not_of("# "), std::string::npos) << row;
    }
    EXPECT_EQ(l[7], "");
    EXPECT_EQ(l[13], "");
    // V, then A, N and T, each twelve columns with three between.
    EXPECT_EQ(l[2].substr(0, 12), "##        ##");
    EXPECT_EQ(l[6].substr(0, 12), "    ####    ");
    EXPECT_EQ(l[5].substr(15, 12), "############");
    EXPECT_EQ(l[6].substr(15, 12), "##        ##");
    EXPECT_EQ(l[2].substr(30, 12), "##        ##");
    EXPECT_EQ(l[10].substr(45, 12), "    ####    ");
    EXPECT_EQ(l[12].substr(0, 12), "  ########  ");
    EXPECT_EQ(l[15], "                   ......loading......");
    EXPECT_EQ(l[16], "");
}

TEST(StartupText, TheStartupLineIsCentredIn56ColumnsAndEveryLineComesUp) {
    vantorixPC app;
    std::set<std::string> seen;
    ofSeedRandom(5);
    for (int start = 0; start < 400 && seen.size() < 11; ++start) {
        std::ostringstream out;
        app.writeStartupText(out);
        std::string line = lines(out.str())[14];
        size_t pad = line.find_first_not_of(' ');
        std::string text = line.substr(pad);
        seen.insert(text);
        EXPECT_EQ(pad, text.size() < 56 ? (56 - text.size()) / 2 : 0u) << text;
        if (text == "A game about flying into things.") {
            EXPECT_EQ(pad, 12u);
        }
        if (text.size() == 53) {
            EXPECT_EQ(pad, 1u) << text;
        }
    }
    EXPECT_EQ(seen.size(), 11u);
    EXPECT_TRUE(seen.count("You know that flying space ships is fun. You know it."));
    EXPECT_TRUE(seen.count("Every second you spend playing will enrich your life."));
}
