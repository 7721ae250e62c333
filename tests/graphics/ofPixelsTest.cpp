#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ofPixels.h"

namespace {

typedef std::vector<unsigned char> Bytes;

void fillSequence(ofPixels& p, int start) {
    for (size_t i = 0; i < p.size(); ++i) p[static_cast<int>(i)] = static_cast<unsigned char>(start + i);
}

Bytes bytesOf(const ofPixels& p) { return Bytes(p.getPixels(), p.getPixels() + p.size()); }

std::string captureErrors(const std::function<void()>& action) {
    testing::internal::CaptureStderr();
    action();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

}  // namespace

TEST(Pixels, AllocateKeepsBytesOnlyForTheSameShapeAndRefusesBadSizes) {
    ofPixels p;
    EXPECT_EQ(p.getPixels(), nullptr);
    p.allocate(4, 2, 3);
    ASSERT_EQ(p.size(), 24u);
    fillSequence(p, 1);
    unsigned char* first = p.getPixels();
    p.allocate(4, 2, 3);
    EXPECT_EQ(p.getPixels(), first);
    EXPECT_EQ(p[23], 24);
    ofPixels empty;
    empty.allocate(0, 0, 3);
    EXPECT_TRUE(empty.isAllocated());
    EXPECT_EQ(empty.size(), 0u);

    struct Case {
        int channels;
        ofImageType type;
        int glFormat;
    };
    for (Case c : {Case{1, OF_IMAGE_GRAYSCALE, 0x1909}, Case{3, OF_IMAGE_COLOR, 0x1907},
                   Case{4, OF_IMAGE_COLOR_ALPHA, 0x1908}, Case{2, OF_IMAGE_UNDEFINED, 0x1909}}) {
        p.allocate(2, 1, c.channels);
        EXPECT_EQ(p.size(), 2u * c.channels);
        EXPECT_EQ(p.getImageType(), c.type) << c.channels;
        EXPECT_EQ(ofGetGlInternalFormat(p), c.glFormat) << c.channels;
        if (c.type == OF_IMAGE_UNDEFINED) continue;
        p.allocate(2, 1, c.type);
        EXPECT_EQ(p.getBytesPerPixel(), c.channels);
    }
    p[0] = 7;
    p.allocate(-1, 5, 3);  // silently ignored
    EXPECT_EQ(captureErrors([&] { p.allocate(3, 3, OF_IMAGE_UNDEFINED); }),
              "[error] ofPixels: image type not supported\n");
    // 65536 x 65536 x 4 wraps a 32-bit product to 0.
    std::string err = captureErrors([&] { p.allocate(65536, 65536, 4); });
    EXPECT_NE(err.find("[error] ofPixels: 65536x65536x4 is too large"), std::string::npos);
    EXPECT_EQ(captureErrors([&] { p.allocate(2, 2, 0); }), "[error] ofPixels: channel count 0 not supported\n");
    EXPECT_EQ(captureErrors([&] { p.allocate(2, 2, 5); }), "[error] ofPixels: channel count 5 not supported\n");
    unsigned char outside[4] = {1, 2, 3, 4};
    captureErrors([&] { p.setFromExternalPixels(outside, 100000, 100000, 3); });
    // Every refusal keeps the block as it was.
    EXPECT_NE(p.getPixels(), outside);
    EXPECT_EQ(p.getWidth(), 2);
    EXPECT_EQ(p.getHeight(), 1);
    EXPECT_EQ(p.getBytesPerPixel(), 2);
    EXPECT_EQ(p[0], 7);
}

TEST(Pixels, CopiesOwnTheirBytesAndUnallocatedSourcesClear) {
    unsigned char outside[6] = {1, 2, 3, 4, 5, 6};
    ofPixels wrapped;
    wrapped.setFromExternalPixels(outside, 2, 1, 3);
    ofPixels copy(wrapped);
    ASSERT_TRUE(copy.isAllocated());
    copy[0] = 99;
    EXPECT_EQ(outside[0], 1);
    EXPECT_EQ(copy[5], 6);

    ofPixels none;
    EXPECT_EQ(ofPixels(none).getPixels(), nullptr);

    ofPixels target;
    target.allocate(3, 3, 1);
    target = wrapped;
    EXPECT_EQ(target.getWidth(), 2);
    EXPECT_EQ(target.getBytesPerPixel(), 3);
    EXPECT_NE(target.getPixels(), outside);
    target = target;
    EXPECT_EQ(bytesOf(target), (Bytes{1, 2, 3, 4, 5, 6}));
    // An unallocated source empties the target.
    target = none;
    EXPECT_FALSE(target.isAllocated());
    EXPECT_EQ(target.getWidth(), 0);
    EXPECT_EQ(target.getPixels(), nullptr);
}

TEST(Pixels, ExternalMemoryIsNeverReleasedOrChanged) {
    Bytes outside = {9, 8, 7, 6};
    {
        ofPixels p;
        p.allocate(1, 1, 3);
        p.setFromExternalPixels(outside.data(), 2, 2, 1);
        EXPECT_EQ(p.getPixels(), outside.data());
        p.clear();
        EXPECT_FALSE(p.isAllocated());
        EXPECT_EQ(p.getWidth(), 0);
        p.setFromExternalPixels(outside.data(), 2, 2, 1);
    }  // destructor must not delete the vector's buffer
    EXPECT_EQ(outside, (Bytes{9, 8, 7, 6}));

    // Aligned rows drop their padding.
    const unsigned char src[] = {1, 2, 3, 0xEE, 4, 5, 6, 0xEE};
    ofPixels p;
    p.setFromAlignedPixels(src, 3, 2, 1, 4);
    EXPECT_EQ(bytesOf(p), (Bytes{1, 2, 3, 4, 5, 6}));
    p.setFromAlignedPixels(src, 2, 2, 2, 4);  // no padding: one copy
    EXPECT_EQ(bytesOf(p), Bytes(src, src + 8));
}

TEST(Pixels, ChannelWrites) {
    ofPixels p;
    p.allocate(2, 1, 4);
    fillSequence(p, 10);
    p.set(3, 255);
    p.set(4, 0);  // not a channel of this block: nothing, not the next pixel
    p.set(-1, 0);
    EXPECT_EQ(bytesOf(p), (Bytes{10, 11, 12, 255, 14, 15, 16, 255}));

    ofPixels grey;
    grey.allocate(2, 1, 1);
    grey[0] = 100;
    grey[1] = 200;
    p.setChannel(1, grey);
    p.setChannel(9, grey);  // clamped to the last channel
    EXPECT_EQ(bytesOf(p), (Bytes{10, 100, 12, 100, 14, 200, 16, 200}));
    ofPixels shortSource;
    shortSource.allocate(1, 1, 1);
    shortSource[0] = 1;
    p.setChannel(0, shortSource);
    EXPECT_EQ(bytesOf(p), (Bytes{1, 100, 12, 100, 14, 200, 16, 200}));

    p.swapRgb();
    EXPECT_EQ(bytesOf(p), (Bytes{12, 100, 1, 100, 16, 200, 14, 200}));
    grey.swapRgb();
    EXPECT_EQ(bytesOf(grey), (Bytes{100, 200}));
}

TEST(Pixels, PasteIntoClipsAtEveryEdge) {
    ofPixels src;
    src.allocate(3, 3, 1);
    fillSequence(src, 1);  // 1..9
    ofPixels dst;
    dst.allocate(4, 4, 1);
    dst.set(0, 0);
    EXPECT_TRUE(src.pasteInto(dst, 2, 2));
    EXPECT_EQ(bytesOf(dst), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 4, 5}));

    EXPECT_FALSE(src.pasteInto(dst, 4, 0));
    EXPECT_FALSE(src.pasteInto(dst, 0, 4));
    ofPixels rgb;
    rgb.allocate(1, 1, 3);
    EXPECT_FALSE(rgb.pasteInto(dst, 0, 0));
    ofPixels none;
    EXPECT_FALSE(src.pasteInto(none, 0, 0));

    dst.set(0, 0);
    EXPECT_TRUE(src.pasteInto(dst, -1, -2));
    const Bytes expect = {8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(bytesOf(dst), expect);
    EXPECT_TRUE(src.pasteInto(dst, -3, 0));  // entirely to the left: nothing copied
    EXPECT_EQ(bytesOf(dst), expect);
}
