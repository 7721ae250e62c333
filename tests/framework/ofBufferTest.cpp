#include <gtest/gtest.h>

#include <sstream>

#include "ofBuffer.h"

using Lines = std::vector<std::string>;

TEST(BufferTest, StreamsAreReadWholeZeroTerminatedAndSplitAtEveryKindOfLineEnd) {
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {std::string("a\r\nb\r", 5), {"a", "b"}},
        {"one\ntwo\n\nfour", {"one", "two", "", "four"}},
        {"p\n\rq\r\n\nr", {"p", "", "q", "", "r"}},  // LF CR is two line ends, CR LF one
        {std::string("ab\0cd\nef", 8), {std::string("ab\0cd", 5), "ef"}},  // a zero byte ends the text only
    };
    for (const auto& c : cases) {
        std::istringstream in(c.first);
        ofBuffer b(in);
        Lines lines;
        while (!b.isLastLine()) lines.push_back(b.getNextLine());
        EXPECT_EQ(lines, c.second) << c.first;
        EXPECT_EQ(b.getNextLine(), "");
        EXPECT_EQ(std::string(b.getBinaryBuffer(), b.size() + 1), c.first + '\0');
    }
    std::istringstream zero(std::string("ab\0cd\nef", 8)), bad("x");
    ofBuffer b(zero);
    EXPECT_EQ(b.getText(), "ab");
    bad.setstate(std::ios_base::badbit);
    EXPECT_FALSE(b.set(bad) || b.size() != 0);
}

namespace {

// Lines of 1 MiB made on the fly, then a short tail: a buffer past 2 GiB cheaply.
struct BigLines : std::streambuf {
    BigLines(std::size_t lines, std::string tail) : left(lines), tail(std::move(tail)) { block.back() = '\n'; }
    int_type underflow() override {
        if (tailGiven) return traits_type::eof();
        std::string& next = left > 0 ? block : tail;
        tailGiven = left == 0;
        left -= left > 0;
        setg(&next[0], &next[0], &next[0] + next.size());
        return traits_type::to_int_type(*gptr());
    }
    std::size_t left;
    std::string tail, block = std::string(1 << 20, 'a');
    bool tailGiven = false;
};

}  // namespace

TEST(BufferTest, LineSplittingReachesTheLastLinePastTwoGibibytes) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "only byte positions are at stake, which the plain build shows";
#endif
    const std::size_t lines = 2049;  // 2 GiB and one more MiB
    BigLines source(lines, "end\r\nlast");
    std::istream in(&source);
    ofBuffer b(in);
    ASSERT_EQ(b.size(), lines * (1u << 20) + 9);
    std::size_t full = 0;
    while (full < lines && !b.isLastLine() && b.getNextLine().size() == (1u << 20) - 1) ++full;
    EXPECT_EQ(full, lines);
    for (const char* want : {"end", "last"}) EXPECT_EQ(b.getNextLine(), want);
    EXPECT_TRUE(b.isLastLine());
}
