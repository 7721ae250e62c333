#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ImageTestSupport.h"

namespace {

ofPixels sequence(int w, int h, int channels, int start) {
    ofPixels p;
    p.allocate(w, h, channels);
    for (size_t i = 0; i < p.size(); ++i) p[static_cast<int>(i)] = static_cast<unsigned char>(start + i);
    return p;
}

}  // namespace

TEST(Pixels, AllocateKeepsBytesOnlyForTheSameShapeAndRefusesBadSizes) {
    ofPixels p = sequence(4, 2, 3, 1);
    unsigned char* first = p.getPixels();
    p.allocate(4, 2, 3);
    EXPECT_EQ(p.getPixels(), first);
    EXPECT_EQ(p[23], 24);
    p.allocate(2, 1, 2);
    EXPECT_EQ(p.getImageType(), OF_IMAGE_UNDEFINED);
    p[0] = 7;
    // Every refusal keeps the block as it was; 65536 x 65536 x 4 wraps a
    // 32-bit product to 0.
    unsigned char outside[4] = {1, 2, 3, 4};
    testing::internal::CaptureStderr();
    p.allocate(-1, 5, 3);
    p.allocate(3, 3, OF_IMAGE_UNDEFINED);
    p.allocate(65536, 65536, 4);
    p.allocate(2, 2, 0);
    p.allocate(2, 2, 5);
    p.setFromExternalPixels(outside, 100000, 100000, 3);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 5) << err;
    EXPECT_EQ((std::vector<int>{p.getWidth(), p.getHeight(), p.getBytesPerPixel(), p[0]}),
              (std::vector<int>{2, 1, 2, 7}));
    EXPECT_NE(p.getPixels(), outside);
}

TEST(Pixels, CopiesOwnTheirBytesAndUnallocatedSourcesClear) {
    unsigned char outside[6] = {1, 2, 3, 4, 5, 6};
    ofPixels wrapped;
    wrapped.setFromExternalPixels(outside, 2, 1, 3);
    ofPixels copy(wrapped), target = sequence(3, 3, 1, 0);
    copy[0] = 99;
    EXPECT_EQ(outside[0], 1);
    target = wrapped;
    target = target;
    EXPECT_NE(target.getPixels(), outside);
    EXPECT_EQ(bytesOf(target), (Bytes{1, 2, 3, 4, 5, 6}));
    target = ofPixels();
    EXPECT_FALSE(target.isAllocated());
    EXPECT_EQ(target.getWidth(), 0);
    EXPECT_EQ(target.getPixels(), nullptr);
}

TEST(Pixels, ExternalMemoryIsNeverReleasedOrChanged) {
    Bytes outside = {9, 8, 7, 6};
    {
        ofPixels p = sequence(1, 1, 3, 0);
        p.setFromExternalPixels(outside.data(), 2, 2, 1);
        EXPECT_EQ(p.getPixels(), outside.data());
        p.clear();
        EXPECT_FALSE(p.isAllocated());
        p.setFromExternalPixels(outside.data(), 2, 2, 1);
    }  // the destructor must not delete the vector's buffer
    EXPECT_EQ(outside, (Bytes{9, 8, 7, 6}));
    // Aligned rows drop their padding.
    const unsigned char src[] = {1, 2, 3, 0xEE, 4, 5, 6, 0xEE};
    ofPixels p;
    p.setFromAlignedPixels(src, 3, 2, 1, 4);
    EXPECT_EQ(bytesOf(p), (Bytes{1, 2, 3, 4, 5, 6}));
}

// Channels outside the block write nothing, not into the next pixel.
TEST(Pixels, ChannelWritesStayInsideTheBlock) {
    ofPixels p = sequence(2, 1, 4, 10);
    p.set(4, 0);
    p.set(-1, 0);
    p.setChannel(9, sequence(2, 1, 1, 100));  // clamped to the last channel
    EXPECT_EQ(bytesOf(p), (Bytes{10, 11, 12, 100, 14, 15, 16, 101}));
}

TEST(Pixels, PasteIntoClipsAtEveryEdge) {
    ofPixels src = sequence(3, 3, 1, 1);  // 1..9
    ofPixels dst;
    dst.allocate(4, 4, 1);
    dst.set(0, 0);
    EXPECT_TRUE(src.pasteInto(dst, 2, 2));
    EXPECT_EQ(bytesOf(dst), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 4, 5}));
    ofPixels none;
    EXPECT_FALSE(src.pasteInto(dst, 4, 0) || src.pasteInto(dst, 0, 4) || sequence(1, 1, 3, 0).pasteInto(dst, 0, 0) ||
                 src.pasteInto(none, 0, 0));
    dst.set(0, 0);
    EXPECT_TRUE(src.pasteInto(dst, -1, -2));
    EXPECT_TRUE(src.pasteInto(dst, -3, 0));  // entirely to the left: nothing copied
    EXPECT_EQ(bytesOf(dst), (Bytes{8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

// Each image type allocates its channel count; OpenGL's internal format
// follows the bytes per pixel, luminance for anything but 3 and 4.
TEST(Pixels, ImageTypesAndTheirOpenGLFormats) {
    const struct {
        int channels;
        ofImageType type;
        int glFormat;
    } cases[] = {
        {1, OF_IMAGE_GRAYSCALE, 0x1909},
        {3, OF_IMAGE_COLOR, 0x1907},
        {4, OF_IMAGE_COLOR_ALPHA, 0x1908},
        {2, OF_IMAGE_UNDEFINED, 0x1909},
    };
    for (const auto& c : cases) {
        ofPixels p;
        p.allocate(3, 2, c.channels);
        EXPECT_EQ(p.getImageType(), c.type) << c.channels;
        EXPECT_EQ(ofGetGlInternalFormat(p), c.glFormat) << c.channels;
        if (c.type == OF_IMAGE_UNDEFINED) continue;
        ofPixels typed;
        typed.allocate(5, 2, c.type);
        EXPECT_EQ((std::vector<int>{typed.getWidth(), typed.getHeight(), typed.getBytesPerPixel(),
                                    static_cast<int>(typed.size())}),
                  (std::vector<int>{5, 2, c.channels, 10 * c.channels}));
        EXPECT_EQ(ofGetGlInternalFormat(typed), c.glFormat);
    }
}
