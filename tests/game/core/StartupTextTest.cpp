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

TEST(StartupText, BannerThenOneStartupLineCentredIn56ColumnsThenLoading) {
    vantorixPC app;
    std::set<std::string> seen;
    ofSeedRandom(5);
    for (int start = 0; start < 400 && seen.size() < 11; ++start) {
        std::ostringstream out;
        app.writeStartupText(out);
        const std::vector<std::string> l = lines(out.str());
        ASSERT_EQ(l.size(), 17u);
        EXPECT_EQ(l[0], std::string(23, ' ') + "Welcome to");
        // V, then A, N and T, each twelve columns with three between.
        EXPECT_EQ(l[2], "##        ##       ####       ##        ##   ############");
        EXPECT_EQ(l[12], "  ########     ##        ##   ############   ##        ##");
        EXPECT_EQ(l[15], "                   ......loading......");
        const std::string& line = l[14];
        const size_t pad = line.find_first_not_of(' ');
        const std::string text = line.substr(pad);
        seen.insert(text);
        EXPECT_EQ(pad, text.size() < 56 ? (56 - text.size()) / 2 : 0u) << text;
    }
    EXPECT_EQ(seen.size(), 11u);
    EXPECT_EQ(seen.count("A game about flying into things."), 1u);
}
