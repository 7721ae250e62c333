#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ofBuffer.h"

namespace {

ofBuffer bufferOf(const std::string& data) {
    std::istringstream in(data);
    return ofBuffer(in);
}

std::vector<std::string> allLines(ofBuffer& b) {
    std::vector<std::string> lines;
    while (!b.isLastLine()) lines.push_back(b.getNextLine());
    return lines;
}

// Fails every read after the first chunk.
class BreakingBuf : public std::streambuf {
public:
    explicit BreakingBuf(std::string first) : data(std::move(first)) {
        setg(data.data(), data.data(), data.data() + data.size());
    }

protected:
    int_type underflow() override { throw std::runtime_error("connection lost"); }

private:
    std::string data;
};

}  // namespace

TEST(BufferTest, EmptyBufferIsOneZeroByte) {
    ofBuffer fromNothing;
    ofBuffer fromEmpty = bufferOf("");
    for (ofBuffer* b : {&fromNothing, &fromEmpty}) {
        EXPECT_EQ(b->size(), 0u);
        EXPECT_EQ(b->getText(), "");
        EXPECT_EQ(b->getBinaryBuffer()[0], '\0');
        EXPECT_TRUE(b->isLastLine());
        EXPECT_EQ(b->getNextLine(), "");
        EXPECT_TRUE(b->isLastLine());
    }
}

TEST(BufferTest, LinesEndAtLineFeedCarriageReturnOrBoth) {
    ofBuffer crlf = bufferOf(std::string("a\r\nb\r", 5));
    EXPECT_EQ(allLines(crlf), (std::vector<std::string>{"a", "b"}));

    ofBuffer lf = bufferOf("one\ntwo\n\nfour");
    EXPECT_EQ(allLines(lf), (std::vector<std::string>{"one", "two", "", "four"}));

    ofBuffer cr = bufferOf("x\ry\r\rz");
    EXPECT_EQ(allLines(cr), (std::vector<std::string>{"x", "y", "", "z"}));

    // LF CR is two terminators; CR LF is one.
    ofBuffer mixed = bufferOf("p\n\rq\r\n\nr");
    EXPECT_EQ(allLines(mixed), (std::vector<std::string>{"p", "", "q", "", "r"}));

    ofBuffer twoFeeds = bufferOf("\n\n");
    EXPECT_EQ(allLines(twoFeeds), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(twoFeeds.getNextLine(), "");
}

TEST(BufferTest, LongStreamIsReadWholeInChunks) {
    std::string data;
    for (int i = 0; i < 2500; ++i) data += static_cast<char>('a' + i % 26);
    ofBuffer b = bufferOf(data);
    ASSERT_EQ(b.size(), 2500u);
    EXPECT_EQ(std::string(b.getBinaryBuffer(), 2500), data);
    EXPECT_EQ(b.getBinaryBuffer()[2500], '\0');
    EXPECT_EQ(b.getText(), data);

    // Exactly one chunk, and exactly two.
    EXPECT_EQ(bufferOf(std::string(1024, 'k')).size(), 1024u);
    EXPECT_EQ(bufferOf(std::string(2048, 'k')).size(), 2048u);
}

TEST(BufferTest, EmbeddedZeroCutsTextButNotSizeOrLines) {
    ofBuffer b = bufferOf(std::string("ab\0cd\nef", 8));
    EXPECT_EQ(b.size(), 8u);
    EXPECT_EQ(b.getText(), "ab");
    EXPECT_EQ(b.getNextLine(), std::string("ab\0cd", 5));
    EXPECT_EQ(b.getNextLine(), "ef");
    EXPECT_TRUE(b.isLastLine());
}

TEST(BufferTest, SetReplacesContentAndRewindsLines) {
    ofBuffer b = bufferOf("first\nsecond");
    EXPECT_EQ(b.getNextLine(), "first");
    std::istringstream in("third\n");
    EXPECT_TRUE(b.set(in));
    EXPECT_EQ(b.getText(), "third\n");
    EXPECT_EQ(b.getNextLine(), "third");
    EXPECT_TRUE(b.isLastLine());

    b.clear();
    EXPECT_EQ(b.size(), 0u);
    EXPECT_TRUE(b.isLastLine());
}

TEST(BufferTest, CopyKeepsBytesAndLinePosition) {
    ofBuffer b = bufferOf("l1\nl2\nl3");
    b.getNextLine();
    ofBuffer copy(b);
    EXPECT_EQ(copy.getNextLine(), "l2");
    EXPECT_EQ(b.getNextLine(), "l2");
    EXPECT_EQ(copy.getText(), "l1\nl2\nl3");
}

TEST(BufferTest, BadStreamGivesEmptyTextAndFalse) {
    std::istringstream in("data");
    in.setstate(std::ios_base::badbit);
    ofBuffer b = bufferOf("old");
    EXPECT_FALSE(b.set(in));
    EXPECT_EQ(b.size(), 0u);
    EXPECT_EQ(b.getText(), "");
}

TEST(BufferTest, StreamThatBreaksKeepsTheWholeChunksBeforeAndLeavesItBad) {
    BreakingBuf buf(std::string(1500, 'q'));
    std::istream in(&buf);
    ofBuffer b = bufferOf("old");
    EXPECT_TRUE(b.set(in));
    // The chunk during which the stream broke is lost with it.
    EXPECT_EQ(b.size(), 1024u);
    EXPECT_EQ(b.getText(), std::string(1024, 'q'));
    EXPECT_TRUE(in.bad());
}
